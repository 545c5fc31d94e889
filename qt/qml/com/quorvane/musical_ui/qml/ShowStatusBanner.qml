import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The status banner over the time line: song title and flow control, measure and beat, the
// musical values with the output level, and the MIDI and OSC notice lamps. `theme` is the hosting
// document's.
Item {
    id: banner

    property color labelColor: "#959595"
    property color backgroundColor: "#191919"
    property color valueColor: "white"
    property color defaultNotificationColor: theme.off_indicator_color
    property color highlightedNotificationColor: theme.on_indicator_color
    property int labelFontSize: 12
    property int bigLabelFontSize: 32
    property string songTitle: ""
    property alias key: keyField.valueText
    property alias transpose: transposeField.valueText
    property alias tempo: tempoField.valueText
    property alias tempoScale: tempoScaleField.valueText
    property alias meter: meterField.valueText
    property alias flowControlLabel: flowControlField.labelText
    property alias flowControlValue: flowControlField.valueText
    property color flowControlBackgroundColor: "#333"
    property alias volumeLevelPercent: levelMeter.value
    property alias albumArtImageControl: albumArt
    property string measure: "0000"
    property string beat: "00"

    signal barBeatClicked()

    function zeroFill(number, width) {
        const text = String(number)
        const missing = width - text.length
        if (missing <= 0)
            return text
        return "0".repeat(text.includes(".") ? missing + 1 : missing) + text
    }

    function highlightMidiNotice() {
        midiTimer.restart()
    }

    function highlightOscNotice() {
        internal.oscNoticeOutgoing = false
        oscTimer.restart()
    }

    function highlightOscOutgoingNotice() {
        internal.oscNoticeOutgoing = true
        oscTimer.restart()
    }

    implicitWidth: 608
    implicitHeight: 75

    QtObject {
        id: internal

        // The title as written inside the styled text that puts the caption before it: markup
        // characters escaped, and line breaks and runs of spaces kept, which styled text would fold.
        readonly property string escapedSongTitle: banner.songTitle.replace(/&/g, "&amp;")
                                                   .replace(/</g, "&lt;").replace(/>/g, "&gt;")
                                                   .replace(/  /g, " &nbsp;").replace(/\n/g, "<br>")
        property bool oscNoticeOutgoing: false
    }

    Timer {
        id: midiTimer
        objectName: "midiTimer"
        interval: 500
    }

    Timer {
        id: oscTimer
        objectName: "oscTimer"
        interval: 500
    }

    FontMetrics {
        id: captionMetrics
        font.pixelSize: banner.labelFontSize
    }

    TextMetrics {
        id: measureDigitsMetrics
        font: measureText.font
        text: "0000"
    }

    TextMetrics {
        id: beatDigitsMetrics
        font: measureText.font
        text: "00"
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        Item { Layout.fillWidth: true }

        Image {
            id: albumArt
            objectName: "albumArt"
            visible: false
            Layout.preferredWidth: 75
            Layout.preferredHeight: 75
            Layout.rightMargin: 10
            fillMode: Image.Stretch
            // Read at the size it shows at, so that a large picture needs no mipmaps to look smooth.
            sourceSize.width: 75
            sourceSize.height: 75

            BasicBevel {
                bevel_light_color: theme.bevel_light_color
                bevel_dark_color: theme.bevel_dark_color
            }
        }

        Rectangle {
            objectName: "songPanel"
            Layout.preferredWidth: 175
            Layout.minimumWidth: 175
            Layout.fillHeight: true
            color: banner.backgroundColor

            BasicBevel {}

            ColumnLayout {
                anchors.fill: parent
                anchors.leftMargin: 24
                anchors.rightMargin: 10
                spacing: 5

                Item { Layout.fillHeight: true }

                Item {
                    Layout.fillWidth: true
                    // Two lines of the caption, as a text item lays out one line.
                    Layout.preferredHeight: 2 * Math.ceil(captionMetrics.height)

                    Text {
                        id: titleText
                        objectName: "songTitleText"
                        anchors.fill: parent
                        anchors.rightMargin: 5
                        textFormat: Text.StyledText
                        text: "<font color=\"" + banner.labelColor + "\">" + qsTr("Song:") + "</font> "
                              + internal.escapedSongTitle
                        color: "white"
                        font.pixelSize: banner.labelFontSize
                        wrapMode: Text.Wrap
                        maximumLineCount: 2
                        elide: Text.ElideRight
                        verticalAlignment: Text.AlignTop
                        clip: true

                        HoverHandler { id: titleHover }

                        Loader {
                            objectName: "songTitleToolTipLoader"
                            active: titleHover.hovered && titleText.truncated
                            sourceComponent: VemoToolTip {
                                delay: 1000
                                timeout: 5000
                                text: banner.songTitle
                                visible: true
                            }
                        }
                    }
                }

                ShowBannerValue {
                    id: flowControlField
                    objectName: "flowControlField"
                    Layout.alignment: Qt.AlignLeft
                    spaceAroundText: 2
                    backgroundColor: banner.flowControlBackgroundColor
                    barBackgroundOpacity: 0.7
                    labelColor: "white"
                }

                Item { Layout.fillHeight: true }
            }
        }

        Rectangle {
            objectName: "positionPanel"
            Layout.preferredWidth: 175
            Layout.minimumWidth: 175
            Layout.fillHeight: true
            color: banner.backgroundColor

            BasicBevel {}

            GridLayout {
                anchors.centerIn: parent
                columns: 3
                rowSpacing: 0

                Text {
                    id: measureText
                    objectName: "measureText"
                    Layout.fillWidth: true
                    Layout.preferredWidth: measureDigitsMetrics.width
                    text: banner.zeroFill(banner.measure, 4)
                    textFormat: Text.PlainText
                    color: banner.valueColor
                    font.pixelSize: banner.bigLabelFontSize
                    horizontalAlignment: Text.AlignHCenter

                    MouseArea {
                        anchors.fill: parent
                        onClicked: banner.barBeatClicked()
                    }
                }
                Text {
                    Layout.fillWidth: true
                    Layout.topMargin: -5
                    text: "|"
                    color: banner.labelColor
                    font.pixelSize: banner.bigLabelFontSize - 10
                    horizontalAlignment: Text.AlignHCenter
                }
                Text {
                    objectName: "beatText"
                    Layout.fillWidth: true
                    Layout.preferredWidth: beatDigitsMetrics.width
                    text: banner.zeroFill(banner.beat, 2)
                    textFormat: Text.PlainText
                    color: banner.valueColor
                    font.pixelSize: banner.bigLabelFontSize
                    horizontalAlignment: Text.AlignHCenter

                    MouseArea {
                        anchors.fill: parent
                        onClicked: banner.barBeatClicked()
                    }
                }

                Text {
                    Layout.fillWidth: true
                    text: qsTr("Measure")
                    color: banner.labelColor
                    font.pixelSize: banner.labelFontSize
                    horizontalAlignment: Text.AlignHCenter
                }
                Text {
                    color: banner.labelColor
                    font.pixelSize: banner.labelFontSize
                }
                Text {
                    Layout.fillWidth: true
                    text: qsTr("Beat")
                    color: banner.labelColor
                    font.pixelSize: banner.labelFontSize
                    horizontalAlignment: Text.AlignHCenter
                }
            }
        }

        Rectangle {
            objectName: "valuesPanel"
            Layout.preferredWidth: 280
            Layout.minimumWidth: 280
            Layout.fillHeight: true
            color: banner.backgroundColor

            BasicBevel {}

            GridLayout {
                anchors.fill: parent
                anchors.leftMargin: 24
                anchors.rightMargin: 24
                anchors.topMargin: 10
                anchors.bottomMargin: 10
                columns: 2
                columnSpacing: 25
                rowSpacing: 5

                ShowBannerValue {
                    id: keyField
                    objectName: "keyField"
                    Layout.preferredWidth: 100
                    Layout.fillWidth: false
                    labelText: "Key:"
                    valueText: "TBD"
                }
                ShowBannerValue {
                    id: transposeField
                    objectName: "transposeField"
                    labelText: "Transpose:"
                    valueText: "TBD"
                }
                ShowBannerValue {
                    id: tempoField
                    objectName: "tempoField"
                    labelText: "Tempo:"
                    valueText: "TBD"
                }
                ShowBannerValue {
                    id: tempoScaleField
                    objectName: "tempoScaleField"
                    Layout.preferredWidth: 100
                    labelText: "Tempo Scale:"
                    valueText: "TBD"
                }
                ShowBannerValue {
                    id: meterField
                    objectName: "meterField"
                    labelText: "Meter:"
                    valueText: "TBD"
                }
                VolumeIndicatorSegmented {
                    id: levelMeter
                    objectName: "levelMeter"
                    Layout.fillWidth: true
                    Layout.preferredHeight: transposeField.height
                    segments: 10
                    value: 1
                }
            }
        }

        Rectangle {
            objectName: "noticePanel"
            Layout.preferredWidth: 33
            Layout.minimumWidth: 33
            Layout.fillHeight: true
            color: banner.backgroundColor

            BasicBevel {}

            ColumnLayout {
                anchors.fill: parent
                anchors.topMargin: 10
                spacing: 0

                Text {
                    objectName: "midiLamp"
                    Layout.alignment: Qt.AlignHCenter
                    text: "MIDI"
                    font.pixelSize: 8
                    color: midiTimer.running ? banner.highlightedNotificationColor : banner.defaultNotificationColor
                }
                Text {
                    objectName: "oscLamp"
                    Layout.alignment: Qt.AlignHCenter
                    text: "OSC"
                    font.pixelSize: 8
                    color: !oscTimer.running ? banner.defaultNotificationColor
                                             : internal.oscNoticeOutgoing ? "#FFD700"
                                                                        : banner.highlightedNotificationColor
                }

                Item { Layout.fillHeight: true }
            }
        }

        Item { Layout.fillWidth: true }
    }
}
