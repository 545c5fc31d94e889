import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui

// Scrolling, keyboard-navigable list of rows with two texts (model roles `first` and `second`),
// a sliding highlight under the current row and a focus frame around the list. Reads `theme`
// from the document that holds it.
ListView {
    id: list

    property int rowHeight: 30
    property var colWidths: [0.5 * width, 0.5 * width]
    property var leftSpacerWidth: 10

    clip: true
    activeFocusOnTab: true
    headerPositioning: ListView.OverlayHeader
    highlightFollowsCurrentItem: true
    flickableDirection: Flickable.VerticalFlick

    Keys.onDownPressed: {
        if (currentIndex < count - 1)
            currentIndex = currentIndex + 1
    }
    Keys.onUpPressed: {
        if (currentIndex > 0)
            currentIndex = currentIndex - 1
    }

    Rectangle {
        anchors.fill: parent
        z: -5
        color: Qt.lighter(theme.default_bg_color, 1.25)
    }

    Rectangle {
        objectName: "focusFrame"
        anchors.fill: parent
        color: "transparent"
        border.width: 2
        border.color: theme.default_selected_color_intense
        opacity: 0.7
        visible: list.activeFocus
    }

    ScrollBar.vertical: CustomScrollBar {
        policy: ScrollBar.AlwaysOn
    }

    highlight: Rectangle {
        objectName: "highlight"
        width: list.currentItem ? list.currentItem.width : 0
        height: list.currentItem ? list.currentItem.height : 0
        color: theme.default_selected_color
        y: list.currentItem ? list.currentItem.y : 0

        Behavior on y {
            SmoothedAnimation { duration: 250 }
        }
    }

    delegate: Item {
        id: row

        readonly property bool isCurrent: ListView.isCurrentItem

        width: parent ? parent.width : 125
        height: list.rowHeight

        FocusHighlight {
            anchors.fill: parent
            visible: list.activeFocus && row.isCurrent
        }

        MouseArea {
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.LeftButton
            onClicked: {
                list.currentIndex = index
                list.forceActiveFocus()
            }
        }

        Row {
            Item {
                width: list.leftSpacerWidth
                height: 20
            }

            Text {
                objectName: "firstText"
                width: list.colWidths[0]
                height: list.rowHeight
                text: model.first ?? ""
                textFormat: Text.PlainText
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                font: theme.default_font
                color: row.isCurrent ? "white" : theme.default_text_color
            }

            Text {
                objectName: "secondText"
                width: list.colWidths[1]
                height: list.rowHeight
                text: model.second ?? ""
                textFormat: Text.PlainText
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                font: theme.default_font
                color: row.isCurrent ? "white" : theme.default_text_color
            }
        }
    }
}
