#include "consistency.h"
#include "edit_rig.h"
#include "test_tool.h"

#include "editing/caesura_tool_controller.h"
#include "editing/marker_tool_controller.h"
#include "editing/tempo_tool_controller.h"

#include <vemo_core/editor.h>
#include <vemo_core/events.h>
#include <vemo_test/qml_engine.h>

#include <QPointer>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

using edittest::Confirm;
using edittest::EditRig;
using edittest::kEditStartTick;
using edittest::ShownActive;
using edittest::SongOneTick;
using edittest::ToolChild;
using vemo::qt::CaesuraToolController;
using vemo::qt::EditToolController;
using vemo::qt::MarkerToolController;
using vemo::qt::TempoToolController;

namespace {

enum class Kind { Tempo, Caesura, Marker };

// Song 1's leading entry: bar 1 beat 1, the last beat before the earliest edit tick.
constexpr UInt32 kLeadingTick = 480;

QStringList Lines(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list << QString::fromStdString(line);
    return list;
}

const char* ClosingSignal(Kind kind)
{
    switch (kind) {
    case Kind::Tempo:
        return SIGNAL(tempoToolClosing());
    case Kind::Caesura:
        return SIGNAL(caesuraToolClosing());
    case Kind::Marker:
        return SIGNAL(markerToolClosing());
    }
    return nullptr;
}

// A tool as the main window holds it: an edit refreshes the views on valuesUpdated(), and the
// tool is released with deleteLater once it announces its closing.
EditToolController* MakeTool(EditRig& rig, Kind kind)
{
    EditToolController* tool = nullptr;
    switch (kind) {
    case Kind::Tempo:
        tool = new TempoToolController(rig.qml.get(), rig.engine, rig.controller.get(), nullptr);
        break;
    case Kind::Caesura:
        tool = new CaesuraToolController(rig.qml.get(), rig.engine, rig.controller.get(), nullptr);
        break;
    case Kind::Marker:
        tool = new MarkerToolController(rig.qml.get(), rig.engine, rig.controller.get(), nullptr);
        break;
    }
    QObject::connect(tool, ClosingSignal(kind), tool, SLOT(deleteLater()));
    const int code = kind == Kind::Tempo ? 'D' : kind == Kind::Caesura ? 'N' : 'E';
    QObject::connect(tool, &EditToolController::valuesUpdated, rig.controller.get(),
                     [&rig, code] { rig.controller->RefreshAfterEdit({code}); });
    return tool;
}

// Opens a tool for a new event at `start`, as the main window does; a range ends on bar 7 beat 3.
EditToolController* OpenNew(EditRig& rig, Kind kind, UInt32 start)
{
    EditToolController* tool = MakeTool(rig, kind);
    const TL::BarsBeats record = rig.engine->GetBarBeatByTick(start);
    switch (kind) {
    case Kind::Tempo:
        static_cast<TempoToolController*>(tool)->onTempoButtonClicked(
            record, rig.engine->GetBarBeatByTick(SongOneTick(7, 3)));
        break;
    case Kind::Caesura:
        static_cast<CaesuraToolController*>(tool)->onCaesuraButtonClicked(record, rig.engine->GetMinStartTickIndex());
        break;
    case Kind::Marker:
        static_cast<MarkerToolController*>(tool)->onMarkerButtonClicked(record);
        break;
    }
    tool->ConnectDocument();
    return tool;
}

std::shared_ptr<cmn::VemoEvent> Stored(EditRig& rig, const std::string& id)
{
    const auto events = rig.showManager->GetEditor()->GetEventsByEventId();
    const auto found = events.find(id);
    return found != events.end() ? CL::CopyVemoEvent(*found->second) : nullptr;
}

// Opens a tool on the stored event `id`.
EditToolController* OpenEdit(EditRig& rig, Kind kind, const std::string& id)
{
    EditToolController* tool = MakeTool(rig, kind);
    const std::shared_ptr<cmn::VemoEvent> event = Stored(rig, id);
    switch (kind) {
    case Kind::Tempo:
        static_cast<TempoToolController*>(tool)->onTempoEdit(event.get());
        break;
    case Kind::Caesura:
        static_cast<CaesuraToolController*>(tool)->onCaesuraEdit(event.get());
        break;
    case Kind::Marker:
        static_cast<MarkerToolController*>(tool)->onMarkerEdit(event.get());
        break;
    }
    tool->ConnectDocument();
    return tool;
}

void Choose(EditToolController* tool, int barRow, int beatIndex)
{
    QMetaObject::invokeMethod(ToolChild(tool, "barAndBeatPanel"), "inBeatInputUpdateRequest", Q_ARG(QVariant, barRow));
    ToolChild(tool, "inBarInput")->setProperty("currentIndex", barRow);
    ToolChild(tool, "inBeatInput")->setProperty("currentIndex", beatIndex);
}

QString Facts(EditRig& rig, const std::string& key)
{
    const auto events = edittest::EditorEvents(rig);
    const auto found = events.find(key);
    return found != events.end() ? QString::fromStdString(edittest::Describe(found->second)) : QString("none");
}

QString FactsLine(const char* code, const char* id, UInt32 start, UInt32 end, const QString& value)
{
    return QString::fromStdString(edittest::Describe({static_cast<UInt8>(code[0]), id, start, end, value.toStdString()}));
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestTempoCaesuraMarkerTools : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { vemo::testing::DeliverDeferredDeletes(); }

    // A new event: title, defaults and id label, the suggested id, and what OK stores.
    void aNewEventStoresTheWindowsValues_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<UInt32>("start");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("valueProperty");
        QTest::addColumn<QString>("shownValue");
        QTest::addColumn<bool>("idShown");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("stored");
        const UInt32 rangeEnd = SongOneTick(7, 3);
        const UInt32 beat = SongOneTick(8, 2);
        const auto add = [](const char* prefix, UInt32 start, UInt32 end) {
            return QString("AddEvent(%1,%2,%3)").arg(prefix).arg(start).arg(end);
        };
        const UInt32 rangeStart = SongOneTick(6, 1);
        QTest::newRow("tempo") << Kind::Tempo << rangeStart << "Scale Tempo" << "value" << "100" << false
                               << add("TMP1,D", rangeStart, rangeEnd)
                               << FactsLine("D", "TMP1", rangeStart, rangeEnd, "1");
        QTest::newRow("tempo from the leading entry")
            << Kind::Tempo << kLeadingTick << "Scale Tempo" << "value" << "100" << false
            << add("TMP1,D", kEditStartTick, rangeEnd) << FactsLine("D", "TMP1", kEditStartTick, rangeEnd, "1");
        // A point event is made with end 0.
        QTest::newRow("caesura") << Kind::Caesura << beat << "Create Caesura" << "inShift" << "0" << true
                                 << add("CAE1,N", beat, 0) << FactsLine("N", "CAE1", beat, 0, "0");
        QTest::newRow("caesura on the leading entry")
            << Kind::Caesura << kLeadingTick << "Create Caesura" << "inShift" << "120" << true
            << add("CAE1,N", kEditStartTick, 0) << FactsLine("N", "CAE1", kEditStartTick, 0, "0");
        QTest::newRow("marker") << Kind::Marker << beat << "Create Marker" << "strValue" << "" << false
                                << add("MRK2,E", beat, 0) << FactsLine("E", "MRK2", beat, 0, "");
        QTest::newRow("marker on the leading entry")
            << Kind::Marker << kLeadingTick << "Create Marker" << "strValue" << "" << false
            << add("MRK2,E", kEditStartTick, 0) << FactsLine("E", "MRK2", kEditStartTick, 0, "");
    }

    void aNewEventStoresTheWindowsValues()
    {
        QFETCH(Kind, kind);
        QFETCH(UInt32, start);
        QFETCH(QString, title);
        QFETCH(QString, valueProperty);
        QFETCH(QString, shownValue);
        QFETCH(bool, idShown);
        QFETCH(QString, added);
        QFETCH(QString, stored);
        EditRig rig;
        EditToolController* tool = OpenNew(rig, kind, start);
        QVERIFY(tool->DocumentConnected());
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("title").toString(), title);
        QCOMPARE(window->property("visible").toBool(), true);
        QCOMPARE(window->property("isEdit").toBool(), false);
        QCOMPARE(window->property(qPrintable(valueProperty)).toString(), shownValue);
        QCOMPARE(ToolChild(tool, "eventIdLabel")->property("visible").toBool(), idShown);
        QCOMPARE(window->property("eventId").toString(), added.section('(', 1).section(',', 0, 0));
        QSignalSpy updated(tool, &EditToolController::valuesUpdated);
        rig.ClearJournal();
        Confirm(window);
        QCOMPARE(Lines(rig.Calls("AddEvent")), QStringList{added});
        QCOMPARE(updated.count(), 0);
        QCOMPARE(rig.errors.size(), 0u);
        const QString key = added.section('(', 1).section(',', 1, 1) + ":" + added.section('(', 1).section(',', 0, 0);
        QCOMPARE(Facts(rig, key.toStdString()), stored);
        QCOMPARE(edittest::CheckConsistency(rig), std::string());
    }

    // An existing event on a beat: the window shows it, and an unchanged OK asks for the same
    // range or tick, then the same value, and only then reports the change.
    void anUnchangedEditAsksForTheSameValues_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("valueProperty");
        QTest::addColumn<QString>("shownValue");
        QTest::addColumn<QStringList>("edits");
        const auto move = [](const char* id, UInt32 start, UInt32 end) {
            return QString("EditEventStartEndValues(%1,%2,%3,false,false)").arg(id).arg(start).arg(end);
        };
        const UInt32 start = SongOneTick(6, 1);
        const UInt32 end = SongOneTick(7, 3);
        const UInt32 beat = SongOneTick(8, 2);
        QTest::newRow("tempo") << Kind::Tempo << "TMP1" << "Edit Tempo Scale" << "value" << "150"
                               << QStringList{move("TMP1", start, end), "EditEventFloatValue(TMP1,1.5)"};
        QTest::newRow("caesura") << Kind::Caesura << "CAE1" << "Edit Caesura" << "inShift" << "0"
                                 << QStringList{move("CAE1", beat, beat)};
        QTest::newRow("marker") << Kind::Marker << "MRK1" << "Edit Marker" << "strValue" << "Verse"
                                << QStringList{move("MRK1", SongOneTick(2, 1), SongOneTick(2, 1)),
                                               "EditEventStringValue(MRK1,\"Verse\")"};
    }

    void anUnchangedEditAsksForTheSameValues()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, id);
        QFETCH(QString, title);
        QFETCH(QString, valueProperty);
        QFETCH(QString, shownValue);
        QFETCH(QStringList, edits);
        EditRig rig;
        rig.controller->onVemoMakeEvent(CL::TempoScale(SongOneTick(6, 1), SongOneTick(7, 3), "TMP1", 1.5));
        rig.controller->onVemoMakeEvent(CL::Caesura(SongOneTick(8, 2), "CAE1", 0));
        const edittest::SongEvents before = edittest::EditorEvents(rig);
        EditToolController* tool = OpenEdit(rig, kind, id.toStdString());
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("title").toString(), title);
        QCOMPARE(window->property("isEdit").toBool(), true);
        QCOMPARE(window->property("eventId").toString(), id);
        QCOMPARE(window->property(qPrintable(valueProperty)).toString(), shownValue);
        QStringList editsWhenReported;
        QObject::connect(tool, &EditToolController::valuesUpdated, tool,
                         [&] { editsWhenReported = Lines(rig.Calls("EditEvent")); });
        rig.ClearJournal();
        Confirm(window);
        QCOMPARE(Lines(rig.Calls("EditEvent")), edits);
        QCOMPARE(editsWhenReported, edits);
        QCOMPARE(rig.errors.size(), 0u);
        QCOMPARE(edittest::EditorEvents(rig), before);
        QCOMPARE(edittest::CheckConsistency(rig), std::string());
    }

    // Every way of closing emits the closing signal once, and the tool is released on it; only
    // OK and Return send a request.
    void everyCloseIsAnnouncedOnce_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("requests");
        const std::pair<const char*, Kind> kinds[] = {
            {"tempo", Kind::Tempo}, {"caesura", Kind::Caesura}, {"marker", Kind::Marker}};
        const std::pair<const char*, int> ways[] = {
            {"ok", 1}, {"return", 1}, {"cancel", 0}, {"escape", 0}, {"title bar", 0}};
        for (const auto& [kindName, kind] : kinds) {
            for (const auto& [how, requests] : ways)
                QTest::newRow(qPrintable(QString("%1, %2").arg(kindName, how))) << kind << how << requests;
        }
    }

    void everyCloseIsAnnouncedOnce()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, how);
        QFETCH(int, requests);
        EditRig rig;
        QPointer<EditToolController> tool = OpenNew(rig, kind, SongOneTick(6, 1));
        QSignalSpy closing(tool.data(), ClosingSignal(kind));
        QPointer<QQuickWindow> window = ShownActive(tool);
        QVERIFY(window != nullptr);
        rig.ClearJournal();
        edittest::CloseWindow(tool, window, how);
        QCOMPARE(closing.count(), 1);
        QCOMPARE(static_cast<int>(rig.Calls("AddEvent").size()), requests);
        // The key press may already have delivered the tool's deferred delete, and its window with it.
        QVERIFY(window.isNull() || !window->isVisible());
        vemo::testing::DeliverDeferredDeletes();
        QVERIFY(tool.isNull());
    }

    // The windows are fixed-size modal dialogs; the width stays put once shown.
    void theWindowsKeepTheirSize_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("width");
        QTest::newRow("tempo") << Kind::Tempo << 250;
        QTest::newRow("caesura") << Kind::Caesura << 450;
        QTest::newRow("marker") << Kind::Marker << 250;
    }

    void theWindowsKeepTheirSize()
    {
        QFETCH(Kind, kind);
        QFETCH(int, width);
        EditRig rig;
        EditToolController* tool = OpenNew(rig, kind, SongOneTick(6, 1));
        auto* window = qobject_cast<QQuickWindow*>(tool->QmlObject());
        QCOMPARE(window->flags(), Qt::CustomizeWindowHint | Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        QCOMPARE(window->modality(), Qt::ApplicationModal);
        QCOMPARE(window->width(), width);
        const QSize size = window->size();
        QVERIFY(size.height() > 100);
        QTest::qWait(50);
        QCOMPARE(window->size(), size);
        delete tool;
    }

    // New regions carry the factor in double precision, changes in single precision; both open
    // again at the percentage they were made with.
    void theTempoFactorRoundTrips()
    {
        EditRig rig;
        EditToolController* tool = OpenNew(rig, Kind::Tempo, SongOneTick(6, 1));
        tool->QmlObject()->setProperty("value", "53");
        Confirm(tool->QmlObject());
        QCOMPARE(Stored(rig, "TMP1")->float_value(), 0.53f);
        tool = OpenEdit(rig, Kind::Tempo, "TMP1");
        QCOMPARE(tool->QmlObject()->property("intValue").toInt(), 53);
        tool->QmlObject()->setProperty("value", "200");
        Confirm(tool->QmlObject());
        tool = OpenEdit(rig, Kind::Tempo, "TMP1");
        tool->QmlObject()->setProperty("value", "53");
        rig.ClearJournal();
        Confirm(tool->QmlObject());
        QCOMPARE(Lines(rig.Calls("EditEventFloatValue")),
                 QStringList{"EditEventFloatValue(TMP1,0.5299999713897705)"});
        tool = OpenEdit(rig, Kind::Tempo, "TMP1");
        QCOMPARE(tool->QmlObject()->property("intValue").toInt(), 53);
        QCOMPARE(tool->QmlObject()->property("value").toString(), QString("53"));
        QCOMPARE(edittest::CheckConsistency(rig), std::string());
        delete tool;
    }

    // The in-shift range the caesura window offers, and the tick OK asks for.
    void caesuraInShift_data()
    {
        QTest::addColumn<QString>("opening");
        QTest::addColumn<UInt32>("tick");
        QTest::addColumn<int>("inShiftMin");
        QTest::addColumn<double>("inShift");
        QTest::addColumn<int>("inShiftMax");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<double>("moveTo");
        QTest::addColumn<double>("shownAfterMove");
        QTest::addColumn<QString>("request");
        const UInt32 beat = SongOneTick(8, 2);
        const auto add = [](UInt32 tick) { return QString("AddEvent(CAE1,N,%1,0)").arg(tick); };
        const auto move = [](UInt32 tick) {
            return QString("EditEventStartEndValues(CAE9,%1,%1,false,false)").arg(tick);
        };
        const double untouched = -1;
        QTest::newRow("ordinary beat") << "new" << beat << 0 << 0.0 << 479 << true << 37.6 << 37.6 << add(beat + 37);
        QTest::newRow("leading entry") << "new" << kLeadingTick << 120 << 120.0 << 479 << true << untouched
                                       << untouched << add(kEditStartTick);
        // The edit window measures from the earliest edit tick as a new one does: the slider
        // stops there instead of offering in-shifts that the engine would raise.
        QTest::newRow("leading entry, edited") << "edit" << kLeadingTick + 200 << 120 << 200.0 << 479 << true
                                               << untouched << untouched << move(kLeadingTick + 200);
        QTest::newRow("leading entry, edited, pushed below the minimum")
            << "edit" << kLeadingTick + 200 << 120 << 200.0 << 479 << true << 50.0 << 120.0 << move(kEditStartTick);
        QTest::newRow("leading entry, no minimum given")
            << "one argument" << kLeadingTick << 0 << 0.0 << 479 << true << untouched << untouched << QString();
        QTest::newRow("120 ticks after a beat")
            << "edit" << beat + 120 << 0 << 120.0 << 479 << true << untouched << untouched << move(beat + 120);
        // Within the snapping distance of the next beat: the window still shows the beat before it.
        QTest::newRow("470 ticks after a beat")
            << "edit" << beat + 470 << 0 << 470.0 << 479 << true << untouched << untouched << move(beat + 470);
        QTest::newRow("song end") << "song end" << 0u << 0 << 0.0 << 0 << false << untouched << untouched << QString();
    }

    void caesuraInShift()
    {
        QFETCH(QString, opening);
        QFETCH(UInt32, tick);
        QFETCH(int, inShiftMin);
        QFETCH(double, inShift);
        QFETCH(int, inShiftMax);
        QFETCH(bool, enabled);
        QFETCH(double, moveTo);
        QFETCH(double, shownAfterMove);
        QFETCH(QString, request);
        EditRig rig;
        EditToolController* tool = nullptr;
        if (opening == "edit") {
            rig.controller->onVemoMakeEvent(CL::Caesura(tick, "CAE9", 0));
            rig.ClearJournal();
            tool = OpenEdit(rig, Kind::Caesura, "CAE9");
            // The window opens on one lookup of the beat at or before the caesura.
            QCOMPARE(Lines(rig.Calls("GetBarBeat")), QStringList{QString("GetBarBeatLeftByTick(%1)").arg(tick)});
        } else if (opening == "new") {
            tool = OpenNew(rig, Kind::Caesura, tick);
        } else {
            tool = MakeTool(rig, Kind::Caesura);
            const std::string song = rig.engine->GetCurrentSongNumber();
            const TL::BarsBeats record = opening == "song end"
                                             ? TL::BarsBeats(rig.engine->GetSongLength(song), 9, 1)
                                             : rig.engine->GetBarBeatByTick(tick);
            static_cast<CaesuraToolController*>(tool)->onCaesuraButtonClicked(record);
            tool->ConnectDocument();
        }
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("inShiftMin").toInt(), inShiftMin);
        QCOMPARE(window->property("inShift").toDouble(), inShift);
        QCOMPARE(window->property("inShiftMax").toInt(), inShiftMax);
        QCOMPARE(window->property("inShiftEnabled").toBool(), enabled);
        QCOMPARE(ToolChild(tool, "inShiftSlider")->property("from").toDouble(), double(inShiftMin));
        if (moveTo >= 0) {
            window->setProperty("inShift", moveTo);
            QCOMPARE(window->property("inShift").toDouble(), shownAfterMove);
        }
        if (request.isEmpty()) {
            delete tool;
            return;
        }
        rig.ClearJournal();
        Confirm(window);
        QCOMPARE(Lines(rig.Calls(request.section('(', 0, 0).toStdString())), QStringList{request});
        QCOMPARE(rig.errors.size(), 0u);
    }

    // The window's in-shift is a real number: a sum past the tick range is bounded, never
    // converted as it is.
    void aCaesuraTickStaysInTheTickRange()
    {
        EditRig rig;
        EditToolController* tool = OpenNew(rig, Kind::Caesura, SongOneTick(8, 2));
        rig.ClearJournal();
        QMetaObject::invokeMethod(tool->QmlObject(), "createCaesuraRequest", Q_ARG(QVariant, "8"), Q_ARG(QVariant, 2),
                                  Q_ARG(double, 1e12));
        QCOMPARE(Lines(rig.Calls("AddEvent")), QStringList{"AddEvent(CAE1,N,4294967295,0)"});
        delete tool;
    }

    // Leaving the leading entry resets the in-shift and its minimum to 0 for the new beat.
    void aBarChangeResetsTheInShift()
    {
        EditRig rig;
        EditToolController* tool = OpenNew(rig, Kind::Caesura, kLeadingTick);
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("inShiftMin").toInt(), 120);
        Choose(tool, 2, 1);
        QCOMPARE(window->property("inShiftMin").toInt(), 0);
        QCOMPARE(window->property("inShift").toDouble(), 0.0);
        QCOMPARE(window->property("inShiftMax").toInt(), 479);
        QCOMPARE(window->property("eventId").toString(), QString("CAE1"));
        delete tool;
    }

    // Marker texts reach the log as written and come back unchanged.
    void markerTextsRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("beyond ASCII and the BMP") << QString("Café ♪ 🎭");
        QTest::newRow("long") << QString(2000, QChar(u'ü'));
    }

    void markerTextsRoundTrip()
    {
        QFETCH(QString, text);
        EditRig rig;
        EditToolController* tool = OpenNew(rig, Kind::Marker, SongOneTick(6, 1));
        tool->QmlObject()->setProperty("strValue", text);
        Confirm(tool->QmlObject());
        QCOMPARE(QString::fromStdString(Stored(rig, "MRK2")->value()), text);
        tool = OpenEdit(rig, Kind::Marker, "MRK2");
        QCOMPARE(tool->QmlObject()->property("strValue").toString(), text);
        delete tool;
        tool = OpenEdit(rig, Kind::Marker, "MRK1");
        tool->QmlObject()->setProperty("strValue", text);
        rig.ClearJournal();
        Confirm(tool->QmlObject());
        QCOMPARE(Lines(rig.Calls("EditEventStringValue")).size(), 1);
        QCOMPARE(QString::fromStdString(Stored(rig, "MRK1")->value()), text);
        QCOMPARE(edittest::CheckConsistency(rig), std::string());
    }

    // A marker moved to the leading entry lands on the earliest edit tick, not on the beat shown.
    void aMarkerMovedToTheLeadingEntry()
    {
        EditRig rig;
        EditToolController* tool = OpenEdit(rig, Kind::Marker, "MRK1");
        Choose(tool, 0, 0);
        rig.ClearJournal();
        Confirm(tool->QmlObject());
        QCOMPARE(Lines(rig.Calls("EditEventStartEndValues")),
                 QStringList{QString("EditEventStartEndValues(MRK1,%1,%1,false,false)").arg(kEditStartTick)});
        QCOMPARE(Stored(rig, "MRK1")->start(), kEditStartTick);
    }
};

QTEST_MAIN(TestTempoCaesuraMarkerTools)
#include "test_tempo_caesura_marker_tools.moc"
