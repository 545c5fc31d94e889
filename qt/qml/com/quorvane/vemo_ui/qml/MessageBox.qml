import QtQuick
import QtQuick.Layouts

// Plain read-only report page shown in a window of its own.
Item {
    id: messageBox

    property alias text: mboxText.text

    width: 500
    height: 500

    ColumnLayout {
        anchors.fill: parent

        Text {
            id: mboxText
            textFormat: Text.PlainText
            Layout.alignment: Qt.AlignTop
        }
    }
}
