import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui

// Labelled text field. Every user edit of the field is announced as `textChanged()`.
Item {
    id: root

    property alias text: label.text
    property alias value: input.text
    property alias theme: vemoTheme
    property alias hasFocus: root.focus
    property alias field: input.field
    property int spacing: 5
    property int fontSize: 16

    implicitHeight: label.implicitHeight + spacing + input.implicitHeight
    implicitWidth: label.implicitWidth + input.implicitWidth

    onFocusChanged: if (focus) input.field.forceActiveFocus()
    onActiveFocusChanged: if (activeFocus && !input.field.activeFocus) input.field.forceActiveFocus()

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
        anchors.right: parent.right
        onTextEdited: root.textChanged()
    }
}
