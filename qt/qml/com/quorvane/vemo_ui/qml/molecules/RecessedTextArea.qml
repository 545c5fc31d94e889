import QtQuick
import com.quorvane.vemo_ui

// Recessed multi-line text area. `textEdited()` announces the user's changes only: a text set
// from outside goes into the editor without it.
Rectangle {
    id: root

    property string text
    property alias editable: editor.enabled
    property alias horizontalAlignment: editor.horizontalAlignment
    property alias textIndent: editor.anchors.leftMargin

    signal editingFinished()
    signal textEdited()

    function forceActiveFocus() {
        editor.forceActiveFocus()
    }

    implicitWidth: editor.implicitWidth
    implicitHeight: editor.implicitHeight
    color: "transparent"

    onTextChanged: if (editor.text !== text) editor.text = text

    VemoTheme { id: vemoTheme }

    Rectangle {
        anchors.fill: parent
        color: Qt.lighter(vemoTheme.default_bg_color, 1.25)

        RecessedBevel {}
    }

    TextEdit {
        id: editor
        objectName: "editor"
        anchors.fill: parent
        color: vemoTheme.default_text_color
        verticalAlignment: TextEdit.AlignTop
        selectByMouse: true
        font: vemoTheme.default_font
        activeFocusOnTab: true
        clip: true

        onEditingFinished: root.editingFinished()
        onActiveFocusChanged: if (activeFocus) selectAll()
        onTextChanged: {
            if (root.text !== text) {
                root.text = text
                root.textEdited()
            }
        }
    }
}
