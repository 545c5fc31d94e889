import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui

// The read-only "Event ID:" line of a tool window; a click copies the id to the clipboard. Reads
// `theme` from the tool window that holds it.
Item {
    id: root

    property string value: ""
    property alias text: caption.text

    implicitHeight: row.implicitHeight
    implicitWidth: row.implicitWidth

    RowLayout {
        id: row
        anchors.fill: parent

        Text {
            id: caption
            objectName: "caption"
            text: qsTr("Event ID:")
            font: theme.small_font
            color: theme.dim_text_color
        }

        TextEdit {
            id: idField
            objectName: "idField"
            readOnly: true
            wrapMode: TextEdit.WordWrap
            selectByMouse: true
            selectionColor: "transparent"
            font: theme.small_font
            color: theme.dim_text_color
            text: root.value !== "" ? root.value : "(none)"

            MouseArea {
                id: idMouse
                objectName: "idMouse"
                anchors.fill: parent
                cursorShape: Qt.PointingHandCursor
                hoverEnabled: true
                onClicked: {
                    idField.selectAll()
                    idField.copy()
                    notice.visible = true
                    hideTimer.running = true
                }
            }

            VemoToolTip {
                objectName: "toolTip"
                text: qsTr("Click to Copy to Clipboard")
                visible: idMouse.containsMouse
                delay: 1000
                timeout: 5000
            }
        }

        Text {
            id: notice
            objectName: "notice"
            text: qsTr("Copied!")
            font: theme.small_font
            color: theme.dim_text_color
            visible: false

            Timer {
                id: hideTimer
                objectName: "hideTimer"
                interval: 1000
                repeat: false
                onTriggered: notice.visible = false
            }
        }
    }
}
