#include "vemo_core/editor.h"

#include <QDir>
#include <QTest>

#include <functional>

namespace {

constexpr UInt32 kSongLength = 96000;

// Offers 4/4 values up to tick 7680 and 6/8 values from there on.
std::vector<int> ClickValues(const std::string&, UInt32 start, UInt32)
{
    if (start < 7680)
        return {4, 1, 2, 8};
    return {8, 4, 12};
}

CL::EditorContext Context(std::string* currentSong = nullptr)
{
    CL::EditorContext context;
    context.songLength = [](const std::string&) { return kSongLength; };
    context.clickValues = ClickValues;
    if (currentSong != nullptr)
        context.currentSong = [currentSong] { return *currentSong; };
    return context;
}

// One valid event of each kind.
std::unique_ptr<cmn::VemoEvent> Sample(UInt8 code)
{
    CL::SfxProperties sfx;
    sfx.setName("Thunder");
    switch (code) {
    case '@': return std::make_unique<CL::Vamp>(960, 1920, "VAMP1", 2);
    case 'A': return std::make_unique<CL::Repeat>(960, 1920, "REP1", 2);
    case 'B': return std::make_unique<CL::Cut>(960, 1920, "CUT1");
    case 'C': return std::make_unique<CL::Transpose>(960, 1920, "TRN1", -2);
    case 'D': return std::make_unique<CL::TempoScale>(960, 1920, "TMP1", 1.1);
    case 'E': return std::make_unique<CL::Marker>(960, "Curtain", "MRK1");
    case 'L': return std::make_unique<CL::Click>(960, 1920, "CLK1", 8);
    case 'M': return std::make_unique<CL::Fermata>(960, 1920, "SKP1");
    case 'N': return std::make_unique<CL::Caesura>(960, "CAE1");
    case 'Q': return std::make_unique<CL::Sfx>(960, "SFX1", sfx);
    case 'R': return std::make_unique<CL::SfxAmbient>(960, 1920, "AMB1", sfx);
    default: return std::make_unique<CL::Osc>(960, "OSC1", CL::OscProperties("/go 1", "NETWORK0"));
    }
}

// Changes the value of a sample event through the editor the way its tool does.
void EditValue(CL::Editor& editor, const cmn::VemoEvent& event)
{
    switch (event.code()) {
    case 'D': editor.EditEventFloatValue(event, 0.75); break;
    case 'E': editor.EditEventStringValue(event, "Interval"); break;
    case 'Q':
    case 'R': {
        CL::SfxProperties sfx = event.sfx_properties();
        sfx.setVolume(0.5f);
        editor.EditEventSFXPropertyValues(event, sfx);
        break;
    }
    case 'S': editor.EditEventOscPropertyValues(event, CL::OscProperties("/go 2", "NETWORK1")); break;
    case 'L': editor.EditEventIntValue(event, 2); break;
    default: editor.EditEventIntValue(event, 3); break;
    }
}

struct Refusal {
    const char* name;
    std::function<void(CL::Editor&)> action;
    const char* text;
};

const std::vector<Refusal>& Refusals()
{
    static const std::vector<Refusal> refusals = {
        {"negative vamp", [](CL::Editor& e) { e.AddEvent(CL::Vamp(0, 10, "", -1)); }, "A vamp count cannot be negative"},
        {"repeat once", [](CL::Editor& e) { e.AddEvent(CL::Repeat(0, 10, "", 0)); }, "A repeat count must be at least 1"},
        {"transpose 7", [](CL::Editor& e) { e.AddEvent(CL::Transpose(0, 10, "", 7)); },
            "A transposition must be between -6 and 6 half steps"},
        {"tempo 49%", [](CL::Editor& e) { e.AddEvent(CL::TempoScale(0, 10, "", 0.49)); },
            "A tempo scale must be between 50% and 200%"},
        {"end before start", [](CL::Editor& e) { e.AddEvent(CL::Cut(500, 499, "")); },
            "The end of the event is before its start"},
        {"beyond the song", [](CL::Editor& e) { e.AddEvent(CL::Cut(500, kSongLength + 1, "")); },
            "The event lies beyond the end of the song"},
        {"point beyond the song", [](CL::Editor& e) { e.AddEvent(CL::Marker(kSongLength + 1, "x", "")); },
            "The event lies beyond the end of the song"},
        {"id in use by another kind", [](CL::Editor& e) { e.AddEvent(CL::Cut(0, 10, "VAMP1")); },
            "The event id is already in use"},
        {"click value not offered", [](CL::Editor& e) { e.AddEvent(CL::Click(0, 960, "", 3)); },
            "This click resolution is not available for the chosen bars"},
        {"click value edit not offered", [](CL::Editor& e) { e.EditEventIntValue(CL::Click(0, 0, "CLK1", 0), 12); },
            "This click resolution is not available for the chosen bars"},
        {"edit unknown id", [](CL::Editor& e) { e.EditEventIntValue(CL::Vamp(0, 0, "VAMP9", 0), 1); }, "Event not found"},
        {"edit id of another kind", [](CL::Editor& e) { e.EditEventIntValue(CL::Repeat(0, 0, "VAMP1", 0), 1); },
            "Event not found"},
        {"delete unknown", [](CL::Editor& e) { e.DeleteEvent(CL::Marker(0, "", "MRK9")); }, "Event not found"},
        {"edit count negative", [](CL::Editor& e) { e.EditEventIntValue(CL::Vamp(0, 0, "VAMP1", 0), -1); },
            "A vamp count cannot be negative"},
        {"drag end before start", [](CL::Editor& e) { e.EditEventStartEndValues(CL::Vamp(0, 0, "VAMP1", 0), 2000, 1000); },
            "The end of the event is before its start"},
        {"drag beyond the song", [](CL::Editor& e) { e.EditEventStartEndValues(CL::Vamp(0, 0, "VAMP1", 0), 0, kSongLength + 5); },
            "The event lies beyond the end of the song"},
        {"tempo edit", [](CL::Editor& e) { e.EditEventFloatValue(CL::TempoScale(0, 0, "TMP1", 1), 2.01); },
            "A tempo scale must be between 50% and 200%"},
    };
    return refusals;
}

// An editor on song "1" with a vamp, a click and a tempo scale.
void Prepare(CL::Editor& editor)
{
    editor.SetContext(Context());
    editor.SelectSongLogForEditing("1");
    editor.AddEvent(CL::Vamp(960, 1920, "VAMP1", 2));
    editor.AddEvent(CL::Click(0, 1920, "CLK1", 4));
    editor.AddEvent(CL::TempoScale(0, 1920, "TMP1", 1.0));
}

std::string Log(const CL::Editor& editor)
{
    return editor.Document().Serialize();
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT

private slots:
    void perKind_data()
    {
        QTest::addColumn<int>("code");
        for (const char code : std::string("@ABCDELMNQRS"))
            QTest::newRow(std::string(1, code).c_str()) << int(code);
    }

    // Add, change, move, delete, then undo everything and redo it, for every kind.
    void perKind()
    {
        QFETCH(int, code);
        CL::Editor editor(Context());
        editor.SelectSongLogForEditing("1");
        const auto sample = Sample(static_cast<UInt8>(code));
        const cmn::VemoEvent* added = editor.AddEvent(*sample);
        QVERIFY(*added == *sample);
        QCOMPARE(editor.GetEditedCodes(), std::vector<int>{code});
        const std::string afterAdd = Log(editor);

        EditValue(editor, *sample);
        const auto edited = editor.GetEventsByEventId().at(sample->EventId());
        QVERIFY(*edited != *sample);
        QVERIFY(typeid(*edited) == typeid(*sample));
        const std::string afterEdit = Log(editor);

        editor.EditEventStartEndValues(*sample, 480, 2400);
        const auto moved = editor.GetEventsByEventId().at(sample->EventId());
        QCOMPARE(moved->start(), UInt32(480));
        QCOMPARE(moved->end(), sample->IsPairedEvent() ? UInt32(2400) : UInt32(0));
        editor.DeleteEvent(*CL::CopyVemoEvent(*moved));
        QVERIFY(editor.GetEventsByEventId().empty());

        QCOMPARE(CL::GetAffectedCodes(editor.Undo()), std::vector<int>{code});
        QCOMPARE(editor.GetEditedCodes(), std::vector<int>{code});
        editor.Undo();
        QCOMPARE(Log(editor), afterEdit);
        editor.Undo();
        QCOMPARE(Log(editor), afterAdd);
        const std::list<CL::HistoryItem> undone = editor.Undo();
        QCOMPARE(undone.size(), std::size_t(1));
        QCOMPARE(undone.front().action, CL::HistoryItem::Action::Delete);
        QVERIFY(typeid(*undone.front().before) == typeid(*sample));
        QVERIFY(!editor.CanUndo());
        QVERIFY(editor.Undo().empty());

        editor.Redo();
        QCOMPARE(Log(editor), afterAdd);
        editor.Redo();
        QCOMPARE(Log(editor), afterEdit);
        editor.Redo();
        editor.Redo();
        QVERIFY(editor.GetEventsByEventId().empty());
        QVERIFY(!editor.CanRedo());
    }

    void refusals_data()
    {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < Refusals().size(); ++i)
            QTest::newRow(Refusals()[i].name) << int(i);
    }

    void refusals()
    {
        QFETCH(int, index);
        const Refusal& refusal = Refusals()[static_cast<std::size_t>(index)];
        CL::Editor editor;
        Prepare(editor);
        const std::string before = Log(editor);
        try {
            refusal.action(editor);
            QFAIL("no refusal");
        } catch (const CL::EditorError& error) {
            QCOMPARE(QString(error.what()), QString(refusal.text));
        }
        QCOMPARE(Log(editor), before);
        QCOMPARE(editor.GetEditedCodes(), std::vector<int>{'D'});
    }

    void acceptsEdgeValues()
    {
        CL::Editor editor;
        Prepare(editor);
        editor.AddEvent(CL::Cut(3000, 3000, "CUT1"));
        editor.AddEvent(CL::TempoScale(0, kSongLength, "TMP2", 2.00005));
        editor.AddEvent(CL::Vamp(0, 10, "VAMP2", 0));
        editor.AddEvent(CL::Transpose(0, 10, "TRN1", -6));
        editor.AddEvent(CL::Marker(kSongLength, "End", "MRK1"));
        QCOMPARE(editor.GetEventsByEventId().size(), std::size_t(8));
    }

    void readOnlyRefusesEdits()
    {
        CL::Editor editor;
        Prepare(editor);
        editor.SetReadOnlyOverride(true);
        QVERIFY(editor.ChangelogIsReadOnly());
        const std::string before = Log(editor);
        const std::vector<std::function<void()>> edits = {
            [&] { editor.AddEvent(CL::Cut(0, 10, "")); },
            [&] { editor.EditEventIntValue(CL::Vamp(0, 0, "VAMP1", 0), 3); },
            [&] { editor.EditEventStartEndValues(CL::Vamp(0, 0, "VAMP1", 0), 0, 10); },
            [&] { editor.DeleteEvent(CL::Vamp(0, 0, "VAMP1", 0)); },
            [&] { editor.Undo(); },
            [&] { editor.Redo(); },
            [&] { editor.UpdateNetworks({}); },
        };
        for (const auto& edit : edits) {
            try {
                edit();
                QFAIL("edit of a read-only log");
            } catch (const CL::EditorError& error) {
                QCOMPARE(QString(error.what()), QString("The change log is read-only"));
            }
        }
        QCOMPARE(Log(editor), before);
        QVERIFY(editor.AddSoundEffect(CL::Sfx()) != nullptr);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, editor.SaveAs("unused.logdata", {1, 0}));
        editor.SetReadOnlyOverride(std::nullopt);
        QVERIFY(!editor.ChangelogIsReadOnly());
    }

    void clickRangeChangeAdoptsOfferedValue()
    {
        CL::Editor editor;
        Prepare(editor);
        editor.EditEventStartEndValues(CL::Click(0, 1920, "CLK1", 4), 7680, 9600);
        auto click = editor.GetEventsByEventId().at("CLK1");
        QCOMPARE(click->int_value(), 4); // still offered there
        editor.EditEventIntValue(*click, 12);
        editor.EditEventStartEndValues(*click, 960, 1920);
        click = editor.GetEventsByEventId().at("CLK1");
        QCOMPARE(click->int_value(), 4);
        QCOMPARE(click->start(), UInt32(960));
        editor.Undo();
        click = editor.GetEventsByEventId().at("CLK1");
        QCOMPARE(click->int_value(), 12);
        QCOMPARE(click->start(), UInt32(7680));
    }

    void suggestedIds()
    {
        CL::Editor editor(Context());
        editor.SelectSongLogForEditing("1");
        QCOMPARE(editor.GetSuggestedEventIdAtTick(0, '@'), std::string("VAMP1"));
        editor.AddEvent(CL::Vamp(0, 10, "VAMP5", 1));
        QCOMPARE(editor.GetSuggestedEventIdAtTick(0, '@'), std::string("VAMP6"));
        QCOMPARE(editor.GetSuggestedEventIdAtTick(900, '@'), std::string("VAMP6"));
        QCOMPARE(editor.GetSuggestedEventIdAtTick(0, 'M'), std::string("SKP1"));
        const cmn::VemoEvent* named = editor.AddEvent(CL::Vamp(20, 30, "", 1));
        QCOMPARE(named->EventId(), std::string("VAMP6"));
        editor.DeleteEvent(*named);
        // A deleted id is not handed out again: a stored cue could point at it.
        QCOMPARE(editor.GetSuggestedEventIdAtTick(0, '@'), std::string("VAMP7"));
        editor.SelectSongLogForEditing("2");
        QCOMPARE(editor.GetSuggestedEventIdAtTick(0, '@'), std::string("VAMP1"));
        QCOMPARE(editor.GetSuggestedEventIdAtTick(0, 'S'), std::string("OSC1"));
    }

    void showLevelSoundEffects()
    {
        CL::Editor editor;
        QCOMPARE(editor.PreviewNextSfxEventId(), std::string("sfx.1"));
        const auto first = editor.AddSoundEffect(CL::Sfx(500, ""));
        QCOMPARE(first->EventId(), std::string("sfx.1"));
        QCOMPARE(first->start(), UInt32(0));
        const auto second = editor.AddSoundEffect(CL::Sfx());
        QCOMPARE(second->EventId(), std::string("sfx.2"));
        editor.DeleteSoundEffect(*second);
        QCOMPARE(editor.GetNextSfxEventIdSuffix(), std::string("3"));
        editor.DeleteSoundEffect(*second);
        QCOMPARE(editor.SoundEffects().size(), std::size_t(1));
        QCOMPARE(editor.SoundEffects().front(), first);
        QVERIFY(editor.PublishDocument().SoundEffects().front() != first);
    }

    void editedCodesNeedAnAction()
    {
        CL::Editor editor(Context());
        editor.SelectSongLogForEditing("1");
        try {
            editor.GetEditedCodes();
            QFAIL("no action yet");
        } catch (const CL::EditorHistoryNoActionError& error) {
            QCOMPARE(QString(error.what()), QString("No edit has been made in this song log"));
        }
        editor.AddEvent(CL::Marker(0, "a", ""));
        editor.SelectSongLogForEditing("2");
        QVERIFY(!editor.CanUndo());
        QVERIFY_THROWS_EXCEPTION(CL::EditorHistoryNoActionError, editor.GetEditedCodes());
        editor.SelectSongLogForEditing("1");
        QCOMPARE(editor.GetEditedCodes(), std::vector<int>{'E'});
    }

    void affectedCodesInFirstSeenOrder()
    {
        std::list<CL::HistoryItem> items;
        for (const int code : {'L', 'E', 'L', '@'})
            items.push_back(CL::HistoryItem{CL::HistoryItem::Action::Add, static_cast<UInt8>(code), "1", nullptr, nullptr});
        QCOMPARE(CL::GetAffectedCodes(items), (std::vector<int>{'L', 'E', '@'}));
    }

    void eventsByIdFollowTheLoadedSong()
    {
        std::string current = "2";
        CL::Editor editor(Context(&current));
        editor.SelectSongLogForEditing("2");
        editor.AddEvent(CL::Vamp(0, 10, "VAMP1", 1));
        editor.SelectSongLogForEditing("1");
        editor.AddEvent(CL::Marker(0, "a", "VAMP1"));
        const auto events = editor.GetEventsByEventId();
        QCOMPARE(events.size(), std::size_t(1));
        QVERIFY(dynamic_cast<const CL::Vamp*>(events.at("VAMP1").get()) != nullptr);
        current = std::string("1");
        QCOMPARE(editor.GetEventsByEventId().at("VAMP1")->code(), UInt8('E'));
    }

    void handedOutEventsOutliveEditsAndReloads()
    {
        CL::Editor editor;
        Prepare(editor);
        const cmn::VemoEvent* vamp = editor.AddEvent(CL::Vamp(3000, 4000, "VAMP2", 3));
        const cmn::VemoEvent* byId = editor.GetEventsByEventId().at("VAMP1").get();
        editor.EditEventIntValue(*vamp, 5);
        editor.DeleteEvent(*byId);
        editor.Undo();
        editor.LoadDocument(CL::ChangeLogDocument());
        QCOMPARE(vamp->int_value(), 3);
        QCOMPARE(byId->EventId(), std::string("VAMP1"));
        QVERIFY(editor.GetEventsByEventId().empty());
    }

    void loadKeepsSelectionAndClearsHistory()
    {
        CL::Editor editor;
        Prepare(editor);
        CL::ChangeLogDocument document;
        document.SongForWriting("1").Insert(std::make_shared<CL::Click>(0, 1920, "CLK1", 3));
        const CL::LoadReport report = editor.LoadDocument(std::move(document));
        QCOMPARE(editor.SelectedSong(), std::string("1"));
        QVERIFY(!editor.CanUndo());
        QVERIFY_THROWS_EXCEPTION(CL::EditorHistoryNoActionError, editor.GetEditedCodes());
        QCOMPARE(editor.GetEventsByEventId().at("CLK1")->int_value(), 4);
        QCOMPARE(report.ModifiedClickEditLog(),
            std::string("Song 1: Click CLK1 resolution 3 is not available and was changed to 4."));
    }

    void callHookJournalsAndCanFail()
    {
        CL::Editor editor;
        Prepare(editor);
        std::vector<std::string> journal;
        editor.SetCallHook([&](const std::string& name, const std::string& args) {
            journal.push_back(name + "(" + args + ")");
            if (name == "DeleteEvent")
                throw std::runtime_error("injected");
        });
        editor.AddEvent(CL::Cut(3840, 7680, "CUT1"));
        editor.EditEventFloatValue(CL::TempoScale(0, 0, "TMP1", 1), double(0.53f));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, editor.DeleteEvent(CL::Cut(0, 0, "CUT1")));
        QVERIFY(editor.GetEventsByEventId().contains("CUT1"));
        const std::vector<std::string> expected = {
            "AddEvent(CUT1,B,3840,7680)", "EditEventFloatValue(TMP1,0.5299999713897705)", "DeleteEvent(CUT1)"};
        QCOMPARE(journal, expected);
    }

    void saveSetsVersionOnlyWhenWritten()
    {
        CL::Editor editor;
        Prepare(editor);
        const std::filesystem::path folder = std::filesystem::path(qPrintable(QDir::tempPath())) / "editor-save";
        std::filesystem::create_directories(folder);
        editor.SaveAs(folder / "Show-1.2.logdata", {1, 2});
        QCOMPARE(editor.GetVersion(), (cmn::VEMOVersion{1, 2}));
        QCOMPARE(CL::ChangeLogDocument::Load(folder / "Show-1.2.logdata").Version(), (cmn::VEMOVersion{1, 2}));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, editor.SaveAs(folder / "missing" / "Show-1.3.logdata", {1, 3}));
        QCOMPARE(editor.GetVersion(), (cmn::VEMOVersion{1, 2}));
    }

    void selectingASongWritesNothing()
    {
        CL::Editor editor(Context());
        editor.SelectSongLogForEditing("7");
        QVERIFY(editor.Document().Songs().empty());
        QVERIFY(editor.GetEventsByEventId().empty());
    }
};

QTEST_GUILESS_MAIN(TestEditor)
#include "test_editor.moc"
