import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import com.quorvane.vemo_ui

// The open-source components used by the product, each with its licence, in a scrolling text.
Window {
    id: control

    property alias acknowledgementText: textArea.text

    width: 640
    height: 480
    visible: true
    color: theme.default_bg_color
    flags: Qt.WindowCloseButtonHint | Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint
    modality: Qt.ApplicationModal

    VemoTheme { id: theme }

    Item {
        anchors.fill: parent
        anchors.margins: 15

        ColumnLayout {
            anchors.fill: parent

            Text {
                objectName: "introduction"
                Layout.fillWidth: true
                text: qsTr("Quorvane uses a variety of software components in its code. We acknowledge the following software components and licenses used in our code.")
                font: theme.default_font
                color: theme.light_text_color
                wrapMode: Text.WordWrap
            }

            Flickable {
                id: flickable
                objectName: "flickable"
                Layout.fillWidth: true
                Layout.fillHeight: true
                interactive: false
                clip: true

                ScrollBar.vertical: CustomScrollBar {
                    objectName: "scrollBar"
                    policy: ScrollBar.AlwaysOn
                }

                TextArea.flickable: TextArea {
                    id: textArea
                    objectName: "textArea"
                    readOnly: true
                    textFormat: TextEdit.PlainText
                    font: theme.default_font
                    color: theme.default_text_color
                    wrapMode: TextEdit.WordWrap
                    selectByMouse: true
                    text: ""

                    MouseArea {
                        anchors.fill: parent
                        acceptedButtons: Qt.NoButton
                        cursorShape: Qt.IBeamCursor
                    }
                }
            }

            FlatButton {
                objectName: "closeButton"
                Layout.alignment: Qt.AlignHCenter
                text: qsTr("Close")
                isDefault: true
                onClicked: control.close()
            }
        }
    }
}
