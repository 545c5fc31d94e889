import QtQuick
import QtQuick.Controls
import QtQuick.Window
import com.quorvane.vemo_ui
import "qrc:/qt/qml/com/quorvane/vemo_ui/qml/deployment.js" as Deployment

// The main window's menu: an icon that opens the drop-down of every command, with the program's
// keyboard shortcuts (they work while the menu is closed) and the About window.
Item {
    id: root

    property var imageSource: 'qrc:/images/responsive_menu'
    property var imageSize: Qt.size(20, 20)
    property var imageColor: '#D3D3D3'
    property var rootWindow: parent
    property alias aboutWindow: about
    property var menuBar: null
    property bool canUndo: false
    property bool canRedo: false
    property bool canDelete: true
    property bool canSave: false
    property bool canShare: false
    property bool isAdmin: false
    property bool sfxPermissions: false
    property string appName: "Application"
    property bool showAudioManager: false
    property bool oscEnabled: true
    // Wide enough for the longest entry beside its shortcut.
    readonly property int submenuWidth: 330

    signal audioManagerClicked()
    signal midiCommandsClicked()
    signal oscManagerClicked()
    signal aboutClicked()
    signal changelogManagerOpened()
    signal jumpToBarStart()
    signal getLatestLogClicked()
    signal sfxManagerClicked()
    signal saveClicked()
    signal shareClicked()
    signal playPause()
    signal stop()
    signal continuePlay()
    signal previousMarker()
    signal nextMarker()
    signal previousBar()
    signal nextBar()
    signal outputPaths()
    signal zoomIn()
    signal zoomOut()
    signal selectAll()
    signal deleteSelected()
    signal undo()
    signal redo()
    signal selectionStartToCenter()
    signal selectionEndToCenter()
    signal extendSelectionToStart()
    signal extendSelectionToEnd()

    // Shortcuts are written with "Cmd", which only macOS ("osx") has; elsewhere it reads "Ctrl".
    function convertShortCut(shortcut, os) {
        return os === "osx" ? shortcut : shortcut.replace(/cmd/gi, "Ctrl")
    }

    function convertShortCutForPlatform(shortcut) {
        return convertShortCut(shortcut, Qt.platform.os)
    }

    function setAdminPermission(admin) {
        isAdmin = admin
    }

    width: 20
    height: 20

    // The icon is drawn once, in its colour, straight from the image's texture. The image is read
    // at twice the drawn size, so that it stays smooth without mipmaps.
    Image {
        id: icon
        objectName: "menuIcon"
        anchors.fill: parent
        visible: false
        source: root.imageSource
        sourceSize: Qt.size(root.imageSize.width * 2, root.imageSize.height * 2)
        fillMode: Image.PreserveAspectFit
        smooth: true
    }

    IconTint {
        objectName: "iconOverlay"
        anchors.fill: icon
        source: icon
        color: iconArea.containsMouse ? Qt.lighter(root.imageColor, 1.65) : root.imageColor
    }

    MouseArea {
        id: iconArea
        objectName: "iconArea"
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            dropDown.active = true
            dropDown.item.open()
        }
    }

    // The drop-down is made the first time it opens and kept from then on. It shows the actions
    // below, which exist from the start so that their shortcuts work before it is ever opened. Each
    // submenu lists its entries in order; its separators are held in properties to take their place
    // in that list.
    Loader {
        id: dropDown
        active: false
        sourceComponent: VemoCustomMenu {
            objectName: "menu"
            y: root.height

            VemoCustomMenu {
                readonly property Item logsSeparator: VemoCustomMenuSeparator {}
                readonly property Item quitSeparator: VemoCustomMenuSeparator {}

                objectName: "fileMenu"
                width: root.submenuWidth
                title: "File"
                contentData: [downloadLatestLogAction, logsSeparator, viewPastLogsAction, saveAction, shareAction,
                    quitSeparator, quitAction]
            }

            VemoCustomMenu {
                readonly property Item deleteSeparator: VemoCustomMenuSeparator {}

                objectName: "editMenu"
                width: root.submenuWidth
                title: qsTr("Edit")
                contentData: [undoAction, redoAction, deleteSeparator, deleteAction, selectAllAction]
            }

            VemoCustomMenu {
                readonly property Item jumpSeparator: VemoCustomMenuSeparator {}

                objectName: "playerMenu"
                width: root.submenuWidth
                title: qsTr("Player")
                contentData: [playPauseAction, stopAction, advanceAction, jumpSeparator, jumpToBarAction,
                    previousMarkerAction, nextMarkerAction, previousBarAction, nextBarAction]
            }

            VemoCustomMenu {
                objectName: "viewMenu"
                width: root.submenuWidth
                title: "View"
                contentData: [zoomInAction, zoomOutAction]
            }

            VemoCustomMenu {
                objectName: "toolsMenu"
                width: root.submenuWidth
                title: qsTr("Tools")
                contentData: [audioManagerAction, sfxManagerAction, outputPathsAction, midiManagerAction,
                    oscManagerAction]
            }

            VemoCustomMenu {
                objectName: "helpMenu"
                width: root.submenuWidth
                title: qsTr("Help")
                contentData: [aboutAction, supportCenterAction]
            }
        }
    }

    // File
    Action {
        id: downloadLatestLogAction
        text: qsTr("Download Latest Log")
        onTriggered: root.getLatestLogClicked()
    }
    Action {
        id: viewPastLogsAction
        text: "View Past Logs..."
        enabled: root.isAdmin
        onTriggered: root.changelogManagerOpened()
    }
    Action {
        id: saveAction
        text: qsTr("Save Edits")
        shortcut: root.convertShortCutForPlatform("Cmd+S")
        enabled: root.isAdmin && root.canSave
        onTriggered: root.saveClicked()
    }
    Action {
        id: shareAction
        text: qsTr("Share Edits")
        enabled: root.isAdmin && root.canShare
        onTriggered: root.shareClicked()
    }
    Action {
        // The main window's close request runs the close flow with its unsaved-changes prompt. An
        // Action has no window of its own: the window is the menu's.
        id: quitAction
        text: qsTr("Quit ") + root.appName
        shortcut: root.convertShortCutForPlatform("Cmd+Q")
        onTriggered: root.Window.window.close()
    }

    // Edit
    Action {
        id: undoAction
        text: "Undo"
        shortcut: root.convertShortCutForPlatform("cmd+z")
        enabled: root.canUndo && root.isAdmin
        onTriggered: root.undo()
    }
    Action {
        id: redoAction
        text: "Redo"
        shortcut: root.convertShortCutForPlatform("cmd+shift+z")
        enabled: root.canRedo && root.isAdmin
        onTriggered: root.redo()
    }
    Action {
        id: deleteAction
        text: "Delete"
        shortcut: root.convertShortCutForPlatform("backspace")
        enabled: root.canDelete && root.isAdmin
        onTriggered: root.deleteSelected()
    }
    Action {
        id: selectAllAction
        text: "Select All"
        shortcut: root.convertShortCutForPlatform("cmd+a")
        enabled: root.isAdmin
        onTriggered: root.selectAll()
    }

    // Player
    Action {
        id: playPauseAction
        text: "Play/Pause"
        shortcut: root.convertShortCutForPlatform(" ")
        onTriggered: root.playPause()
    }
    Action {
        id: stopAction
        text: "Stop"
        shortcut: root.convertShortCutForPlatform("Shift+ ")
        onTriggered: root.stop()
    }
    Action {
        id: advanceAction
        text: "Advance"
        shortcut: root.convertShortCutForPlatform("Right")
        onTriggered: root.continuePlay()
    }
    Action {
        id: jumpToBarAction
        text: "Jump to Bar..."
        shortcut: root.convertShortCutForPlatform("Cmd+b")
        onTriggered: root.jumpToBarStart()
    }
    Action {
        id: previousMarkerAction
        text: "Previous Marker"
        shortcut: root.convertShortCutForPlatform(",")
        onTriggered: root.previousMarker()
    }
    Action {
        id: nextMarkerAction
        text: "Next Marker"
        shortcut: root.convertShortCutForPlatform(".")
        onTriggered: root.nextMarker()
    }
    Action {
        id: previousBarAction
        text: "Previous Bar"
        shortcut: root.convertShortCutForPlatform("Shift+,")
        onTriggered: root.previousBar()
    }
    Action {
        id: nextBarAction
        text: "Next Bar"
        shortcut: root.convertShortCutForPlatform("Shift+.")
        onTriggered: root.nextBar()
    }

    // View
    Action {
        id: zoomInAction
        text: "Zoom In Timeline"
        shortcut: root.convertShortCutForPlatform("=")
        onTriggered: root.zoomIn()
    }
    Action {
        id: zoomOutAction
        text: "Zoom Out Timeline"
        shortcut: root.convertShortCutForPlatform("-")
        onTriggered: root.zoomOut()
    }

    // Tools
    Action {
        id: audioManagerAction
        text: qsTr("Audio Manager...")
        shortcut: root.convertShortCutForPlatform("Shift+Cmd+G")
        enabled: root.showAudioManager
        onTriggered: root.audioManagerClicked()
    }
    Action {
        id: sfxManagerAction
        text: qsTr("SFX Manager...")
        shortcut: root.convertShortCutForPlatform("Shift+Cmd+S")
        enabled: root.sfxPermissions
        onTriggered: root.sfxManagerClicked()
    }
    Action {
        id: outputPathsAction
        text: qsTr("Output Paths...")
        enabled: root.sfxPermissions
        onTriggered: root.outputPaths()
    }
    Action {
        id: midiManagerAction
        text: qsTr("MIDI Manager...")
        shortcut: root.convertShortCutForPlatform("Shift+Cmd+M")
        onTriggered: root.midiCommandsClicked()
    }
    Action {
        id: oscManagerAction
        text: qsTr("OSC Manager...")
        shortcut: root.convertShortCutForPlatform("Shift+Cmd+O")
        enabled: root.oscEnabled
        onTriggered: root.oscManagerClicked()
    }

    // Help
    Action {
        id: aboutAction
        text: "About " + root.appName + "..."
        onTriggered: root.aboutClicked()
    }
    Action {
        id: supportCenterAction
        text: "VEMO Support Center..."
        onTriggered: Qt.openUrlExternally(Deployment.supportPageUrl)
    }

    // Keys that have no menu entry.
    Action {
        objectName: "deleteKey"
        text: "Not on Menu, Delete Key"
        shortcut: "Delete"
        enabled: root.canDelete && root.isAdmin
        onTriggered: root.deleteSelected()
    }
    Action {
        objectName: "selectionStartKey"
        text: "Selection Start to Center"
        shortcut: "q"
        onTriggered: root.selectionStartToCenter()
    }
    Action {
        objectName: "selectionEndKey"
        text: "Selection End to Center"
        shortcut: "w"
        onTriggered: root.selectionEndToCenter()
    }
    Action {
        objectName: "extendStartKey"
        text: "Extend Selection to Start"
        shortcut: "["
        onTriggered: root.extendSelectionToStart()
    }
    Action {
        objectName: "extendEndKey"
        text: "Extend Selection to End"
        shortcut: "]"
        onTriggered: root.extendSelectionToEnd()
    }

    AboutWindow {
        id: about
        objectName: "aboutWindow"
        rootWindow: root.rootWindow
        showAcknowledgments: true
    }
}
