import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import QtQuick.Layouts
import QtQuick.Window
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The OSC settings of the program, the show's network destinations and the QLab patch export.
// Destinations are deleted here in the model; everything else goes to the controller.
Window {
    id: root

    property alias oscListenPortString: portField.text
    property alias oscEnabled: enabledBox.checked
    property alias networkModel: networkList.model
    property string defaultQLabLocation: ""
    property int rowHeight: 35
    property alias networkEditor: networkEditor
    property alias folderDialog: folderDialog
    property alias networkList: networkList

    signal exportQLab(string exportFolder)
    signal okay()
    signal createNetwork(string ip, int port, string mode, string name)
    signal editNetwork(int index, string ip, int port, string mode, string name, string networkId)
    signal deleteButton()

    title: "OSC Manager"
    visible: false
    modality: Qt.ApplicationModal
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    color: theme.default_bg_color
    width: 550
    height: content.implicitHeight + 32
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height

    onDeleteButton: {
        if (networkList.currentIndex !== -1)
            networkModel.removeRows(networkList.currentIndex, 1)
    }

    VemoTheme { id: theme }

    ColumnLayout {
        id: content
        objectName: "content"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 16
        spacing: 8
        focus: true

        Keys.onReturnPressed: root.okay()
        Keys.onEscapePressed: root.close()

        Label {
            text: "Application OSC Settings"
            font: theme.heavy_label
            color: theme.light_text_color
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: settingsColumn.implicitHeight + 32
            color: Qt.lighter(theme.default_bg_color, 1.25)

            ColumnLayout {
                id: settingsColumn
                anchors.fill: parent
                anchors.margins: 16
                spacing: 15

                CustomCheckbox {
                    id: enabledBox
                    objectName: "enabledBox"
                    checkboxTextStr: "Allow incoming OSC connections"
                }

                RowLayout {
                    Label {
                        text: "OSC Listening Port:"
                        font: theme.default_font
                        color: theme.default_text_color
                    }
                    RecessedTextInput {
                        id: portField
                        objectName: "portField"
                        Layout.preferredWidth: 75
                        backgroundColor: theme.light_background_color
                        text: ""
                    }
                    Label {
                        text: "(UDP)"
                        font: theme.default_font
                        color: theme.default_text_color
                    }
                }

                RowLayout {
                    Label {
                        text: "Export QLab OSC Patch File"
                        font: theme.default_font
                        color: theme.default_text_color
                    }
                    FlatButton {
                        objectName: "exportButton"
                        text: "Export"
                        onClicked: {
                            if (root.defaultQLabLocation !== "")
                                folderDialog.currentFolder = root.defaultQLabLocation
                            folderDialog.open()
                        }
                    }
                }
            }
        }

        Label {
            text: "Network Paths"
            font: theme.heavy_label
            color: theme.light_text_color
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: networkColumn.implicitHeight + 32
            color: Qt.lighter(theme.default_bg_color, 1.25)
            clip: true

            ColumnLayout {
                id: networkColumn
                anchors.fill: parent
                anchors.margins: 16
                spacing: 15

                CustomTwoColumnListView {
                    id: networkList
                    objectName: "networkList"
                    Layout.preferredHeight: 200
                    Layout.fillWidth: true
                    rowHeight: root.rowHeight
                    currentIndex: -1
                }

                RowLayout {
                    Layout.alignment: Qt.AlignHCenter
                    FlatButton {
                        objectName: "newButton"
                        text: "New Network"
                        onClicked: {
                            networkEditor.networkName = "New Network Destination"
                            networkEditor.ipAddress = "127.0.0.1"
                            networkEditor.port = 8000
                            networkEditor.mode = "udp"
                            networkEditor.isEdit = false
                            networkEditor.show()
                        }
                    }
                    FlatButton {
                        objectName: "editButton"
                        text: "Edit"
                        enabled: networkList.currentIndex !== -1
                        onClicked: {
                            const row = networkList.currentIndex
                            networkEditor.ipAddress = root.networkModel.dataStr(row, "ipAddress")
                            networkEditor.port = root.networkModel.dataStr(row, "port")
                            networkEditor.mode = root.networkModel.dataStr(row, "mode")
                            networkEditor.networkName = root.networkModel.dataStr(row, "name")
                            networkEditor.networkId = root.networkModel.dataStr(row, "networkId")
                            networkEditor.isEdit = true
                            networkEditor.show()
                        }
                    }
                    FlatButton {
                        objectName: "deleteButton"
                        text: "Delete"
                        enabled: networkList.currentIndex !== -1
                        onClicked: root.deleteButton()
                    }
                }
            }
        }

        RowLayout {
            Layout.alignment: Qt.AlignRight
            FlatButton {
                objectName: "cancelButton"
                text: "Cancel"
                onClicked: root.close()
            }
            FlatButton {
                objectName: "okButton"
                text: "OK"
                isDefault: true
                onClicked: root.okay()
            }
        }

        Item {
            Layout.fillHeight: true
        }
    }

    NetworkEditWindow {
        id: networkEditor
        objectName: "networkEditor"
        visible: false
        onChangeRequest: (ip, port, mode, networkName, networkId) =>
                         root.editNetwork(networkList.currentIndex, ip, port, mode, networkName, networkId)
        onCreateRequest: (ip, port, mode, name) => root.createNetwork(ip, port, mode, name)
    }

    FolderDialog {
        id: folderDialog
        objectName: "folderDialog"
        onAccepted: root.exportQLab(String(selectedFolder))
    }
}
