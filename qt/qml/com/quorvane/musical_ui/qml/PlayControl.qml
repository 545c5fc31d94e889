import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// The transport panel: previous, next, stop, play, pause and exit vamp in one bar, fade in a
// second bar. It only turns clicks into its own signals; the window that holds it sets the state
// properties when the player reports a change of transport state.
Item {
    id: control

    property alias pauseEnabled: btnPause.enabled
    property alias pauseToggled: btnPause.toggled
    property alias stopToggled: btnStop.toggled
    property alias fadeEnabled: btnFade.enabled
    property alias fadeToggled: btnFade.toggled
    property bool highlightContinueButton: false
    property bool showFade: true

    signal play()
    signal stop()
    signal pause()
    signal fade(int fadeTimeMs)
    signal continueFlow()
    signal nextSong()
    signal prevSong()

    enabled: true
    height: 52
    implicitWidth: row.implicitWidth

    VemoTheme { id: theme }

    RowLayout {
        id: row
        anchors.left: parent.left
        spacing: 15

        BubbleButtonBar {
            Layout.alignment: Qt.AlignLeft

            BubbleButton {
                id: btnPrev
                objectName: "btnPrev"
                text: qsTr("Prev")
                imageSource: "qrc:/images/previous.svg"
                textColor: theme.default_text_color
                enabled: true
                toolTip.text: qsTr("Select previous song in playlist")
                onClicked: control.prevSong()
            }
            BubbleButton {
                id: btnNext
                objectName: "btnNext"
                text: qsTr("Next")
                imageSource: "qrc:/images/next.svg"
                textColor: theme.default_text_color
                toolTip.text: qsTr("Select next song in playlist")
                onClicked: control.nextSong()
            }
            BubbleButton {
                id: btnStop
                objectName: "btnStop"
                text: qsTr("Stop")
                imageSource: "qrc:/images/stop2.svg"
                textColor: theme.default_text_color
                enabled: true
                toolTip.text: qsTr("Stop playback and return playhead to beginning of timeline")
                onClicked: control.stop()
            }
            BubbleButton {
                id: btnPlay
                objectName: "btnPlay"
                text: qsTr("Play")
                imageSource: "qrc:/images/play.svg"
                textColor: theme.default_text_color
                enabled: true
                toolTip.text: qsTr("Play selected song from playlist / resume playback in timeline")
                onClicked: control.play()
            }
            BubbleButton {
                id: btnPause
                objectName: "btnPause"
                text: qsTr("Pause")
                imageSource: "qrc:/images/pause.svg"
                checkable: true
                colorToggledOn: true
                textColor: theme.default_text_color
                enabled: false
                toolTip.text: qsTr("Pause playback and playhead in timeline")
                onClicked: control.pause()
            }
            BubbleButton {
                id: btnExitVamp
                objectName: "btnExitVamp"
                text: qsTr("Exit Vamp")
                imageSource: "qrc:/images/exit-vamp.svg"
                checkable: true
                colorToggledOn: true
                enabled: true
                radiant: control.highlightContinueButton
                toggled: control.highlightContinueButton
                toolTip.text: qsTr("(1) Resume playback after Caesura (2) Jump to end of Skip (3) Exit a Vamp")
                onClicked: control.continueFlow()
            }
        }

        BubbleButtonBar {
            Layout.alignment: Qt.AlignLeft
            // The bar has no implicit size of its own; this lets the row follow a hidden fade button.
            Layout.preferredWidth: btnFade.width

            BubbleButton {
                id: btnFade
                objectName: "btnFade"
                text: qsTr("Fade")
                imageSource: "qrc:/images/fade.svg"
                textColor: theme.default_text_color
                enabled: false
                visible: control.showFade
                showDownChevron: true
                width: visible ? implicitWidth : 0
                Layout.preferredWidth: visible ? implicitWidth : 0
                toolTip.text: qsTr("Fade Out Current Song and Move to Next Song (hold for timing options)")
                onClicked: control.fade(3000)
                onPressAndHold: fadeContextMenu.popup()
            }
        }
    }

    CustomContextMenu {
        id: fadeContextMenu
        objectName: "fadeContextMenu"

        Action {
            text: qsTr("1 second")
            onTriggered: control.fade(1000)
        }
        Action {
            text: qsTr("3 seconds")
            onTriggered: control.fade(3000)
        }
        Action {
            text: qsTr("5 seconds")
            onTriggered: control.fade(5000)
        }
        Action {
            text: qsTr("7 seconds")
            onTriggered: control.fade(7000)
        }
    }
}
