import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Qt5Compat.GraphicalEffects
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The click tool's window: a range and the click resolution for it, picked from the resolutions
// the engine offers for the range and shown as note heads. Every change of the range asks the
// controller to offer them again.
RangeToolWindow {
    id: tool

    property alias intValue: clickCountInput.value
    property alias clickCountModel: clickCountInput.model
    property alias clickCountIndex: clickCountInput.currentIndex

    signal changeClickRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal createClickRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal clickToolClosing()
    signal updateAvailableClicks()

    // The picture of resolution `value`, smoothed and tinted white; nothing for an empty value.
    component NoteHead: Item {
        id: noteHead

        property string value
        property alias picture: picture

        visible: value !== ""

        Image {
            id: picture
            anchors.fill: parent
            source: noteHead.value !== "" ? "qrc:/images/notehead-" + noteHead.value + ".svg" : ""
            sourceSize.width: width
            sourceSize.height: height
            fillMode: Image.PreserveAspectFit
            visible: false
        }

        ColorOverlay {
            anchors.fill: picture
            source: picture
            color: "#ffffff"
        }
    }

    title: isEdit ? "Edit Click Resolution" : "Change Click Resolution"
    showEventId: false

    valueItems: [
        Text {
            Layout.alignment: Qt.AlignHCenter
            text: "Click Resolution"
            color: tool.theme.default_text_color
            font.pixelSize: 14
        },
        CustomComboBox {
            id: clickCountInput
            objectName: "clickCountInput"

            // The resolution shown; 0 while nothing is offered.
            readonly property int value: Number(displayText) || 0

            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 100
            mainLabel.visible: false
            onEnterPressed: tool.confirm()

            delegate: ItemDelegate {
                id: row

                width: clickCountInput.width
                implicitHeight: 40
                highlighted: ListView.isCurrentItem
                hoverEnabled: true

                onHoveredChanged: if (hovered) clickCountInput.comboControl.arrowSelection = false

                background: Rectangle {
                    color: row.highlighted || (row.hovered && !clickCountInput.comboControl.arrowSelection)
                           ? Qt.lighter(clickCountInput.default_popup_bg_color, 1.3)
                           : clickCountInput.default_popup_bg_color
                }

                contentItem: Item {
                    NoteHead {
                        objectName: "rowPicture"
                        anchors.centerIn: parent
                        width: 25
                        height: 25
                        value: String(modelData)
                    }
                }
            }

            NoteHead {
                objectName: "currentPicture"
                anchors.centerIn: parent
                width: 20
                height: 20
                value: clickCountInput.displayText
            }
        }
    ]

    Connections {
        target: tool.panel

        function onInBarInputChanged() { tool.updateAvailableClicks() }
        function onInBeatInputChanged() { tool.updateAvailableClicks() }
        function onOutBarInputChanged() { tool.updateAvailableClicks() }
        function onOutBeatInputChanged() { tool.updateAvailableClicks() }
    }

    onConfirmed: (startBar, startBeat, endBar, endBeat) => {
        if (isEdit)
            changeClickRequest(startBar, beatNumber(startBeat), endBar, beatNumber(endBeat), clickCountInput.value)
        else
            createClickRequest(startBar, beatNumber(startBeat), endBar, beatNumber(endBeat), clickCountInput.value)
    }
    onWindowClosing: clickToolClosing()
    Component.onCompleted: clickCountInput.comboControl.focus = true
}
