import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// One titled list of event-log versions (version and modification time) with a single selection.
Item {
    id: changelog

    property bool isLocal: true
    property alias model: listView.model
    property alias index: listView.currentIndex
    property var titles: [qsTr("Log Version"), qsTr("Modified")]
    property int rowHeight: 30
    property var colWidths: [listView.width * 0.35, listView.width * 0.65]
    property int leftSpacerWidth: 10
    property alias title: titleLabel.text

    signal listHasFocus(bool isLocal)

    function isSelected() {
        return index > -1
    }

    Component.onCompleted: index = -1

    VemoTheme { id: theme }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 5

        Text {
            id: titleLabel
            objectName: "title"
            Layout.alignment: Qt.AlignHCenter
            textFormat: Text.PlainText
            font.pixelSize: 16
            color: "white"
        }

        Row {
            objectName: "header"
            // The columns follow the list's width; the row must not feed its width back into the layout.
            Layout.fillWidth: true
            Layout.preferredWidth: 0
            Layout.preferredHeight: 20
            spacing: 1

            Rectangle {
                width: changelog.leftSpacerWidth
                height: 20
                color: "transparent"
            }
            Repeater {
                model: changelog.titles

                Text {
                    required property string modelData
                    required property int index
                    width: changelog.colWidths[index]
                    height: 20
                    text: modelData
                    textFormat: Text.PlainText
                    font.pixelSize: 14
                    font.bold: true
                    color: theme.default_text_header_color
                    elide: Text.ElideRight
                }
            }
        }

        ListView {
            id: listView
            objectName: "listView"
            Layout.fillWidth: true
            Layout.fillHeight: true
            flickableDirection: Flickable.VerticalFlick
            boundsBehavior: Flickable.StopAtBounds
            clip: true
            highlightFollowsCurrentItem: true
            highlightMoveDuration: 250

            Rectangle {
                anchors.fill: parent
                z: -1
                color: Qt.lighter(theme.default_bg_color, 1.25)
            }

            highlight: Rectangle {
                objectName: "highlight"
                width: listView.currentItem ? listView.currentItem.width : 0
                height: listView.currentItem ? listView.currentItem.height : 0
                color: theme.default_selected_color
            }

            delegate: Item {
                id: row

                required property int index
                required property string version
                required property string modified
                readonly property bool current: ListView.isCurrentItem

                width: parent ? parent.width : 50
                height: changelog.rowHeight

                Row {
                    anchors.fill: parent

                    Item {
                        width: changelog.leftSpacerWidth
                        height: parent.height
                    }
                    Text {
                        objectName: "versionText"
                        width: changelog.colWidths[0]
                        height: parent.height
                        verticalAlignment: Text.AlignVCenter
                        text: row.version
                        textFormat: Text.PlainText
                        font.pixelSize: 14
                        elide: Text.ElideRight
                        color: row.current ? "white" : theme.default_text_color
                    }
                    Text {
                        objectName: "modifiedText"
                        width: changelog.colWidths[1]
                        height: parent.height
                        verticalAlignment: Text.AlignVCenter
                        text: row.modified
                        textFormat: Text.PlainText
                        font.pixelSize: 14
                        elide: Text.ElideRight
                        color: row.current ? "white" : theme.default_text_color
                    }
                }

                MouseArea {
                    anchors.fill: parent
                    acceptedButtons: Qt.LeftButton
                    onClicked: {
                        listView.currentIndex = row.index
                        changelog.listHasFocus(changelog.isLocal)
                    }
                }
            }

            ScrollBar.vertical: ScrollBar {
                id: scrollBar
                policy: listView.contentHeight > listView.height ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff

                background: Rectangle {
                    implicitWidth: 20
                    color: Qt.lighter(theme.default_bg_color, 0.7)
                }

                contentItem: Rectangle {
                    implicitWidth: 6
                    implicitHeight: 100
                    color: scrollBar.hovered ? theme.default_bg_color : Qt.lighter(theme.default_bg_color, 0.90)

                    BasicBevel {}
                }
            }
        }
    }
}
