import QtQuick
import QtQuick.Layouts

// Segmented level meter with a decibel read-out. `value` is the linear level (1.0 = 0 dB);
// anything that is not above 0 shows as silence.
Item {
    id: meter

    property real value: 0.0
    property int segments: 8
    property color startColor: "green"
    property color endColor: "lightgreen"
    property color darkSegmentColor: "#444"
    property int segmentHeight: 8
    property int spacing: Math.max(Math.ceil(segmentHeight * 0.10), Math.ceil(bar.width / segments * 0.05))
    property int radius: Math.ceil(segmentHeight * 0.10)
    property bool enableInnerGlow: true
    property real minDB: -60

    readonly property bool silent: !(value > 0)
    readonly property real fillFraction: silent ? 0 : Math.exp(20 * Math.log10(value) / 25)

    function interpolateColor(startColor, endColor, progress) {
        return Qt.rgba(startColor.r + (endColor.r - startColor.r) * progress,
                       startColor.g + (endColor.g - startColor.g) * progress,
                       startColor.b + (endColor.b - startColor.b) * progress,
                       startColor.a + (endColor.a - startColor.a) * progress)
    }

    RowLayout {
        anchors.fill: parent
        anchors.margins: 2

        Item {
            id: bar
            objectName: "bar"
            Layout.fillWidth: true
            Layout.preferredHeight: meter.segmentHeight

            Repeater {
                id: segmentRepeater
                objectName: "segments"
                model: meter.segments

                Rectangle {
                    readonly property real position: index / meter.segments
                    // A lit part never runs past its own segment.
                    readonly property real litWidth: position + 1 / meter.segments < meter.fillFraction
                                                     ? width
                                                     : Math.min(width, (meter.fillFraction - position)
                                                                * (bar.width - meter.spacing * (meter.segments - 1)))

                    x: index * bar.width / meter.segments
                    width: bar.width / meter.segments - meter.spacing
                    height: bar.height
                    radius: meter.radius
                    color: meter.darkSegmentColor

                    Rectangle {
                        id: lit
                        objectName: "lit"
                        width: Math.max(0, parent.litWidth)
                        height: parent.height
                        radius: meter.radius
                        visible: parent.litWidth > 0
                        color: meter.interpolateColor(meter.startColor, meter.endColor, parent.position)
                    }

                    // The lit part with its inner shadow, computed in one pass instead of blurred.
                    ShaderEffect {
                        objectName: "glow"
                        anchors.fill: lit
                        visible: meter.enableInnerGlow && lit.visible
                        property color color: "yellow"
                        property color partColor: lit.color
                        property size partSize: Qt.size(width, height)
                        fragmentShader: "qrc:/qt/qml/com/quorvane/vemo_ui/shaders/segment_glow.frag.qsb"
                    }
                }
            }
        }

        Text {
            objectName: "readout"
            Layout.preferredWidth: 35
            horizontalAlignment: Text.AlignRight
            font.pixelSize: 10
            color: "silver"
            text: meter.silent ? "-∞ dB" : Math.round(20 * Math.log10(meter.value)) + " dB"
        }
    }
}
