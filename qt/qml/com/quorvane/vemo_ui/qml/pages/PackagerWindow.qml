import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Qt.labs.settings
import com.quorvane.vemo_ui
import com.quorvane.packager

// Main window of the show-packaging tool: the show's name, folders and MIDI files on the "Show"
// tab, the sound-effect set on the "SFX" tab, and a pop-up with the result of a run.
ApplicationWindow {
    id: window

    property alias theme: pageTheme
    property alias files: midiFiles.model
    property alias showName: showNameInput.value
    property alias sourceDirectory: sourceInput.value
    property alias destinationDirectory: destinationInput.value
    property alias imageDirectory: imageInput.value
    property alias soundEffectsDirectory: soundEffectsInput.value
    property alias advancedFeatures: packageControl.toggled
    property alias sfxSourceDirectory: sfxSourceInput.value
    property alias sfxDestinationDirectory: sfxDestinationInput.value

    readonly property bool focusInShowPage: {
        for (let item = activeFocusItem; item; item = item.parent) {
            if (item === showPage)
                return true
        }
        return false
    }

    // Moves the focus along the "Show" page's cycle; from outside the cycle it stays where it is.
    function moveShowPageFocus(step) {
        const cycle = [showNameInput.field, sourceInput.field, sourceInput.button,
                       destinationInput.field, destinationInput.button, imageInput.field, imageInput.button,
                       soundEffectsInput.field, soundEffectsInput.button, packageControl.button, packageControl.toggle]
        const current = cycle.findIndex(item => item.activeFocus)
        if (current >= 0)
            cycle[(current + step + cycle.length) % cycle.length].forceActiveFocus()
    }

    width: 720
    height: 625
    visible: true
    color: pageTheme.default_bg_color
    title: "Show Packager" + " " + controller.versionString()

    Component.onCompleted: showNameInput.field.forceActiveFocus()

    VemoTheme { id: pageTheme }

    PackagerController {
        id: controller
        objectName: "controller"
        name: window.showName
        sourceDirectory: window.sourceDirectory
        destinationDirectory: window.destinationDirectory
        imageDirectory: window.imageDirectory
        soundEffectsDirectory: window.soundEffectsDirectory
        advancedFeatures: window.advancedFeatures
        sfxSourceDirectory: window.sfxSourceDirectory
        sfxDestinationDirectory: window.sfxDestinationDirectory

        onFilesChanged: window.files = files
        onMessageChanged: {
            if (!message)
                return
            detailText.text = messageBody
            summaryText.text = messageBody.includes("Warning") || messageBody.includes("Error")
                               ? "Problems Encountered" : "Packaging Complete"
            resultPopup.open()
        }
    }

    // The "Show" page's own focus cycle. Each control handles Tab itself before its parents see
    // the key, so the page takes Tab and Shift+Tab as shortcuts while the focus is inside it.
    Shortcut {
        sequence: "Tab"
        enabled: window.focusInShowPage
        onActivated: window.moveShowPageFocus(1)
    }

    Shortcut {
        sequence: "Shift+Tab"
        enabled: window.focusInShowPage
        onActivated: window.moveShowPageFocus(-1)
    }

    Settings {
        category: "appearance"
        property alias x: window.x
        property alias y: window.y
        property alias height: window.height
        property alias width: window.width
    }

    Settings {
        category: "show"
        property alias showName: window.showName
        property alias sourceDirectory: window.sourceDirectory
        property alias destinationDirectory: window.destinationDirectory
        property alias imageDirectory: window.imageDirectory
        property alias soundEffectsDirectory: window.soundEffectsDirectory
        property alias advancedFeatures: window.advancedFeatures
        property alias sfxSourceDirectory: window.sfxSourceDirectory
        property alias sfxDestinationDirectory: window.sfxDestinationDirectory
        property alias files: window.files
    }

    Settings {
        category: "sfx"
        property alias sfxSourceDirectory: window.sfxSourceDirectory
        property alias sfxDestinationDirectory: window.sfxDestinationDirectory
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 16

        TabBar {
            id: tabs
            objectName: "tabs"
            Layout.fillWidth: true
            currentIndex: 0
            spacing: 0
            background: Rectangle { color: pageTheme.default_bg_color }

            ModeTabButton { text: "Show"; font: pageTheme.default_font }
            ModeTabButton { text: "SFX"; font: pageTheme.default_font }
        }

        StackLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.margins: 15
            currentIndex: tabs.currentIndex

            ColumnLayout {
                id: showPage
                objectName: "showPage"
                spacing: 10

                TextInputControl { id: showNameInput; objectName: "showNameInput"; Layout.fillWidth: true; text: "Show Name" }
                DirectoryInputControl { id: sourceInput; objectName: "sourceInput"; Layout.fillWidth: true; text: "Source Directory" }
                DirectoryInputControl { id: destinationInput; objectName: "destinationInput"; Layout.fillWidth: true; text: "Destination Directory" }
                DirectoryInputControl { id: imageInput; objectName: "imageInput"; Layout.fillWidth: true; text: "Image Directory" }
                DirectoryInputControl { id: soundEffectsInput; objectName: "soundEffectsInput"; Layout.fillWidth: true; text: "Sound Effects Directory" }
                FileDisplay { id: midiFiles; objectName: "midiFiles"; Layout.fillWidth: true; Layout.fillHeight: true; text: "MIDI Files" }

                PackageControl {
                    id: packageControl
                    objectName: "packageControl"
                    Layout.fillWidth: true
                    toggleText: "Package with Advanced Features"
                    buttonText: "Package"
                    fontSize: 16
                    onClicked: controller.package()
                }
            }

            ColumnLayout {
                objectName: "sfxPage"
                spacing: 10

                FileInputControl {
                    Layout.fillWidth: true
                    visible: false
                    text: "CSV File to Convert to Manifest"
                    nameFilters: ["CSV Files (*.csv)", "All files (*)"]
                }
                DirectoryInputControl { id: sfxSourceInput; Layout.fillWidth: true; text: "SFX Source Directory (oggs)" }
                DirectoryInputControl { id: sfxDestinationInput; Layout.fillWidth: true; text: "SFX Destination Directory" }
                FlatButton {
                    Layout.preferredWidth: 80
                    text: "Package SFX"
                    onClicked: controller.packageSfx()
                }
                Item { Layout.fillHeight: true }
            }
        }
    }

    Popup {
        id: resultPopup
        objectName: "resultPopup"

        readonly property bool hasDetail: detailText.text !== ""

        modal: true
        focus: true
        anchors.centerIn: Overlay.overlay
        width: hasDetail ? 640 : 400
        height: hasDetail ? 480 : 100

        Overlay.modal: Rectangle { color: "#88000000" }

        background: Rectangle { color: pageTheme.default_bg_color }

        ColumnLayout {
            anchors.fill: parent
            anchors.margins: 15

            TextEdit {
                id: summaryText
                objectName: "summaryText"
                Layout.fillWidth: true
                readOnly: true
                wrapMode: TextEdit.Wrap
                font.bold: true
                font.pixelSize: 14
                color: pageTheme.default_text_color
            }

            Rectangle {
                Layout.fillWidth: true
                Layout.fillHeight: true
                visible: resultPopup.hasDetail
                color: Qt.lighter(pageTheme.default_bg_color, 1.25)

                ScrollView {
                    anchors.fill: parent

                    TextArea {
                        id: detailText
                        objectName: "detailText"
                        readOnly: true
                        wrapMode: TextEdit.Wrap
                        font.pixelSize: 14
                        color: pageTheme.default_text_header_color
                    }
                }
            }

            RowLayout {
                Layout.fillWidth: true

                FlatButton {
                    objectName: "copyButton"
                    text: "Copy to Clipboard"
                    visible: resultPopup.hasDetail
                    onClicked: {
                        detailText.selectAll()
                        detailText.copy()
                    }
                }

                Item { Layout.fillWidth: true }

                FlatButton {
                    objectName: "okButton"
                    text: "OK"
                    isDefault: true
                    onClicked: {
                        resultPopup.close()
                        controller.message = false
                        controller.messageBody = ""
                    }
                }
            }
        }
    }
}
