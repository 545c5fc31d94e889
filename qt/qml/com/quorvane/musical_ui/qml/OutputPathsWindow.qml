import QtQuick
import QtQuick.Controls
import QtQuick.Window
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The "Output Paths" window: the show's paths with this machine's device for each, and the
// buttons that create, edit and delete them. The manager fills it and receives its requests.
Window {
    id: root

    property alias model: list.model
    property alias currentIndex: list.currentIndex
    property alias showOutputPathTool: pathTool.visible
    property alias deviceList: pathTool.deviceList
    property var titles: [qsTr("Name"), qsTr("Output Device")]
    property int rowHeight: 30
    property var colWidths: [list.width / 2, list.width / 2]
    property int leftSpacerWidth: 10

    signal newOutputPath()
    signal editOutputPath()
    signal deleteOutputPath()
    signal closeWindow()
    signal createPathRequest(string pathName, string pathDevice)
    signal changePathRequest(string pathName, string pathDevice)

    title: "Output Paths"
    width: 600
    height: width / 1.618
    modality: Qt.ApplicationModal
    flags: Qt.WindowCloseButtonHint | Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint
    visible: false
    color: theme.default_bg_color

    VemoTheme { id: theme }

    Column {
        id: content
        anchors.fill: parent
        anchors.margins: 15
        spacing: 10

        Row {
            id: headings
            Item { width: root.leftSpacerWidth; height: 1 }
            Repeater {
                model: root.titles
                Text {
                    required property string modelData
                    required property int index
                    width: root.colWidths[index]
                    text: modelData
                    font.pixelSize: 14
                    color: theme.default_text_header_color
                }
            }
        }

        ListView {
            id: list
            objectName: "pathList"
            width: parent.width
            height: parent.height - headings.height - explanation.height - buttons.height - 3 * parent.spacing
            clip: true
            headerPositioning: ListView.OverlayHeader
            highlightFollowsCurrentItem: true
            highlightMoveDuration: 250
            highlightMoveVelocity: -1
            flickableDirection: Flickable.VerticalFlick
            boundsBehavior: Flickable.StopAtBounds
            currentIndex: -1

            Rectangle {
                anchors.fill: parent
                z: -1
                color: Qt.lighter(theme.default_bg_color, 1.25)
            }

            highlight: Rectangle {
                width: list.width
                height: root.rowHeight
                color: theme.default_selected_color
            }

            delegate: Item {
                id: row

                required property int index
                required property string path_name
                required property string path_device_name
                readonly property color textColor: ListView.isCurrentItem ? "white" : theme.default_text_color

                width: ListView.view.width
                height: root.rowHeight

                Row {
                    anchors.fill: parent
                    Item { width: root.leftSpacerWidth; height: 1 }
                    Text {
                        objectName: "pathNameText"
                        width: root.colWidths[0]
                        height: parent.height
                        text: row.path_name
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        verticalAlignment: Text.AlignVCenter
                        font: theme.default_font
                        color: row.textColor
                    }
                    Text {
                        objectName: "pathDeviceText"
                        width: root.colWidths[1] - root.leftSpacerWidth
                        height: parent.height
                        text: row.path_device_name
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        verticalAlignment: Text.AlignVCenter
                        font: theme.default_font
                        color: row.textColor
                    }
                }

                MouseArea {
                    objectName: "rowArea"
                    anchors.fill: parent
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: list.currentIndex = row.index
                }
            }

            ScrollBar.vertical: CustomScrollBar {
                id: scrollBar
                contentItem: Rectangle {
                    implicitWidth: 6
                    color: scrollBar.hovered ? theme.default_bg_color : Qt.lighter(theme.default_bg_color, 0.9)

                    BasicBevel {}
                }
            }
        }

        Text {
            id: explanation
            width: parent.width
            wrapMode: Text.WordWrap
            text: qsTr("Output paths are used to name a location on the stage where a sound should be played.\nYou can then map that location to a physical speaker specific to the machine you run it on.\nThe named location will be available everywhere, but the output device must be selected on\neach machine you run.\nThat way, you can practice at different locations and still hear your music and sound effects.")
            textFormat: Text.PlainText
            color: theme.default_text_color
            font: theme.default_font
        }

        Row {
            id: buttons
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 10

            FlatButton {
                objectName: "newPathButton"
                text: qsTr("New Path")
                onClicked: {
                    pathTool.pathName = ""
                    pathTool.pathDeviceIndex = 0
                    pathTool.isEdit = false
                    pathTool.show()
                }
            }
            FlatButton {
                objectName: "editButton"
                text: qsTr("Edit")
                enabled: root.currentIndex !== -1
                onClicked: {
                    pathTool.pathName = root.model.PathName(root.currentIndex)
                    pathTool.selectDevice(root.model.PathDeviceName(root.currentIndex))
                    pathTool.isEdit = true
                    pathTool.show()
                }
            }
            FlatButton {
                objectName: "deleteButton"
                text: qsTr("Delete")
                enabled: root.currentIndex !== -1
                onClicked: root.deleteOutputPath()
            }
            FlatButton {
                objectName: "closeButton"
                text: qsTr("Close")
                onClicked: root.closeWindow()
            }
        }
    }

    OutputPathTool {
        id: pathTool
        objectName: "pathTool"
        visible: false

        onCreatePathRequest: (pathName, pathDevice) => root.createPathRequest(pathName, pathDevice)
        onChangePathRequest: (pathName, pathDevice) => root.changePathRequest(pathName, pathDevice)
    }
}
