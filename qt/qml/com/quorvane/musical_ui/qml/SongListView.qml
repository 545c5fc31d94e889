import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The show's songs: a click loads a song, a click on a song's state icon steps its attacca state.
ListFrame {
    id: root

    readonly property int status_col_size: 60
    readonly property int song_num_col_width: 45

    signal attaccaStateChanged(string song_number)

    function statusIcon(status) {
        if (status === "continue")
            return "qrc:/images/down.svg";
        if (status === "x")
            return "qrc:/images/x.svg";
        return "qrc:/images/check.svg";
    }

    function statusToolTip(status) {
        if (status === "continue")
            return "Auto-play next song (attacca)";
        if (status === "x")
            return "Skip song";
        return "Play song when cued";
    }

    VemoTheme { id: theme }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 0
        spacing: 0

        Text {
            Layout.preferredWidth: root.song_num_col_width
            text: "#"
            horizontalAlignment: Text.AlignHCenter
            color: theme.default_text_header_color
            font: theme.default_font
        }
        Text {
            Layout.preferredWidth: root.status_col_size
            text: "State"
            horizontalAlignment: Text.AlignHCenter
            clip: true
            color: theme.default_text_header_color
            font: theme.default_font
        }
        Text {
            text: "Song Name"
            color: theme.default_text_header_color
            font: theme.default_font
        }
        Item { Layout.fillWidth: true }
    }

    delegate: Item {
        id: row

        required property int index
        required property var model

        x: 0
        width: ListView.view.width
        height: root.itemRowHeight

        MouseArea {
            anchors.fill: parent
            onClicked: {
                root.currentIndex = row.index;
                console.log("index = " + row.index);
            }
        }

        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: 0
            spacing: 0

            Text {
                Layout.preferredWidth: root.song_num_col_width
                text: row.model.song_number
                textFormat: Text.PlainText
                horizontalAlignment: Text.AlignHCenter
                color: "white"
                font: theme.default_font
            }
            Image {
                id: stateIcon
                objectName: "stateIcon"
                Layout.preferredWidth: root.status_col_size
                Layout.preferredHeight: root.itemRowHeight
                source: root.statusIcon(row.model.status)
                fillMode: Image.PreserveAspectFit
                sourceSize.width: 20
                sourceSize.height: 20

                MouseArea {
                    id: stateArea
                    objectName: "stateArea"
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: root.attaccaStateChanged(row.model.song_number)
                }

                VemoToolTip {
                    delay: 500
                    visible: stateArea.containsMouse
                    text: root.statusToolTip(row.model.status)
                }
            }
            Text {
                Layout.fillWidth: true
                Layout.rightMargin: 40
                text: row.model.song_name
                textFormat: Text.PlainText
                elide: Text.ElideRight
                maximumLineCount: 1
                color: "white"
                font: theme.default_font
            }
        }
    }
}
