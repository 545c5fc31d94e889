import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import com.quorvane.vemo_ui

// File field with a "Choose" button; the field shows the chosen file's URL text without the
// leading "file://" and is not editable. The label is never shown.
Item {
    id: root

    property alias text: label.text
    property alias value: input.text
    property alias theme: vemoTheme
    property alias field: input.field
    property alias button: chooseButton
    property alias nameFilters: fileDialog.nameFilters
    property url fileUrl: Qt.resolvedUrl('.')
    property int spacing: 10
    property int fontSize: 16

    implicitHeight: label.implicitHeight + spacing + input.implicitHeight
    implicitWidth: label.implicitWidth + input.implicitWidth

    VemoTheme { id: vemoTheme }

    Label {
        id: label
        textFormat: Text.PlainText
        height: 0
        visible: false
        text: "Label"
        font.pixelSize: root.fontSize
    }

    RecessedTextInput {
        id: input
        anchors.top: parent.top
        anchors.topMargin: root.spacing
        anchors.left: parent.left
        anchors.right: chooseButton.left
        anchors.rightMargin: root.spacing
        editable: false
    }

    FlatButton {
        id: chooseButton
        width: 60
        anchors.right: parent.right
        anchors.top: input.top
        anchors.bottom: input.bottom
        text: "Choose"
        onClicked: fileDialog.open()
        Keys.onReturnPressed: fileDialog.open()
    }

    FileDialog {
        id: fileDialog
        objectName: "fileDialog"
        modality: Qt.WindowModal
        onAccepted: {
            if (String(selectedFile) === "")
                return
            root.fileUrl = selectedFile
            root.value = String(selectedFile).replace("file://", "")
            root.textChanged()
        }
    }
}
