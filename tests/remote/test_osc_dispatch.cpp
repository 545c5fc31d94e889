#include "osc/osc_address.h"
#include "osc/osc_command_processor.h"
#include "osc_test_support.h"
#include "recording_handlers.h"

#include <QTest>

#include <iostream>
#include <stdexcept>

using namespace vemo::osc;
using vemo::osc::testing::MessageOf;
using vemo::osc::testing::RecordingHandlers;

namespace {

QString Reported(const QString& message)
{
    return "ReportError(" + message + ", Unable to process OSC command)";
}

// Handlers whose Play fails, as a player library call might.
class ThrowingHandlers : public RecordingHandlers {
public:
    using RecordingHandlers::RecordingHandlers;
    void Play(std::string, std::string) override { throw std::runtime_error("player refused"); }
};

} // namespace

class TestOscDispatch : public QObject {
    Q_OBJECT

private slots:
    void dispatch_data();
    void dispatch();
    void handlerFailureIsReported();
    void processorWithoutHandlersDoesNothing();
    void defaultReportWritesTitleAndMessage();
    void splitReadsLikeLines_data();
    void splitReadsLikeLines();
    void oscName_data();
    void oscName();
    void decibelsToGain_data();
    void decibelsToGain();
};

void TestOscDispatch::dispatch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("calls");

    const QString notFinite = Reported("OSC argument is not a finite number.");
    const QString notFloat = Reported("Parameter does not convert to float32.");

    // Addresses.
    QTest::newRow("play") << "/vemo/play" << QStringList{"Play(, )"};
    QTest::newRow("song") << "/vemo/song/12/play" << QStringList{"Play(, 12)"};
    QTest::newRow("song and show") << "/vemo/song/12/show/main_stage/play" << QStringList{"Play(main_stage, 12)"};
    QTest::newRow("repeated keyword, later wins") << "/vemo/show/a/song/1/show/b/play" << QStringList{"Play(b, 1)"};
    QTest::newRow("trailing slash") << "/vemo/play/" << QStringList{"Play(, )"};
    QTest::newRow("prefix alone") << "/vemo/" << QStringList{};
    QTest::newRow("keyword takes the last part") << "/vemo/show/main_stage" << QStringList{};
    QTest::newRow("keyword as the command") << "/vemo/song" << QStringList{};
    QTest::newRow("unknown command") << "/vemo/rewind" << QStringList{};
    QTest::newRow("part after the command") << "/vemo/play/now" << QStringList{Reported("Unknown OSC command part: play")};
    QTest::newRow("empty part") << "/vemo//play" << QStringList{Reported("Unknown OSC command part: ")};
    QTest::newRow("wrong prefix") << "/vemox/play" << QStringList{Reported("OSC commands to VEMO software must start with /vemo/")};
    QTest::newRow("upper-case prefix") << "/VEMO/play" << QStringList{Reported("OSC commands to VEMO software must start with /vemo/")};
    QTest::newRow("too short") << "/vemo" << QStringList{Reported("OSC command is too short for processing.")};
    QTest::newRow("keywords are case-sensitive") << "/vemo/Show/x/play" << QStringList{Reported("Unknown OSC command part: Show")};

    // Transport.
    QTest::newRow("advance") << "/vemo/song/3/advance" << QStringList{"Advance(, 3)"};
    QTest::newRow("go") << "/vemo/go" << QStringList{"Advance(, )"};
    QTest::newRow("pause") << "/vemo/show/s/pause" << QStringList{"Pause(s, )"};
    QTest::newRow("stop ends with every effect stopped") << "/vemo/stop" << QStringList{"Stop(, )", "SfxStopAll()"};
    QTest::newRow("stop of another show still stops every effect")
        << "/vemo/show/other_show/song/2/stop" << QStringList{"Stop(other_show, 2)", "SfxStopAll()"};

    // Fades.
    QTest::newRow("fadeout default") << "/vemo/fadeout" << QStringList{"FadeOut(, , 0.25)"};
    QTest::newRow("fadeout int") << "/vemo/fadeout 2" << QStringList{"FadeOut(, , 2)"};
    QTest::newRow("fadeout float") << "/vemo/fadeout 2.5" << QStringList{"FadeOut(, , 2.5)"};
    QTest::newRow("fadeout string") << "/vemo/fadeout \"3\"" << QStringList{"FadeOut(, , 0.25)"};
    QTest::newRow("fadeout negative") << "/vemo/fadeout -1" << QStringList{"FadeOut(, , -1)"};
    QTest::newRow("fadeout huge") << "/vemo/fadeout 1e30" << QStringList{"FadeOut(, , 1e+30)"};
    QTest::newRow("fadeout nan") << "/vemo/fadeout nan" << QStringList{notFinite};
    QTest::newRow("fadeout -inf") << "/vemo/fadeout -inf" << QStringList{notFinite};
    QTest::newRow("fadeto") << "/vemo/fadeto -6 2.5" << QStringList{"FadeTo(, , 2.5, 0.501187, false)"};
    QTest::newRow("fadeto truncates decibels") << "/vemo/fadeto -6.9 2.5" << QStringList{"FadeTo(, , 2.5, 0.501187, false)"};
    QTest::newRow("fadeto positive decibels") << "/vemo/fadeto 6 1" << QStringList{"FadeTo(, , 1, 1.99526, false)"};
    QTest::newRow("fadeto 60 dB") << "/vemo/fadeto 60 1" << QStringList{"FadeTo(, , 1, 1000, false)"};
    QTest::newRow("fadeto huge decibels are bounded") << "/vemo/fadeto 1e30 1" << QStringList{"FadeTo(, , 1, 1e+10, false)"};
    QTest::newRow("fadeto huge negative decibels are bounded")
        << "/vemo/fadeto -1e30 1" << QStringList{"FadeTo(, , 1, 1e-10, false)"};
    QTest::newRow("fadeto one argument") << "/vemo/fadeto -6" << QStringList{"FadeTo(, , 0.25, 0.5, false)"};
    QTest::newRow("fadeto three arguments") << "/vemo/fadeto -6 1 2" << QStringList{"FadeTo(, , 0.25, 0.5, false)"};
    QTest::newRow("fadeto nan decibels") << "/vemo/fadeto nan 1" << QStringList{notFinite};
    QTest::newRow("fadeto infinite seconds") << "/vemo/fadeto -6 inf" << QStringList{notFinite};
    QTest::newRow("fadeto string decibels") << "/vemo/fadeto \"x\" 1" << QStringList{notFloat};
    QTest::newRow("fadeto string seconds") << "/vemo/fadeto -6 \"1\"" << QStringList{notFloat};

    // Volume.
    QTest::newRow("volume") << "/vemo/volume -6.5" << QStringList{"Volume(0.473151)"};
    QTest::newRow("volume positive") << "/vemo/volume 6" << QStringList{"Volume(1.99526)"};
    QTest::newRow("volume ignores show and song") << "/vemo/show/x/song/9/volume -6" << QStringList{"Volume(0.501187)"};
    QTest::newRow("volume default") << "/vemo/volume" << QStringList{"Volume(1)"};
    QTest::newRow("volume string") << "/vemo/volume \"-6\"" << QStringList{"Volume(1)"};
    QTest::newRow("volume huge is bounded") << "/vemo/volume 1e30" << QStringList{"Volume(1e+10)"};
    QTest::newRow("volume huge negative is bounded") << "/vemo/volume -1e30" << QStringList{"Volume(1e-10)"};
    QTest::newRow("volume nan") << "/vemo/volume NaN" << QStringList{notFinite};
    QTest::newRow("volume inf") << "/vemo/volume inf" << QStringList{notFinite};

    // Events.
    QTest::newRow("event go") << "/vemo/event/V12/go" << QStringList{"GoToEvent(, , V12)"};
    QTest::newRow("event advance with song")
        << "/vemo/show/s/song/2/event/V12/advance" << QStringList{"GoToEvent(s, 2, V12)"};
    QTest::newRow("event unknown command") << "/vemo/event/V12/stop" << QStringList{Reported("Unknown command for OSC event command.")};

    // Sound effects.
    QTest::newRow("sfx stop all") << "/vemo/sfx/*/stop" << QStringList{"SfxStopAll()"};
    QTest::newRow("sfx stop") << "/vemo/show/s/song/4/sfx/7/stop" << QStringList{"SfxStop(s, 7)"};
    QTest::newRow("sfx play") << "/vemo/sfx/7/play" << QStringList{"SfxPlay(, 7)"};
    QTest::newRow("sfx play with an argument") << "/vemo/sfx/7/play 1" << QStringList{};
    QTest::newRow("sfx unknown command") << "/vemo/sfx/7/pause" << QStringList{};
    QTest::newRow("sfx wins over event") << "/vemo/event/1/sfx/2/play" << QStringList{"SfxPlay(, 2)"};
    QTest::newRow("sfx fadeto") << "/vemo/sfx/7/fadeto -6.5 2" << QStringList{"SfxFadeTo(, 7, 0.501187, 2000)"};
    QTest::newRow("sfx fadeto one argument") << "/vemo/sfx/7/fadeto -6" << QStringList{Reported("OSC sfx fadeto needs two arguments.")};
    QTest::newRow("sfx fadeto nan") << "/vemo/sfx/7/fadeto -6 nan" << QStringList{notFinite};
    QTest::newRow("sfx fadeto string") << "/vemo/sfx/7/fadeto x 1" << QStringList{notFloat};
}

void TestOscDispatch::dispatch()
{
    QFETCH(QString, text);
    QFETCH(QStringList, calls);
    auto log = std::make_shared<QStringList>();
    {
        OscCommandProcessor processor(std::make_unique<RecordingHandlers>(log));
        const OscMessage message = MessageOf(text);
        processor.Process(message);
        QCOMPARE(log->value(0), "Notify(" + QString::fromStdString(message.address) + ")");
        log->removeFirst();
    }
    QCOMPARE(log->takeLast(), QString("destroyed"));
    QCOMPARE(*log, calls);
}

void TestOscDispatch::handlerFailureIsReported()
{
    auto log = std::make_shared<QStringList>();
    OscCommandProcessor processor(std::make_unique<ThrowingHandlers>(log));
    processor.Process(MessageOf("/vemo/play"));
    processor.Process(MessageOf("/vemo/pause"));
    QCOMPARE(*log, (QStringList{"Notify(/vemo/play)", Reported("player refused"), "Notify(/vemo/pause)", "Pause(, )"}));
}

void TestOscDispatch::processorWithoutHandlersDoesNothing()
{
    OscCommandProcessor processor(nullptr);
    processor.Process(MessageOf("/vemo/play"));
    processor.Process(MessageOf("/nothing"));
}

void TestOscDispatch::defaultReportWritesTitleAndMessage()
{
    vemo::osc::testing::StreamCapture error(std::cerr);
    OscCommandProcessor processor(std::make_unique<OscProcInterface>());
    processor.Process(MessageOf("/vemo/x/play"));
    QCOMPARE(error.text(), std::string("Unable to process OSC command: Unknown OSC command part: x\n\n"));
}

void TestOscDispatch::splitReadsLikeLines_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("parts");

    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("slash") << "/" << QStringList{""};
    QTest::newRow("leading slash") << "/vemo/play" << QStringList{"", "vemo", "play"};
    QTest::newRow("trailing slash") << "/vemo/play/" << QStringList{"", "vemo", "play"};
    QTest::newRow("double slash") << "/vemo//play" << QStringList{"", "vemo", "", "play"};
    QTest::newRow("no slash") << "vemo" << QStringList{"vemo"};
    QTest::newRow("two trailing slashes") << "a//" << QStringList{"a", ""};
}

void TestOscDispatch::splitReadsLikeLines()
{
    QFETCH(QString, address);
    QFETCH(QStringList, parts);
    QStringList actual;
    for (const std::string& part : SplitOscAddress(address.toStdString())) {
        actual << QString::fromStdString(part);
    }
    QCOMPARE(actual, parts);
}

void TestOscDispatch::oscName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("oscName");

    QTest::newRow("blank and capitals") << QByteArray("Main Stage") << QByteArray("main_stage");
    QTest::newRow("parentheses stay") << QByteArray("Main Stage (Act 2)") << QByteArray("main_stage_(act_2)");
    QTest::newRow("every reserved character") << QByteArray("#,* /?[]{}") << QByteArray("__________");
    QTest::newRow("two-byte letter") << QByteArray("Caf\xc3\xa9") << QByteArray("caf__");
    QTest::newRow("other punctuation") << QByteArray("a.b-c_d!") << QByteArray("a.b-c_d!");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestOscDispatch::oscName()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, oscName);
    QCOMPARE(QByteArray::fromStdString(ToOscName(name.toStdString())), oscName);
}

void TestOscDispatch::decibelsToGain_data()
{
    QTest::addColumn<int>("db");
    QTest::addColumn<double>("gain");

    QTest::newRow("0") << 0 << 1.0;
    QTest::newRow("-6") << -6 << 0.5011872336272722;
    QTest::newRow("20") << 20 << 10.0;
    QTest::newRow("-200") << -200 << 1e-10;
    QTest::newRow("200") << 200 << 1e10;
}

void TestOscDispatch::decibelsToGain()
{
    QFETCH(int, db);
    QFETCH(double, gain);
    QCOMPARE(DbToGain(db), gain);
}

QTEST_GUILESS_MAIN(TestOscDispatch)
#include "test_osc_dispatch.moc"
