import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The lower part of the edit mode: the editor bar over the song list, the marker list (sharing its
// place with the mixer) and the event list with the change log's version. `theme` is the hosting
// document's.
Item {
    id: control

    property alias songListControl: songList
    property alias markerListControl: markerList
    property alias eventListControl: eventList
    property alias editBarControl: editBar
    property alias mixerControl: mixerLoader.item
    property alias logVersionText: changelogVersionLabel.text
    property bool sfxEnable: false
    property bool oscEnable: true
    property bool showMixer: false
    property bool sfxPermissions: false

    signal markerSelected(int index)
    signal caesuraButtonPressed()
    signal cutButtonPressed()
    signal markerButtonPressed()
    signal skipButtonPressed()
    signal vampButtonPressed()
    signal oscButtonPressed()
    signal transposeButtonPressed()
    signal tempoButtonPressed()
    signal repeatButtonPressed()
    signal clickButtonPressed()
    signal primarySFXButtonPressed()
    signal ambientSFXButtonPressed()
    signal editSelectedMarkerItem()
    signal editSelectedEventItem()
    signal songIndexChanged()

    function setAdminPermission(admin) {
        editBar.enabled = admin;
    }

    Connections {
        target: editBar
        function onCaesuraButton() { control.caesuraButtonPressed(); }
        function onCutButton() { control.cutButtonPressed(); }
        function onMarkerButton() { control.markerButtonPressed(); }
        function onSkipButton() { control.skipButtonPressed(); }
        function onVampButton() { control.vampButtonPressed(); }
        function onOscButton() { control.oscButtonPressed(); }
        function onTransposeButton() { control.transposeButtonPressed(); }
        function onTempoScaleButton() { control.tempoButtonPressed(); }
        function onRepeatButton() { control.repeatButtonPressed(); }
        function onClickButton() { control.clickButtonPressed(); }
        function onPrimarySFXButton() { control.primarySFXButtonPressed(); }
        function onAmbientSFXButton() { control.ambientSFXButtonPressed(); }
    }

    Connections {
        target: songList
        function onCurrentItemChanged(index) { control.songIndexChanged(); }
    }

    Connections {
        target: markerList
        function onItemClicked() { control.markerSelected(markerList.currentIndex); }
        function onEditSelectedItem() { control.editSelectedMarkerItem(); }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        TimeLineEditorBar {
            id: editBar
            objectName: "editBar"
            Layout.fillWidth: true
            Layout.rightMargin: 15
            sfxEnable: control.sfxEnable
            enableOsc: control.oscEnable
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: theme.bevel_width

            Rectangle {
                Layout.preferredWidth: 0.333333 * control.width
                Layout.fillHeight: true
                Layout.leftMargin: theme.bevel_width + 1
                color: Qt.lighter(theme.default_bg_color, 1)

                BasicBevel {}

                ColumnLayout {
                    anchors.fill: parent
                    spacing: 0

                    CustomTabBar {
                        Layout.fillWidth: true
                        currentIndex: 0

                        CustomTabButton {
                            source: "qrc:/images/single_note.svg"
                            text: "Playlist"
                            toolTip.text: "List of songs"
                        }
                    }

                    SongListView {
                        id: songList
                        objectName: "songList"
                        Layout.fillWidth: true
                        Layout.fillHeight: true
                        model: ListModel {
                            ListElement { song_name: ""; song_number: "01" }
                            ListElement { song_name: ""; song_number: "02" }
                        }
                    }
                }
            }

            Rectangle {
                Layout.preferredWidth: 0.333333 * control.width
                Layout.fillHeight: true
                color: Qt.lighter(theme.default_bg_color, 1.0)

                BasicBevel {}

                ColumnLayout {
                    anchors.fill: parent
                    spacing: 0

                    CustomTabBar {
                        id: middleBar
                        objectName: "middleBar"
                        Layout.fillWidth: true
                        currentIndex: control.showMixer ? 1 : 0

                        CustomTabButton {
                            source: "qrc:/images/marker.svg"
                            text: "Marker List"
                            toolTip.text: "Reference markers pre-set to match the score"
                            showHoverEffect: control.showMixer
                        }
                        CustomTabButton {
                            objectName: "mixerTab"
                            source: "qrc:/images/mixer.svg"
                            text: "Mixer  "
                            toolTip.text: "Control individual output streams"
                            iconScale: 1.4
                            visible: control.showMixer
                            showHoverEffect: true
                        }
                    }

                    StackLayout {
                        objectName: "middleStack"
                        Layout.fillWidth: true
                        Layout.fillHeight: true
                        currentIndex: middleBar.currentIndex

                        MarkerListView {
                            id: markerList
                            objectName: "markerList"
                        }
                        // The mixer page is built only for a product that shows the mixer.
                        Loader {
                            id: mixerLoader
                            active: control.showMixer

                            sourceComponent: MixerView {
                                id: mixerView
                                objectName: "mixerView"
                            }
                        }
                    }
                }
            }

            Rectangle {
                Layout.preferredWidth: 0.33333 * control.width
                Layout.fillHeight: true
                color: Qt.lighter(theme.default_bg_color, 1.0)

                ColumnLayout {
                    anchors.fill: parent
                    spacing: 0

                    Rectangle {
                        Layout.fillWidth: true
                        Layout.preferredHeight: rightBar.implicitHeight
                        color: "transparent"

                        CustomTabBar {
                            id: rightBar
                            width: parent.width
                            currentIndex: 0

                            CustomTabButton {
                                source: "qrc:/images/list.svg"
                                text: "Event List"
                                toolTip.text: "Pre-set and Custom Events. Color coded by function"
                            }
                        }

                        Text {
                            id: changelogVersionLabel
                            objectName: "changelogVersionLabel"
                            x: parent.width - implicitWidth - 20
                            anchors.verticalCenter: parent.verticalCenter
                            text: "Log v0.0"
                            textFormat: Text.PlainText
                            color: theme.default_text_header_color
                        }
                    }

                    EventListView {
                        id: eventList
                        objectName: "eventList"
                        Layout.fillWidth: true
                        Layout.fillHeight: true
                        enableOsc: control.oscEnable
                    }
                }
            }
        }
    }
}
