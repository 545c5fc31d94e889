import QtQuick
import com.quorvane.vemo_ui

// The editor bar above the lists: the tool buttons that open the edit tools on the left, and
// the buttons that act on the change log as a whole on the right. Its controller enables the
// six change-log buttons through the *Control properties.
Item {
    id: bar

    property alias editButtonControl: editButton
    property alias deleteButtonControl: deleteButton
    property alias undoButtonControl: undoButton
    property alias redoButtonControl: redoButton
    property alias saveControl: saveButton
    property alias shareControl: shareButton
    property bool sfxEnable: false
    property bool enableOsc: true
    property bool sfxPermissions: false

    signal caesuraButton()
    signal clickButton()
    signal cutButton()
    signal skipButton()
    signal markerButton()
    signal repeatButton()
    signal tempoScaleButton()
    signal transposeButton()
    signal vampButton()
    signal oscButton()
    signal primarySFXButton()
    signal ambientSFXButton()
    signal editButton()
    signal deleteButton()
    signal undoButton()
    signal redoButton()
    signal saveButton()
    signal shareButton()

    objectName: "editBar"
    height: 56

    VemoTheme { id: theme }

    Row {
        objectName: "toolButtons"
        anchors.left: parent.left
        anchors.verticalCenter: parent.verticalCenter
        spacing: 9

        Text {
            objectName: "caption"
            width: 80
            height: 42
            text: "Controls"
            font.pixelSize: 12
            font.bold: true
            color: theme.light_text_color
            horizontalAlignment: Text.AlignRight
            verticalAlignment: Text.AlignVCenter
        }

        GraphicButton {
            objectName: "caesuraButton"
            text: "Caesura"
            imageSource: "qrc:/images/edit_caesura.svg"
            toolTip.text: "Add a pause in timeline"
            onClicked: bar.caesuraButton()
        }

        GraphicButton {
            objectName: "clickButton"
            text: "Click"
            imageSource: "qrc:/images/edit_click.svg"
            toolTip.text: "Change the click resolution of the metronome"
            onClicked: bar.clickButton()
        }

        GraphicButton {
            objectName: "cutButton"
            text: "Cut"
            imageSource: "qrc:/images/cut.svg"
            toolTip.text: "Remove section"
            onClicked: bar.cutButton()
        }

        GraphicButton {
            objectName: "markerButton"
            text: "Marker"
            imageSource: "qrc:/images/edit_marker.svg"
            toolTip.text: "Add reference note"
            onClicked: bar.markerButton()
        }

        GraphicButton {
            objectName: "repeatButton"
            text: "Repeat"
            imageSource: "qrc:/images/edit_repeat.svg"
            toolTip.text: "Repeat section"
            onClicked: bar.repeatButton()
        }

        GraphicButton {
            objectName: "skipButton"
            text: "Skip"
            imageSource: "qrc:/images/edit_skip.svg"
            toolTip.text: "Jump to end of section"
            onClicked: bar.skipButton()
        }

        GraphicButton {
            objectName: "tempoButton"
            text: "Tempo"
            imageSource: "qrc:/images/edit_tempo.svg"
            toolTip.text: "Scale the tempo by percentage"
            onClicked: bar.tempoScaleButton()
        }

        GraphicButton {
            objectName: "transposeButton"
            text: "Transpose"
            imageSource: "qrc:/images/edit_transpose.png"
            toolTip.text: "Change the key by half steps"
            onClicked: bar.transposeButton()
        }

        GraphicButton {
            objectName: "vampButton"
            text: "Vamp"
            imageSource: "qrc:/images/edit_vamp.svg"
            toolTip.text: "Repeat section indefinitely"
            onClicked: bar.vampButton()
        }

        GraphicButton {
            objectName: "oscButton"
            text: "OSC"
            imageSource: "qrc:/images/lan.svg"
            toolTip.text: bar.enableOsc ? "Create an OSC command" : "Unavailable in Vask|ora"
            enabled: bar.enableOsc
            onClicked: bar.oscButton()
        }

        GraphicButton {
            objectName: "sfxButton"
            text: "SFX"
            imageSource: "qrc:/images/sfx.svg"
            visible: bar.sfxEnable
            onClicked: bar.primarySFXButton()
        }

        GraphicButton {
            objectName: "ambientButton"
            text: "Ambient"
            imageSource: "qrc:/images/ambient_audio_event.svg"
            visible: bar.sfxEnable
            onClicked: bar.ambientSFXButton()
        }
    }

    Row {
        objectName: "changeLogButtons"
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: 9

        GraphicButton {
            id: editButton
            objectName: "editButton"
            text: "Edit"
            imageSource: "qrc:/images/edit_edit.svg"
            toolTip.text: "Edit the selected event"
            enabled: false
            onClicked: bar.editButton()
        }

        GraphicButton {
            id: deleteButton
            objectName: "deleteButton"
            text: "Delete"
            imageSource: "qrc:/images/edit_delete.svg"
            toolTip.text: "Delete the selected event"
            enabled: false
            onClicked: bar.deleteButton()
        }

        Column {
            spacing: 6

            GraphicButton {
                id: undoButton
                objectName: "undoButton"
                width: 42
                text: "Undo"
                toolTip.text: "Undo the last change"
                enabled: false
                onClicked: bar.undoButton()
            }

            GraphicButton {
                id: redoButton
                objectName: "redoButton"
                width: 42
                text: "Redo"
                toolTip.text: "Redo the last change"
                enabled: false
                onClicked: bar.redoButton()
            }
        }

        GraphicButton {
            id: saveButton
            objectName: "saveButton"
            text: "Save"
            imageSource: "qrc:/images/save.svg"
            toolTip.text: "Save changes to local device (not shared)"
            enabled: false
            onClicked: bar.saveButton()
        }

        GraphicButton {
            id: shareButton
            objectName: "shareButton"
            text: "Share"
            imageSource: "qrc:/images/share.svg"
            toolTip.text: "Save and send changes to cast"
            enabled: false
            onClicked: bar.shareButton()
        }
    }
}
