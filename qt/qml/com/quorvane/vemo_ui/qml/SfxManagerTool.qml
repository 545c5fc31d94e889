import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import com.quorvane.vemo_ui

// The "SFX Manager": the manifest's effects on the left, the show's instances of the chosen effect
// on the right with a play/stop button each, and "Create", "Edit", "Delete" and "Close". The
// document keeps only what is shown; every action goes to its controller as a signal. Closing only
// hides the window.
Window {
    id: root

    property alias availableSoundEffectsModel: effectsList.model
    property alias soundEffectInstancesModel: instancesList.model
    property string selectedSfxEffectId: ""
    property string selectedSfxInstanceEventId: ""
    property var playing: []

    signal playSfx(string eventId)
    signal stopSfx(string eventId)
    signal sfxFinished(string eventId)
    signal soundEffectSelected(var index)
    signal playStateUpdated()
    signal addSoundEffectInstanceClicked(string effectId)
    signal editSoundEffectInstanceClicked(string eventId)
    signal deleteSoundEffectInstanceClicked(string eventId)

    function playingContains(eventId) {
        return playing.indexOf(eventId) !== -1
    }

    function removeFromPlaying(eventId) {
        playing = playing.filter(id => id !== eventId)
        playStateUpdated()
    }

    // A new array, so that every binding that reads `playing` sees the change.
    function addToPlaying(eventId) {
        playing = playing.concat([eventId])
        playStateUpdated()
    }

    function enableModificationButtons() {
        return selectedSfxInstanceEventId !== "" && playing.length === 0
    }

    function enableCreationButton() {
        return playing.length === 0 && effectsList.count > 0
    }

    // The role value of a row of a model that the controller set; undefined without one.
    function roleOf(model, row, role) {
        return model && row >= 0 && row < model.rowCount() ? model.data(model.index(row, 0), role) : undefined
    }

    function requestCreate() {
        addSoundEffectInstanceClicked(selectedSfxEffectId)
        playStateUpdated()
    }

    function requestEdit() {
        stopSfx(selectedSfxInstanceEventId)
        editSoundEffectInstanceClicked(selectedSfxInstanceEventId)
        playStateUpdated()
    }

    function requestDelete() {
        const chosen = selectedSfxInstanceEventId
        stopSfx(chosen)
        deleteSoundEffectInstanceClicked(chosen)
        clearChosenInstance()
        playStateUpdated()
    }

    function clearChosenInstance() {
        instancesList.currentIndex = -1
        selectedSfxInstanceEventId = ""
    }

    function chooseInstance(row) {
        const eventId = roleOf(instancesList.model, row, 270)
        if (eventId === selectedSfxInstanceEventId)
            return
        instancesList.currentIndex = row
        selectedSfxInstanceEventId = eventId
        instancesList.forceActiveFocus()
        playStateUpdated()
    }

    function togglePlay(eventId) {
        if (playingContains(eventId)) {
            stopSfx(eventId)
            removeFromPlaying(eventId)
        } else {
            playSfx(eventId)
            addToPlaying(eventId)
        }
    }

    title: "SFX Manager"
    width: 800
    height: 600
    minimumWidth: 640
    minimumHeight: 480
    visible: true
    color: theme.dark_background_color

    onSfxFinished: eventId => {
        if (playingContains(eventId))
            removeFromPlaying(eventId)
    }

    VemoTheme { id: theme }

    Item {
        id: keyArea
        objectName: "keyArea"
        anchors.fill: parent
        focus: true

        Keys.onEscapePressed: root.close()
        Keys.onReturnPressed: root.close()
        Keys.onEnterPressed: root.close()

        ColumnLayout {
            anchors.fill: parent
            anchors.margins: 15
            spacing: 0

            RowLayout {
                Layout.fillWidth: true
                Layout.fillHeight: true
                spacing: 10

                ColumnLayout {
                    Layout.fillHeight: true
                    Layout.preferredWidth: root.width * 0.4
                    spacing: 5

                    Text {
                        Layout.fillWidth: true
                        text: "SFX Source Files"
                        font.pixelSize: 16
                        horizontalAlignment: Text.AlignHCenter
                        color: theme.light_text_color
                    }

                    Item {
                        Layout.fillWidth: true
                        Layout.fillHeight: true

                        BasicBevel { anchors.fill: parent }

                        ListView {
                            id: effectsList
                            objectName: "effectsList"
                            anchors.fill: parent
                            anchors.margins: 2
                            clip: true
                            boundsBehavior: Flickable.StopAtBounds
                            activeFocusOnTab: true
                            keyNavigationEnabled: true
                            ScrollBar.vertical: CustomScrollBar { id: effectsScroll; policy: ScrollBar.AlwaysOn }

                            onCurrentIndexChanged: {
                                if (currentIndex < 0)
                                    return
                                root.selectedSfxEffectId = root.roleOf(model, currentIndex, 257) || ""
                                root.soundEffectSelected(currentIndex)
                                root.clearChosenInstance()
                                forceActiveFocus()
                            }

                            Keys.onTabPressed: instancesList.forceActiveFocus()
                            Keys.onBacktabPressed: closeButton.forceActiveFocus()
                            Keys.onSpacePressed: root.requestCreate()

                            delegate: Rectangle {
                                id: effectRow
                                required property int index
                                required property string displayname

                                width: effectsList.width - effectsScroll.width
                                height: 40
                                color: ListView.isCurrentItem ? Qt.lighter(theme.default_bg_color, 1.3)
                                                              : "transparent"

                                FocusHighlight {
                                    anchors.fill: parent
                                    visible: effectRow.ListView.isCurrentItem && effectsList.activeFocus
                                }

                                Text {
                                    id: effectName
                                    anchors.fill: parent
                                    anchors.leftMargin: 5
                                    anchors.rightMargin: 5
                                    verticalAlignment: Text.AlignVCenter
                                    text: effectRow.displayname
                                    textFormat: Text.PlainText
                                    color: "white"
                                    font: theme.default_font
                                    elide: Text.ElideRight
                                }

                                MouseArea {
                                    id: effectMouse
                                    anchors.fill: parent
                                    hoverEnabled: true
                                    onClicked: {
                                        effectsList.currentIndex = effectRow.index
                                        effectsList.forceActiveFocus()
                                    }
                                    onDoubleClicked: root.requestCreate()
                                }

                                VemoToolTip {
                                    visible: effectMouse.containsMouse && effectName.truncated
                                    delay: 1000
                                    timeout: 5000
                                    text: effectRow.displayname
                                }
                            }
                        }

                        Rectangle {
                            anchors.fill: parent
                            color: "transparent"
                            border.width: 2
                            border.color: theme.default_selected_color_intense
                            opacity: 0.7
                            visible: effectsList.activeFocus
                        }
                    }
                }

                ColumnLayout {
                    Layout.fillHeight: true
                    Layout.preferredWidth: root.width * 0.6
                    spacing: 5

                    Text {
                        Layout.fillWidth: true
                        text: "Instances"
                        font.pixelSize: 16
                        horizontalAlignment: Text.AlignHCenter
                        color: theme.light_text_color
                    }

                    Item {
                        Layout.fillWidth: true
                        Layout.fillHeight: true

                        BasicBevel { anchors.fill: parent }

                        ListView {
                            id: instancesList
                            objectName: "instancesList"
                            anchors.fill: parent
                            anchors.margins: 2
                            clip: true
                            boundsBehavior: Flickable.StopAtBounds
                            activeFocusOnTab: true
                            keyNavigationEnabled: true
                            ScrollBar.vertical: CustomScrollBar { id: instancesScroll; policy: ScrollBar.AlwaysOn }

                            onCurrentIndexChanged: {
                                root.selectedSfxInstanceEventId = root.roleOf(model, currentIndex, 270) || ""
                                root.playStateUpdated()
                            }

                            Keys.onSpacePressed: {
                                if (root.enableModificationButtons())
                                    root.requestEdit()
                            }

                            delegate: Rectangle {
                                id: instanceRow
                                objectName: "instanceRow_" + eventId
                                required property int index
                                required property string eventId
                                required property string summary
                                required property bool isReady

                                width: instancesList.width - instancesScroll.width
                                height: 40
                                color: ListView.isCurrentItem ? Qt.lighter(theme.default_bg_color, 1.3)
                                                              : "transparent"

                                FocusHighlight {
                                    anchors.fill: parent
                                    visible: instanceRow.ListView.isCurrentItem && instancesList.activeFocus
                                }

                                RowLayout {
                                    anchors.fill: parent
                                    anchors.margins: 5
                                    spacing: 5

                                    Text {
                                        Layout.preferredWidth: 80
                                        text: instanceRow.eventId
                                        textFormat: Text.PlainText
                                        color: "gray"
                                        font.pixelSize: 12
                                        elide: Text.ElideRight
                                    }

                                    Text {
                                        id: summaryText
                                        Layout.fillWidth: true
                                        text: instanceRow.summary
                                        textFormat: Text.PlainText
                                        color: "white"
                                        font: theme.default_font
                                        elide: Text.ElideRight
                                    }

                                    SfxPlayButton {
                                        id: playButton
                                        objectName: "playButton"
                                        Layout.preferredWidth: 24
                                        Layout.preferredHeight: 24
                                        playing: root.playingContains(instanceRow.eventId)
                                        buttonManagesState: false

                                        MouseArea {
                                            objectName: "playMouse"
                                            anchors.fill: parent
                                            onClicked: root.togglePlay(instanceRow.eventId)
                                        }
                                    }
                                }

                                MouseArea {
                                    id: chooseMouse
                                    objectName: "chooseMouse"
                                    anchors.left: parent.left
                                    anchors.top: parent.top
                                    anchors.bottom: parent.bottom
                                    width: parent.width * 3 / 4
                                    hoverEnabled: true
                                    onClicked: root.chooseInstance(instanceRow.index)
                                    onDoubleClicked: {
                                        if (root.selectedSfxInstanceEventId === instanceRow.eventId
                                                && root.enableModificationButtons()) {
                                            root.stopSfx(root.selectedSfxInstanceEventId)
                                            root.editSoundEffectInstanceClicked(instanceRow.eventId)
                                        }
                                    }
                                }

                                VemoToolTip {
                                    visible: chooseMouse.containsMouse && summaryText.truncated
                                    delay: 1000
                                    timeout: 5000
                                    text: instanceRow.summary
                                }

                                Rectangle {
                                    objectName: "notReadyCover_" + instanceRow.eventId
                                    anchors.fill: parent
                                    color: "#80000000"
                                    visible: !instanceRow.isReady

                                    MouseArea {
                                        anchors.fill: parent
                                        acceptedButtons: Qt.AllButtons
                                        hoverEnabled: true
                                    }
                                }
                            }
                        }

                        Rectangle {
                            anchors.fill: parent
                            color: "transparent"
                            border.width: 2
                            border.color: theme.default_selected_color_intense
                            opacity: 0.7
                            visible: instancesList.activeFocus
                        }
                    }
                }
            }

            RowLayout {
                Layout.alignment: Qt.AlignRight
                Layout.preferredWidth: root.width * 0.6
                Layout.preferredHeight: 50
                Layout.topMargin: 10
                spacing: 10

                FlatButton {
                    objectName: "createButton"
                    text: "Create"
                    enabled: root.enableCreationButton()
                    onClicked: root.requestCreate()
                }
                FlatButton {
                    objectName: "editButton"
                    text: "Edit"
                    enabled: root.enableModificationButtons()
                    onClicked: root.requestEdit()
                }
                FlatButton {
                    objectName: "deleteButton"
                    text: "Delete"
                    enabled: root.enableModificationButtons()
                    onClicked: root.requestDelete()
                }
                Item { Layout.fillWidth: true }
                FlatButton {
                    id: closeButton
                    objectName: "closeButton"
                    text: "Close"
                    isDefault: true
                    onClicked: root.close()
                }
            }
        }
    }
}
