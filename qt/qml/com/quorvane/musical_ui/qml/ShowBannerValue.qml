import QtQuick
import QtQuick.Layouts

// A label and its value on one line, on a rounded background that shows only while either text is
// set. An empty value drops out of the row; an empty label keeps the row one line high.
Item {
    id: field

    property int spaceAroundText: 0
    property color labelColor: "#959595"
    property color backgroundColor: "transparent"
    property color valueColor: "white"
    property int labelFontSize: 12
    property real barBackgroundOpacity: 1.0
    property alias labelText: label.text
    property alias valueText: value.text

    implicitHeight: row.implicitHeight + 2 * spaceAroundText
    implicitWidth: row.implicitWidth + 4 * spaceAroundText

    Rectangle {
        objectName: "background"
        anchors.fill: parent
        radius: 3
        opacity: field.barBackgroundOpacity
        color: field.labelText !== "" || field.valueText !== "" ? field.backgroundColor : "transparent"
    }

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.topMargin: field.spaceAroundText
        anchors.bottomMargin: field.spaceAroundText
        anchors.leftMargin: 2 * field.spaceAroundText
        anchors.rightMargin: 2 * field.spaceAroundText

        Text {
            id: label
            objectName: "label"
            textFormat: Text.PlainText
            color: field.labelColor
            font.pixelSize: field.labelFontSize
        }
        Text {
            id: value
            objectName: "value"
            Layout.fillWidth: true
            textFormat: Text.PlainText
            color: field.valueColor
            font.pixelSize: field.labelFontSize
            visible: text !== ""
        }
    }
}
