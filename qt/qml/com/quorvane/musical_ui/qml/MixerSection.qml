import QtQuick
import com.quorvane.vemo_ui

// A rounded box with an optional title bar (hidden while `title` is empty) and a content slot.
// `preTitleContent` goes to the left end of the title bar, `mainContent` below it.
Rectangle {
    id: root

    property string toolTipText: ""
    property string title: "Instrumentals"
    property Item mainContent: null
    property Item preTitleContent: null

    radius: 3
    clip: true
    antialiasing: true
    color: theme.default_bg_color_popup
    height: column.height

    Column {
        id: column
        width: parent.width

        Rectangle {
            id: titleBar
            objectName: "titleBar"
            visible: root.title !== ""
            width: parent.width
            height: 1.75 * titleText.implicitHeight
            radius: root.radius
            color: Qt.lighter(theme.default_bg_color_popup, 1.15)

            // Squares the lower corners: only the top ones are rounded.
            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: parent.radius
                color: parent.color
            }

            Item {
                id: preTitleSlot
                objectName: "preTitleSlot"
                x: 5
                width: root.preTitleContent ? root.preTitleContent.width : 0
                height: parent.height
            }

            Row {
                anchors.left: preTitleSlot.right
                anchors.leftMargin: typeof root.mainMargin === "number" ? root.mainMargin : 0
                height: parent.height
                spacing: 10

                Text {
                    id: titleText
                    objectName: "titleText"
                    anchors.verticalCenter: parent.verticalCenter
                    text: root.title
                    textFormat: Text.PlainText
                    color: "white"
                    font: theme.default_font

                    MouseArea {
                        id: titleHover
                        anchors.fill: parent
                        hoverEnabled: true
                        acceptedButtons: Qt.NoButton
                    }

                    VemoToolTip {
                        objectName: "titleToolTip"
                        delay: 500
                        text: root.toolTipText
                        visible: titleHover.containsMouse && root.toolTipText !== ""
                    }
                }
            }
        }

        Item {
            id: contentSlot
            objectName: "contentSlot"
            width: parent.width
            height: root.mainContent
                    ? root.mainContent.height + root.mainContent.anchors.topMargin
                      + root.mainContent.anchors.bottomMargin
                    : 0
        }
    }

    Component.onCompleted: {
        if (preTitleContent)
            preTitleContent.parent = preTitleSlot
        if (mainContent)
            mainContent.parent = contentSlot
    }
}
