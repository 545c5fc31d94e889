#pragma once

#include "app/qml_controller.h"

#include <vemo_core/vemo_event.h>

#include <QString>

#include <map>
#include <string>

class QQmlEngine;

namespace vemo::qt {

// The colour of each region kind; kinds without an entry are drawn in "#cccccc".
struct RegionColours {
    static const std::map<int, QString>& Table();
    static QString For(int kind);
};

// One change-log event on the timeline: loads the item's document as a child of a row item and turns
// its clicks, double clicks and drags into signals that carry the event. Without a document (it did
// not load) the controller does nothing; its creator drops it.
class VemoEventController : public QmlController {
    Q_OBJECT

public:
    VemoEventController(const cmn::VemoEvent* event, bool editable, QQmlEngine* engine, std::string url,
                        QObject* parentItem);

    const cmn::VemoEvent* Event() const { return event; }
    bool IsSelected() const { return selected; }
    // Always writes the document's `selected`.
    void SetSelected(bool isSelected);
    // Writes the document's `editable` only when the flag changes.
    void SetEditable(bool isEditable);
    // Writes the document's `viewScale`.
    void ApplyViewScale(double scale);

signals:
    void SelectedSignal(const cmn::VemoEvent* event);
    void DoubleClickedSignal();
    void DraggedSignal(const cmn::VemoEvent* event, int start, int end, bool adjustLeft, bool adjustRight);

public slots:
    virtual void Clicked_();
    virtual void DoubleClicked_();
    virtual void Dragged_(int start, int end, bool adjustLeft = false, bool adjustRight = false);

protected:
    void Write(const char* property, const QVariant& value);

private:
    const cmn::VemoEvent* event = nullptr;
    bool editable = false;
    bool selected = false;
};

// A region event (start and end) drawn as a coloured bar that can be moved and resized.
class TimeRegionController : public VemoEventController {
    Q_OBJECT

public:
    TimeRegionController(const cmn::VemoEvent* event, bool editable, std::string kindName, int position, int width,
                         int kind, QQmlEngine* engine, QObject* parentItem);

    int Kind() const { return kind; }

signals:
    void SetBasePosition(int position);
    void SetViewScale(double scale);

private:
    int kind = 0;
};

// A caesura icon.
class TimeLineCaesuraController : public VemoEventController {
    Q_OBJECT

public:
    TimeLineCaesuraController(const cmn::VemoEvent* event, bool editable, int position, QQmlEngine* engine,
                              QObject* parentItem);
};

// A text label that shrinks to a diamond: markers, and the key, tempo and meter labels (no event).
class TimeLineMarkerController : public VemoEventController {
public:
    TimeLineMarkerController(const cmn::VemoEvent* event, bool editable, std::string label, int position,
                             QQmlEngine* engine, QObject* parentItem);

    // Label form (true) or diamond form (false).
    void SetVisibleLabel(bool visible);
};

// An icon for a sound-effect or OSC cue; an empty image path keeps the document's sound-effect icon.
class TimeLineGlyphController : public VemoEventController {
public:
    TimeLineGlyphController(const cmn::VemoEvent* event, bool editable, int position, QQmlEngine* engine,
                            QObject* parentItem, const QString& glyphPath, bool enableOsc);
};

} // namespace vemo::qt
