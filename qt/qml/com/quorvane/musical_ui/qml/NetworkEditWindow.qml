import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import com.quorvane.vemo_ui

// Creates or changes one OSC network destination. It checks nothing: the texts go out as typed.
Window {
    id: root

    property bool isEdit: false
    property alias networkName: nameField.text
    property alias ipAddress: ipField.text
    property string mode: "udp"
    property int port: 5501
    property string networkId: ""

    signal changeRequest(string ip, int port, string mode, string networkName, string networkId)
    signal createRequest(string ip, int port, string mode, string name)
    signal toolClosing()

    function confirm() {
        const typedPort = Number(portField.text) | 0
        if (isEdit)
            changeRequest(ipField.text, typedPort, mode, networkName, networkId)
        else
            createRequest(ipField.text, typedPort, mode, networkName)
        close()
    }

    title: isEdit ? qsTr("Edit Network Destination") : qsTr("Create Network Destination")
    modality: Qt.ApplicationModal
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    width: content.implicitWidth + 32
    height: content.implicitHeight + 32

    onPortChanged: portField.text = port
    onVisibleChanged: {
        if (visible) {
            portField.text = port
            nameField.forceActiveFocus()
        } else {
            toolClosing()
        }
    }

    VemoTheme { id: theme }

    Rectangle {
        anchors.fill: parent
        color: theme.default_bg_color
    }

    ColumnLayout {
        id: content
        objectName: "content"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.margins: 16
        spacing: 16
        focus: true

        Keys.onReturnPressed: root.confirm()
        Keys.onEscapePressed: root.close()

        RowLayout {
            spacing: 16
            Label {
                text: qsTr("Display Name")
                font: theme.default_font
                color: theme.default_text_color
            }
            RecessedTextInput {
                id: nameField
                objectName: "nameField"
                Layout.preferredWidth: 200
                text: "Network"
            }
        }

        RowLayout {
            spacing: 16
            Label {
                text: qsTr("Destination IP Address")
                font: theme.default_font
                color: theme.default_text_color
            }
            RecessedTextInput {
                id: ipField
                objectName: "ipField"
                Layout.preferredWidth: 125
                text: "127.0.0.1"
            }
        }

        RowLayout {
            spacing: 16
            Label {
                text: qsTr("Port")
                font: theme.default_font
                color: theme.default_text_color
            }
            RecessedTextInput {
                id: portField
                objectName: "portField"
                Layout.preferredWidth: 60
                text: root.port
            }
        }

        RowLayout {
            spacing: 16
            Label {
                text: qsTr("Mode")
                font: theme.default_font
                color: theme.default_text_color
            }
            CustomComboBox {
                objectName: "modeCombo"
                Layout.preferredWidth: 100
                textRole: "mode"
                valueRole: "value"
                model: [{ mode: "UDP", value: "udp" }]
                currentIndex: 0
                onEnterPressed: root.confirm()
            }
        }

        StandardEditButtons {
            objectName: "editButtons"
            Layout.alignment: Qt.AlignRight
            onOkayClicked: root.confirm()
            onCancelClicked: root.close()
        }
    }
}
