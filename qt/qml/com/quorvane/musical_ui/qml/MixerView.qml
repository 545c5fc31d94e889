import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The mixer panel: click volume, tempo scale, transposition and "Reset Mixer", then one box per
// section of `mixerModel`. Section changes are written into the model; the general settings are
// reported through the four signals. Reads `theme` from the document that holds it.
Item {
    id: root

    property alias mixerModel: sections.model
    property bool showTempoScale: false
    property bool showTranspose: false
    property bool showClickVolume: true
    property double prevTempoScale: 1.0
    property int prevTranspose: 0
    property alias clickVolumeControlValueScaledDb: clickFader.value
    property double minClickVolumeDB: -15.0

    signal clickVolumeSet(double valueDB)
    signal tempoScaleSet(double value)
    signal transposeSet(double value)
    signal resetMixerClicked()

    // "+" for values from zero up, so zero reads "+0".
    function signedText(value) {
        return (value >= 0 ? "+" : "") + value
    }

    Flickable {
        id: flickable
        objectName: "flickable"
        anchors.fill: parent
        clip: true
        flickableDirection: Flickable.VerticalFlick
        contentWidth: width
        contentHeight: content.height + 14

        ScrollBar.vertical: CustomScrollBar { id: scrollBar }

        Column {
            id: content
            x: 7
            y: 7
            width: flickable.width - 7 - (scrollBar.width + 7)
            spacing: 10

            MixerSection {
                id: generalBox
                objectName: "generalBox"
                width: parent.width
                title: root.showTempoScale || root.showTranspose ? "General Settings" : ""

                mainContent: GridLayout {
                    x: 7
                    y: anchors.topMargin
                    width: parent ? parent.width - 14 : 0
                    anchors.topMargin: 7
                    anchors.bottomMargin: 7
                    columns: 3
                    columnSpacing: 10

                    Text {
                        objectName: "clickVolumeLabel"
                        visible: root.showClickVolume
                        text: "Click Volume"
                        color: theme.default_text_color
                        font: theme.default_font

                        MouseArea {
                            id: clickLabelHover
                            anchors.fill: parent
                            hoverEnabled: true
                            acceptedButtons: Qt.NoButton
                        }

                        VemoToolTip {
                            delay: 500
                            text: "Click volume cannot be muted"
                            visible: clickLabelHover.containsMouse
                        }
                    }

                    VemoCustomVolumeSlider {
                        id: clickFader
                        objectName: "clickFader"
                        visible: root.showClickVolume
                        Layout.preferredWidth: 160
                        from: Math.exp(root.minClickVolumeDB / 25)
                        to: 1.0
                        value: 1.0
                        onMoved: root.clickVolumeSet(25 * Math.log(value))
                    }

                    RowLayout {
                        Layout.fillWidth: true
                        spacing: 10

                        Text {
                            objectName: "clickVolumeText"
                            visible: root.showClickVolume
                            Layout.preferredWidth: 48
                            text: (25 * Math.log(clickFader.value)).toFixed(1) + " dB"
                            color: theme.default_text_color
                            font: theme.default_font
                        }

                        Item {
                            Layout.fillWidth: true
                        }

                        FlatButton {
                            objectName: "resetMixerButton"
                            Layout.alignment: Qt.AlignRight
                            text: "Reset Mixer"
                            onClicked: root.resetMixerClicked()
                        }
                    }

                    Text {
                        objectName: "tempoScaleLabel"
                        visible: root.showTempoScale
                        text: "Tempo Scale"
                        color: theme.default_text_color
                        font: theme.default_font
                    }

                    VemoCustomSlider {
                        id: tempoSlider
                        objectName: "tempoSlider"
                        visible: root.showTempoScale
                        Layout.preferredWidth: 160
                        from: -50
                        to: 50
                        stepSize: 1
                        snapMode: Slider.SnapAlways
                        zeroMark: 0
                        value: 0
                        onMoved: {
                            if (value !== root.prevTempoScale) {
                                root.tempoScaleSet(value)
                                root.prevTempoScale = value
                            }
                        }
                    }

                    Text {
                        objectName: "tempoScaleText"
                        visible: root.showTempoScale
                        text: root.signedText(tempoSlider.value) + "%"
                        color: theme.default_text_color
                        font: theme.default_font
                    }

                    Text {
                        objectName: "transposeLabel"
                        visible: root.showTranspose
                        text: "Transpose"
                        color: theme.default_text_color
                        font: theme.default_font
                    }

                    VemoCustomSlider {
                        id: transposeSlider
                        objectName: "transposeSlider"
                        visible: root.showTranspose
                        Layout.preferredWidth: 160
                        from: -6
                        to: 6
                        stepSize: 1
                        snapMode: Slider.SnapAlways
                        zeroMark: 0
                        value: 0
                        onMoved: {
                            if (value !== root.prevTranspose) {
                                root.transposeSet(value)
                                root.prevTranspose = value
                            }
                        }
                    }

                    Text {
                        objectName: "transposeText"
                        visible: root.showTranspose
                        text: root.signedText(transposeSlider.value)
                        color: theme.default_text_color
                        font: theme.default_font
                    }
                }
            }

            Repeater {
                id: sections

                MixerSectionInstruments {
                    objectName: "section"
                    width: content.width
                    title: model.name
                    tracksModel: model.tracksModel
                    toolTipText: model.tooltip
                    isMuted: model.isMuted
                    isSolo: model.isSolo

                    onMuteClicked: model.isMuted = !model.isMuted
                    onSoloClicked: model.isSolo = !model.isSolo
                }
            }
        }
    }
}
