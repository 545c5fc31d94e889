#include "engine_fixture.h"

#include <QtTest>

using namespace enginetest;
using notify::EventKind;

class TestEngineTransport : public QObject {
    Q_OBJECT
private slots:
    void smoke()
    {
        Recorder recorder;
        vemo::AudioInterface engine(CopyShow(DemoShowSource(), "demo").string(),
                                    (vemo::testing::TestRoot() / "data").string(), false, nullptr, ManualClock());
        engine.ThrowIfThreadExceptions();
        engine.Probe().Drain();
        QCOMPARE(engine.GetCurrentSongNumber(), std::string("1"));
        QCOMPARE(recorder.Texts(EventKind::SongTitle), std::vector<std::string>{"Overture"});
        engine.Play();
        engine.Probe().Advance(std::chrono::milliseconds(5000));
        for (const auto& line : engine.Probe().Journal())
            qDebug() << line.c_str();
    }
};

QTEST_GUILESS_MAIN(TestEngineTransport)
#include "test_engine_transport.moc"
