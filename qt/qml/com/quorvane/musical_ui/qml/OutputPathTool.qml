import QtQuick
import QtQuick.Window
import com.quorvane.vemo_ui

// The dialog in which an output path is named and given a device, both to create a path and to
// edit one. OK sends the name as typed, even an empty one; the manager makes new names unique.
EditTool {
    id: tool

    property alias pathName: nameField.text
    property alias pathDevice: deviceCombo.currentValue
    property alias pathDeviceIndex: deviceCombo.currentIndex
    property var deviceList: ['Speaker 1', 'Speaker 2']

    signal changePathRequest(string pathName, string pathDevice)
    signal createPathRequest(string pathName, string pathDevice)
    signal pathToolClosing()

    // Makes the entry with this text current; a text no entry has leaves the choice as it was.
    function selectDevice(pathDevice) {
        const index = deviceCombo.indexOfValue(pathDevice)
        if (index !== -1)
            deviceCombo.currentIndex = index
    }

    title: isEdit ? qsTr("Edit Output Path") : qsTr("Create Output Path")
    width: 250
    height: 250
    modality: Qt.ApplicationModal
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint

    onWindowClosing: pathToolClosing()
    Component.onCompleted: nameField.forceActiveFocus()

    Text {
        id: nameLabel
        x: 10
        y: 15
        text: qsTr("Output Path Name")
        color: tool.theme.default_text_color
        font: tool.theme.default_font
    }

    RecessedTextInput {
        id: nameField
        objectName: "pathNameInput"
        anchors.top: nameLabel.bottom
        anchors.topMargin: 15
        x: 10
        width: tool.width - 20
    }

    Text {
        id: deviceLabel
        anchors.top: nameField.bottom
        anchors.topMargin: 15
        x: 10
        text: qsTr("Output Device")
        color: tool.theme.default_text_color
        font: tool.theme.default_font
    }

    CustomComboBox {
        id: deviceCombo
        objectName: "pathDeviceInput"
        anchors.top: deviceLabel.bottom
        anchors.topMargin: 5
        x: 10
        width: tool.width - 20
        model: tool.deviceList
    }

    StandardEditButtons {
        objectName: "editButtons"
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 15
        anchors.horizontalCenter: parent.horizontalCenter

        onOkayClicked: {
            if (tool.isEdit)
                tool.changePathRequest(nameField.text, deviceCombo.currentValue)
            else
                tool.createPathRequest(nameField.text, deviceCombo.currentValue)
            tool.close()
        }
        onCancelClicked: tool.close()
    }
}
