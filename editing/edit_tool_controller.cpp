#include "editing/edit_tool_controller.h"

#include "editing/edit_controller.h"
#include "timeline/document_access.h"

#include <QDebug>
#include <QQuickItem>
#include <QQuickWindow>

#include <algorithm>
#include <iostream>
#include <limits>

namespace vemo::qt {

namespace {

const char* const kInputs[] = {"inBarInput", "inBeatInput", "outBarInput", "outBeatInput"};

// Row 0 may start inside its bar, so its beats are found by value (the last position holding the
// beat, else 0); in every other row beat b sits at position b - 1.
int BeatPosition(int row, const QList<uint>& beats, std::int32_t beat)
{
    if (row == 0) {
        const qsizetype found = beats.lastIndexOf(static_cast<uint>(beat));
        return found >= 0 ? static_cast<int>(found) : 0;
    }
    return beat > 0 ? beat - 1 : 0;
}

QVariantList BeatChoices(const QList<uint>& beats)
{
    QVariantList choices;
    for (const uint beat : beats)
        choices.append(static_cast<int>(beat));
    return choices;
}

} // namespace

QUrl ToolDocument(const char* name)
{
    return QUrl(QString("qrc:/qt/qml/com/quorvane/musical_ui/qml/") + name);
}

std::uint32_t ShiftedTick(std::uint32_t tick, double inShift)
{
    const double sum = static_cast<double>(tick) + inShift;
    if (!(sum > 0.0))
        return 0;
    constexpr double kLast = std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(std::min(sum, kLast));
}

EditToolController::EditToolController(QQmlEngine* qmlEngine, const QUrl& document, EditController* controller,
                                       std::shared_ptr<Interface> enginePlayer, char kindCode, QObject* parentWindow,
                                       bool barsFlag)
    : QmlController(qmlEngine, document, parentWindow, true, {})
    , player(std::move(enginePlayer))
    , editController(controller)
    , code(kindCode)
{
    song = player->GetCurrentSongNumber();
    const std::uint32_t minimumTick = player->GetCurrentStartTickIndex();
    const TL::TimelineSequence<TL::BarsBeats> barsBeats = player->GetBarsBeats(song, barsFlag);
    barList = std::make_unique<BarListModel>(nullptr, &barsBeats, minimumTick);
    if (QObject* window = QmlObject()) {
        ConnectWindow(window, SIGNAL(inBarChanged()), SLOT(inBarBeatChanged_()));
        ConnectWindow(window, SIGNAL(inBeatChanged()), SLOT(inBarBeatChanged_()));
    }
}

EditToolController::~EditToolController()
{
    // The window outlives the tool until its deferred delete: it must not keep reading the bar list.
    for (const char* name : kInputs) {
        if (QObject* input = WindowChild(name))
            input->setProperty("model", QVariant());
    }
}

void EditToolController::ConnectWindow(const QObject* sender, const char* signal, const char* method)
{
    if (!vemo::qt::ConnectDocument(sender, signal, this, method))
        documentConnected = false;
}

QObject* EditToolController::WindowChild(const char* objectName) const
{
    QObject* window = const_cast<EditToolController*>(this)->QmlObject();
    if (window == nullptr)
        return nullptr;
    if (QObject* child = window->findChild<QObject*>(objectName))
        return child;
    if (auto* quickWindow = qobject_cast<QQuickWindow*>(window))
        return quickWindow->contentItem()->findChild<QObject*>(objectName);
    return nullptr;
}

void EditToolController::ConnectToolWindow(const char* changeRequest, const char* changeSlot,
                                           const char* createRequest, const char* createSlot, const char* closing,
                                           const char* closingSlot, bool range)
{
    QObject* window = QmlObject();
    if (window == nullptr)
        return;
    ConnectWindow(window, changeRequest, changeSlot);
    ConnectWindow(window, createRequest, createSlot);
    QObject* panel = WindowChild("barAndBeatPanel");
    ConnectWindow(panel, SIGNAL(inBeatInputUpdateRequest(QVariant)), SLOT(onInBeatInputUpdateRequest(QVariant)));
    if (range)
        ConnectWindow(panel, SIGNAL(outBeatInputUpdateRequest(QVariant)), SLOT(onOutBeatInputUpdateRequest(QVariant)));
    ConnectWindow(window, closing, closingSlot);
}

void EditToolController::AfterBarBeatChanged() {}

TL::BarsBeats EditToolController::EditRecordAt(std::uint32_t tick) const
{
    return player->GetBarBeatByTick(tick);
}

// Forwarding

bool EditToolController::OnToolSong(bool report) const
{
    const bool same = player->GetCurrentSongNumber() == song && editController->GetEditModel()->currentSong == song;
    if (!same && report)
        editController->ReportEditFailure("The song changed while this window was open, so nothing was changed.");
    return same;
}

bool EditToolController::Forward(const char* failure, const std::function<bool(EditController&)>& call) const
{
    if (editController == nullptr || !OnToolSong(false))
        return false;
    try {
        return call(*editController);
    } catch (const std::exception& error) {
        qDebug() << failure << error.what();
        return false;
    }
}

bool EditToolController::AddEvent(cmn::VemoEvent& event)
{
    if (editController == nullptr || !OnToolSong(true))
        return false;
    return Forward("Error adding event:", [&](EditController& controller) {
        controller.onVemoMakeEvent(event);
        return true;
    });
}

bool EditToolController::EditEventStartEndValues(cmn::VemoEvent* event, std::uint32_t start, std::uint32_t end)
{
    return event != nullptr && Forward("Error editing event:", [&](EditController& controller) {
        return controller.onVemoEditEventStartEndValues(*event, start, end);
    });
}

bool EditToolController::EditEventStringValue(cmn::VemoEvent* event, std::string value)
{
    return event != nullptr && Forward("Error editing event:", [&](EditController& controller) {
        return controller.onVemoEditEventStringValues(*event, value);
    });
}

bool EditToolController::EditEventIntValue(cmn::VemoEvent* event, int value)
{
    return event != nullptr && Forward("Error editing event:", [&](EditController& controller) {
        return controller.onVemoEditEventIntValues(*event, value);
    });
}

bool EditToolController::EditEventFloatValue(cmn::VemoEvent* event, float value)
{
    return event != nullptr && Forward("Error editing event:", [&](EditController& controller) {
        return controller.onVemoEditEventFloatValues(*event, value);
    });
}

bool EditToolController::EditEventSFXPropertyValues(cmn::VemoEvent* event, CL::SfxProperties properties)
{
    return event != nullptr && Forward("Error editing event: ", [&](EditController& controller) {
        return controller.EditEventSFXPropertyValues(*event, properties);
    });
}

bool EditToolController::EditEventOscPropertyValues(cmn::VemoEvent* event, CL::OscProperties properties)
{
    return event != nullptr && Forward("Error editing event: ", [&](EditController& controller) {
        return controller.EditEventOscPropertyValues(*event, properties);
    });
}

// Inputs

void EditToolController::SetInput(const char* objectName, const QVariant& model, int currentIndex)
{
    QObject* input = WindowChild(objectName);
    if (input == nullptr)
        return;
    input->setProperty("model", model);
    input->setProperty("currentIndex", currentIndex);
}

int EditToolController::BarRowOf(const TL::BarsBeats& record) const
{
    return barList->RowOf(QString::fromStdString(record.bar_number()));
}

void EditToolController::SetBarInputs(const TL::BarsBeats& start, const TL::BarsBeats& end)
{
    const QVariant model = QVariant::fromValue<QObject*>(barList.get());
    SetInput("inBarInput", model, std::max(BarRowOf(start), 0));
    SetInput("outBarInput", model, std::max(BarRowOf(end), 0));
}

void EditToolController::SetBeatInputs(const TL::BarsBeats& start, const TL::BarsBeats& end)
{
    const int s = BarRowOf(start);
    const int e = BarRowOf(end);
    const auto beatsOf = [this](int row) { return barList->getBeats(row).value<QList<uint>>(); };
    if (s < 0) {
        const QVariantList first = BeatChoices(beatsOf(0));
        SetInput("inBeatInput", first, 0);
        SetInput("outBeatInput", first, 0);
        return;
    }
    const QList<uint> inBeats = beatsOf(s);
    const int inIndex = BeatPosition(s, inBeats, start.beat);
    SetInput("inBeatInput", BeatChoices(inBeats), inIndex);
    if (s > 0 && e < s) {
        SetInput("outBeatInput", BeatChoices(inBeats), inIndex);
        return;
    }
    const int outRow = e > 0 ? e : 0;
    const QList<uint> outBeats = beatsOf(outRow);
    SetInput("outBeatInput", BeatChoices(outBeats), BeatPosition(outRow, outBeats, end.beat));
}

void EditToolController::SetBeatModel(int row, bool inInput)
{
    QObject* input = WindowChild(inInput ? "inBeatInput" : "outBeatInput");
    if (input != nullptr)
        input->setProperty("model", BeatChoices(barList->getBeats(row).value<QList<uint>>()));
}

void EditToolController::onInBeatInputUpdateRequest(QVariant index)
{
    SetBeatModel(index.toInt(), true);
}

void EditToolController::onOutBeatInputUpdateRequest(QVariant index)
{
    SetBeatModel(index.toInt(), false);
}

void EditToolController::inBarBeatChanged_()
{
    try {
        QObject* window = QmlObject();
        QObject* inBar = WindowChild("inBarInput");
        QObject* inBeat = WindowChild("inBeatInput");
        if (window == nullptr || inBar == nullptr || inBeat == nullptr)
            return;
        if (inBar->property("displayText").toString().isEmpty())
            return;
        const int row = inBar->property("currentIndex").toInt();
        const int beatIndex = inBeat->property("currentIndex").toInt();
        if (row < 0 || beatIndex < 0 || row >= barList->rowCount())
            return;
        const QString bar = barList->BarAt(row);
        const QList<uint> beats = barList->getBeats(row).value<QList<uint>>();
        if (beatIndex >= beats.size())
            return;
        const std::uint32_t tick = barList->getTime(bar.toStdString(), static_cast<int>(beats[beatIndex])).toUInt();
        if (!window->property("isEdit").toBool()) {
            if (CL::Editor* editor = player->GetChangeLogEditor()) {
                const std::string id = editor->GetSuggestedEventIdAtTick(tick, static_cast<UInt8>(code));
                window->setProperty("eventId", QString::fromStdString(id));
            }
        }
        AfterBarBeatChanged();
    } catch (const std::exception& error) {
        std::cout << "Error: " << error.what() << std::endl;
    }
}

// Window values

void EditToolController::SetIntValue(std::uint32_t value)
{
    if (QObject* window = QmlObject()) {
        window->setProperty("intValue", static_cast<int>(value));
        window->setProperty("value", static_cast<int>(value));
    }
}

void EditToolController::SetStrValue(const std::string& value)
{
    if (QObject* window = QmlObject())
        window->setProperty("strValue", QString::fromStdString(value));
}

void EditToolController::SetInShiftMin(int minimumStartTick)
{
    QObject* window = QmlObject();
    if (window == nullptr)
        return;
    const std::int64_t distance = std::int64_t{minimumStartTick} - barList->LeadingTick();
    window->setProperty("inShiftMin", barList->HoldsLeadingEntry() && distance > 0 ? static_cast<int>(distance) : 0);
}

void EditToolController::ApplyInShiftLimits()
{
    QObject* window = QmlObject();
    QObject* inBar = WindowChild("inBarInput");
    QObject* inBeat = WindowChild("inBeatInput");
    if (window == nullptr || inBar == nullptr || inBeat == nullptr)
        return;
    const int row = inBar->property("currentIndex").toInt();
    const int beatIndex = inBeat->property("currentIndex").toInt();
    if (row < 0 || beatIndex < 0 || row >= barList->rowCount()) {
        window->setProperty("inShiftEnabled", false);
        return;
    }
    const QString bar = barList->BarAt(row);
    const QList<uint> beats = barList->getBeats(row).value<QList<uint>>();
    if (beatIndex >= beats.size())
        return;
    const uint beat = beats[beatIndex];
    const std::uint32_t tick = barList->getTime(bar.toStdString(), static_cast<int>(beat)).toUInt();
    const std::uint32_t available = player->GetAvailableShiftAfterBarBeat(tick, true);
    window->setProperty("inShiftMax", static_cast<int>(available));
    window->setProperty("inShiftEnabled", available != 0);
    const bool leading = barList->HoldsLeadingEntry() && bar == barList->LeadingBar() && beat == barList->LeadingBeat();
    const int shift = leading && minStartTick > barList->LeadingTick()
                          ? static_cast<int>(minStartTick - barList->LeadingTick())
                          : 0;
    // The slider clamps its value to the range it has when the value is written: limits first.
    window->setProperty("inShiftMin", shift);
    window->setProperty("inShift", shift);
}

void EditToolController::SetSfxProperties(const CL::SfxProperties& properties)
{
    QObject* window = QmlObject();
    if (window == nullptr)
        return;
    window->setProperty("name", QString::fromStdString(properties.name()));
    window->setProperty("effectIdIndex", QString::number(properties.effectIdIndex()));
    window->setProperty("volume", QString::number(properties.volume() * 100, 'g', 6));
    window->setProperty("pan", QString::number(properties.pan() * 100, 'g', 6));
    window->setProperty("reverb", QString::number(properties.reverb() * 100, 'g', 6));
    QMetaObject::invokeMethod(window, "setOutputPathIndexFromName",
                              Q_ARG(QVariant, QString::fromStdString(properties.outputPath())));
}

// Opening and requests

void EditToolController::OpenForNew(const TL::BarsBeats& start, const TL::BarsBeats& end)
{
    QObject* window = QmlObject();
    if (window == nullptr)
        return;
    SetBarInputs(start, end);
    SetBeatInputs(start, end);
    window->setProperty("visible", true);
}

void EditToolController::OpenForEdit(const cmn::VemoEvent* event, const PutValue& putValue)
{
    QObject* window = QmlObject();
    if (window == nullptr || event == nullptr)
        return;
    window->setProperty("isEdit", true);
    const TL::BarsBeats start = EditRecordAt(event->start());
    const TL::BarsBeats end = event->IsPairedEvent() ? EditRecordAt(event->end()) : start;
    SetBarInputs(start, end);
    SetBeatInputs(start, end);
    if (putValue)
        putValue(start);
    window->setProperty("eventId", QString::fromStdString(event->EventId()));
    window->setProperty("visible", true);
    editedEvent = CL::CopyVemoEvent(*event);
}

std::optional<std::pair<std::uint32_t, std::uint32_t>> EditToolController::RequestTicks(const QVariant& startBar,
                                                                                      const QVariant& startBeat,
                                                                                      const QVariant& endBar,
                                                                                      const QVariant& endBeat)
{
    if (startBar.toString().isEmpty() || endBar.toString().isEmpty()) {
        if (editController != nullptr)
            editController->ReportEditFailure("This song has no bars to place the event on.");
        return std::nullopt;
    }
    std::uint32_t start = barList->getTime(startBar.toString().toStdString(), startBeat.toInt()).toUInt();
    const std::uint32_t end = barList->getTime(endBar.toString().toStdString(), endBeat.toInt()).toUInt();
    start = std::max(start, player->GetCurrentStartTickIndex());
    return std::make_pair(start, end);
}

bool EditToolController::ApplyChange(std::uint32_t start, std::uint32_t end, const std::function<void()>& valueStep)
{
    if (editController == nullptr || !OnToolSong(true))
        return false;
    const bool moved = EditEventStartEndValues(editedEvent.get(), start, end);
    if (valueStep)
        valueStep();
    emit valuesUpdated();
    return moved;
}

std::string EditToolController::WindowEventId() const
{
    QObject* window = const_cast<EditToolController*>(this)->QmlObject();
    return window != nullptr ? window->property("eventId").toString().toStdString() : std::string();
}

} // namespace vemo::qt
