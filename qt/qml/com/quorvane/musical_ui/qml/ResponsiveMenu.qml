import QtQuick
import QtQuick.Controls
import QtQuick.Window
import Qt5Compat.GraphicalEffects
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

    Image {
        id: icon
        objectName: "menuIcon"
        anchors.fill: parent
        source: root.imageSource
        sourceSize: Qt.size(root.imageSize.width * 2, root.imageSize.height * 2)
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
    }

    ColorOverlay {
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
        onClicked: menu.open()
    }

    VemoCustomMenu {
        id: menu
        objectName: "menu"
        y: root.height

        VemoCustomMenu {
            objectName: "fileMenu"
            width: root.submenuWidth
            title: "File"

            Action {
                text: qsTr("Download Latest Log")
                onTriggered: root.getLatestLogClicked()
            }
            VemoCustomMenuSeparator {}
            Action {
                text: "View Past Logs..."
                enabled: root.isAdmin
                onTriggered: root.changelogManagerOpened()
            }
            Action {
                text: qsTr("Save Edits")
                shortcut: root.convertShortCutForPlatform("Cmd+S")
                enabled: root.isAdmin && root.canSave
                onTriggered: root.saveClicked()
            }
            Action {
                text: qsTr("Share Edits")
                enabled: root.isAdmin && root.canShare
                onTriggered: root.shareClicked()
            }
            VemoCustomMenuSeparator {}
            Action {
                // The main window's close request runs the close flow with its unsaved-changes
                // prompt. Inside an Action `Window.window` is null: the window is the menu item's.
                text: qsTr("Quit ") + root.appName
                shortcut: root.convertShortCutForPlatform("Cmd+Q")
                onTriggered: root.Window.window.close()
            }
        }

        VemoCustomMenu {
            objectName: "editMenu"
            width: root.submenuWidth
            title: qsTr("Edit")

            Action {
                text: "Undo"
                shortcut: root.convertShortCutForPlatform("cmd+z")
                enabled: root.canUndo && root.isAdmin
                onTriggered: root.undo()
            }
            Action {
                text: "Redo"
                shortcut: root.convertShortCutForPlatform("cmd+shift+z")
                enabled: root.canRedo && root.isAdmin
                onTriggered: root.redo()
            }
            VemoCustomMenuSeparator {}
            Action {
                text: "Delete"
                shortcut: root.convertShortCutForPlatform("backspace")
                enabled: root.canDelete && root.isAdmin
                onTriggered: root.deleteSelected()
            }
            Action {
                text: "Select All"
                shortcut: root.convertShortCutForPlatform("cmd+a")
                enabled: root.isAdmin
                onTriggered: root.selectAll()
            }
        }

        VemoCustomMenu {
            objectName: "playerMenu"
            width: root.submenuWidth
            title: qsTr("Player")

            Action {
                text: "Play/Pause"
                shortcut: root.convertShortCutForPlatform(" ")
                onTriggered: root.playPause()
            }
            Action {
                text: "Stop"
                shortcut: root.convertShortCutForPlatform("Shift+ ")
                onTriggered: root.stop()
            }
            Action {
                text: "Advance"
                shortcut: root.convertShortCutForPlatform("Right")
                onTriggered: root.continuePlay()
            }
            VemoCustomMenuSeparator {}
            Action {
                text: "Jump to Bar..."
                shortcut: root.convertShortCutForPlatform("Cmd+b")
                onTriggered: root.jumpToBarStart()
            }
            Action {
                text: "Previous Marker"
                shortcut: root.convertShortCutForPlatform(",")
                onTriggered: root.previousMarker()
            }
            Action {
                text: "Next Marker"
                shortcut: root.convertShortCutForPlatform(".")
                onTriggered: root.nextMarker()
            }
            Action {
                text: "Previous Bar"
                shortcut: root.convertShortCutForPlatform("Shift+,")
                onTriggered: root.previousBar()
            }
            Action {
                text: "Next Bar"
                shortcut: root.convertShortCutForPlatform("Shift+.")
                onTriggered: root.nextBar()
            }
        }

        VemoCustomMenu {
            objectName: "viewMenu"
            width: root.submenuWidth
            title: "View"

            Action {
                text: "Zoom In Timeline"
                shortcut: root.convertShortCutForPlatform("=")
                onTriggered: root.zoomIn()
            }
            Action {
                text: "Zoom Out Timeline"
                shortcut: root.convertShortCutForPlatform("-")
                onTriggered: root.zoomOut()
            }
        }

        VemoCustomMenu {
            objectName: "toolsMenu"
            width: root.submenuWidth
            title: qsTr("Tools")

            Action {
                text: qsTr("Audio Manager...")
                shortcut: root.convertShortCutForPlatform("Shift+Cmd+G")
                enabled: root.showAudioManager
                onTriggered: root.audioManagerClicked()
            }
            Action {
                text: qsTr("SFX Manager...")
                shortcut: root.convertShortCutForPlatform("Shift+Cmd+S")
                enabled: root.sfxPermissions
                onTriggered: root.sfxManagerClicked()
            }
            Action {
                text: qsTr("Output Paths...")
                enabled: root.sfxPermissions
                onTriggered: root.outputPaths()
            }
            Action {
                text: qsTr("MIDI Manager...")
                shortcut: root.convertShortCutForPlatform("Shift+Cmd+M")
                onTriggered: root.midiCommandsClicked()
            }
            Action {
                text: qsTr("OSC Manager...")
                shortcut: root.convertShortCutForPlatform("Shift+Cmd+O")
                enabled: root.oscEnabled
                onTriggered: root.oscManagerClicked()
            }
        }

        VemoCustomMenu {
            objectName: "helpMenu"
            width: root.submenuWidth
            title: qsTr("Help")

            Action {
                text: "About " + root.appName + "..."
                onTriggered: root.aboutClicked()
            }
            Action {
                text: "VEMO Support Center..."
                onTriggered: Qt.openUrlExternally(Deployment.supportPageUrl)
            }
        }
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
