#include "cue_receiver.h"
#include "osc_test_support.h"
#include "send/held_osc_cues.h"
#include "send/vemo_player_osc_callback.h"

#include <vemo_core/types.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_test/fixture_show.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <iostream>
#include <memory>
#include <thread>

using namespace vemo;
using namespace vemo::osc::testing;

namespace {

const std::string kNotConfigured = "Unable to fully configure OSC Send command: ";

CL::Osc Cue(const std::string& text, const std::string& networkId = "NETWORK0")
{
    return CL::Osc(0, "OSC1", CL::OscProperties(text, networkId));
}

// A show whose destinations point at `port` (NETWORK0) or are unusable.
std::shared_ptr<AudioInterface> MakeEngine(std::uint16_t port)
{
    vemo::testing::FixtureShow show;
    show.songs = {{.number = "1", .bars = 8, .events = {std::make_shared<CL::Marker>(1920, "Verse", "MRK1")}},
                  {.number = "2", .bars = 8}};
    show.networks = {{.id = "NETWORK0", .name = "Desk", .port = port},
                     {.id = "NAME", .name = "By name", .ip = "localhost", .port = port},
                     {.id = "BADIP", .name = "Bad address", .ip = "1.2.3.256", .port = port},
                     {.id = "WIDE", .name = "Wide port", .port = 70000},
                     {.id = "ZERO", .name = "No port", .port = 0}};
    const std::filesystem::path folder = show.Write();
    AudioInterface::Options options;
    options.clock = AudioInterface::Options::Clock::Manual;
    auto engine = std::make_shared<AudioInterface>(folder.string(), (folder.parent_path() / "data").string(), false,
                                                   nullptr, options);
    engine->ThrowIfThreadExceptions();
    engine->Probe().Drain();
    return engine;
}

} // namespace

class TestOscCueSender : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { core::RegisterQtMetaTypes(); }

    void init()
    {
        destination = std::make_unique<CueReceiver>();
        fallback = std::make_unique<CueReceiver>();
        engine = MakeEngine(destination->Port());
        engine->Probe().SetTransport(true, false, false);
        sender = std::make_unique<VemoPlayerOscCallback>(fallback->Port());
        sender->SetPlayer(engine);
        outgoing = std::make_unique<QueuedCounter>();
        connect(sender.get(), &VemoPlayerOscCallback::OutgoingNotification, outgoing.get(), &QueuedCounter::Hit,
                Qt::QueuedConnection);
    }

    void cleanup()
    {
        sender.reset();
        outgoing.reset();
        engine.reset();
    }

    // While playing, a cue goes to its destination and lights the lamp once.
    void sendsToTheDestinationWhilePlaying()
    {
        sender->ExecuteEvent(Cue("/vemo/volume -6"), 0);
        QVERIFY(destination->WaitFor(1));
        QTRY_COMPARE(outgoing->Count(), 1);
        QCOMPARE(destination->Messages(), QStringList{"/vemo/volume i:-6"});
        fallback->Linger();
        QVERIFY(fallback->Datagrams().isEmpty());
    }

    void argumentsKeepTheirTypes()
    {
        sender->ExecuteEvent(Cue("/x \"a b\" 2.5 12"), 0);
        QVERIFY(destination->WaitFor(1));
        QCOMPARE(destination->Messages(), QStringList{"/x s:a b f:2.500000 i:12"});
    }

    // Peers drop a message without a type-tag string: a cue without arguments carries an empty one.
    void cueWithoutArgumentsCarriesEmptyTypeTags()
    {
        sender->ExecuteEvent(Cue("/cue/5/go"), 0);
        QVERIFY(destination->WaitFor(1));
        QCOMPARE(destination->Datagrams().value(0), QByteArray("/cue/5/go\0\0\0,\0\0\0", 16));
    }

    void dropsCuesWhileNotPlaying_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::newRow("stopped") << false;
        QTest::newRow("paused") << true;
    }

    void dropsCuesWhileNotPlaying()
    {
        QFETCH(bool, paused);
        engine->Probe().SetTransport(false, paused, false);
        sender->ExecuteEvent(Cue("/vemo/play"), 0);
        destination->Linger();
        fallback->Linger();
        QVERIFY(destination->Datagrams().isEmpty());
        QVERIFY(fallback->Datagrams().isEmpty());
        QCOMPARE(outgoing->Count(), 0);
    }

    // Without a player every cue goes to 127.0.0.1 on the default port, playing or not.
    void withoutPlayerSendsToTheDefaultPort_data()
    {
        QTest::addColumn<bool>("everSet");
        QTest::newRow("never set") << false;
        QTest::newRow("cleared from a stopped engine") << true;
    }

    void withoutPlayerSendsToTheDefaultPort()
    {
        QFETCH(bool, everSet);
        engine->Probe().SetTransport(false, false, false);
        sender->ClearPlayer();
        if (!everSet) {
            sender = std::make_unique<VemoPlayerOscCallback>(fallback->Port());
        }
        StreamCapture errors(std::cerr);
        sender->ExecuteEvent(Cue("/vemo/stop", "UNKNOWN"), 0);
        QVERIFY(fallback->WaitFor(1));
        QCOMPARE(fallback->Messages(), QStringList{"/vemo/stop"});
        QCOMPARE(errors.text(), std::string());
    }

    void blankTextSendsNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
    }

    void blankTextSendsNothing()
    {
        QFETCH(QString, text);
        sender->ExecuteEvent(Cue(text.toStdString()), 0);
        destination->Linger();
        QVERIFY(destination->Datagrams().isEmpty());
        QCOMPARE(outgoing->Count(), 0);
    }

    void enqueueHandsTheCueOnUnchanged()
    {
        QSignalSpy enqueued(sender.get(), &VemoPlayerOscCallback::enqueueOscCommand);
        const CL::Osc cue(480, "OSC7", CL::OscProperties("/vemo/pause", "NETWORK0"));
        sender->EnqueueEvent(cue, 17);
        QCOMPARE(enqueued.count(), 1);
        const auto held = enqueued.at(0).at(0).value<CL::Osc>();
        QCOMPARE(held.start(), 480u);
        QCOMPARE(held.EventId(), std::string("OSC7"));
        QVERIFY(held.osc_properties() == cue.osc_properties());
        QCOMPARE(enqueued.at(0).at(1).toUInt(), 17u);
        destination->Linger();
        QVERIFY(destination->Datagrams().isEmpty());
    }

    // Destinations that cannot be used: the Part's fallback for unknown ids, nothing at all for a
    // bad address or a port outside 1 to 65535.
    void unusableDestinations_data()
    {
        QTest::addColumn<QString>("networkId");
        QTest::addColumn<bool>("defaultPortZero");
        QTest::addColumn<bool>("reachesDefaultPort");
        QTest::addColumn<QStringList>("lines");
        const QString fallbackPort = "<fallback>";
        QTest::newRow("unknown id") << "NOPE" << false << true
            << QStringList{QString::fromStdString(kNotConfigured) +
                           "Unknown network destination NOPE. Using default values of localhost:" + fallbackPort};
        QTest::newRow("empty id") << "" << false << true
            << QStringList{QString::fromStdString(kNotConfigured) +
                           "Unknown network destination . Using default values of localhost:" + fallbackPort};
        QTest::newRow("host name") << "NAME" << false << false
            << QStringList{QString::fromStdString(kNotConfigured) + "localhost is not an IP address. The cue was not sent."};
        QTest::newRow("bad address") << "BADIP" << false << false
            << QStringList{QString::fromStdString(kNotConfigured) + "1.2.3.256 is not an IP address. The cue was not sent."};
        QTest::newRow("port 70000") << "WIDE" << false << false
            << QStringList{QString::fromStdString(kNotConfigured) + "port 70000 is out of range. The cue was not sent."};
        QTest::newRow("port 0") << "ZERO" << false << false
            << QStringList{QString::fromStdString(kNotConfigured) + "port 0 is out of range. The cue was not sent."};
        QTest::newRow("unknown id, default port 0") << "NOPE" << true << false
            << QStringList{QString::fromStdString(kNotConfigured) +
                               "Unknown network destination NOPE. Using default values of localhost:0",
                           QString::fromStdString(kNotConfigured) + "port 0 is out of range. The cue was not sent."};
    }

    void unusableDestinations()
    {
        QFETCH(QString, networkId);
        QFETCH(bool, defaultPortZero);
        QFETCH(bool, reachesDefaultPort);
        QFETCH(QStringList, lines);
        if (defaultPortZero) {
            sender->SetDefaultPort(0);
        }
        StreamCapture errors(std::cerr);
        sender->ExecuteEvent(Cue("/vemo/play", networkId.toStdString()), 0);
        if (reachesDefaultPort) {
            QVERIFY(fallback->WaitFor(1));
            QTRY_COMPARE(outgoing->Count(), 1);
        } else {
            fallback->Linger();
            QCOMPARE(outgoing->Count(), 0);
        }
        destination->Linger();
        QVERIFY(destination->Datagrams().isEmpty());
        QCOMPARE(fallback->Datagrams().size(), reachesDefaultPort ? 1 : 0);
        const QString expected = lines.join('\n').replace("<fallback>", QString::number(fallback->Port())) + '\n';
        QCOMPARE(QString::fromStdString(errors.text()), expected);
    }

    // A datagram too large for UDP is reported once and lights nothing; the next cue still goes.
    void failedWriteIsReportedAndLightsNothing()
    {
        StreamCapture errors(std::cerr);
        sender->ExecuteEvent(Cue("/big \"" + std::string(65510, 'x') + "\""), 0);
        sender->ExecuteEvent(Cue("/next"), 20);
        QVERIFY(destination->WaitFor(1));
        QTRY_COMPARE(outgoing->Count(), 1);
        destination->Linger();
        QCOMPARE(outgoing->Count(), 1);
        QCOMPARE(destination->Messages(), QStringList{"/next"});
        const QString text = QString::fromStdString(errors.text());
        QCOMPARE(text.count('\n'), 1);
        QVERIFY2(text.startsWith("OSC Socket Error Occured ("), qPrintable(text));
    }

    // The pool sends at most 8 cues at once: a ninth waits for a free thread.
    void ninthCueWaitsForAThread()
    {
        destination->Restart();
        for (int i = 1; i <= 9; ++i) {
            sender->ExecuteEvent(Cue("/cue " + std::to_string(i)), 200);
        }
        QVERIFY(destination->WaitFor(9));
        QCOMPARE(destination->Messages().last(), QString("/cue i:9"));
        QVERIFY2(destination->ArrivalsMs().last() >= 400, qPrintable(QString::number(destination->ArrivalsMs().last())));
        QTRY_COMPARE(outgoing->Count(), 9);
    }

    // Destruction waits for the pending cues and nothing is emitted afterwards.
    void destructionWaitsForPendingCues()
    {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 3; ++i) {
            sender->ExecuteEvent(Cue("/pending"), 150);
        }
        sender.reset();
        QVERIFY(clock.elapsed() >= 150);
        QVERIFY(destination->WaitFor(3, 1000));
        QTRY_COMPARE(outgoing->Count(), 3);
        destination->Linger();
        QCOMPARE(outgoing->Count(), 3);
        QCOMPARE(destination->Datagrams().size(), 3);
    }

    // The engine thread may change the default port while the GUI thread sends held cues.
    void defaultPortChangesWhileCuesGoOut()
    {
        CueReceiver other;
        sender->ClearPlayer();
        std::atomic<bool> done = false;
        std::thread portChanger([&] {
            for (int i = 0; !done; ++i) {
                sender->SetDefaultPort(i % 2 == 0 ? other.Port() : fallback->Port());
            }
        });
        for (int i = 0; i < 50; ++i) {
            sender->ExecuteEvent(Cue("/held"), 0);
        }
        done = true;
        portChanger.join();
        QTRY_COMPARE(outgoing->Count(), 50);
        other.Linger();
        fallback->Linger();
        QCOMPARE(other.Datagrams().size() + fallback->Datagrams().size(), 50);
    }

    // Held cues go out at the flush when their song is still current.
    void heldCuesOfTheCurrentSong()
    {
        HeldOscCues held;
        engine->Probe().SetTransport(false, false, false);
        held.Enqueue(Cue("/first"), 9, engine.get(), *sender);
        held.Enqueue(Cue("/second"), 9, nullptr, *sender);
        engine->Probe().SetPosition("2", 0);
        held.Enqueue(Cue("/other song"), 0, engine.get(), *sender);
        engine->Probe().SetPosition("1", 0);
        engine->Probe().SetTransport(true, false, false);
        held.Flush(engine.get(), *sender);
        QCOMPARE(held.Size(), std::size_t(0));
        QVERIFY(destination->WaitFor(2));
        destination->Linger();
        // Cues without delay leave from parallel threads: their order on the wire is not fixed.
        QStringList messages = destination->Messages();
        messages.sort();
        QCOMPARE(messages, (QStringList{"/first", "/second"}));
        held.Enqueue(Cue("/now"), 0, engine.get(), *sender);
        QVERIFY(destination->WaitFor(3));
        QCOMPARE(held.Size(), std::size_t(0));
    }

private:
    std::unique_ptr<CueReceiver> destination;
    std::unique_ptr<CueReceiver> fallback;
    std::shared_ptr<AudioInterface> engine;
    std::unique_ptr<VemoPlayerOscCallback> sender;
    std::unique_ptr<QueuedCounter> outgoing;
};

QTEST_GUILESS_MAIN(TestOscCueSender)
#include "test_osc_cue_sender.moc"
