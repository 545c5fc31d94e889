import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui

// The standard single-line field, drawn sunk into the surface, with a Copy / Cut / Paste menu.
// Its colours follow `editable` unless the user sets `textColor` or `backgroundColor`.
Rectangle {
    id: root

    property alias text: field.text
    property alias textColor: field.color
    property alias editable: field.enabled
    property alias horizontalAlignment: field.horizontalAlignment
    property alias textIndent: field.leftPadding
    property alias font: field.font
    property alias field: field
    property alias backgroundColor: background.color
    property alias rectHeight: root.implicitHeight

    signal editingFinished()
    signal textEdited()

    function forceActiveFocus() {
        field.forceActiveFocus()
    }

    implicitWidth: field.implicitWidth
    implicitHeight: field.implicitHeight + 6
    color: "transparent"
    clip: true

    onFocusChanged: if (focus) field.forceActiveFocus()

    VemoTheme { id: theme }

    Rectangle {
        id: background
        anchors.fill: parent
        color: field.enabled ? Qt.lighter(theme.default_bg_color, 1.25)
                             : Qt.lighter(Qt.lighter(theme.default_bg_color, 1.25), 0.8)

        RecessedBevel {}

        Rectangle {
            objectName: "focusFrame"
            anchors.fill: parent
            color: "transparent"
            border.width: 2
            border.color: theme.default_selected_color_intense
            opacity: 0.7
            visible: field.activeFocus
        }
    }

    TextInput {
        id: field
        objectName: "field"

        anchors.fill: parent
        leftPadding: 5
        verticalAlignment: TextInput.AlignVCenter
        selectByMouse: true
        selectionColor: theme.default_selected_color_intense
        activeFocusOnTab: true
        clip: true
        font: theme.default_font
        color: enabled ? theme.default_text_color : Qt.lighter(theme.default_text_color, 0.8)

        onActiveFocusChanged: if (activeFocus) selectAll()
        onEditingFinished: root.editingFinished()
        onTextEdited: root.textEdited()

        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.RightButton
            onClicked: contextMenu.popup(field, 0, 0)
        }

        VemoCustomMenu {
            id: contextMenu
            objectName: "contextMenu"

            Action {
                text: qsTr("Copy")
                enabled: field.selectedText !== ""
                onTriggered: field.copy()
            }
            Action {
                text: qsTr("Cut")
                enabled: field.selectedText !== ""
                onTriggered: field.cut()
            }
            Action {
                text: qsTr("Paste")
                onTriggered: field.paste()
            }
        }
    }
}
