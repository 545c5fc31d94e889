import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The current song's markers: a click chooses one, a double click opens it; the marker last passed
// while playing is shaded unless it is the current row.
ListFrame {
    id: root

    property int passedIndex: -1
    property int marker_loc_col_width: 100

    signal editSelectedItem()
    signal itemClicked()

    highlightColor: Qt.lighter(theme.default_selected_color, 1.1)

    VemoTheme { id: theme }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 10
        spacing: 0

        Text {
            Layout.fillWidth: true
            text: "Marker Name"
            verticalAlignment: Text.AlignVCenter
            color: theme.default_text_header_color
            font: theme.default_font
        }
        Text {
            Layout.preferredWidth: root.marker_loc_col_width
            text: "Location"
            clip: true
            verticalAlignment: Text.AlignVCenter
            color: theme.default_text_header_color
            font: theme.default_font
        }
    }

    delegate: Item {
        id: row

        required property int index
        required property var model

        x: 10
        width: ListView.view.width
        height: root.itemRowHeight

        Rectangle {
            objectName: "passedShade"
            anchors.fill: parent
            color: row.index === root.passedIndex && row.index !== root.currentIndex
                   ? Qt.darker(theme.default_selected_color, 1.3) : "transparent"
        }

        Row {
            anchors.fill: parent
            anchors.leftMargin: 10
            spacing: 1

            ElidedText {
                objectName: "markerName"
                anchors.verticalCenter: parent.verticalCenter
                width: Math.max(0, parent.width - parent.spacing - root.marker_loc_col_width)
                text: row.model.name
                font: theme.default_font
            }
            ElidedText {
                objectName: "markerLocation"
                anchors.verticalCenter: parent.verticalCenter
                width: root.marker_loc_col_width
                text: row.model.location
                font: theme.default_font
            }
        }

        MouseArea {
            anchors.fill: parent
            onClicked: {
                root.currentIndex = row.index;
                root.itemClicked();
                root.currentItemChanged(root.currentIndex);
            }
            onDoubleClicked: root.editSelectedItem()
        }
    }
}
