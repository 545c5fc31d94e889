import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// Strip of tabs filled out to the full width, with a light bottom line that breaks under the
// selected tab. While no tab is current the two lines keep their last place.
Item {
    id: root

    default property alias contents: bar.contentData
    property alias currentIndex: bar.currentIndex

    implicitHeight: Math.floor(row.implicitHeight)

    VemoTheme { id: theme }

    RowLayout {
        id: row
        anchors.fill: parent
        spacing: 0

        TabBar {
            id: bar
            objectName: "tabBar"
            currentIndex: 4
            spacing: 0
            Layout.preferredHeight: row.height
            font: theme.default_font
            background: Rectangle { color: theme.default_bg_unselected_color }
        }

        Rectangle {
            objectName: "filler"
            Layout.fillWidth: true
            implicitHeight: bar.height
            color: Qt.darker(theme.default_bg_unselected_color, 1.0)

            Rectangle {
                anchors.bottom: fillerLightLine.top
                width: parent.width
                height: theme.bevel_width
                color: theme.bevel_dark_color
            }

            Rectangle {
                id: fillerLightLine
                anchors.bottom: parent.bottom
                width: parent.width
                height: theme.bevel_width
                color: theme.bevel_light_color
            }
        }
    }

    Rectangle {
        id: leftLine
        objectName: "leftLine"
        z: 10
        y: root.height - 1
        width: 0
        height: 1
        color: theme.bevel_light_color
    }

    Rectangle {
        id: rightLine
        objectName: "rightLine"
        z: 10
        y: root.height - 1
        width: 0
        height: 1
        color: theme.bevel_light_color
    }

    Binding {
        target: leftLine
        property: "width"
        when: bar.currentItem !== null
        value: bar.currentItem ? bar.currentItem.x : 0
        restoreMode: Binding.RestoreNone
    }

    Binding {
        target: rightLine
        property: "x"
        when: bar.currentItem !== null
        value: bar.currentItem ? bar.currentItem.x + bar.currentItem.width : 0
        restoreMode: Binding.RestoreNone
    }

    Binding {
        target: rightLine
        property: "width"
        when: bar.currentItem !== null
        value: bar.currentItem ? bar.contentWidth - (bar.currentItem.x + bar.currentItem.width) + 1 : 0
        restoreMode: Binding.RestoreNone
    }
}
