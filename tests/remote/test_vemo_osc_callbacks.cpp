#include "handlers/fade_receivers.h"
#include "handlers/vemo_osc_callbacks.h"
#include "osc/osc_command_processor.h"
#include "osc_test_support.h"
#include "show_fixture.h"

#include <fonexa/sfx_player.h>

#include <QTest>

#include <chrono>
#include <iostream>
#include <memory>

using namespace vemo::osc::testing;
using vemo::VemoOscCallbacks;
using vemo::osc::OscCommandProcessor;

namespace {

enum class Transport { Stopped, Playing, Paused };

// The engine's calls that change something: queries and outgoing calls are left out.
QStringList Actions(vemo::AudioInterface& engine, bool withFadeDone = false)
{
    QStringList actions;
    for (const QString& call : EngineCalls(engine)) {
        const bool query = call.startsWith("Get") || call.contains(")->");
        const bool outgoing = call.startsWith("> ") && !(withFadeDone && call == "> fade.done");
        if (!query && !outgoing) {
            actions << call;
        }
    }
    return actions;
}

QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

// Handlers on the fixture engine behind a command processor, with their signals recorded.
class Session {
public:
    explicit Session(std::string showName = "Main Stage (Act 2)")
        : engine(MakeFixtureEngine())
        , handlers(new VemoOscCallbacks(engine, std::move(showName)))
        , processor(std::unique_ptr<VemoOscCallbacks>(handlers))
    {
        QObject::connect(handlers, &VemoOscCallbacks::FadeRequested, [this](float time) {
            emitted << "FadeRequested(" + Number(time) + ")";
        });
        QObject::connect(handlers, &VemoOscCallbacks::FadeToRequested, [this](float time, float gain, bool next) {
            emitted << "FadeToRequested(" + Number(time) + ", " + Number(gain) + ", " + (next ? "true" : "false") + ")";
        });
        QObject::connect(handlers, &VemoOscCallbacks::RequestPlayQueudOscEvents,
            [this] { emitted << "RequestPlayQueudOscEvents"; });
        QObject::connect(handlers, &VemoOscCallbacks::Notification, [this] { ++notifications; });
    }

    void Place(const QString& song, int tick, Transport transport)
    {
        engine->LoadSong(song.toStdString());
        engine->Probe().SetPosition(song.toStdString(), UInt32(tick));
        engine->Probe().SetTransport(transport == Transport::Playing, transport == Transport::Paused, false);
        engine->Probe().Drain();
        engine->Probe().ClearJournal();
        vemo::audio::testing::ClearJournal();
    }

    void Send(const QString& text) { processor.Process(MessageOf(text)); }

    std::shared_ptr<vemo::AudioInterface> engine;
    VemoOscCallbacks* handlers;
    OscCommandProcessor processor;
    QStringList emitted;
    int notifications = 0;
};

} // namespace

Q_DECLARE_METATYPE(Transport)

class TestVemoOscCallbacks : public QObject {
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void pauseTwicePausesThenContinues();
    void missingSongIsReportedUnderItsOwnTitle();
    void refusedSoundEffectIsReported_data();
    void refusedSoundEffectIsReported();
    void nonFiniteArgumentsChangeNothing_data();
    void nonFiniteArgumentsChangeNothing();
    void everyMessageRaisesNotification();
    void fadeReceivers_data();
    void fadeReceivers();
    void fadeCompletion_data();
    void fadeCompletion();
    void fadeEndingAfterItsContextIsGone_data();
    void fadeEndingAfterItsContextIsGone();
};

void TestVemoOscCallbacks::commands_data()
{
    QTest::addColumn<QString>("song");
    QTest::addColumn<int>("tick");
    QTest::addColumn<Transport>("transport");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("emitted");
    QTest::addColumn<QStringList>("sfx");

    const QStringList none;
    const QStringList queued{"RequestPlayQueudOscEvents"};
    // The engine stops the sound effects itself when it stops, pauses or changes songs.
    const QString stopAll = StopAllLine();
    const QStringList engineStop{stopAll};
    const auto stopped = Transport::Stopped;
    const auto playing = Transport::Playing;
    const auto paused = Transport::Paused;

    // Show and song matching.
    QTest::newRow("play restarts the current song") << "1" << 0 << stopped << "/vemo/play" << QStringList{"Stop()", "Play()"} << queued << engineStop;
    QTest::newRow("play of the current song by number")
        << "1" << 0 << playing << "/vemo/song/1/play" << QStringList{"Stop()", "Play()"} << queued << engineStop;
    QTest::newRow("play loads another song")
        << "1" << 0 << stopped << "/vemo/song/2/play" << QStringList{"LoadSong(\"2\")", "Play()"} << queued << engineStop;
    QTest::newRow("show by its OSC name")
        << "1" << 0 << stopped << "/vemo/show/main_stage_(act_2)/play" << QStringList{"Stop()", "Play()"} << queued << engineStop;
    QTest::newRow("show name is case-sensitive") << "1" << 0 << stopped << "/vemo/show/Main_Stage_(Act_2)/play" << none << none << none;
    QTest::newRow("another show") << "1" << 0 << stopped << "/vemo/show/other_show/play" << none << none << none;
    QTest::newRow("stop") << "1" << 0 << playing << "/vemo/stop" << QStringList{"Stop()"} << none << QStringList{stopAll, stopAll};
    QTest::newRow("stop of another song still stops the effects")
        << "1" << 0 << playing << "/vemo/song/2/stop" << none << none << QStringList{stopAll};
    QTest::newRow("stop of another show still stops the effects")
        << "1" << 0 << playing << "/vemo/show/other_show/stop" << none << none << QStringList{stopAll};

    // Fades ask the main window.
    QTest::newRow("fadeout 25 s") << "1" << 0 << playing << "/vemo/fadeout 25" << none << QStringList{"FadeRequested(10000)"} << none;
    QTest::newRow("fadeout 2.5 s") << "1" << 0 << playing << "/vemo/fadeout 2.5" << none << QStringList{"FadeRequested(2500)"} << none;
    QTest::newRow("fadeout -1 s") << "1" << 0 << playing << "/vemo/fadeout -1" << none << QStringList{"FadeRequested(-1000)"} << none;
    QTest::newRow("fadeout -1e30 s") << "1" << 0 << playing << "/vemo/fadeout -1e30" << none << QStringList{"FadeRequested(-1e+33)"} << none;
    QTest::newRow("fadeout of another song") << "1" << 0 << playing << "/vemo/song/2/fadeout 2" << none << none << none;
    QTest::newRow("fadeto") << "1" << 0 << playing << "/vemo/fadeto -6 2.5" << none
                            << QStringList{"FadeToRequested(2500, 0.501187, false)"} << none;
    QTest::newRow("fadeto truncates decibels") << "1" << 0 << playing << "/vemo/fadeto -6.9 25" << none
                                               << QStringList{"FadeToRequested(10000, 0.501187, false)"} << none;
    QTest::newRow("fadeto 60 dB") << "1" << 0 << playing << "/vemo/fadeto 60 1" << none
                                  << QStringList{"FadeToRequested(1000, 1000, false)"} << none;
    QTest::newRow("fadeto 1e30 dB is bounded") << "1" << 0 << playing << "/vemo/fadeto 1e30 1" << none
                                               << QStringList{"FadeToRequested(1000, 1e+10, false)"} << none;

    // Volume, whatever show or song the address names.
    QTest::newRow("volume 6 dB") << "1" << 0 << playing << "/vemo/volume 6" << QStringList{"SetVolume(1.9952622652053833,0)"} << none << none;
    QTest::newRow("volume 60 dB") << "1" << 0 << playing << "/vemo/volume 60" << QStringList{"SetVolume(1000,0)"} << none << none;
    QTest::newRow("volume 1e30 dB is bounded") << "1" << 0 << playing << "/vemo/volume 1e30" << QStringList{"SetVolume(1e+10,0)"} << none << none;
    QTest::newRow("volume -1e30 dB is bounded")
        << "1" << 0 << playing << "/vemo/volume -1e30" << QStringList{"SetVolume(1.000000013351432e-10,0)"} << none << none;
    QTest::newRow("volume of another show and song")
        << "1" << 0 << playing << "/vemo/show/other_show/song/9/volume -6" << QStringList{"SetVolume(0.5011872053146362,0)"} << none << none;

    // Transport.
    QTest::newRow("advance") << "1" << 0 << paused << "/vemo/go" << QStringList{"Continue()"} << queued << none;
    QTest::newRow("advance of another song") << "1" << 0 << paused << "/vemo/song/3/advance" << none << none << none;
    QTest::newRow("pause while playing") << "1" << 0 << playing << "/vemo/pause" << QStringList{"Pause(false)"} << none << engineStop;
    QTest::newRow("pause while paused continues") << "1" << 0 << paused << "/vemo/pause" << QStringList{"Continue()"} << queued << none;

    // Events.
    const UInt32 bar = kBar;
    QTest::newRow("region with the playhead inside") << "1" << int(3 * bar) << playing << "/vemo/event/REG1/go" << QStringList{"Continue()"} << none << none;
    QTest::newRow("region with the playhead at its end") << "1" << int(4 * bar) << playing << "/vemo/event/REG1/go" << QStringList{"Continue()"} << none << none;
    QTest::newRow("region with the playhead before it")
        << "1" << 0 << playing << "/vemo/event/REG1/go" << QStringList{"Pause(false)", "Seek(7680)", "Continue()"} << queued << engineStop;
    QTest::newRow("point at the playhead") << "1" << int(bar) << paused << "/vemo/event/MRK1/advance" << QStringList{"Continue()"} << queued << none;
    QTest::newRow("point elsewhere")
        << "1" << 0 << playing << "/vemo/event/MRK1/go" << QStringList{"Pause(false)", "Seek(1920)", "Continue()"} << queued << engineStop;
    QTest::newRow("the same id in the current song 2")
        << "2" << 0 << playing << "/vemo/event/MRK1/go" << QStringList{"Pause(false)", "Seek(3840)", "Continue()"} << queued << engineStop;
    QTest::newRow("beyond the audio end, attacca 1") << "1" << 0 << playing << "/vemo/event/END1/go" << QStringList{"NextSong()", "Continue()"} << queued << engineStop;
    QTest::newRow("beyond the audio end, attacca 0") << "2" << 0 << playing << "/vemo/event/END2/go" << QStringList{"NextSong()"} << none << engineStop;
    QTest::newRow("unknown event id") << "1" << 0 << playing << "/vemo/event/NOPE/go" << none << none << none;
    QTest::newRow("event of another song") << "1" << 0 << playing << "/vemo/song/2/event/MRK1/go" << none << none << none;

    // Sound effects.
    QTest::newRow("sfx play") << "1" << 0 << playing << "/vemo/sfx/SFX1/play" << none << none << QStringList{"play SFX1 thunder 3000"};
    QTest::newRow("sfx stop") << "1" << 0 << playing << "/vemo/sfx/SFX1/stop" << none << none << QStringList{"stop SFX1"};
    QTest::newRow("sfx stop all") << "1" << 0 << playing << "/vemo/sfx/*/stop" << none << none << QStringList{stopAll};
    QTest::newRow("sfx of another show") << "1" << 0 << playing << "/vemo/show/other_show/sfx/SFX1/play" << none << none << none;
}

void TestVemoOscCallbacks::commands()
{
    QFETCH(QString, song);
    QFETCH(int, tick);
    QFETCH(Transport, transport);
    QFETCH(QString, text);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, emitted);
    QFETCH(QStringList, sfx);

    Session session;
    session.Place(song, tick, transport);
    StreamCapture error(std::cerr);
    session.Send(text);
    QCOMPARE(Actions(*session.engine), calls);
    QCOMPARE(session.emitted, emitted);
    QCOMPARE(SfxCalls(), sfx);
    QCOMPARE(error.text(), std::string());
}

void TestVemoOscCallbacks::pauseTwicePausesThenContinues()
{
    Session session;
    session.Place("1", 0, Transport::Stopped);
    session.engine->Play();
    session.engine->Probe().Drain();
    session.engine->Probe().ClearJournal();
    session.Send("/vemo/pause");
    session.Send("/vemo/pause");
    QCOMPARE(Actions(*session.engine), (QStringList{"Pause(false)", "Continue()"}));
    QCOMPARE(session.emitted, QStringList{"RequestPlayQueudOscEvents"});
    QVERIFY(session.engine->GetIsPlaying());
}

void TestVemoOscCallbacks::missingSongIsReportedUnderItsOwnTitle()
{
    Session session;
    session.Place("1", 0, Transport::Playing);
    StreamCapture error(std::cerr);
    session.Send("/vemo/song/14/play");
    QCOMPARE(error.text(), std::string("OSC was unable to load and play the specified song number: Song 14 does not exist.\n\n"));
    QCOMPARE(Actions(*session.engine), QStringList());
    QCOMPARE(session.emitted, QStringList());
    QCOMPARE(session.engine->GetCurrentSongNumber(), std::string("1"));
    QVERIFY(session.engine->GetIsPlaying());
}

void TestVemoOscCallbacks::refusedSoundEffectIsReported_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("refused by the player") << "SFX1";
    QTest::newRow("unknown id") << "NOPE";
}

void TestVemoOscCallbacks::refusedSoundEffectIsReported()
{
    QFETCH(QString, id);
    Session session;
    session.Place("1", 0, Transport::Playing);
    vemo::audio::testing::RefusePlay("SFX1");
    StreamCapture error(std::cerr);
    session.Send("/vemo/sfx/" + id + "/play");
    QCOMPARE(error.text(), "Unable to process OSC command: Unable to play sfx cue with id " + id.toStdString() + "\n\n");
    QCOMPARE(SfxCalls(), QStringList());
}

void TestVemoOscCallbacks::nonFiniteArgumentsChangeNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("volume nan") << "/vemo/volume nan";
    QTest::newRow("volume inf") << "/vemo/volume inf";
    QTest::newRow("fadeout -inf") << "/vemo/fadeout -inf";
    QTest::newRow("fadeto nan decibels") << "/vemo/fadeto nan 1";
    QTest::newRow("fadeto infinite seconds") << "/vemo/fadeto -6 inf";
    QTest::newRow("sfx fadeto nan") << "/vemo/sfx/SFX1/fadeto -6 nan";
}

void TestVemoOscCallbacks::nonFiniteArgumentsChangeNothing()
{
    QFETCH(QString, text);
    Session session;
    session.Place("1", 0, Transport::Playing);
    StreamCapture error(std::cerr);
    session.Send(text);
    QCOMPARE(error.text(), std::string("Unable to process OSC command: OSC argument is not a finite number.\n\n"));
    QCOMPARE(Actions(*session.engine), QStringList());
    QCOMPARE(session.emitted, QStringList());
    QCOMPARE(session.notifications, 1);
}

void TestVemoOscCallbacks::everyMessageRaisesNotification()
{
    Session session;
    StreamCapture error(std::cerr);
    session.Send("/vemo/volume -6");
    session.Send("/vemo/unknown/part/play");
    session.Send("/elsewhere");
    QCOMPARE(session.notifications, 3);
}

void TestVemoOscCallbacks::fadeReceivers_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("fadeout while playing") << Transport::Playing << "/vemo/fadeout 2.5" << QStringList{"Fade(<fn>,2.5)"};
    QTest::newRow("fadeout while stopped is ignored") << Transport::Stopped << "/vemo/fadeout 2.5" << QStringList();
    QTest::newRow("fadeout while paused is ignored") << Transport::Paused << "/vemo/fadeout 2.5" << QStringList();
    QTest::newRow("fadeout 25 s") << Transport::Playing << "/vemo/fadeout 25" << QStringList{"Fade(<fn>,10)"};
    QTest::newRow("fadeout -1 s") << Transport::Playing << "/vemo/fadeout -1" << QStringList{"Fade(<fn>,-1)"};
    QTest::newRow("fadeout -1e30 s saturates") << Transport::Playing << "/vemo/fadeout -1e30" << QStringList{"Fade(<fn>,-2147483.8)"};
    QTest::newRow("fadeout 1 ms") << Transport::Playing << "/vemo/fadeout 0.001" << QStringList{"Fade(<fn>,0.001)"};
    QTest::newRow("fadeto in any state") << Transport::Stopped << "/vemo/fadeto -6 1" << QStringList{"FadeTo(<fn>,1,0.5011872)"};
    QTest::newRow("fadeto 60 dB") << Transport::Playing << "/vemo/fadeto 60 3" << QStringList{"FadeTo(<fn>,3,1000)"};
    QTest::newRow("fadeto 1e30 dB") << Transport::Playing << "/vemo/fadeto 1e30 3" << QStringList{"FadeTo(<fn>,3,1e+10)"};
}

void TestVemoOscCallbacks::fadeReceivers()
{
    QFETCH(Transport, transport);
    QFETCH(QString, text);
    QFETCH(QStringList, calls);

    Session session;
    QObject context;
    vemo::ConnectFadeReceivers(*session.handlers, session.engine, context, [](const std::exception& e) { QFAIL(e.what()); });
    session.Place("1", 0, transport);
    session.Send(text);
    QCOMPARE(Actions(*session.engine), calls);
}

void TestVemoOscCallbacks::fadeCompletion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("song");

    QTest::newRow("a fade-out moves to the next song")
        << "/vemo/fadeout 1" << QStringList{"Fade(<fn>,1)", "> fade.done", "NextSong()", "CancelFade()"} << "2";
    QTest::newRow("a fade to a gain only cancels the fade")
        << "/vemo/fadeto -6 1" << QStringList{"FadeTo(<fn>,1,0.5011872)", "> fade.done", "CancelFade()"} << "1";
}

void TestVemoOscCallbacks::fadeCompletion()
{
    QFETCH(QString, text);
    QFETCH(QStringList, calls);
    QFETCH(QString, song);

    Session session;
    QObject context;
    vemo::ConnectFadeReceivers(*session.handlers, session.engine, context, [](const std::exception& e) { QFAIL(e.what()); });
    session.Place("1", 0, Transport::Playing);
    session.Send(text);
    session.engine->Probe().Advance(std::chrono::milliseconds(1500));
    // The completion reaches this thread through its event loop.
    QTRY_COMPARE(Actions(*session.engine, true).size(), calls.size());
    QCOMPARE(Actions(*session.engine, true), calls);
    QCOMPARE(QString::fromStdString(session.engine->GetCurrentSongNumber()), song);
}

void TestVemoOscCallbacks::fadeEndingAfterItsContextIsGone_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("call");

    QTest::newRow("fade-out") << "/vemo/fadeout 1" << "Fade(<fn>,1)";
    QTest::newRow("fade to a gain") << "/vemo/fadeto -6 1" << "FadeTo(<fn>,1,0.5011872)";
}

void TestVemoOscCallbacks::fadeEndingAfterItsContextIsGone()
{
    QFETCH(QString, text);
    QFETCH(QString, call);

    Session session;
    auto context = std::make_unique<QObject>();
    vemo::ConnectFadeReceivers(*session.handlers, session.engine, *context, [](const std::exception& e) { QFAIL(e.what()); });
    session.Place("1", 0, Transport::Playing);
    session.Send(text);
    context.reset();
    session.engine->Probe().Advance(std::chrono::milliseconds(1500));
    QTRY_VERIFY(Actions(*session.engine, true).contains("> fade.done"));
    QTest::qWait(50);
    QCOMPARE(Actions(*session.engine, true), (QStringList{call, "> fade.done"}));
    QCOMPARE(QString::fromStdString(session.engine->GetCurrentSongNumber()), QString("1"));
}

QTEST_GUILESS_MAIN(TestVemoOscCallbacks)
#include "test_vemo_osc_callbacks.moc"
