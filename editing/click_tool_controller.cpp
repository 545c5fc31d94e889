#include "editing/click_tool_controller.h"

#include <vemo_core/codes.h>
#include <vemo_core/events.h>

#include <algorithm>

namespace vemo::qt {

namespace {

// The text an input shows for its current entry. Read through the entry, not `displayText`: the
// inputs announce a new current entry before their display text follows it.
QString ShownText(const QObject* input)
{
    if (input == nullptr)
        return {};
    auto* combo = input->property("comboControl").value<QObject*>();
    const int index = input->property("currentIndex").toInt();
    QString text;
    if (combo != nullptr && index >= 0)
        QMetaObject::invokeMethod(combo, "textAt", Q_RETURN_ARG(QString, text), Q_ARG(int, index));
    return text;
}

} // namespace

ClickToolController::ClickToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                         EditController* editController, QObject* parentWindow)
    : IntValueToolController(engine, ToolDocument("ClickTool.qml"), editController, std::move(player),
                             static_cast<char>(codes::kClick), parentWindow, false)
{
}

void ClickToolController::ConnectDocument()
{
    ConnectToolWindow(SIGNAL(changeClickRequest(QString,int,QString,int,int)),
                      SLOT(onClickChangeRequest(QString,int,QString,int,int)),
                      SIGNAL(createClickRequest(QString,int,QString,int,int)),
                      SLOT(onClickCreationRequest(QString,int,QString,int,int)), SIGNAL(clickToolClosing()),
                      SLOT(onClickToolClosing()), true);
    if (QObject* window = QmlObject())
        ConnectWindow(window, SIGNAL(updateAvailableClicks()), SLOT(updateClicksModel()));
}

TL::BarsBeats ClickToolController::EditRecordAt(std::uint32_t tick) const
{
    return player->GetBarBeatByTick(tick, false, true);
}

std::vector<int> ClickToolController::AvailableClickValues()
{
    // Beat texts that are not numbers read as beat 0, which getTime answers with the bar's first tick.
    const auto tickOf = [this](const char* barInput, const char* beatInput) {
        const std::string bar = ShownText(WindowChild(barInput)).toStdString();
        return BarList().getTime(bar, ShownText(WindowChild(beatInput)).toInt()).toUInt();
    };
    return player->GetClickValues(tickOf("inBarInput", "inBeatInput"), tickOf("outBarInput", "outBeatInput"));
}

void ClickToolController::updateClicksModel()
{
    QObject* window = QmlObject();
    if (window == nullptr)
        return;
    QVariantList values;
    for (const int value : AvailableClickValues())
        values.append(value);
    window->setProperty("clickCountModel", values);
    window->setProperty("clickCountIndex", 0);
}

void ClickToolController::onClickButtonClicked(TL::BarsBeats startBarsBeats, TL::BarsBeats endBarsBeats)
{
    if (QmlObject() == nullptr)
        return;
    // The window's range signals reach updateClicksModel only once the document is connected.
    SetBarInputs(startBarsBeats, endBarsBeats);
    SetBeatInputs(startBarsBeats, endBarsBeats);
    updateClicksModel();
    QmlObject()->setProperty("visible", true);
}

void ClickToolController::onClickCreationRequest(QString startBar, int startBeat, QString endBar, int endBeat,
                                                 int count)
{
    RequestValueCreation(startBar, startBeat, endBar, endBeat, count,
                         [](UInt32 start, UInt32 end, std::string id, int value) {
                             return std::make_unique<CL::Click>(start, end, std::move(id), value);
                         });
}

void ClickToolController::onClickEdit(cmn::VemoEvent* event)
{
    if (event == nullptr)
        return;
    const int stored = event->int_value();
    OpenForEdit(event, [this, stored](const TL::BarsBeats&) {
        updateClicksModel();
        const std::vector<int> values = AvailableClickValues();
        const auto found = std::find(values.begin(), values.end(), stored);
        if (found != values.end())
            QmlObject()->setProperty("clickCountIndex", static_cast<int>(found - values.begin()));
    });
}

void ClickToolController::onClickChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat,
                                               int count)
{
    RequestValueChange(startBar, startBeat, endBar, endBeat, count);
}

void ClickToolController::onClickToolClosing()
{
    emit clickToolClosing();
}

} // namespace vemo::qt
