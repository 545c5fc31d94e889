import QtQuick
import QtQuick.Layouts
import QtQuick.Window
import Qt5Compat.GraphicalEffects
import com.quorvane.vemo_ui
import "dialog_icon.js" as DialogIcon

// A question with up to three answers and, when wanted, a line of text. Every answer closes the
// window before its signal. A close that no answer started (the title bar's close button, or
// close() from outside) counts as the safe answer: it emits negated(), the one that keeps
// everything as it was.
Window {
    id: control

    property string type: "INFO"
    property alias text: message.text
    property alias title: heading.text
    property alias value: field.text
    property bool showConfirmation: false
    property string confirmationPreamble: ""
    property string confirmationText: qsTr("I understand")
    property alias acceptButtonText: okButton.text
    property alias cancelButtonText: cancelButton.text
    property alias negateButtonText: negateButton.text
    property bool showNegateButton: false
    property bool showInputField: true

    // True while an answer closes the window, so that the close is not taken as a dismissal.
    property bool answering: false

    signal accepted()
    signal cancelled()
    signal negated()

    function closeForAnswer() {
        answering = true
        close()
        answering = false
    }

    function accept() {
        if (!okButton.enabled)
            return
        closeForAnswer()
        accepted()
    }

    function cancel() {
        closeForAnswer()
        cancelled()
    }

    function negate() {
        closeForAnswer()
        negated()
    }

    visible: false
    modality: Qt.ApplicationModal
    flags: Qt.CustomizeWindowHint | Qt.WindowCloseButtonHint | Qt.Dialog
    color: theme.default_bg_color_popup
    maximumWidth: 425
    minimumWidth: maximumWidth
    width: maximumWidth
    maximumHeight: content.height + 32
    minimumHeight: maximumHeight
    height: maximumHeight

    // The text field takes the keys when it is shown; without it the window's own key handler does,
    // so that Escape and Return work in a window without a field too.
    function takeFocus() {
        if (!visible)
            return
        if (showInputField)
            field.forceActiveFocus()
        else
            body.forceActiveFocus()
    }

    onVisibleChanged: takeFocus()
    onShowInputFieldChanged: takeFocus()

    onClosing: {
        console.debug("Closing")
        if (!answering && visible)
            negated()
    }

    VemoTheme { id: theme }

    Item {
        id: body
        objectName: "body"

        anchors.fill: parent
        anchors.margins: 16

        // Escape takes the answer that loses nothing: the third button while it is shown (in the
        // unsaved-changes prompt Cancel reads "Close Without Saving"), otherwise Cancel.
        Keys.onPressed: event => {
            switch (event.key) {
            case Qt.Key_Escape:
                if (control.showNegateButton)
                    control.negate()
                else
                    control.cancel()
                break
            case Qt.Key_Return:
            case Qt.Key_Enter:
                control.accept()
                break
            default:
                return
            }
            event.accepted = true
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

            Text {
                objectName: "confirmationPreamble"
                Layout.fillWidth: true
                visible: control.showConfirmation && control.confirmationPreamble !== ""
                text: control.confirmationPreamble
                textFormat: Text.RichText
                font: theme.default_font
                color: theme.default_text_color
                linkColor: "white"
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignLeft
                onLinkActivated: link => Qt.openUrlExternally(link)
            }

            CustomCheckbox {
                id: confirmationBox
                objectName: "confirmationBox"
                visible: control.showConfirmation
                checkboxTextStr: control.confirmationText
                checkboxTextColor: "white"
            }

            RecessedTextInput {
                id: field
                objectName: "field"
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignHCenter
                visible: control.showInputField
                backgroundColor: Qt.lighter(theme.default_bg_color, 1.5)
            }

            RowLayout {
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignHCenter

                FlatButton {
                    id: cancelButton
                    objectName: "cancelButton"
                    text: qsTr("Cancel")
                    onClicked: control.cancel()
                }

                FlatButton {
                    id: okButton
                    objectName: "okButton"
                    text: qsTr("OK")
                    isDefault: true
                    enabled: (confirmationBox.checked || !control.showConfirmation)
                             && (!control.showInputField || control.value.trim() !== "")
                    onClicked: control.accept()
                }

                FlatButton {
                    id: negateButton
                    objectName: "negateButton"
                    text: ""
                    visible: control.showNegateButton
                    onClicked: control.negate()
                }
            }
        }
    }
}
