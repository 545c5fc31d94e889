import QtQuick
import QtQuick.Layouts
import Qt5Compat.GraphicalEffects
import com.quorvane.vemo_ui

// One active audio player: a pin toggle, the name, elapsed and total time over a shaded progress
// area that seeks on a click, and a play/stop button. `rowModel` is the row's model object (the
// `model` of a list delegate): the row reads its roles and writes `progress` and `isPinned` back.
Item {
    id: root

    property var rowModel: null
    property Item background: trackArea
    property QtObject theme: defaultTheme

    readonly property int playerId: rowModel ? rowModel.id : -1
    readonly property string name: rowModel && rowModel.name ? rowModel.name : ""
    readonly property real duration: rowModel && rowModel.duration > 0 ? rowModel.duration : 0
    readonly property real progress: rowModel && rowModel.progress ? rowModel.progress : 0
    readonly property bool isPlaying: rowModel ? !!rowModel.isPlaying : false
    readonly property bool isPinned: rowModel ? !!rowModel.isPinned : false

    signal playTrack(int playerId)
    signal stopTrack(int playerId, bool isUrgent)
    signal setPosition(int playerId, real position)

    // Seconds as minutes, a colon and two-digit seconds: 75.4 gives "1:15".
    function formatTime(time) {
        const minutes = Math.floor(time / 60)
        const seconds = Math.floor(time % 60)
        return minutes + ":" + (seconds < 10 ? "0" : "") + seconds
    }

    function toggleIsPlaying() {
        if (isPlaying)
            stopTrack(playerId, false)
        else
            playTrack(playerId)
    }

    // Within a second of either end the position snaps to that end.
    function seekTo(x) {
        if (duration <= 0)
            return
        const fraction = x / trackArea.width
        const time = fraction * duration
        const position = time < 1 ? 0 : duration - time < 1 ? 1 : fraction
        rowModel.progress = position
        setPosition(playerId, position)
    }

    function togglePin() {
        rowModel.isPinned = !isPinned
        if (pinIcon.source.toString() === "qrc:/images/keep_off.svg")
            pinIcon.source = "qrc:/images/keep.svg"
        pinOverlay.visible = !pinOverlay.visible
    }

    VemoTheme { id: defaultTheme }

    Item {
        id: pinArea
        objectName: "pinArea"
        anchors.left: parent.left
        width: 48
        height: 48

        Image {
            id: pinIcon
            objectName: "pinIcon"
            anchors.centerIn: parent
            source: "qrc:/images/keep.svg"
            sourceSize.width: 20
            sourceSize.height: 20
            fillMode: Image.PreserveAspectFit
        }

        ColorOverlay {
            id: pinOverlay
            objectName: "pinOverlay"
            anchors.fill: pinIcon
            source: pinIcon
            color: "#5a5a5a"
            visible: true
        }

        MouseArea {
            objectName: "pinMouse"
            anchors.fill: parent
            hoverEnabled: true
            onClicked: root.togglePin()
            onEntered: if (root.isPinned) pinIcon.source = "qrc:/images/keep_off.svg"
            onExited: pinIcon.source = "qrc:/images/keep.svg"
        }
    }

    Rectangle {
        id: trackArea
        objectName: "trackArea"
        anchors.left: pinArea.right
        anchors.right: playArea.left
        height: parent.height
        color: "transparent"

        Rectangle {
            objectName: "progressShade"
            height: parent.height
            width: root.progress * parent.width
            color: "#10FFFFFF"
        }

        ColumnLayout {
            anchors.fill: parent
            anchors.margins: 5
            spacing: 5

            Text {
                objectName: "nameText"
                Layout.fillWidth: true
                Layout.fillHeight: true
                Layout.alignment: Qt.AlignBottom | Qt.AlignHCenter
                Layout.preferredHeight: trackArea.height * 4 / 5 - 10 - 10
                text: root.name !== "" ? root.name : qsTr("Name not set")
                textFormat: Text.PlainText
                color: root.theme.light_text_color
                font.pixelSize: root.theme.default_font.pixelSize
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
            }

            Text {
                objectName: "timeText"
                Layout.fillHeight: true
                Layout.alignment: Qt.AlignBottom | Qt.AlignHCenter
                Layout.preferredHeight: trackArea.height / 5 - 10 - 10
                text: root.duration > 0
                      ? root.formatTime(root.progress * root.duration) + " / " + root.formatTime(root.duration)
                      : "0:00 / 0:00"
                color: root.theme.default_text_color
                font.pixelSize: root.theme.small_font.pixelSize
                verticalAlignment: Text.AlignVCenter
            }
        }

        MouseArea {
            objectName: "trackMouse"
            anchors.fill: parent
            onClicked: mouse => root.seekTo(mouse.x)
        }
    }

    Rectangle {
        id: playArea
        objectName: "playArea"
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        width: 40
        height: 40
        color: "transparent"

        SfxPlayButton {
            id: playButton
            objectName: "playButton"
            anchors.centerIn: parent
            width: 28
            height: 28
            playing: root.isPlaying
            buttonManagesState: false
        }

        MouseArea {
            objectName: "playMouse"
            anchors.fill: parent
            onClicked: {
                playButton.handleClick(root.isPlaying)
                root.toggleIsPlaying()
            }
        }
    }
}
