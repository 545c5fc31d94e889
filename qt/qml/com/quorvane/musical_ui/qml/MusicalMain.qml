import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The program's main window: mode tabs, play control, status banner and logo on top, then the
// timeline with the edit panel, or the score. It turns the user's actions into root signals for its
// controller, re-exports its parts under fixed root names, follows the transport state the
// controller reports, and refuses its own close so that closing becomes a request.
ApplicationWindow {
    id: mainWindow

    property int marginSize: 15
    property bool sfxPermissions: false
    property bool sfxEnable: false
    property bool oscEnable: true
    property bool showFade: true
    property bool showScore: false
    property bool showMixer: false
    property url albumArtImageUrl: ""
    property bool showAlbumArtImage: false

    property alias statusBannerControl: banner
    property alias key: banner.key
    property alias tempo: banner.tempo
    property alias meter: banner.meter
    property alias transpose: banner.transpose
    property alias tempoScale: banner.tempoScale
    property alias beat: banner.beat
    property alias measure: banner.measure
    property alias songTitle: banner.songTitle
    property alias flowControlLabel: banner.flowControlLabel
    property alias flowControlValue: banner.flowControlValue
    property alias flowControlBackgroundColor: banner.flowControlBackgroundColor
    property alias volumeLevelPercent: banner.volumeLevelPercent
    property alias highlightContinueButton: playControl.highlightContinueButton
    property alias cornerLogoSource: cornerLogo.source
    property alias menu: menuButton
    property alias aboutWindow: menuButton.aboutWindow
    property alias timelineControl: timelinePanel.timelineControl
    property alias editPanelControl: editPanel
    property alias mixerControl: editPanel.mixerControl
    property alias scoreControl: scoreView

    signal play()
    signal stop()
    signal pause()
    signal fade(int fadeTimeMs)
    signal continueFlow()
    signal nextSong()
    signal prevSong()
    signal jumpToBar(string barNum)
    signal changelogManagerOpened()
    signal outputPathsOpened()
    signal caesuraButtonPressed(int start)
    signal markerButtonPressed(int start)
    signal oscButtonPressed(int start)
    signal primarySFXButtonPressed(int start)
    signal cutButtonPressed(int start, int end)
    signal skipButtonPressed(int start, int end)
    signal vampButtonPressed(int start, int end)
    signal transposeButtonPressed(int start, int end)
    signal tempoButtonPressed(int start, int end)
    signal repeatButtonPressed(int start, int end)
    signal clickButtonPressed(int start, int end)
    signal ambientSFXButtonPressed(int start, int end)

    signal playStarted()
    signal stopped()
    signal paused()
    signal fading()
    signal jumpToBarResult(bool success)
    signal setAdminPermission(bool admin)

    function startJumpToBar() {
        jumpToBarPrompt.open()
    }

    function setSelectionStart(tickValue) {
        timelineControl.selectionStart = tickValue / 25
    }

    function setSelectionEnd(tickValue) {
        timelineControl.selectionEnd = tickValue / 25
        timelineControl.selectionActive = true
    }

    // The tool buttons' tick range: the timeline's selection, else the playhead's tick.
    function toolStart() {
        const timeline = timelineControl
        if (timeline.selectionActive)
            return Math.trunc(timeline.calculateScaledPosition(timeline.selectionStart * timeline.viewScale))
        return Math.trunc(timeline.calculateScaledPosition(timeline.playheadItem.x))
    }

    function toolEnd() {
        const timeline = timelineControl
        if (timeline.selectionActive)
            return Math.trunc(timeline.calculateScaledPosition(timeline.selectionEnd * timeline.viewScale))
        return Math.trunc(timeline.calculateScaledPosition(timeline.playheadItem.x))
    }

    function setTransportState(stopToggled, pauseEnabled, pauseToggled, fadeEnabled) {
        playControl.stopToggled = stopToggled
        playControl.pauseEnabled = pauseEnabled
        playControl.pauseToggled = pauseToggled
        playControl.fadeEnabled = fadeEnabled
    }

    minimumWidth: 1366
    minimumHeight: 768
    // Without a window manager to size it, a window with only a minimum size stays empty.
    width: minimumWidth
    height: minimumHeight
    title: "Tolbrin"
    visible: true
    color: theme.default_bg_color

    onPlayStarted: setTransportState(true, true, false, true)
    onFading: setTransportState(true, true, false, false)
    onPaused: {
        playControl.pauseToggled = true
        playControl.fadeEnabled = false
    }
    onStopped: setTransportState(false, false, false, false)
    onJumpToBarResult: success => jumpToBarPrompt.result(success)
    onSetAdminPermission: admin => {
        editPanel.setAdminPermission(admin)
        menuButton.setAdminPermission(admin)
    }
    onClosing: close => close.accepted = false

    VemoTheme { id: theme }

    Item {
        id: content
        objectName: "content"
        anchors.fill: parent
        focus: true

        // "=" zooms in through the menu's shortcut; the menu has one shortcut per command, so the
        // plus key is taken here.
        Keys.onPressed: event => {
            if (event.key === Qt.Key_Plus) {
                menuButton.zoomIn()
                event.accepted = true
            }
        }

        ResponsiveMenu {
            id: menuButton
            objectName: "menuButton"
            x: 10
            y: 10
            rootWindow: mainWindow
            sfxPermissions: mainWindow.sfxPermissions
            onChangelogManagerOpened: mainWindow.changelogManagerOpened()
            onJumpToBarStart: mainWindow.startJumpToBar()
            onOutputPaths: mainWindow.outputPathsOpened()
        }

        TabBar {
            id: modeTabs
            objectName: "modeTabs"
            x: menuButton.x + menuButton.width + 10
            y: 0
            currentIndex: 0
            spacing: 0
            background: Rectangle { color: theme.default_bg_color }

            ModeTabButton {
                text: qsTr("Music Edit")
                font: theme.default_font
            }
            ModeTabButton {
                objectName: "scoreTab"
                text: qsTr("Score")
                font: theme.default_font
                visible: mainWindow.showScore
                width: visible ? 1.2 * implicitWidth : 0
            }
        }

        ColumnLayout {
            anchors.fill: parent
            anchors.topMargin: 25
            anchors.bottomMargin: theme.bevel_width
            spacing: 2

            RowLayout {
                Layout.fillWidth: true
                Layout.leftMargin: mainWindow.marginSize
                Layout.rightMargin: mainWindow.marginSize
                Layout.bottomMargin: mainWindow.marginSize
                spacing: 15

                PlayControl {
                    id: playControl
                    objectName: "playControl"
                    Layout.alignment: Qt.AlignLeft | Qt.AlignBottom
                    showFade: mainWindow.showFade
                    onPlay: mainWindow.play()
                    onStop: mainWindow.stop()
                    onPause: mainWindow.pause()
                    onFade: fadeTimeMs => mainWindow.fade(fadeTimeMs)
                    onContinueFlow: mainWindow.continueFlow()
                    onNextSong: mainWindow.nextSong()
                    onPrevSong: mainWindow.prevSong()
                }

                ShowStatusBanner {
                    id: banner
                    objectName: "statusBanner"

                    Layout.fillWidth: true
                    albumArtImageControl.source: mainWindow.albumArtImageUrl
                    albumArtImageControl.visible: mainWindow.showAlbumArtImage
                    onBarBeatClicked: mainWindow.startJumpToBar()
                }

                Image {
                    id: cornerLogo
                    objectName: "cornerLogo"
                    Layout.preferredHeight: 80
                    Layout.preferredWidth: paintedWidth
                    Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
                    fillMode: Image.PreserveAspectFit
                    source: "qrc:/images/vemo_flat_logo.png"
                    // Read at the height it shows at, so it is drawn without scaling.
                    sourceSize.height: 80
                }
            }

            StackLayout {
                objectName: "modeStack"
                Layout.fillWidth: true
                Layout.fillHeight: true
                currentIndex: modeTabs.currentIndex

                ColumnLayout {
                    TimeLineEditPanel {
                        id: timelinePanel
                        objectName: "timelinePanel"
                        Layout.fillWidth: true
                        sfxEnable: mainWindow.sfxEnable
                    }

                    Item {
                        Layout.fillWidth: true
                        Layout.fillHeight: true

                        EditPanel {
                            id: editPanel
                            objectName: "editPanel"
                            anchors.fill: parent
                            sfxPermissions: mainWindow.sfxPermissions
                            sfxEnable: mainWindow.sfxEnable
                            showMixer: mainWindow.showMixer
                            oscEnable: mainWindow.oscEnable

                            onCaesuraButtonPressed: mainWindow.caesuraButtonPressed(mainWindow.toolStart())
                            onMarkerButtonPressed: mainWindow.markerButtonPressed(mainWindow.toolStart())
                            onOscButtonPressed: mainWindow.oscButtonPressed(mainWindow.toolStart())
                            onPrimarySFXButtonPressed: mainWindow.primarySFXButtonPressed(mainWindow.toolStart())
                            onCutButtonPressed: mainWindow.cutButtonPressed(mainWindow.toolStart(), mainWindow.toolEnd())
                            onSkipButtonPressed: mainWindow.skipButtonPressed(mainWindow.toolStart(), mainWindow.toolEnd())
                            onVampButtonPressed: mainWindow.vampButtonPressed(mainWindow.toolStart(), mainWindow.toolEnd())
                            onTransposeButtonPressed: mainWindow.transposeButtonPressed(mainWindow.toolStart(), mainWindow.toolEnd())
                            onTempoButtonPressed: mainWindow.tempoButtonPressed(mainWindow.toolStart(), mainWindow.toolEnd())
                            onRepeatButtonPressed: mainWindow.repeatButtonPressed(mainWindow.toolStart(), mainWindow.toolEnd())
                            onClickButtonPressed: mainWindow.clickButtonPressed(mainWindow.toolStart(), mainWindow.toolEnd())
                            onAmbientSFXButtonPressed: mainWindow.ambientSFXButtonPressed(mainWindow.toolStart(), mainWindow.toolEnd())
                        }
                    }
                }

                ScoreView {
                    id: scoreView
                    objectName: "scoreView"
                    visible: modeTabs.currentIndex === 1
                }
            }
        }

        JumpToBar {
            id: jumpToBarPrompt
            objectName: "jumpToBar"
            rootWindow: mainWindow
            onOk: mainWindow.jumpToBar(jumpToBarPrompt.barNum)
        }
    }
}
