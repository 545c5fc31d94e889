import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui

// Labelled, framed list of file names that scrolls when it does not fit.
Item {
    id: root

    property alias text: label.text
    property alias value: list.model
    property alias model: list.model
    property alias theme: vemoTheme
    property int spacing: 5
    property int fontSize: 16

    implicitHeight: label.implicitHeight + list.implicitHeight
    implicitWidth: label.implicitWidth + list.implicitWidth

    VemoTheme { id: vemoTheme }

    Label {
        id: label
        textFormat: Text.PlainText
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        height: implicitHeight
        font.pixelSize: root.fontSize
        color: vemoTheme.default_text_color
    }

    Rectangle {
        objectName: "panel"
        anchors.top: label.bottom
        anchors.topMargin: root.spacing
        anchors.bottom: parent.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        color: vemoTheme.light_background_color
        border.width: 2
        border.color: vemoTheme.light_border_color
        radius: 2

        ListView {
            id: list
            objectName: "list"
            anchors.fill: parent
            anchors.margins: 2
            clip: true

            ScrollBar.vertical: CustomScrollBar {
                policy: ScrollBar.AsNeeded
            }

            delegate: Text {
                padding: 5
                text: modelData
                textFormat: Text.PlainText
                font.pixelSize: 14
                color: vemoTheme.default_text_color
            }
        }
    }
}
