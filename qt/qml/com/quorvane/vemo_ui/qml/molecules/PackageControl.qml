import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui

// Action button followed by a switch with its caption; Return acts on whichever has the focus.
Item {
    id: root

    property alias toggleText: toggleLabel.text
    property alias buttonText: actionButton.text
    property alias toggled: toggleSwitch.checked
    property alias fontSize: toggleLabel.font.pixelSize
    property alias toggle: toggleSwitch
    property alias button: actionButton
    property alias theme: vemoTheme
    property real spacing: 5

    signal clicked()

    implicitHeight: actionButton.implicitHeight + toggleSwitch.implicitHeight
    implicitWidth: actionButton.implicitWidth + toggleSwitch.implicitWidth

    VemoTheme { id: vemoTheme }

    FlatButton {
        id: actionButton
        x: root.spacing
        width: 80
        anchors.verticalCenter: parent.verticalCenter
        text: "Package"
        onClicked: root.clicked()
        Keys.onReturnPressed: root.clicked()
    }

    Switch {
        id: toggleSwitch
        anchors.left: actionButton.right
        anchors.leftMargin: root.spacing
        anchors.verticalCenter: parent.verticalCenter
        scale: activeFocus ? 0.75 : 0.65
        Keys.onReturnPressed: toggle()
    }

    Label {
        id: toggleLabel
        textFormat: Text.PlainText
        anchors.left: toggleSwitch.right
        anchors.leftMargin: root.spacing
        anchors.verticalCenter: parent.verticalCenter
        color: vemoTheme.default_text_color
    }
}
