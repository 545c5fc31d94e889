#include <vemo_test/test_environment.h>

#include <QProcess>
#include <QtTest>

// The console program installs the demo show into the (isolated) data folder on first start, plays
// it through with the scripted driver and prints the notifications.
class TestEngineDemoProgram : public QObject {
    Q_OBJECT
private slots:
    void playsTheDemoShowThrough()
    {
        QProcess program;
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.remove("VEMO_NO_DEMO");
        program.setProcessEnvironment(environment);
        program.start(VEMO_ENGINE_DEMO, {"--fast"});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY(out.contains("Installed the demo show \"The Lantern Keeper\" into "));
        QVERIFY(out.contains(QRegularExpression(R"(SongTitle\s+0  Lantern Waltz)")));
        QVERIFY(out.contains(QRegularExpression(R"(StatusFlowControl\s+0  Caesura)")));
        QVERIFY(out.contains(QRegularExpression(R"(TempoScale\s+0  110%)")));
        QVERIFY(out.contains("The show is over: "));
        QVERIFY(!out.contains("Playhead"));
    }

    void refusesABadSpeed()
    {
        QProcess program;
        program.start(VEMO_ENGINE_DEMO, {"--speed", "-2"});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 2);
        QVERIFY(program.readAllStandardError().contains("The speed must be a positive number."));
    }
};

QTEST_GUILESS_MAIN(TestEngineDemoProgram)
#include "test_engine_demo_program.moc"
