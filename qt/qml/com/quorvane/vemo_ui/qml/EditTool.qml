import QtQuick
import QtQuick.Layouts
import QtQuick.Window
import com.quorvane.vemo_ui

// The frame of every edit-tool window: a modal dialog whose size is fixed once, when the document
// completes, to the size the tool document gave it. Tool documents place their content after the
// frame's children and reach the theme as `theme`.
Window {
    id: control

    property bool isEdit: false
    property string eventId: ""
    property alias theme: theme
    property alias topSpacer: topSpacer
    property alias windowHeight: control.height

    signal inBarChanged()
    signal inBeatChanged()
    signal windowClosing()

    width: 360
    height: 300
    title: qsTr("Edit Tool")
    modality: Qt.ApplicationModal
    flags: Qt.Dialog

    onClosing: windowClosing()

    // Plain assignments, not bindings: the limits keep the size the window has now.
    Component.onCompleted: {
        maximumWidth = width
        maximumHeight = height
        minimumWidth = width
        minimumHeight = height
    }

    VemoTheme { id: theme }

    Rectangle {
        anchors.fill: parent
        color: theme.default_bg_color
    }

    RowLayout {
        id: topSpacer
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        height: parent.height * 0.1

        Rectangle {
            Layout.fillWidth: true
            Layout.fillHeight: true
            color: "transparent"
        }
    }
}
