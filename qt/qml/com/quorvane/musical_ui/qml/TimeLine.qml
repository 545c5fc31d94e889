pragma ComponentBehavior: Bound

import QtQuick
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The timeline of the current song: row labels and zoom buttons on the left, and a scrolling
// area with the bars and beats ruler, the event rows, the range selection and the playhead.
// Positions are timeline units; inside the content a unit is `viewScale` pixels, and unit 0
// starts `paddingBeforeTimelineStart` pixels from the content's left edge.
Rectangle {
    id: timeline

    property int rowSize: 16
    property int rowSpacing: 10
    property double scaleDeltaHighRes: 1.0
    property double minScale: 0.15
    property double maxScale: 4.0
    property double viewScale: 1.0
    property double scrollDelta: 1.0
    property bool enableZoomAnimation: false

    property var keyMarkersBar: ({})
    property var tempoMarkersBar: ({})
    property var meterMarkersBar: ({})
    property var markersBar: ({})
    property var editsBar: ({})
    property var effectBar: ({})
    property var sfxBar: ({})
    property var ambientSfxBar: ({})

    property int selectionStart: 0
    property int selectionEnd: 0
    property bool selecting: true
    property bool selectingStart: true
    property bool selectionActive: false

    property var playheadItem: playhead
    property var barsRegion: rulerArea
    property int baseWidth: 0
    property int viewStart: mainFlick.contentX / viewScale
    property int viewEnd: (mainFlick.contentX - content.x + mainFlick.width) / viewScale
    property int paddingBeforeTimelineStart: 30
    property bool sfxEnable: false

    readonly property double maxContentX: Math.max(0, mainFlick.contentWidth - mainFlick.width)

    signal setViewStart(int val)
    signal timelineScaleChanged(double val, bool initializing)
    signal timelineClicked(int pos)

    function calculateScaledPosition(position) {
        return (position / viewScale) * 25
    }

    function zoomin(delta, doAnimation) {
        enableZoomAnimation = doAnimation
        viewScale = viewScale + delta < maxScale ? viewScale + delta : maxScale
        enableZoomAnimation = false
    }

    function zoomout(delta, doAnimation) {
        enableZoomAnimation = doAnimation
        viewScale = viewScale - delta > minScale ? viewScale - delta : minScale
        enableZoomAnimation = false
    }

    function selectLargestWithSign(a, b) {
        return Math.abs(a) >= Math.abs(b) ? a : b
    }

    function scrollTo(contentX) {
        mainFlick.contentX = Math.min(Math.max(contentX, 0), maxContentX)
    }

    onSetViewStart: val => mainFlick.contentX = val * viewScale
    onViewScaleChanged: timelineScaleChanged(viewScale, false)

    Behavior on viewScale {
        enabled: timeline.enableZoomAnimation
        NumberAnimation { duration: 250; easing.type: Easing.InOutQuad }
    }

    Component.onCompleted: {
        keyMarkersBar = keyRow
        tempoMarkersBar = tempoRow
        meterMarkersBar = meterRow
        markersBar = markersRow
        editsBar = editsRow
        effectBar = effectsRow
        sfxBar = effectsRow
        ambientSfxBar = ambientRow
    }

    color: theme.default_bg_color

    VemoTheme { id: theme }

    Rectangle {
        id: scrollArea
        objectName: "scrollArea"
        anchors.left: labelColumn.right
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: scrollBar.top
        color: theme.light_background_color

        Rectangle {
            objectName: "startStrip"
            width: timeline.paddingBeforeTimelineStart
            height: parent.height
            color: "#2b2b2b"
        }

        // Behind the flickable: wheel scrolling and zoom, and dragging the view with the right button.
        MouseArea {
            id: wheelArea
            objectName: "wheelArea"
            property real dragStartContentX: 0
            property real dragStartX: 0

            anchors.fill: parent
            acceptedButtons: Qt.RightButton

            onPressed: mouse => {
                dragStartContentX = mainFlick.contentX
                dragStartX = mouse.x
            }
            onPositionChanged: mouse => timeline.scrollTo(dragStartContentX - (mouse.x - dragStartX))
            onWheel: wheel => {
                if (wheel.modifiers & Qt.ControlModifier) {
                    if (wheel.angleDelta.y > 0)
                        timeline.zoomin(timeline.scaleDeltaHighRes / 12, false)
                    else
                        timeline.zoomout(timeline.scaleDeltaHighRes / 12, false)
                } else if (timeline.scrollDelta !== 0 && wheel.angleDelta.y !== 0) {
                    const step = timeline.selectLargestWithSign(wheel.angleDelta.x, wheel.angleDelta.y) < 0 ? -25 : 25
                    timeline.scrollTo(mainFlick.contentX + step)
                }
            }
        }

        Flickable {
            id: mainFlick
            objectName: "mainFlick"
            anchors.fill: parent
            interactive: false
            clip: true
            contentWidth: content.width
            contentHeight: height

            Rectangle {
                id: content
                objectName: "content"
                x: timeline.paddingBeforeTimelineStart
                width: timeline.baseWidth * timeline.viewScale
                height: mainFlick.height
                color: theme.light_background_color

                Rectangle {
                    objectName: "selection"
                    x: timeline.selectionStart * timeline.viewScale
                    z: 150000
                    width: (timeline.selectionEnd - timeline.selectionStart) * timeline.viewScale > 0
                           ? (timeline.selectionEnd - timeline.selectionStart) * timeline.viewScale : 1
                    height: parent.height
                    color: "silver"
                    opacity: 0.10
                    visible: timeline.selectionActive
                }

                MouseArea {
                    objectName: "selectionArea"
                    anchors.fill: parent

                    onPressed: mouse => {
                        const unit = mouse.x / timeline.viewScale
                        timeline.selectionActive = !(timeline.selectionActive && unit >= timeline.selectionStart
                                                     && unit <= timeline.selectionEnd)
                        timeline.selecting = true
                        timeline.selectingStart = false
                        timeline.selectionStart = unit
                        timeline.selectionEnd = unit
                    }
                    onPositionChanged: mouse => {
                        const unit = mouse.x / timeline.viewScale
                        if (!timeline.selectingStart && unit < timeline.selectionStart) {
                            timeline.selectionEnd = timeline.selectionStart
                            timeline.selectionStart = unit
                            timeline.selectingStart = true
                        } else if (timeline.selectingStart && unit > timeline.selectionEnd) {
                            timeline.selectionStart = timeline.selectionEnd
                            timeline.selectionEnd = unit
                            timeline.selectingStart = false
                        } else if (timeline.selectingStart) {
                            timeline.selectionStart = unit
                        } else {
                            timeline.selectionEnd = unit
                        }
                    }
                    onReleased: mouse => {
                        timeline.selecting = false
                        timeline.selectingStart = true
                        if (timeline.selectionStart !== timeline.selectionEnd)
                            return
                        timeline.selectionActive = false
                        timeline.timelineClicked(mouse.x / timeline.viewScale)
                    }
                }

                Item {
                    id: rulerArea
                    objectName: "barsRegion"

                    property alias audioFadeBoxControl: audioFadeBox
                    property alias audioInBoxControl: audioInBox
                    property alias audioutBoxControl: audioOutBox
                    property int audioFadeRegionWidth: 0
                    property int audioFadeRegionPos: 0
                    property int audioInRegionWidth: 0
                    property int audioInRegionPos: 0
                    property int audioOutRegionWidth: 0
                    property int audioOutRegionPos: 0
                    property bool shiftRegion: true
                    property int doubleBarIndicatorWidth: 4
                    property color audioRegionColor: "#2b2b2b"
                    property color audioRegionColorFaded: Qt.rgba(0x2b / 255, 0x2b / 255, 0x2b / 255, 0.15)

                    anchors.fill: parent

                    Rectangle {
                        id: audioFadeBox
                        objectName: "audioFadeBox"
                        readonly property int shift: rulerArea.shiftRegion ? rulerArea.doubleBarIndicatorWidth : 0
                        x: rulerArea.audioFadeRegionPos * timeline.viewScale + shift
                        width: rulerArea.audioFadeRegionWidth * timeline.viewScale - shift
                        height: rulerArea.height
                        gradient: Gradient {
                            orientation: Gradient.Horizontal
                            GradientStop { position: 0; color: rulerArea.audioRegionColor }
                            GradientStop { position: 1; color: rulerArea.audioRegionColorFaded }
                        }
                    }

                    Rectangle {
                        id: audioOutBox
                        objectName: "audioOutBox"
                        x: rulerArea.audioOutRegionPos * timeline.viewScale
                        width: rulerArea.audioOutRegionWidth * timeline.viewScale
                        height: rulerArea.height
                        color: rulerArea.audioRegionColor
                    }

                    Rectangle {
                        id: audioInBox
                        objectName: "audioInBox"
                        x: rulerArea.audioInRegionPos * timeline.viewScale
                        width: rulerArea.audioInRegionWidth * timeline.viewScale
                        height: rulerArea.height
                        color: rulerArea.audioRegionColor
                    }
                }

                // The rows the items are placed on; the ruler's labels show on the first.
                Column {
                    objectName: "rows"
                    y: 8
                    width: parent.width
                    spacing: timeline.rowSpacing

                    Item { objectName: "Bars:Beats"; width: parent.width; height: timeline.rowSize }
                    Item { id: keyRow; objectName: "Key"; width: parent.width; height: timeline.rowSize }
                    Item { id: tempoRow; objectName: "Tempo"; width: parent.width; height: timeline.rowSize }
                    Item { id: meterRow; objectName: "Meter"; width: parent.width; height: timeline.rowSize }
                    Item { id: markersRow; objectName: "Markers"; width: parent.width; height: timeline.rowSize }
                    Item { id: editsRow; objectName: "Edits"; width: parent.width; height: timeline.rowSize }
                    Item { id: effectsRow; objectName: "Primary FX"; width: parent.width; height: timeline.rowSize }
                    Item { id: ambientRow; objectName: "Ambient FX"; width: parent.width; height: timeline.rowSize }
                }

                Playhead {
                    id: playhead
                    objectName: "playhead"
                }
            }
        }
    }

    BlurredShadow {
        objectName: "labelShadow"
        target: labelColumn
        horizontalOffset: 4
        verticalOffset: 0
        radius: 18
        samples: 34
        color: "#A0000000"
    }

    Rectangle {
        id: labelColumn
        objectName: "labelColumn"
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        width: 90
        color: theme.default_bg_color

        Column {
            anchors.fill: parent
            anchors.margins: 8
            spacing: timeline.rowSpacing

            Repeater {
                objectName: "rowLabels"
                model: timeline.sfxEnable
                       ? ["Bars:Beats", "Key", "Tempo", "Meter", "Markers", "Events", "Primary FX", "Ambient FX"]
                       : ["Bars:Beats", "Key", "Tempo", "Meter", "Markers", "Events", "Effects"]

                Text {
                    required property string modelData
                    width: parent.width
                    height: timeline.rowSize
                    text: modelData
                    horizontalAlignment: Text.AlignRight
                    color: theme.light_text_color
                    font: theme.default_font
                }
            }

            Row {
                objectName: "zoomButtons"
                anchors.right: parent.right
                spacing: 5

                FlatButton {
                    objectName: "zoomOutButton"
                    text: "-"
                    toolTip.text: "Zoom out timeline"
                    onReleased: timeline.zoomout(0.6, true)
                }

                FlatButton {
                    objectName: "zoomInButton"
                    text: "+"
                    toolTip.text: "Zoom in timeline"
                    onReleased: timeline.zoomin(0.6, true)
                }
            }
        }
    }

    CustomScrollBar {
        id: scrollBar
        objectName: "scrollBar"
        anchors.left: labelColumn.right
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 20
        orientation: Qt.Horizontal
        hoverEnabled: true
        active: hovered || pressed
        size: mainFlick.contentWidth > 0 ? mainFlick.width / mainFlick.contentWidth : 1
        position: mainFlick.contentWidth > 0 ? mainFlick.contentX / mainFlick.contentWidth : 0

        onPositionChanged: {
            if (!mainFlick.moving)
                mainFlick.contentX = position * mainFlick.contentWidth
        }
    }
}
