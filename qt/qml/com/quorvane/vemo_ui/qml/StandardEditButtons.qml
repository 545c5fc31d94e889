import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui

// The Cancel and OK row at the foot of every tool window. Escape cancels and Return confirms while
// the row or one of its buttons has the focus; the keypad's Enter key is left alone. Its implicit
// size is the two buttons', so a holder can centre it; given more width, the buttons keep to the
// right edge.
Item {
    id: root

    property alias cancelButton: cancelButton
    property alias okButton: okButton

    signal okayClicked()
    signal cancelClicked()

    implicitWidth: row.implicitWidth
    implicitHeight: cancelButton.implicitHeight

    Keys.onEscapePressed: cancelClicked()
    Keys.onReturnPressed: okayClicked()

    RowLayout {
        id: row
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.right: parent.right
        spacing: 20

        FlatButton {
            id: cancelButton
            objectName: "cancelButton"
            Layout.preferredWidth: 80
            Layout.alignment: Qt.AlignRight
            text: qsTr("Cancel")
            onClicked: root.cancelClicked()
        }

        FlatButton {
            id: okButton
            objectName: "okButton"
            Layout.preferredWidth: cancelButton.Layout.preferredWidth
            Layout.alignment: Qt.AlignRight
            text: qsTr("OK")
            isDefault: true
            onClicked: root.okayClicked()
        }
    }
}
