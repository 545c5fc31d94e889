import QtQuick
import QtQuick.Controls
import Qt5Compat.GraphicalEffects

// Flat progress bar whose leading edge carries a short glint after every change of `value`.
ProgressBar {
    id: control

    property color fillColor: "#26a5de"
    property color backgroundColor: "#525252"
    property int boxRadius: 3
    property int barHeight: 12
    property var lastUpdateTime: Date()

    onValueChanged: {
        lastUpdateTime = Date.now()
        glint.restart()
    }
    Component.onCompleted: glint.restart()

    background: Rectangle {
        implicitHeight: control.barHeight
        color: control.backgroundColor
        radius: control.boxRadius
    }

    contentItem: Item {
        implicitHeight: control.barHeight
        clip: true

        Rectangle {
            id: filled
            objectName: "filled"
            width: control.visualPosition * parent.width
            height: parent.height
            radius: control.boxRadius
            color: control.fillColor
            clip: true

            Rectangle {
                id: tip
                objectName: "tip"
                readonly property real barWidth: control.contentItem ? control.contentItem.width : 0
                x: filled.width - width
                width: control.visualPosition * 64 > control.boxRadius ? control.visualPosition * 64 : 0
                height: parent.height
                radius: control.visualPosition * barWidth <= control.boxRadius
                        || (1 - control.visualPosition) * barWidth <= control.boxRadius ? control.boxRadius : 0
                color: control.fillColor
            }

            // Drawn over the tip, in its shape; a sibling, so that it never samples itself.
            LinearGradient {
                objectName: "glint"
                anchors.fill: tip
                source: tip
                start: Qt.point(0, 0)
                end: Qt.point(tip.width, 0)
                gradient: Gradient {
                    GradientStop { position: 0.0; color: control.fillColor }
                    GradientStop { id: movingStop; position: 0.0; color: control.fillColor }
                    GradientStop { position: 1.0; color: Qt.lighter(control.fillColor, 1.6) }
                }
            }
        }

        NumberAnimation {
            id: glint
            target: movingStop
            property: "position"
            from: 0.0
            to: tip.width > 0 ? (tip.width - 1) / tip.width : 0.0
            duration: 1000
        }
    }
}
