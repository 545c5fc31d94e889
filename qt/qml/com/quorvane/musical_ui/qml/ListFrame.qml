import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// The frame of the edit panel's lists: a header bar over a bevel and a scrolling list with a moving
// highlight. The list reports its current row whenever its current item changes.
Item {
    id: frame

    property alias model: list.model
    property alias currentIndex: list.currentIndex
    property alias delegate: list.delegate
    property alias listView: list
    property alias scrollBar: scrollBar
    property color highlightColor: theme.default_selected_color
    readonly property int itemRowHeight: 25
    readonly property int headerRowHeight: 35
    default property alias headerData: headerBar.data

    signal currentItemChanged(int index)

    VemoTheme { id: theme }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: theme.bevel_width
        spacing: 0

        Rectangle {
            id: headerBar
            Layout.fillWidth: true
            Layout.preferredHeight: frame.headerRowHeight
            color: theme.default_bg_color
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: theme.bevel_width
            color: theme.bevel_dark_color
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: theme.bevel_width
            color: theme.bevel_light_color
        }

        Flickable {
            id: flickable
            Layout.fillWidth: true
            Layout.fillHeight: true

            ListView {
                id: list
                width: flickable.width
                height: flickable.height
                clip: true
                highlightFollowsCurrentItem: false
                preferredHighlightBegin: 0
                preferredHighlightEnd: 80
                ScrollBar.vertical: CustomScrollBar { id: scrollBar }

                highlight: Rectangle {
                    width: list.currentItem ? list.currentItem.width : 0
                    height: list.currentItem ? list.currentItem.height : 0
                    y: list.currentItem ? list.currentItem.y : 0
                    color: frame.highlightColor

                    Behavior on y {
                        SmoothedAnimation { duration: 250 }
                    }
                }

                onCurrentItemChanged: frame.currentItemChanged(list.currentIndex)

                Rectangle {
                    anchors.fill: parent
                    z: -5
                    color: theme.default_bg_color
                }
            }
        }
    }
}
