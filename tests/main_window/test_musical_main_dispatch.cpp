// The main window's tools: one window per kind from its button or from an event, released when it
// closes, the Edit command by event kind, the click notice, failures while opening, and tools still
// open when the show reloads or the main window goes.
#include "main_window_rig.h"

#include <vemo_core/events.h>
#include <vemo_test/qml_engine.h>

#include <QGuiApplication>
#include <QQuickWindow>
#include <QtTest>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

using vemo::qt::MusicalMainController;
using vemo::testing::MainWindowRig;

namespace {

constexpr int kStart = 0;
constexpr int kEnd = 1920;

struct ToolKind {
    const char* name;
    std::function<void(MusicalMainController&)> press;
    void (MusicalMainController::*edit)(cmn::VemoEvent*);
    std::function<std::unique_ptr<cmn::VemoEvent>()> event;
};

const std::vector<ToolKind>& Kinds()
{
    using M = MusicalMainController;
    static const std::vector<ToolKind> kinds = {
        {"vamp", [](M& c) { c.onVampButton(kStart, kEnd); }, &M::onVampEdit,
         [] { return std::make_unique<CL::Vamp>(kStart, kEnd, "VAMP1", 2); }},
        {"repeat", [](M& c) { c.onRepeatButton(kStart, kEnd); }, &M::onRepeatEdit,
         [] { return std::make_unique<CL::Repeat>(kStart, kEnd, "REPEAT1", 2); }},
        {"cut", [](M& c) { c.onCutButton(kStart, kEnd); }, &M::onCutEdit,
         [] { return std::make_unique<CL::Cut>(kStart, kEnd, "CUT1"); }},
        {"transpose", [](M& c) { c.onTransposeButton(kStart, kEnd); }, &M::onTransposeEdit,
         [] { return std::make_unique<CL::Transpose>(kStart, kEnd, "TRANSPOSE1", 2); }},
        {"tempo", [](M& c) { c.onTempoButton(kStart, kEnd); }, &M::onTempoEdit,
         [] { return std::make_unique<CL::TempoScale>(kStart, kEnd, "TEMPO1", 1.5); }},
        {"marker", [](M& c) { c.onMarkerButton(kStart); }, &M::onMarkerEdit,
         [] { return std::make_unique<CL::Marker>(kStart, "Intro", "MARKER1"); }},
        {"click", [](M& c) { c.onClickButton(kStart, kEnd); }, &M::onClickEdit,
         [] { return std::make_unique<CL::Click>(kStart, kEnd, "CLICK1", 8); }},
        {"skip", [](M& c) { c.onSkipButton(kStart, kEnd); }, &M::onSkipEdit,
         [] { return std::make_unique<CL::Fermata>(kStart, kEnd, "SKIP1"); }},
        {"caesura", [](M& c) { c.onCaesuraButton(kEnd); }, &M::onCaesuraEdit,
         [] { return std::make_unique<CL::Caesura>(kEnd, "CAESURA1"); }},
        {"primary sfx", [](M& c) { c.onPrimarySFXButton(kStart); }, &M::onPrimarySfxEdit,
         [] { return std::make_unique<CL::Sfx>(kStart, "SFX1"); }},
        {"ambient sfx", [](M& c) { c.onAmbientSFXButton(kStart, kEnd); }, &M::onAmbientSfxEdit,
         [] { return std::make_unique<CL::SfxAmbient>(kStart, kEnd, "AMBIENT1", CL::SfxProperties{}); }},
        {"osc", [](M& c) { c.onOscButton(kStart); }, &M::onOscEdit,
         [] { return std::make_unique<CL::Osc>(kStart, "OSC1"); }},
    };
    return kinds;
}

// An event of a kind no tool edits.
class UnknownEvent : public cmn::VemoEvent {
public:
    UnknownEvent() : cmn::VemoEvent('Z', kStart, kEnd, "UNKNOWN1") {}
    std::unique_ptr<cmn::VemoEvent> Clone() const override { return std::make_unique<UnknownEvent>(*this); }
};

bool IsDialog(const QWindow* window)
{
    return QString(window->metaObject()->className()).startsWith("FlatDialogWindow");
}

// The windows other than message dialogs, once every released window is gone.
QList<QWindow*> ToolWindows()
{
    vemo::testing::DeliverDeferredDeletes();
    vemo::testing::DeliverDeferredDeletes();
    QList<QWindow*> windows;
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (!IsDialog(window))
            windows.append(window);
    }
    return windows;
}

// The window that appeared since `before`; null when none did.
QWindow* NewWindow(const QList<QWindow*>& before)
{
    for (QWindow* window : ToolWindows()) {
        if (!before.contains(window))
            return window;
    }
    return nullptr;
}

// The notices with a "Do not show again" box shown over the main window, as title and text. (The
// main window is hidden in these tests, so its dialogs never become visible windows.)
QStringList ShownNotices(const MainWindowRig& rig)
{
    vemo::testing::DeliverDeferredDeletes();
    QStringList notices;
    for (QObject* child : rig.Root()->children()) {
        auto* window = qobject_cast<QWindow*>(child);
        if (window != nullptr && IsDialog(window) && window->property("showCheckbox").toBool())
            notices.append(window->property("title").toString() + ": " + window->property("text").toString());
    }
    return notices;
}

void AddKindRows()
{
    QTest::addColumn<int>("kind");
    for (int i = 0; i < static_cast<int>(Kinds().size()); ++i)
        QTest::newRow(Kinds()[i].name) << i;
}

} // namespace

class TestMusicalMainDispatch : public QObject {
    Q_OBJECT

private slots:
    void init() { rig = std::make_unique<MainWindowRig>(); }
    void cleanup() { rig.reset(); }

    void pressingTwiceOpensOneTool_data() { AddKindRows(); }
    void pressingTwiceOpensOneTool()
    {
        QFETCH(int, kind);
        rig->Create();
        const qsizetype before = ToolWindows().size();
        Kinds()[kind].press(*rig->controller);
        QCOMPARE(ToolWindows().size(), before + 1);
        Kinds()[kind].press(*rig->controller);
        QCOMPARE(ToolWindows().size(), before + 1);
    }

    // Closing the window releases the tool (and so its window), however it was opened.
    void closingReleasesTheTool_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("fromEdit");
        for (int i = 0; i < static_cast<int>(Kinds().size()); ++i) {
            QTest::addRow("%s button", Kinds()[i].name) << i << false;
            QTest::addRow("%s edit", Kinds()[i].name) << i << true;
        }
    }
    void closingReleasesTheTool()
    {
        QFETCH(int, kind);
        QFETCH(bool, fromEdit);
        rig->Create();
        const ToolKind& tool = Kinds()[kind];
        const QList<QWindow*> before = ToolWindows();
        const auto event = tool.event();
        if (fromEdit)
            (rig->controller.get()->*tool.edit)(event.get());
        else
            tool.press(*rig->controller);
        QWindow* window = NewWindow(before);
        QVERIFY(window != nullptr);
        // The window's closing, as its title bar raises it (the window itself stays hidden under
        // the hidden main window).
        QMetaObject::invokeMethod(window, "windowClosing");
        QCOMPARE(ToolWindows().size(), before.size());
    }

    // The Edit command opens the tool of the event's kind, and nothing for anything else.
    void theEditCommandFollowsTheEventKind_data() { AddKindRows(); }
    void theEditCommandFollowsTheEventKind()
    {
        QFETCH(int, kind);
        rig->Create();
        const QList<QWindow*> before = ToolWindows();
        const auto event = Kinds()[kind].event();
        rig->controller->onEditButton(event.get());
        QVERIFY(NewWindow(before) != nullptr);
    }

    void theEditCommandIgnoresNullAndUnknownEvents()
    {
        rig->Create();
        const qsizetype before = ToolWindows().size();
        UnknownEvent unknown;
        rig->controller->onEditButton(nullptr);
        rig->controller->onEditButton(&unknown);
        QCOMPARE(ToolWindows().size(), before);
        QCOMPARE(rig->DialogTitles(), QStringList());
    }

    void aDoubleClickWithNothingSelectedOpensNothing()
    {
        rig->Create();
        const qsizetype before = ToolWindows().size();
        rig->controller->onEditDoubleClicked();
        QCOMPARE(ToolWindows().size(), before);
    }

    // The click button's notice comes on every press until "Do not show again" is ticked; opening
    // a click event never shows it.
    void theClickNoticeComesUntilTheUserDeclinesIt()
    {
        rig->Create();
        const auto event = Kinds()[6].event();
        rig->controller->onClickEdit(event.get());
        QCOMPARE(ShownNotices(*rig), QStringList());

        const QStringList notice{
            "About Click in Tol|brin: While there is no audible click track present in Tol|brin, this feature "
            "changes the resolution of where you can place events in the timeline to allow for more precise "
            "editing. Be aware any edits made to the click in Tol|brin will affect the click track in Vask|ora."};
        rig->controller->onClickButton(kStart, kEnd);
        QCOMPARE(ShownNotices(*rig), notice);
        rig->controller->showDialog("Another message", "Another", 2);
        QCOMPARE(ShownNotices(*rig), QStringList());
        rig->controller->onClickButton(kStart, kEnd);
        QCOMPARE(ShownNotices(*rig), notice);

        QObject* dialog = nullptr;
        for (QObject* child : rig->Root()->children()) {
            if (auto* window = qobject_cast<QWindow*>(child); window != nullptr && IsDialog(window))
                dialog = window;
        }
        QVERIFY(dialog != nullptr);
        QMetaObject::invokeMethod(dialog, "checkboxConfirmed");

        rig->controller->onClickButton(kStart, kEnd);
        QCOMPARE(ShownNotices(*rig), QStringList());
    }

    // A tool that fails while it opens (the caesura tool asks the engine for the earliest start
    // tick, every tool for bars and beats) is reported and not kept.
    void aToolThatFailsToOpenIsReleased_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("message");
        QTest::newRow("caesura") << 8 << "GetMinStartTickIndex" << "Refused";
        QTest::newRow("cut") << 2 << "GetBarBeatByTick" << "Refused";
        QTest::newRow("primary sfx") << 9 << "GetBarBeatByTick" << "Error Creating SFX: Refused";
        QTest::newRow("ambient sfx") << 10 << "GetBarBeatByTick" << "Error Creating SFX: Refused";
    }
    void aToolThatFailsToOpenIsReleased()
    {
        QFETCH(int, kind);
        QFETCH(QString, call);
        QFETCH(QString, message);
        rig->Create();
        const qsizetype before = ToolWindows().size();
        rig->Engine().FailNext(call.toStdString(), std::make_exception_ptr(std::runtime_error("Refused")));
        Kinds()[kind].press(*rig->controller);
        QCOMPARE(ToolWindows().size(), before);
        QStringList texts;
        for (QObject* child : rig->Root()->children()) {
            if (auto* window = qobject_cast<QWindow*>(child); window != nullptr && IsDialog(window))
                texts.append(window->property("title").toString() + ": " + window->property("text").toString());
        }
        QCOMPARE(texts, QStringList{"Error: " + message});
    }

    // Every kind open when the show reloads, then when the main window goes: the tools go first,
    // while the edit controller they hold still exists (checked under the address sanitizer).
    void openToolsGoBeforeTheirShow()
    {
        rig->Create();
        const qsizetype before = ToolWindows().size();
        const auto openAll = [this] {
            for (const ToolKind& kind : Kinds())
                kind.press(*rig->controller);
        };
        openAll();
        QCOMPARE(ToolWindows().size(), before + static_cast<qsizetype>(Kinds().size()));
        rig->controller->LoadCurrentShow();
        rig->Unshow();
        QCOMPARE(ToolWindows().size(), before);
        openAll();
        QCOMPARE(ToolWindows().size(), before + static_cast<qsizetype>(Kinds().size()));
        rig->controller.reset();
        vemo::testing::DeliverDeferredDeletes();
    }

private:
    std::unique_ptr<MainWindowRig> rig;
};

QTEST_MAIN(TestMusicalMainDispatch)
#include "test_musical_main_dispatch.moc"
