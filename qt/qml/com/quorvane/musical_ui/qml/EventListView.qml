import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The current song's change-log events other than markers: a click chooses one, a double click
// opens it (OSC cues only while OSC is enabled).
ListFrame {
    id: root

    property var headerNames: ["", "In", "Out", "Type", "Value"]
    property var headerWidths: [0.07, 0.22, 0.22, 0.19, 0.3]
    property real headerBarWidth: root.listView.width - root.scrollBar.width - 10
    property bool enableOsc: true

    signal editSelectedItem()

    function getSourceImage(type) {
        const icons = {
            "Caesura": "qrc:/images/caesura.svg",
            "Click": "qrc:/images/click_event.svg",
            "Cut": "qrc:/images/cut.svg",
            "Fermata": "qrc:/images/fermata_event.svg",
            "Skip": "qrc:/images/fermata_event.svg",
            "Repeat": "qrc:/images/repeat_event.svg",
            "Tempo": "qrc:/images/tempo_event.svg",
            "TempoScale": "qrc:/images/tempo_event.svg",
            "Vamp": "qrc:/images/vamp_event.svg",
            "Transpose": "qrc:/images/transpose_event.svg",
            "Sfx": "qrc:/images/sfx.svg",
            "Ambient Sfx": "qrc:/images/ambient_audio_event.svg",
            "OSC": "qrc:/images/lan.svg"
        };
        return icons.hasOwnProperty(type) ? icons[type] : "";
    }

    function columnWidth(column) {
        return Math.floor(root.headerWidths[column] * root.headerBarWidth);
    }

    VemoTheme { id: theme }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 0
        spacing: 0

        Repeater {
            model: root.headerNames

            Text {
                required property int index
                required property string modelData

                Layout.preferredWidth: root.columnWidth(index)
                text: modelData
                horizontalAlignment: Text.AlignLeft
                verticalAlignment: Text.AlignVCenter
                color: theme.default_text_header_color
                font: theme.default_font
            }
        }
        Item { Layout.fillWidth: true }
    }

    delegate: Item {
        id: row

        required property int index
        required property var model

        x: 10
        width: ListView.view.width
        height: root.itemRowHeight

        Row {
            anchors.fill: parent

            Item {
                width: root.columnWidth(0)
                height: parent.height

                Image {
                    objectName: "typeIcon"
                    anchors.centerIn: parent
                    height: inText.height
                    fillMode: Image.PreserveAspectFit
                    smooth: true
                    source: root.getSourceImage(row.model.type)
                }
            }
            EventText {
                id: inText
                width: root.columnWidth(1)
                text: row.model.in
                font: theme.default_font
            }
            EventText {
                width: root.columnWidth(2)
                text: row.model.out
                font: theme.default_font
            }
            EventText {
                width: root.columnWidth(3)
                text: row.model.type
                font: theme.default_font
            }
            EventText {
                width: root.headerWidths[4] * root.headerBarWidth - root.scrollBar.width
                text: row.model.count
                font: theme.default_font
            }
        }

        MouseArea {
            anchors.fill: parent
            onClicked: {
                root.currentIndex = row.index;
                root.currentItemChanged(row.index);
            }
            onDoubleClicked: {
                if (row.model.type !== "OSC" || root.enableOsc)
                    root.editSelectedItem();
            }
        }
    }

    component EventText: Text {
        textFormat: Text.PlainText
        elide: Text.ElideRight
        horizontalAlignment: Text.AlignLeft
        color: "white"
        anchors.verticalCenter: parent.verticalCenter
    }
}
