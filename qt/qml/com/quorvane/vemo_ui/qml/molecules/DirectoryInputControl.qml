import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import com.quorvane.vemo_ui

// Labelled folder field with a "Choose" button. A chosen folder is shown as its URL text,
// percent-decoded (`decodeURI`), without the leading "file://".
Item {
    id: root

    property alias text: label.text
    property alias value: input.text
    property alias theme: vemoTheme
    property alias field: input.field
    property alias button: chooseButton
    property int spacing: 10
    property int fontSize: 16

    implicitHeight: label.implicitHeight + spacing + input.implicitHeight
    implicitWidth: label.implicitWidth + input.implicitWidth

    VemoTheme { id: vemoTheme }

    Label {
        id: label
        textFormat: Text.PlainText
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        height: implicitHeight
        text: "Label"
        font.pixelSize: root.fontSize
        color: vemoTheme.default_text_color
    }

    RecessedTextInput {
        id: input
        anchors.top: label.bottom
        anchors.topMargin: root.spacing
        anchors.left: parent.left
        anchors.right: chooseButton.left
        anchors.rightMargin: root.spacing
        onTextEdited: root.textChanged()
    }

    FlatButton {
        id: chooseButton
        width: 80
        anchors.right: parent.right
        anchors.top: input.top
        anchors.bottom: input.bottom
        text: "Choose"
        onClicked: folderDialog.open()
        Keys.onReturnPressed: folderDialog.open()
    }

    FolderDialog {
        id: folderDialog
        objectName: "folderDialog"
        modality: Qt.WindowModal
        onAccepted: {
            let chosen = String(selectedFolder)
            if (chosen === "")
                return
            try {
                chosen = decodeURI(chosen)
            } catch (malformedEscape) {
                // Keep the text as it is rather than lose the choice.
            }
            root.value = chosen.replace("file://", "")
            root.textChanged()
        }
    }
}
