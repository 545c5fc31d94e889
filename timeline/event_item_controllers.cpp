#include "timeline/event_item_controllers.h"

#include "timeline/document_access.h"

#include <QUrl>
#include <QVariant>

#include <utility>

namespace vemo::qt {

namespace {

const char* const kRegionUrl = "qrc:/qt/qml/com/quorvane/musical_ui/qml/TimeRegion.qml";
const char* const kCaesuraUrl = "qrc:/qt/qml/com/quorvane/musical_ui/qml/TimeLineCaesura.qml";
const char* const kMarkerUrl = "qrc:/qt/qml/com/quorvane/musical_ui/qml/TimeLineMarker.qml";
const char* const kGlyphUrl = "qrc:/qt/qml/com/quorvane/musical_ui/qml/TimeLineGlyph.qml";

// Double clicks and two-value drags of the caesura, marker and glyph documents.
void ConnectPointItem(QObject* document, VemoEventController* controller)
{
    ConnectDocument(document, SIGNAL(doubleClicked()), controller, SLOT(DoubleClicked_()));
    ConnectDocument(document, SIGNAL(dragged(int,int)), controller, SLOT(Dragged_(int,int)));
}

} // namespace

const std::map<int, QString>& RegionColours::Table()
{
    static const std::map<int, QString> colours = {
        {0, "#DC143C"}, {1, "#6e3493"}, {2, "#DAA520"}, {3, "#00BFFF"},
        {4, "#0d6d97"}, {5, "#FFFF00"}, {6, "#3da893"}, {8, "#FF66CC"},
    };
    return colours;
}

QString RegionColours::For(int kind)
{
    const auto found = Table().find(kind);
    return found == Table().end() ? QString("#cccccc") : found->second;
}

VemoEventController::VemoEventController(const cmn::VemoEvent* itemEvent, bool isEditable, QQmlEngine* qmlEngine,
                                         std::string url, QObject* parentItem)
    : QmlController(qmlEngine, QUrl(QString::fromStdString(url)), parentItem, true, {})
    , event(itemEvent)
{
    if (QmlObject() == nullptr)
        return;
    SetEditable(isEditable);
    ConnectDocument(QmlObject(), SIGNAL(clicked()), this, SLOT(Clicked_()));
}

void VemoEventController::Write(const char* property, const QVariant& value)
{
    if (QObject* document = QmlObject())
        document->setProperty(property, value);
}

void VemoEventController::SetSelected(bool isSelected)
{
    selected = isSelected;
    Write("selected", selected);
}

void VemoEventController::SetEditable(bool isEditable)
{
    if (isEditable == editable)
        return;
    editable = isEditable;
    Write("editable", editable);
}

void VemoEventController::ApplyViewScale(double scale)
{
    Write("viewScale", scale);
}

void VemoEventController::Clicked_()
{
    SetSelected(!selected);
    emit SelectedSignal(event);
}

void VemoEventController::DoubleClicked_()
{
    emit DoubleClickedSignal();
}

void VemoEventController::Dragged_(int start, int end, bool adjustLeft, bool adjustRight)
{
    emit DraggedSignal(event, start, end, adjustLeft, adjustRight);
}

TimeRegionController::TimeRegionController(const cmn::VemoEvent* event, bool editable, std::string, int position,
                                           int width, int regionKind, QQmlEngine* engine, QObject* parentItem)
    : VemoEventController(event, editable, engine, kRegionUrl, parentItem)
    , kind(regionKind)
{
    QObject* document = QmlObject();
    if (document == nullptr)
        return;
    ConnectDocument(document, SIGNAL(dragged(int,int,bool,bool)), this, SLOT(Dragged_(int,int,bool,bool)));
    ConnectDocument(document, SIGNAL(doubleClicked()), this, SLOT(DoubleClicked_()));
    ConnectDocument(this, SIGNAL(SetBasePosition(int)), document, SIGNAL(basePositionSet(int)));
    ConnectDocument(this, SIGNAL(SetViewScale(double)), document, SIGNAL(viewScaleSet(double)));
    Write("baseWidth", width);
    emit SetBasePosition(position);
    Write("baseColor", RegionColours::For(kind));
}

TimeLineCaesuraController::TimeLineCaesuraController(const cmn::VemoEvent* event, bool editable, int position,
                                                     QQmlEngine* engine, QObject* parentItem)
    : VemoEventController(event, editable, engine, kCaesuraUrl, parentItem)
{
    if (QmlObject() == nullptr)
        return;
    ConnectPointItem(QmlObject(), this);
    Write("basePosition", position);
}

TimeLineMarkerController::TimeLineMarkerController(const cmn::VemoEvent* event, bool editable, std::string label,
                                                   int position, QQmlEngine* engine, QObject* parentItem)
    : VemoEventController(event, editable, engine, kMarkerUrl, parentItem)
{
    if (QmlObject() == nullptr)
        return;
    Write("labelText", QString::fromStdString(label));
    Write("basePosition", position);
    ConnectPointItem(QmlObject(), this);
}

void TimeLineMarkerController::SetVisibleLabel(bool visible)
{
    Write("visibleLabel", visible);
}

TimeLineGlyphController::TimeLineGlyphController(const cmn::VemoEvent* event, bool editable, int position,
                                                 QQmlEngine* engine, QObject* parentItem, const QString& glyphPath,
                                                 bool enableOsc)
    : VemoEventController(event, editable, engine, kGlyphUrl, parentItem)
{
    if (QmlObject() == nullptr)
        return;
    ConnectPointItem(QmlObject(), this);
    Write("basePosition", position);
    Write("enableOsc", enableOsc);
    if (!glyphPath.isEmpty())
        Write("glyphPath", glyphPath);
}

} // namespace vemo::qt
