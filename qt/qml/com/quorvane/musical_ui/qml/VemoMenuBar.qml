import QtQuick
import Qt.labs.platform
import "qrc:/qt/qml/com/quorvane/vemo_ui/qml/deployment.js" as Deployment

// The main window's commands as a native menu bar: the responsive menu's entries, with shortcuts
// written the way the platform reads them. Needs a QApplication (native menus are widgets-based).
MenuBar {
    id: menuBar

    property bool canUndo: false
    property bool canRedo: false
    property bool canDelete: true
    property bool canSave: false
    property bool canShare: false
    property bool isAdmin: false
    property bool sfxPermissions: false
    property string appName: "Application"
    property bool showAudioManager: true
    property bool oscEnabled: true

    signal getLatestLogClicked()
    signal preferencesClicked()
    signal midiCommandsClicked()
    signal audioManagerClicked()
    signal oscManagerClicked()
    signal undoClicked()
    signal redoClicked()
    signal deleteClicked()
    signal selectAllClicked()
    signal playPauseClicked()
    signal stopClicked()
    signal continuePlayClicked()
    signal jumpToBarClicked()
    signal nextMarkerClicked()
    signal prevMarkerClicked()
    signal nextBarClicked()
    signal prevBarClicked()
    signal zoomInClicked()
    signal zoomOutClicked()
    signal saveClicked()
    signal shareClicked()
    signal viewPastLogsClicked()
    signal aboutClicked()
    signal sfxManagerClicked()

    Menu {
        objectName: "fileMenu"
        title: qsTr("&File")

        MenuItem {
            text: qsTr("Download Latest Log")
            role: MenuItem.NoRole
            onTriggered: menuBar.getLatestLogClicked()
        }
        MenuSeparator {}
        MenuItem {
            text: qsTr("View Past Logs...")
            enabled: menuBar.isAdmin
            onTriggered: menuBar.viewPastLogsClicked()
        }
        MenuItem {
            text: qsTr("Save Edits")
            shortcut: "Ctrl+S"
            enabled: menuBar.isAdmin && menuBar.canSave
            onTriggered: menuBar.saveClicked()
        }
        MenuItem {
            text: qsTr("Share Edits")
            enabled: menuBar.isAdmin && menuBar.canShare
            onTriggered: menuBar.shareClicked()
        }
        MenuSeparator {}
        MenuItem {
            // The window's close request runs the close flow with its unsaved-changes prompt;
            // quitting the engine instead would end the program past it.
            text: qsTr("Quit " + menuBar.appName)
            shortcut: "Ctrl+Q"
            role: MenuItem.NoRole
            onTriggered: {
                if (menuBar.window)
                    menuBar.window.close()
            }
        }
    }

    Menu {
        objectName: "editMenu"
        title: qsTr("Edit")

        MenuItem {
            text: qsTr("Undo")
            shortcut: "Ctrl+z"
            enabled: menuBar.canUndo && menuBar.isAdmin
            onTriggered: menuBar.undoClicked()
        }
        MenuItem {
            text: qsTr("Redo")
            shortcut: "Shift+Ctrl+z"
            enabled: menuBar.canRedo && menuBar.isAdmin
            onTriggered: menuBar.redoClicked()
        }
        MenuSeparator {}
        MenuItem {
            text: qsTr("Delete")
            shortcut: "Backspace"
            enabled: menuBar.canDelete && menuBar.isAdmin
            onTriggered: menuBar.deleteClicked()
        }
        MenuItem {
            text: qsTr("Select All")
            shortcut: "Ctrl+a"
            onTriggered: menuBar.selectAllClicked()
        }
    }

    Menu {
        objectName: "playerMenu"
        title: qsTr("Player")

        MenuItem {
            text: qsTr("Play/Pause")
            shortcut: " "
            onTriggered: menuBar.playPauseClicked()
        }
        MenuItem {
            text: qsTr("Stop")
            shortcut: "Shift+ "
            onTriggered: menuBar.stopClicked()
        }
        MenuItem {
            text: qsTr("Advance")
            shortcut: "Right"
            onTriggered: menuBar.continuePlayClicked()
        }
        MenuSeparator {}
        MenuItem {
            text: qsTr("Jump to Bar...")
            shortcut: "Ctrl+b"
            onTriggered: menuBar.jumpToBarClicked()
        }
        MenuItem {
            text: qsTr("Previous Marker")
            shortcut: ","
            onTriggered: menuBar.prevMarkerClicked()
        }
        MenuItem {
            text: qsTr("Next Marker")
            shortcut: "."
            onTriggered: menuBar.nextMarkerClicked()
        }
        MenuItem {
            text: qsTr("Previous Bar")
            shortcut: "Shift+,"
            onTriggered: menuBar.prevBarClicked()
        }
        MenuItem {
            text: qsTr("Next Bar")
            shortcut: "Shift+."
            onTriggered: menuBar.nextBarClicked()
        }
    }

    Menu {
        objectName: "viewMenu"
        title: "View"

        MenuItem {
            text: qsTr("Zoom In Timeline")
            shortcut: "="
            onTriggered: menuBar.zoomInClicked()
        }
        MenuItem {
            text: qsTr("Zoom Out Timeline")
            shortcut: "-"
            onTriggered: menuBar.zoomOutClicked()
        }
    }

    Menu {
        objectName: "toolsMenu"
        title: "Tools"

        MenuItem {
            text: qsTr("Audio Manager...")
            shortcut: "Shift+Ctrl+G"
            enabled: menuBar.showAudioManager
            role: MenuItem.NoRole
            onTriggered: menuBar.audioManagerClicked()
        }
        MenuItem {
            text: qsTr("SFX Manager...")
            shortcut: "Shift+Ctrl+S"
            enabled: menuBar.sfxPermissions
            role: MenuItem.NoRole
            onTriggered: menuBar.sfxManagerClicked()
        }
        MenuItem {
            text: qsTr("MIDI Manager...")
            shortcut: "Shift+Ctrl+M"
            role: MenuItem.NoRole
            onTriggered: menuBar.midiCommandsClicked()
        }
        MenuItem {
            text: qsTr("OSC Manager...")
            shortcut: "Shift+Ctrl+O"
            enabled: menuBar.oscEnabled
            role: MenuItem.NoRole
            onTriggered: menuBar.oscManagerClicked()
        }
    }

    Menu {
        objectName: "helpMenu"
        title: qsTr("Help")

        // On macOS the platform moves the entries with a platform role into its application menu.
        MenuItem {
            text: "About " + menuBar.appName + "..."
            visible: Qt.platform.os === "osx"
            role: MenuItem.AboutRole
            onTriggered: menuBar.aboutClicked()
        }
        MenuItem {
            text: "About " + menuBar.appName + "..."
            role: MenuItem.NoRole
            onTriggered: menuBar.aboutClicked()
        }
        MenuItem {
            text: "VEMO Support Center..."
            visible: Qt.platform.os === "osx"
            role: MenuItem.ApplicationSpecificRole
            onTriggered: Qt.openUrlExternally(Deployment.supportPageUrl)
        }
        MenuItem {
            text: "VEMO Support Center..."
            role: MenuItem.NoRole
            onTriggered: Qt.openUrlExternally(Deployment.supportPageUrl)
        }
    }
}
