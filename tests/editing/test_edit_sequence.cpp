#include "consistency.h"
#include "edit_rig.h"
#include "test_tool.h"

#include "editing/cut_skip_tools.h"

#include <vemo_core/codes.h>
#include <vemo_core/events.h>
#include <vemo_test/qml_engine.h>

#include <QtTest>

#include <cstdio>
#include <functional>
#include <random>
#include <sstream>

using edittest::EditRig;
using edittest::EventFacts;
using edittest::SongEvents;

namespace {

const std::vector<UInt8> kKinds = {'@', 'A', 'B', 'C', 'D', 'E', 'L', 'M', 'N', 'Q', 'R', 'S'};

// What the test expects of the change logs: each song's events and undo history, changed only by
// the edits the editor's rules accept.
struct Shadow {
    struct History {
        std::vector<SongEvents> undo;
        std::vector<SongEvents> redo;
    };

    std::map<std::string, SongEvents> songs;
    std::map<std::string, History> histories;
    std::string current = "1";

    SongEvents& Log() { return songs[current]; }
    History& CurrentHistory() { return histories[current]; }

    void Record(const SongEvents& changed)
    {
        CurrentHistory().undo.push_back(Log());
        CurrentHistory().redo.clear();
        Log() = changed;
    }

    bool Step(std::vector<SongEvents>& from, std::vector<SongEvents>& to)
    {
        if (from.empty())
            return false;
        to.push_back(Log());
        Log() = from.back();
        from.pop_back();
        return true;
    }
};

// A seeded walk through the edit roads with the shadow, checked after every step.
class Walk {
public:
    Walk(EditRig& rig, unsigned seed) : rig(rig), random(seed)
    {
        for (const std::string song : {"1", "2"})
            shadow.songs[song] = edittest::EditorEvents(rig, song);
    }

    // "" when every step kept the logs, the views and the undo state in step; else what broke.
    std::string Run(int steps)
    {
        for (int step = 0; step < steps; ++step) {
            rig.errors.clear();
            const bool refuse = Pick(5) == 0;
            const bool expectRefusal = refuse ? Refused() : Accepted();
            refusals += expectRefusal ? 1 : 0;
            const std::string problem = Check(expectRefusal);
            if (!problem.empty())
                return "step " + std::to_string(step) + ": " + problem;
        }
        return {};
    }

    std::vector<std::string> log;
    int refusals = 0;

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

    UInt32 Length() { return rig.engine->GetSongLength(shadow.current); }

    UInt32 Tick(UInt32 from = 0)
    {
        const UInt32 length = Length();
        return std::uniform_int_distribution<UInt32>(std::min(from, length), length)(random);
    }

    void Note(const std::string& text) { log.push_back(text); }

    // The editor's copy of a random event of the current song; null without events.
    std::shared_ptr<cmn::VemoEvent> AnyEvent()
    {
        const auto events = rig.showManager->GetEditor()->GetEventsByEventId();
        if (events.empty())
            return nullptr;
        auto it = events.begin();
        std::advance(it, Pick(static_cast<int>(events.size())));
        return CL::CopyVemoEvent(*it->second);
    }

    std::string NewId(UInt8 code, UInt32 tick)
    {
        return rig.showManager->GetEditor()->GetSuggestedEventIdAtTick(tick, code);
    }

    std::unique_ptr<cmn::VemoEvent> MakeEvent(UInt8 code, bool valid)
    {
        UInt32 start = Tick();
        UInt32 end = Tick(start);
        if (!valid)
            std::swap(start, end = start + 480 + Tick() % 960);
        const std::string id = NewId(code, start);
        CL::SfxProperties sfx;
        sfx.setName("Thunder");
        sfx.setVolume(0.5f);
        const int click = valid ? ClickValue(start, end) : 8;
        switch (code) {
        case '@': return std::make_unique<CL::Vamp>(start, end, id, Pick(4));
        case 'A': return std::make_unique<CL::Repeat>(start, end, id, 1 + Pick(3));
        case 'B': return std::make_unique<CL::Cut>(start, end, id);
        case 'C': return std::make_unique<CL::Transpose>(start, end, id, Pick(13) - 6);
        case 'D': return std::make_unique<CL::TempoScale>(start, end, id, 0.5 + Pick(16) / 10.0);
        case 'E': return std::make_unique<CL::Marker>(start, "Mark ✓ " + std::to_string(Pick(100)), id);
        case 'L': return std::make_unique<CL::Click>(start, end, id, click);
        case 'M': return std::make_unique<CL::Fermata>(start, end, id);
        case 'N': return std::make_unique<CL::Caesura>(start, id);
        case 'Q': return std::make_unique<CL::Sfx>(start, id, sfx);
        case 'R': return std::make_unique<CL::SfxAmbient>(start, end, id, sfx);
        default: return std::make_unique<CL::Osc>(start, id, CL::OscProperties("/go " + std::to_string(Pick(9)), "NET1"));
        }
    }

    int ClickValue(UInt32 start, UInt32 end)
    {
        const std::vector<int> offered = rig.engine->GetClickValues(start, end);
        return offered.empty() ? 4 : offered[static_cast<std::size_t>(Pick(static_cast<int>(offered.size())))];
    }

    // The editor's rules, as the shadow applies them.
    bool Allowed(const cmn::VemoEvent& event, bool checkClick) const
    {
        if (readOnly)
            return false;
        const UInt32 length = rig.engine->GetSongLength(shadow.current);
        if ((event.IsPairedEvent() && event.end() < event.start()) || event.start() > length || event.end() > length)
            return false;
        switch (event.code()) {
        case '@': if (event.int_value() < 0) return false; break;
        case 'A': if (event.int_value() < 1) return false; break;
        case 'C': if (event.int_value() < -6 || event.int_value() > 6) return false; break;
        case 'D': if (!(event.float_value() >= 0.5 - 1e-4 && event.float_value() <= 2.0 + 1e-4)) return false; break;
        default: break;
        }
        if (checkClick && event.code() == 'L') {
            const auto offered = rig.engine->GetClickValues(event.start(), event.end());
            if (std::find(offered.begin(), offered.end(), event.int_value()) == offered.end())
                return false;
        }
        return true;
    }

    // Applies `event` (added or changed) to the shadow when the rules allow it; true when refused.
    bool Expect(const cmn::VemoEvent& event, bool add, bool checkClick, bool fails = false)
    {
        const EventFacts facts = edittest::FactsOf(event);
        bool allowed = !fails && Allowed(event, checkClick);
        if (add) {
            for (const auto& [key, existing] : shadow.Log())
                allowed = allowed && existing.id != facts.id;
        } else {
            allowed = allowed && shadow.Log().contains(edittest::KeyOf(facts));
        }
        if (allowed) {
            SongEvents changed = shadow.Log();
            changed[edittest::KeyOf(facts)] = facts;
            shadow.Record(changed);
        }
        return !allowed;
    }

    // The start/end change as the editor makes it: a click keeps its value only where it is offered.
    std::shared_ptr<cmn::VemoEvent> Moved(const cmn::VemoEvent& event, UInt32 start, UInt32 end)
    {
        auto moved = CL::CopyVemoEvent(event);
        moved->start(start);
        moved->end(end);
        if (moved->code() == 'L') {
            const auto offered = rig.engine->GetClickValues(moved->start(), moved->end());
            if (!offered.empty() && std::find(offered.begin(), offered.end(), moved->int_value()) == offered.end())
                moved->int_value(offered.front());
        }
        return moved;
    }

    // One step whose refusal is on purpose; returns true (a refusal is expected) unless nothing
    // could be refused.
    bool Refused()
    {
        switch (Pick(4)) {
        case 0: {
            const auto event = MakeEvent(kKinds[static_cast<std::size_t>(Pick(12))], false);
            const bool paired = event->IsPairedEvent();
            if (!paired)
                event->start(Length() + 1 + Tick() % 100);
            Note("add refused " + edittest::Describe(edittest::FactsOf(*event)));
            rig.controller->onVemoMakeEvent(*event);
            return Expect(*event, true, true);
        }
        case 1: {
            Note("stale copy " + retiredId);
            if (retired == nullptr)
                return Accepted();
            const auto stale = CL::CopyVemoEvent(*retired);
            if (shadow.Log().contains(edittest::KeyOf(edittest::FactsOf(*stale))))
                return Accepted();
            rig.controller->onVemoEditEventStartEndValues(*stale, stale->start(), stale->end());
            rig.controller->RefreshAfterEdit({});
            return true;
        }
        case 2: {
            readOnly = true;
            rig.Probe().SetReadOnly(true);
            Note("read only:");
            const bool refused = Accepted();
            rig.Probe().SetReadOnly(false);
            readOnly = false;
            return refused;
        }
        default: {
            const auto event = MakeEvent(kKinds[static_cast<std::size_t>(Pick(12))], true);
            Note("add failing " + edittest::Describe(edittest::FactsOf(*event)));
            rig.FailNext("AddEvent", "injected");
            rig.controller->onVemoMakeEvent(*event);
            Expect(*event, true, true, true);
            return true;
        }
        }
    }

    // One ordinary step; returns whether the shadow expects a refusal.
    bool Accepted()
    {
        switch (Pick(10)) {
        case 0:
        case 1: {
            const auto event = MakeEvent(kKinds[static_cast<std::size_t>(Pick(12))], true);
            Note("add " + edittest::Describe(edittest::FactsOf(*event)));
            rig.controller->onVemoMakeEvent(*event);
            return Expect(*event, true, true);
        }
        case 2:
            return ToolAdd();
        case 3:
            return Change();
        case 4:
            return Drag();
        case 5:
            return Delete();
        case 6:
        case 7:
            return History(Pick(2) == 0);
        case 8:
            return ToolChange();
        default:
            return SongChange();
        }
    }

    bool ToolAdd()
    {
        const bool cut = Pick(2) == 0;
        const TL::BarsBeats start = rig.engine->GetBarBeatByTick(Tick());
        const TL::BarsBeats end = rig.engine->GetBarBeatByTick(Tick(start.tick));
        rig.ClearJournal();
        QObject* window = nullptr;
        if (cut) {
            auto* tool = new vemo::qt::CutToolController(rig.qml.get(), rig.engine, rig.controller.get(), nullptr);
            QObject::connect(tool, &vemo::qt::CutToolController::cutToolClosing, tool, &QObject::deleteLater);
            tool->onCutButtonClicked(start, end);
            tool->ConnectDocument();
            window = tool->QmlObject();
        } else {
            auto* tool = new vemo::qt::SkipToolController(rig.qml.get(), rig.engine, rig.controller.get(), nullptr);
            QObject::connect(tool, &vemo::qt::SkipToolController::skipToolClosing, tool, &QObject::deleteLater);
            tool->onSkipButtonClicked(start, end);
            tool->ConnectDocument();
            window = tool->QmlObject();
        }
        QMetaObject::invokeMethod(window, "confirm");
        vemo::testing::DeliverDeferredDeletes();
        for (const std::string& line : rig.Journal()) {
            if (line.rfind("AddEvent(", 0) != 0)
                continue;
            std::string id;
            char code = 0;
            UInt32 s = 0;
            UInt32 e = 0;
            std::istringstream fields(line.substr(9));
            std::getline(fields, id, ',');
            fields >> code;
            fields.ignore(1) >> s;
            fields.ignore(1) >> e;
            Note(std::string(cut ? "cut" : "skip") + " tool " + line);
            if (cut)
                return Expect(CL::Cut(s, e, id), true, true);
            return Expect(CL::Fermata(s, e, id), true, true);
        }
        return false;
    }

    bool Change()
    {
        const auto event = AnyEvent();
        if (event == nullptr)
            return Accepted();
        auto changed = CL::CopyVemoEvent(*event);
        bool checkClick = false;
        switch (event->code()) {
        case 'E':
            changed->value("Renamed " + std::to_string(Pick(50)));
            rig.controller->onVemoEditEventStringValues(*event, changed->value());
            break;
        case 'D':
            changed->float_value(0.5 + Pick(16) / 10.0);
            rig.controller->onVemoEditEventFloatValues(*event, changed->float_value());
            break;
        case 'Q':
        case 'R': {
            CL::SfxProperties sfx = event->sfx_properties();
            sfx.setVolume(Pick(10) / 10.0f);
            changed->sfx_properties(sfx);
            rig.controller->EditEventSFXPropertyValues(*event, sfx);
            break;
        }
        case 'S': {
            const CL::OscProperties osc("/cue " + std::to_string(Pick(20)), "NET1");
            changed->osc_properties(osc);
            rig.controller->EditEventOscPropertyValues(*event, osc);
            break;
        }
        default: {
            const int value = event->code() == 'L' ? ClickValue(event->start(), event->end()) : Pick(5);
            changed->int_value(value);
            checkClick = true;
            rig.controller->onVemoEditEventIntValues(*event, value);
            break;
        }
        }
        Note("value " + edittest::Describe(edittest::FactsOf(*changed)));
        rig.controller->RefreshAfterEdit({});
        return Expect(*changed, false, checkClick);
    }

    bool Drag()
    {
        const auto event = AnyEvent();
        if (event == nullptr)
            return Accepted();
        const UInt32 start = Tick();
        const UInt32 end = event->IsPairedEvent() ? Tick(start) : 0;
        const auto moved = Moved(*event, start, end);
        Note("drag " + edittest::Describe(edittest::FactsOf(*moved)));
        rig.controller->onVemoMoveEvent(*event, start, end, Pick(2) == 0, Pick(2) == 0);
        rig.controller->RefreshAfterEdit({});
        return Expect(*moved, false, false);
    }

    // A tool's change: the new range, then the value whatever the range's fate, then one refresh.
    bool ToolChange()
    {
        const auto event = AnyEvent();
        if (event == nullptr || event->code() == 'Q' || event->code() == 'R' || event->code() == 'S')
            return Accepted();
        edittest::TestTool tool(rig, static_cast<char>(event->code()), rig.controller.get());
        tool.OpenForEdit(event.get());
        const UInt32 start = Pick(3) == 0 ? Tick(Length() / 2) : Tick();
        const UInt32 end = event->IsPairedEvent() ? Tick(Length() / 3) : 0;
        const int value = Pick(4);
        const auto moved = Moved(*event, start, end);
        Note("tool change " + edittest::Describe(edittest::FactsOf(*moved)) + " then value " + std::to_string(value));
        QObject::connect(&tool, &edittest::TestTool::valuesUpdated, rig.controller.get(),
                         [this] { rig.controller->RefreshAfterEdit({}); });
        const bool intValue = event->code() != 'E' && event->code() != 'D' && event->code() != 'N';
        tool.ApplyChange(start, end, [&] {
            if (intValue)
                tool.EditEventIntValue(tool.EditedEvent(), value);
        });
        bool refused = Expect(*moved, false, false);
        if (intValue) {
            auto valued = CL::CopyVemoEvent(refused ? *event : *moved);
            valued->int_value(value);
            refused = Expect(*valued, false, true) || refused;
        }
        return refused;
    }

    bool Delete()
    {
        const auto event = AnyEvent();
        if (event == nullptr)
            return Accepted();
        if (event->code() == 'E') {
            const auto& markers = rig.editModel->markers;
            const auto found = std::find_if(markers.begin(), markers.end(),
                                            [&](const cmn::VemoEvent* m) { return m->EventId() == event->EventId(); });
            rig.controller->SelectMarkerByIndex(static_cast<int>(found - markers.begin()));
        } else {
            const auto& events = rig.editModel->panelEvents;
            const auto found = std::find_if(events.begin(), events.end(), [&](const auto& e) {
                return e->code() == event->code() && e->EventId() == event->EventId();
            });
            rig.controller->SelectChangeLogEventByIndex(static_cast<int>(found - events.begin()));
        }
        Note("delete " + edittest::Describe(edittest::FactsOf(*event)));
        const bool selected = rig.editModel->selectedEvent != nullptr;
        rig.controller->DeleteRequested();
        if (!selected)
            return false;
        if (readOnly)
            return true;
        SongEvents changed = shadow.Log();
        changed.erase(edittest::KeyOf(edittest::FactsOf(*event)));
        shadow.Record(changed);
        retired = event;
        retiredId = event->EventId();
        return false;
    }

    bool History(bool undo)
    {
        auto& history = shadow.CurrentHistory();
        const bool possible = undo ? !history.undo.empty() : !history.redo.empty();
        const bool fail = possible && !readOnly && Pick(8) == 0;
        Note(std::string(undo ? "undo" : "redo") + (fail ? " failing" : ""));
        if (fail)
            rig.FailNext(undo ? "Undo" : "Redo", "injected");
        if (undo)
            rig.controller->UndoRequested();
        else
            rig.controller->RedoRequested();
        if (!possible)
            return false;
        if (readOnly || fail)
            return true;
        if (undo)
            shadow.Step(history.undo, history.redo);
        else
            shadow.Step(history.redo, history.undo);
        return false;
    }

    bool SongChange()
    {
        shadow.current = shadow.current == "1" ? "2" : "1";
        Note("song " + shadow.current);
        rig.LoadSong(shadow.current);
        return false;
    }

    std::string Check(bool expectRefusal)
    {
        if (expectRefusal != !rig.errors.empty()) {
            std::string shown;
            for (const auto& error : rig.errors)
                shown += " \"" + error.message + "\"";
            return expectRefusal ? "a refusal was expected, none was shown" : "unexpected refusal:" + shown;
        }
        std::string problem = edittest::CheckConsistency(rig, shadow.Log());
        if (!problem.empty())
            return problem;
        for (const auto& [song, events] : shadow.songs) {
            if (!(edittest::EditorEvents(rig, song) == events))
                return "song " + song + "'s log differs from the shadow";
        }
        const CL::Editor* editor = rig.showManager->GetEditor();
        const auto& history = shadow.CurrentHistory();
        if (editor->CanUndo() != !history.undo.empty() || editor->CanRedo() != !history.redo.empty())
            return "the editor's undo state differs from the shadow";
        if (!rig.undoRedoStates.empty()) {
            const auto& last = rig.undoRedoStates.back();
            if (last[0] != !history.undo.empty() || last[1] != !history.redo.empty())
                return "the last undo/redo state differs from the shadow";
        }
        return {};
    }

    EditRig& rig;
    std::mt19937 random;
    Shadow shadow;
    bool readOnly = false;
    std::shared_ptr<cmn::VemoEvent> retired;
    std::string retiredId;
};

} // namespace

class TestEditSequence : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { vemo::testing::DeliverDeferredDeletes(); }

    void seededWalks_data()
    {
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<int>("steps");
        QTest::newRow("seed 1") << 1u << 520;
        QTest::newRow("seed 20261211") << 20261211u << 520;
    }

    void seededWalks()
    {
        QFETCH(unsigned, seed);
        QFETCH(int, steps);
        EditRig rig;
        Walk walk(rig, seed);
        const std::string problem = walk.Run(steps);
        if (!problem.empty()) {
            std::string report = "seed " + std::to_string(seed) + ", " + problem + "\nsteps:";
            for (const std::string& step : walk.log)
                report += "\n  " + step;
            QFAIL(report.c_str());
        }
        QVERIFY2(walk.refusals > steps / 10, qPrintable(QString::number(walk.refusals) + " refusals"));
        QVERIFY2(walk.refusals < steps / 2, qPrintable(QString::number(walk.refusals) + " refusals"));
    }
};

QTEST_MAIN(TestEditSequence)
#include "test_edit_sequence.moc"
