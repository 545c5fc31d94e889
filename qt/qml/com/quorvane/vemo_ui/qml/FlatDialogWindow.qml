import QtQuick
import QtQuick.Layouts
import QtQuick.Window
import Qt5Compat.GraphicalEffects
import com.quorvane.vemo_ui
import "dialog_icon.js" as DialogIcon

// The error, warning and information dialog: an icon for its type, a heading, the message, an
// optional "Do not show again" check box and OK. Fixed in size; its height follows the message.
Window {
    id: control

    property string type: "INFO"
    property alias text: message.text
    property alias title: heading.text
    property bool showCheckbox: false

    signal accepted()
    signal checkboxConfirmed()

    function accept() {
        close()
        accepted()
        if (checkbox.checked)
            checkboxConfirmed()
    }

    visible: false
    modality: Qt.ApplicationModal
    flags: Qt.CustomizeWindowHint | Qt.WindowCloseButtonHint | Qt.Dialog
    color: theme.default_bg_color_popup
    maximumWidth: 325
    minimumWidth: maximumWidth
    width: maximumWidth
    maximumHeight: content.height + 32
    minimumHeight: maximumHeight
    height: maximumHeight

    onVisibleChanged: if (visible) body.forceActiveFocus()

    VemoTheme { id: theme }

    Item {
        id: body
        objectName: "body"

        anchors.fill: parent
        anchors.margins: 16
        focus: true

        Keys.onPressed: event => {
            if (event.key === Qt.Key_Escape || event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
                event.accepted = true
                control.accept()
            }
        }

        ColumnLayout {
            id: content
            width: parent.width
            spacing: 16

            Item {
                Layout.alignment: Qt.AlignHCenter
                implicitWidth: icon.width
                implicitHeight: icon.height

                Image {
                    id: icon
                    objectName: "icon"
                    source: DialogIcon.source(control.type)
                    sourceSize.width: 72
                    sourceSize.height: 72
                    fillMode: Image.PreserveAspectFit
                    smooth: true
                    visible: false
                }

                ColorOverlay {
                    objectName: "iconOverlay"
                    anchors.fill: icon
                    source: icon
                    color: DialogIcon.color(control.type)
                    antialiasing: true
                }
            }

            Text {
                id: heading
                objectName: "heading"
                Layout.alignment: Qt.AlignHCenter
                textFormat: Text.PlainText
                color: theme.light_text_color
                font.pixelSize: theme.default_font.pixelSize + 1
                font.bold: true
                horizontalAlignment: Text.AlignHCenter
            }

            Text {
                id: message
                objectName: "message"
                Layout.fillWidth: true
                textFormat: Text.PlainText
                font: theme.default_font
                color: theme.default_text_color
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignLeft
            }

            CustomCheckbox {
                id: checkbox
                objectName: "checkbox"
                Layout.alignment: Qt.AlignHCenter
                checkboxTextStr: qsTr("Do not show again")
                visible: control.showCheckbox
            }

            FlatButton {
                objectName: "okButton"
                Layout.alignment: Qt.AlignHCenter
                text: qsTr("OK")
                isDefault: true
                onClicked: control.accept()
            }
        }
    }
}
