// Drives the vemo-osc-listen program over 127.0.0.1: with oscsend from liblo-tools one command at a
// time, with datagrams of its own, and with the arguments it must refuse.
#include "osc/osc_datagram_builder.h"
#include "osc_test_support.h"
#include "show_fixture.h"

#include <vemo_test/test_environment.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUdpSocket>

#include <csignal>

using vemo::osc::BuildOscDatagram;
using vemo::osc::testing::FreeUdpPort;
using vemo::osc::testing::StopAllLine;

namespace {

constexpr int kWaitMs = 15000;

QProcessEnvironment RunnerEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The runner installs the demo show into this test's own data folder.
    environment.remove("VEMO_NO_DEMO");
    environment.insert("VEMO_STANDIN_CLOCK", "manual");
    return environment;
}

// The runner as a child process, with its standard output and error read as one text.
class Runner {
public:
    explicit Runner(const QStringList& arguments)
    {
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.setProcessEnvironment(RunnerEnvironment());
        process_.start(VEMO_OSC_LISTEN, arguments);
    }

    ~Runner()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    // Waits for the whole line after the lines found so far, and moves past it.
    bool WaitForLine(const QString& line)
    {
        const QByteArray wanted = line.toUtf8() + '\n';
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kWaitMs) {
            output_ += process_.readAll();
            for (qsizetype at = output_.indexOf(wanted, position_); at >= 0; at = output_.indexOf(wanted, at + 1)) {
                if (at == 0 || output_.at(at - 1) == '\n') {
                    position_ = at + wanted.size();
                    return true;
                }
            }
            if (!process_.waitForReadyRead(100) && process_.state() == QProcess::NotRunning) {
                output_ += process_.readAll();
                return output_.indexOf(wanted, position_) >= 0;
            }
        }
        return false;
    }

    int Finish()
    {
        process_.waitForFinished(kWaitMs);
        output_ += process_.readAll();
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

    void Signal(int signalNumber) { ::kill(static_cast<pid_t>(process_.processId()), signalNumber); }

    QByteArray Output() const { return output_; }

private:
    QProcess process_;
    QByteArray output_;
    qsizetype position_ = 0;
};

} // namespace

class TestOscListenEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void oscsendCommandsReachTheEngine();
    void datagramsOfItsOwn_data();
    void datagramsOfItsOwn();
    void endsCleanlyOnSigterm();
    void refusals_data();
    void refusals();
    void portInUseEndsWithTheBindError();
    void listensOnTheSettingsPortAndEndsOnSigint();

private:
    std::uint16_t port_ = 0;
    std::unique_ptr<Runner> runner_;
};

void TestOscListenEndToEnd::initTestCase()
{
    if (QStandardPaths::findExecutable("oscsend").isEmpty()) {
        QSKIP("oscsend (Debian package liblo-tools) is not installed.");
    }
    port_ = FreeUdpPort();
    runner_ = std::make_unique<Runner>(QStringList{"--port", QString::number(port_)});
    QVERIFY2(runner_->WaitForLine("****Opening port " + QString::number(port_)), runner_->Output().constData());
    QVERIFY(runner_->Output().contains("Show \"The Lantern Keeper\": address it as /vemo/show/the_lantern_keeper/..."));
}

void TestOscListenEndToEnd::oscsendCommandsReachTheEngine()
{
    // Each command, then the lines it must print before the next is sent.
    const QList<std::pair<QStringList, QStringList>> steps = {
        {{"/vemo/play"}, {"[engine] Stop()", "[engine] Play()", "[osc] RequestPlayQueudOscEvents"}},
        {{"/vemo/fadeto", "ff", "-6", "2.5"}, {"[engine] FadeTo(<fn>,2.5,0.5011872)"}},
        {{"/vemo/volume", "f", "-6.5"}, {"[engine] SetVolume(0.4731512665748596,0)"}},
        {{"/vemo/pause"}, {"[engine] GetIsPaused()->false", "[engine] Pause(false)", "[sfx] " + StopAllLine()}},
        {{"/vemo/pause"}, {"[engine] GetIsPaused()->true", "[engine] Continue()", "[osc] RequestPlayQueudOscEvents"}},
        {{"/vemo/sfx/SFX1/play"}, {"[sfx] play SFX1 thunder 3000"}},
        {{"/vemo/sfx/*/stop"}, {"[sfx] stop SFX1"}},
        {{"/vemo/show/the_lantern_keeper/song/1/stop"}, {"[engine] Stop()"}},
    };
    for (const auto& [arguments, lines] : steps) {
        QCOMPARE(QProcess::execute("oscsend", QStringList{"127.0.0.1", QString::number(port_)} + arguments), 0);
        QVERIFY2(runner_->WaitForLine("[osc] Notification"), runner_->Output().constData());
        for (const QString& line : lines) {
            QVERIFY2(runner_->WaitForLine(line), qPrintable(arguments.join(' ') + " did not print " + line));
        }
    }

    // Song 2, and at once an event whose id exists in songs 1 and 2: song 2's marker is at 960.
    QCOMPARE(QProcess::execute("oscsend", {"127.0.0.1", QString::number(port_), "/vemo/song/2/play"}), 0);
    QCOMPARE(QProcess::execute("oscsend", {"127.0.0.1", QString::number(port_), "/vemo/event/MRK1/go"}), 0);
    for (const QString& line : QStringList{"[engine] LoadSong(\"2\")", "[engine] Play()", "[engine] Seek(960)", "[engine] Continue()"}) {
        QVERIFY2(runner_->WaitForLine(line), qPrintable("the event go did not print " + line));
    }
}

void TestOscListenEndToEnd::datagramsOfItsOwn_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("line");

    const QString notFinite = "Unable to process OSC command: OSC argument is not a finite number.";
    QTest::newRow("nan volume") << BuildOscDatagram("/vemo/volume nan") << notFinite;
    QTest::newRow("-inf fadeout") << BuildOscDatagram("/vemo/fadeout -inf") << notFinite;
    QTest::newRow("1e30 volume") << BuildOscDatagram("/vemo/volume 1e30") << "[engine] SetVolume(1e+10,0)";
    QTest::newRow("1e30 fadeto") << BuildOscDatagram("/vemo/fadeto 1e30 1") << "[engine] FadeTo(<fn>,1,1e+10)";
    QTest::newRow("missing song") << BuildOscDatagram("/vemo/song/14/play")
                                  << "OSC was unable to load and play the specified song number: Song 14 does not exist.";
    QTest::newRow("unknown part") << BuildOscDatagram("/vemo/later/play") << "Unable to process OSC command: Unknown OSC command part: later";
    QTest::newRow("refused effect") << BuildOscDatagram("/vemo/sfx/NOPE/play")
                                    << "Unable to process OSC command: Unable to play sfx cue with id NOPE";
    QTest::newRow("address without NUL") << QByteArray("/vemo/play")
                                         << "OSC string is larger than buffer during read of null terminator.";
    QTest::newRow("bundle") << QByteArray("#bundle\0\0\0\0\0\0\0\0\1", 16)
                            << "OSC Bundle detected. OSC Bundles unsupported at this time.";
    QTest::newRow("blob") << QByteArray("/a\0\0,b\0\0\0\0\0\1\0\0\0\0", 16) << "Unsupported or unknown OSC Type.";
}

void TestOscListenEndToEnd::datagramsOfItsOwn()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, line);
    QVERIFY(runner_);
    QUdpSocket sender;
    QCOMPARE(sender.writeDatagram(datagram, QHostAddress::LocalHost, port_), qint64(datagram.size()));
    QVERIFY2(runner_->WaitForLine(line), runner_->Output().constData());
}

void TestOscListenEndToEnd::endsCleanlyOnSigterm()
{
    QVERIFY(runner_);
    runner_->Signal(SIGTERM);
    QCOMPARE(runner_->Finish(), 0);
    QVERIFY(runner_->WaitForLine("[engine] Shutdown()"));
    QVERIFY(runner_->WaitForLine("****Closing port " + QString::number(port_)));
    QVERIFY(runner_->WaitForLine("Stopped on SIGTERM."));
    QVERIFY(runner_->Output().endsWith("Stopped on SIGTERM.\n"));
}

void TestOscListenEndToEnd::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("line");

    const QString settings = QString::fromStdString(vemo::testing::TestRoot().string()) + "/disabled_osc_settings.vemo";
    QFile file(settings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"version": "1.0", "oscEnabled": false, "oscListenPort": 9000})");
    file.close();

    QTest::newRow("port 70000") << QStringList{"--port", "70000"} << "vemo-osc-listen: OSC listen port 70000 is outside 1 to 65535.";
    QTest::newRow("port 0") << QStringList{"--port", "0"} << "vemo-osc-listen: OSC listen port 0 is outside 1 to 65535.";
    QTest::newRow("port not a number") << QStringList{"--port", "udp"} << "vemo-osc-listen: The port must be a whole number: udp";
    QTest::newRow("OSC disabled") << QStringList{"--settings", settings}
                                  << "vemo-osc-listen: OSC is disabled in " + settings + ": no server runs.";
}

void TestOscListenEndToEnd::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, line);
    Runner runner(arguments);
    QVERIFY(runner.Finish() != 0);
    QVERIFY2(runner.WaitForLine(line), runner.Output().constData());
    QVERIFY(!runner.Output().contains("****Opening port"));
}

void TestOscListenEndToEnd::portInUseEndsWithTheBindError()
{
    const std::uint16_t port = FreeUdpPort();
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress::Any, port));
    Runner runner({"--port", QString::number(port)});
    QVERIFY(runner.Finish() != 0);
    const QByteArray prefix = "vemo-osc-listen: Unable to bind to OSC server port " + QByteArray::number(port) + ": ";
    QVERIFY2(runner.Output().contains(prefix), runner.Output().constData());
    QVERIFY(!runner.Output().contains("****Opening port"));
}

void TestOscListenEndToEnd::listensOnTheSettingsPortAndEndsOnSigint()
{
    const std::uint16_t port = FreeUdpPort();
    const QString settings = QString::fromStdString(vemo::testing::TestRoot().string()) + "/port_osc_settings.vemo";
    QFile file(settings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"version": "1.0", "oscEnabled": true, "oscListenPort": )" + QByteArray::number(port) + "}");
    file.close();

    Runner runner({"--settings", settings});
    QVERIFY2(runner.WaitForLine("****Opening port " + QString::number(port)), runner.Output().constData());
    runner.Signal(SIGINT);
    QCOMPARE(runner.Finish(), 0);
    QVERIFY(runner.Output().endsWith("****Closing port " + QByteArray::number(port) + "\nStopped on SIGINT.\n"));
}

QTEST_GUILESS_MAIN(TestOscListenEndToEnd)
#include "test_osc_listen_e2e.moc"
