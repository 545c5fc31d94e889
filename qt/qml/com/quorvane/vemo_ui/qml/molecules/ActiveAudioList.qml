import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// A scrolling list of the active audio players. Play and stop requests of a row go to the model's
// playTrack() and stopTrack(); seek requests go to the owner through setPosition().
Item {
    id: root

    property alias model: list.model
    property Item background: background
    property Component delegate: defaultDelegate
    property QtObject theme: defaultTheme

    signal setPosition(int playerId, real position)

    width: 200
    height: 300

    VemoTheme { id: defaultTheme }

    Component {
        id: defaultDelegate

        ActiveAudioDelegate {
            required property var model

            rowModel: model
            height: 40
            width: ListView.view.width - (scrollBar.visible ? scrollBar.width : 0)
            theme: root.theme
            onPlayTrack: playerId => root.model.playTrack(playerId)
            onStopTrack: (playerId, isUrgent) => root.model.stopTrack(playerId, isUrgent)
            onSetPosition: (playerId, position) => root.setPosition(playerId, position)
        }
    }

    Rectangle {
        id: background
        anchors.fill: parent
        color: root.theme.default_bg_color
    }

    ColumnLayout {
        anchors.fill: parent

        ListView {
            id: list
            objectName: "list"
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 5
            clip: true
            delegate: root.delegate

            ScrollBar.vertical: CustomScrollBar {
                id: scrollBar
                objectName: "scrollBar"
            }
        }
    }
}
