// The demo show played in real time (sped up) with the cue sender, its cues received by liblo's
// oscdump: the cue of the first beat, held cues, and cues inside a skip region.
#include "cue_receiver.h"
#include "osc_test_support.h"
#include "send/held_osc_cues.h"
#include "send/vemo_player_osc_callback.h"

#include <vemo_core/notify.h>
#include <vemo_core/show_record.h>
#include <vemo_core/types.h>
#include <vemo_demo_show/install.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_test/test_environment.h>

#include <QProcess>
#include <QUdpSocket>
#include <QtTest>

#include <atomic>
#include <memory>

using namespace vemo;
using namespace vemo::osc::testing;

namespace {

constexpr UInt32 kSong3Bar = 1440;  // 6/8: six eighth notes of 240 ticks

// oscdump on a free port, its lines without their time tags.
class Dump {
public:
    Dump() : port_(FreeUdpPort())
    {
        process_.start("oscdump", {"-L", QString::number(port_)});
    }

    ~Dump()
    {
        process_.kill();
        process_.waitForFinished();
    }

    std::uint16_t Port() const { return port_; }

    // Sends "/ready" until oscdump prints it, then forgets the lines so far.
    bool WaitUntilListening()
    {
        QUdpSocket socket;
        for (int attempt = 0; attempt < 100; ++attempt) {
            socket.writeDatagram(QByteArray("/ready\0\0,\0\0\0", 12), QHostAddress::LocalHost, port_);
            process_.waitForReadyRead(50);
            Read();
            if (lines_.contains("/ready ")) {
                lines_.clear();
                return true;
            }
        }
        return false;
    }

    bool WaitFor(int count, int timeoutMs = 5000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (lines_.size() < count && !deadline.hasExpired()) {
            process_.waitForReadyRead(20);
            Read();
            QCoreApplication::processEvents();
        }
        return lines_.size() >= count;
    }

    void Linger(int ms = 300) { WaitFor(std::numeric_limits<int>::max(), ms); }

    const QStringList& Lines() const { return lines_; }

private:
    void Read()
    {
        buffer_ += process_.readAllStandardOutput();
        qsizetype end = 0;
        while ((end = buffer_.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(buffer_.left(end));
            buffer_.remove(0, end + 1);
            lines_ << line.mid(line.indexOf(' ') + 1);
        }
    }

    std::uint16_t port_;
    QProcess process_;
    QByteArray buffer_;
    QStringList lines_;
};

} // namespace

class TestOscCueE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        core::RegisterQtMetaTypes();
        qunsetenv("VEMO_NO_DEMO");
        const std::filesystem::path data = vemo::testing::TestRoot() / "e2e-data";
        QVERIFY(demo::InstallIfNoCurrentShow(data));
        const std::filesystem::path show = core::ShowRecordStore(data).CurrentShowFolder();

        QVERIFY(dump.WaitUntilListening());
        sender = std::make_shared<VemoPlayerOscCallback>(fallback.Port());
        connect(sender.get(), &VemoPlayerOscCallback::enqueueOscCommand, this,
                [this](const CL::Osc& cue, uint32_t delay) { held.Enqueue(cue, delay, engine.get(), *sender); });
        connect(sender.get(), &VemoPlayerOscCallback::OutgoingNotification, &outgoing, &QueuedCounter::Hit);

        AudioInterface::Options options;
        options.speed = 8.0;
        engine = std::make_shared<AudioInterface>(show.string(), data.string(), false, sender, options);
        engine->ThrowIfThreadExceptions();
        sender->SetPlayer(engine);

        CL::NetworkPathVectorT networks = engine->GetNetworks();
        QCOMPARE(networks.size(), std::size_t(1));
        networks[0].SetPort(dump.Port());
        engine->GetChangeLogEditor()->UpdateNetworks(networks);
        engine->LoadNewChangeLog();
        engine->Probe().Drain();
    }

    void cleanupTestCase()
    {
        sender->ClearPlayer();
        engine->Shutdown();
        engine.reset();
        sender.reset();
    }

    // The first Play sends the first beat's cue; Stop holds it for the next Play, which sends it once.
    void firstBeatCueAndHeldCue()
    {
        Play();
        QVERIFY(dump.WaitFor(1));
        engine->Stop();
        engine->Probe().Drain();
        QTRY_COMPARE(held.Size(), std::size_t(1));
        Play();
        QVERIFY(dump.WaitFor(2));
        engine->Stop();
        dump.Linger();
        QCOMPARE(dump.Lines(), (QStringList{"/demo/lights/preset i 1", "/demo/lights/preset i 1"}));
        QTRY_COMPARE(outgoing.Count(), 2);
    }

    // Song 3's skip region plays on unless the operator exits it.
    void cuesInsideASkip()
    {
        CL::Editor* editor = engine->GetChangeLogEditor();
        editor->SelectSongLogForEditing("3");
        editor->AddEvent(CL::Osc(1 * kSong3Bar, "OSC2", CL::OscProperties("/e2e/bar 2", "NETWORK0")));
        editor->AddEvent(CL::Osc(8 * kSong3Bar, "OSC3", CL::OscProperties("/e2e/bar 9", "NETWORK0")));
        editor->AddEvent(CL::Osc(10 * kSong3Bar, "OSC4", CL::OscProperties("/e2e/last", "NETWORK0")));
        engine->LoadNewChangeLog();

        const QStringList inOrder{"/e2e/bar i 2", "/e2e/bar i 9", "/e2e/last "};
        PlaySong3(false);
        QCOMPARE(dump.Lines().mid(2), inOrder);

        PlaySong3(true);
        QCOMPARE(dump.Lines().mid(5), inOrder.mid(0, 2));
        QTRY_COMPARE(outgoing.Count(), dump.Lines().size());
    }

private:
    void Play()
    {
        engine->Play();
        held.Flush(engine.get(), *sender);
    }

    // Plays song 3 to its end; with `exitSkip` the skip region is left at once.
    void PlaySong3(bool exitSkip)
    {
        std::atomic<bool> stopped = false;
        notify::EventObserver observer;
        observer.SetCallbackFunc(
            [this, exitSkip, &stopped](int id, int value, const char* text, void*) {
                if (id == int(notify::EventKind::StatusFlowControl) && exitSkip && value == 0 &&
                    std::string(text ? text : "") == "Skip") {
                    engine->FlowControlExit();
                }
                if (id == int(notify::EventKind::PlaybackStopped)) {
                    stopped = true;
                }
            },
            nullptr);
        observer.Register(notify::EventKind::StatusFlowControl, int(notify::EventKind::StatusFlowControl));
        observer.Register(notify::EventKind::PlaybackStopped, int(notify::EventKind::PlaybackStopped));
        engine->LoadSong("3");
        engine->Probe().Drain();
        stopped = false;
        Play();
        QTRY_VERIFY_WITH_TIMEOUT(stopped, 20000);
        dump.Linger();
        observer.SetCallbackFunc({}, nullptr);
    }

    Dump dump;
    CueReceiver fallback;
    QueuedCounter outgoing;
    HeldOscCues held;
    std::shared_ptr<VemoPlayerOscCallback> sender;
    std::shared_ptr<AudioInterface> engine;
};

QTEST_GUILESS_MAIN(TestOscCueE2E)
#include "test_osc_cue_e2e.moc"
