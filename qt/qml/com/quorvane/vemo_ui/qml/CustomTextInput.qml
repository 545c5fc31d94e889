import QtQuick

// Plain white editor field with black text, used by the custom spin box.
Rectangle {
    id: root

    property alias text: editor.text
    property alias editable: editor.enabled
    property alias horizontalAlignment: editor.horizontalAlignment

    signal editingFinished()

    color: "white"
    height: 25

    TextEdit {
        id: editor
        objectName: "editor"
        anchors.fill: parent
        anchors.leftMargin: 15
        anchors.rightMargin: 15
        color: "black"
        verticalAlignment: TextEdit.AlignVCenter
        selectByMouse: true
        onEditingFinished: root.editingFinished()
    }
}
