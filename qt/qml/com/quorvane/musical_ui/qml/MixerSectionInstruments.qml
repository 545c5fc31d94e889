import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// A mixer section with group mute and solo buttons, column headers and one row per track.
// Track rows write the user's changes into `tracksModel`. Reads `theme` from the document that
// holds it.
MixerSection {
    id: root

    property alias tracksModel: tracks.model
    property int buttonSize: 14
    property int mainMargin: 7
    property alias isMuted: groupMuteButton.checked
    property alias isSolo: groupSoloButton.checked

    signal muteClicked()
    signal soloClicked()

    preTitleContent: Row {
        y: parent ? (parent.height - height) / 2 : 0
        width: 45
        spacing: 3

        OutlineButton {
            id: groupMuteButton
            objectName: "groupMuteButton"
            text: "M"
            controlColor: "#26a5de"
            checkedFillColor: "#26a5de"
            checkedFontColor: theme.default_bg_color
            toolTipText: "Mute entire group"
            onClicked: root.muteClicked()
        }

        OutlineButton {
            id: groupSoloButton
            objectName: "groupSoloButton"
            text: "S"
            controlColor: "#D3AF37"
            checkedFillColor: "#D3AF37"
            checkedFontColor: theme.default_bg_color
            toolTipText: "Solo entire group"
            onClicked: root.soloClicked()
        }

        Item {
            width: 5
            height: 1
        }
    }

    mainContent: Column {
        width: root.width

        Item {
            width: parent.width
            height: header.height + 10

            RowLayout {
                id: header
                objectName: "header"
                x: root.mainMargin
                y: 5
                width: parent.width - 2 * root.mainMargin
                spacing: 10

                Repeater {
                    model: [
                        { title: "State", width: 45, fills: false },
                        { title: "Track Name", width: 100, fills: true },
                        { title: "Instrument", width: 100, fills: true },
                        { title: "Pan", width: 35, fills: false },
                        { title: "Volume", width: 80, fills: true }
                    ]

                    Text {
                        required property var modelData
                        Layout.preferredWidth: modelData.width
                        Layout.fillWidth: modelData.fills
                        Layout.alignment: Qt.AlignVCenter
                        text: modelData.title
                        color: theme.default_text_header_color
                        font: theme.default_font
                        elide: Text.ElideRight
                    }
                }
            }
        }

        Item {
            width: parent.width
            height: trackColumn.height + root.mainMargin

            Column {
                id: trackColumn
                objectName: "trackColumn"
                x: root.mainMargin
                width: parent.width - 2 * root.mainMargin

                Repeater {
                    id: tracks

                    MixerTrack {
                        function selectInstrument() {
                            currentInstrumentIndex = instrumentControl.indexOfValue(model.instrument)
                        }

                        width: trackColumn.width
                        name: model.name
                        isMuted: model.isMuted
                        isSolo: model.isSolo
                        volumeScaledDb: model.volumeScaledDb
                        pan: model.pan
                        instrumentModel: model.instrumentModel
                        enableMute: true
                        enableSolo: true
                        muteToolTip: "Mute Track"
                        soloToolTip: "Solo Track"

                        onMuteClicked: model.isMuted = !model.isMuted
                        onSoloClicked: model.isSolo = !model.isSolo
                        onPanSet: value => model.pan = value
                        onVolumeSet: value => model.volumeScaledDb = value
                        onInstrumentSet: instrumentValue => model.instrument = instrumentValue
                        onInstrumentModelChanged: selectInstrument()
                        Component.onCompleted: selectInstrument()
                    }
                }
            }
        }
    }
}
