import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui

// The modal prompt for a bar to jump to (the score pane uses it for a page): Return or OK submits
// the text as typed; a bar the engine cannot find keeps the prompt open with "Bar not found!"
// selected, so typing replaces it. Closing empties the field. The field and buttons are made the
// first time the prompt opens.
Item {
    id: root

    property var rootWindow: parent
    property var fontSize: 10
    property var titleText: "Enter a bar number:"
    property string barNum: "0"
    property string promptText: "Enter Bar Number"

    signal ok()

    function open() {
        jumpQuery.open();
    }

    function exit() {
        jumpQuery.close();
    }

    function result(success) {
        if (success)
            jumpQuery.close();
        else
            jumpQuery.barNotFound();
    }

    VemoTheme { id: theme }

    Popup {
        id: jumpQuery
        objectName: "jumpQuery"

        signal barNotFound()

        modal: true
        x: 300
        y: 220
        width: 280
        height: 50
        padding: 0

        background: Rectangle { color: theme.light_background_color }

        Overlay.modal: Rectangle { color: "#88000000" }

        Loader {
            id: prompt
            anchors.fill: parent
            active: false
            sourceComponent: promptFields
        }

        Binding {
            target: prompt
            property: "active"
            value: true
            when: jumpQuery.visible
            restoreMode: Binding.RestoreNone
        }

        Component {
            id: promptFields

            Item {
                Connections {
                    target: jumpQuery

                    function onOpened() {
                        barEdit.forceActiveFocus();
                    }

                    function onClosed() {
                        barEdit.clear();
                    }

                    function onBarNotFound() {
                        barEdit.text = "Bar not found!";
                        barEdit.selectAll();
                    }
                }

                TextField {
                    id: barEdit
                    objectName: "barEdit"

                    function submit() {
                        root.barNum = barEdit.displayText;
                        barEdit.clear();
                        barEdit.forceActiveFocus();
                        root.ok();
                    }

                    x: 10
                    width: 120
                    height: 40
                    anchors.verticalCenter: parent.verticalCenter
                    color: theme.light_text_color
                    verticalAlignment: TextInput.AlignVCenter

                    background: Rectangle { color: "black" }

                    onAccepted: barEdit.submit()

                    Text {
                        objectName: "placeholder"
                        anchors.left: parent.left
                        anchors.verticalCenter: parent.verticalCenter
                        padding: 10
                        text: root.promptText
                        color: theme.default_text_color
                        visible: barEdit.text.length === 0
                    }
                }

                FlatButton {
                    objectName: "cancelButton"
                    anchors.left: barEdit.right
                    anchors.leftMargin: 10
                    anchors.verticalCenter: parent.verticalCenter
                    width: 60
                    text: "Cancel"
                    onClicked: root.exit()
                }

                FlatButton {
                    objectName: "okButton"
                    x: barEdit.x + barEdit.width + 80
                    anchors.verticalCenter: parent.verticalCenter
                    width: 60
                    text: "OK"
                    onClicked: {
                        barEdit.submit();
                        root.exit();
                    }
                }
            }
        }
    }
}
