import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// One track row of a mixer section: mute, solo, name, instrument, pan and volume. It only reports
// what the user does; the owner writes it into the model, and the row shows it through its bindings.
// Reads `theme` from the document that holds it.
Item {
    id: root

    property string name: "Name"
    property int buttonSize: 14
    property alias isMuted: muteButton.checked
    property alias isSolo: soloButton.checked
    property double volumeScaledDb: 0
    property double pan: 0.0
    property bool enableSolo: true
    property bool enableMute: true
    property string muteToolTip: "Mute Track"
    property string soloToolTip: "Solo Track"
    property alias instrumentModel: instrumentCombo.model
    property alias currentInstrumentIndex: instrumentCombo.currentIndex
    property alias instrumentControl: instrumentCombo

    signal instrumentSet(int instrumentValue)
    signal muteClicked()
    signal panSet(double value)
    signal soloClicked()
    signal volumeSet(double value)

    implicitHeight: row.implicitHeight
    height: row.height

    RowLayout {
        id: row
        width: parent.width
        spacing: 10

        Row {
            Layout.preferredWidth: 45
            spacing: 3

            OutlineButton {
                id: muteButton
                objectName: "muteButton"
                text: "M"
                enabled: root.enableMute
                toolTipText: root.muteToolTip
                onClicked: root.muteClicked()
            }

            OutlineButton {
                id: soloButton
                objectName: "soloButton"
                text: "S"
                controlColor: "#D3AF37"
                enabled: root.enableSolo
                toolTipText: root.soloToolTip
                onClicked: root.soloClicked()
            }
        }

        Text {
            id: nameText
            objectName: "nameText"
            Layout.preferredWidth: 100
            Layout.fillWidth: true
            text: root.name
            textFormat: Text.PlainText
            color: "white"
            font: theme.default_font
            elide: Text.ElideRight

            MouseArea {
                id: nameHover
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.NoButton
            }

            VemoToolTip {
                objectName: "nameToolTip"
                delay: 500
                text: root.name
                visible: nameHover.containsMouse && root.name !== "" && nameText.truncated
            }
        }

        CustomComboBox {
            id: instrumentCombo
            objectName: "instrumentCombo"
            Layout.preferredWidth: 100
            Layout.fillWidth: true
            textRole: "displayname"
            valueRole: "value"
            minimumPopupWidth: 220

            onCurrentIndexChanged: {
                if (isCompleted)
                    root.instrumentSet(valueAt(currentIndex))
            }
            onActivated: root.instrumentSet(currentValue)
        }

        VemoCustomDial {
            objectName: "panDial"
            Layout.preferredWidth: 35
            value: root.pan
            onMoved: root.panSet(value)
        }

        VemoCustomVolumeSlider {
            objectName: "volumeSlider"
            Layout.preferredWidth: 80
            Layout.fillWidth: true
            value: root.volumeScaledDb
            onMoved: root.volumeSet(value)
        }
    }
}
