import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui

// The marker tool's window: a bar and beat and the marker's text, which may be empty. OK (the
// button, Return in the text or the column, or Enter in a closed input) sends one request per
// opening and closes the window; Cancel and Escape only close it.
EditTool {
    id: tool

    property alias strValue: markerInput.text
    property alias panel: panel

    signal createMarkerRequest(string bar, int beat, string text)
    signal changeMarkerRequest(string bar, int beat, string text)
    signal markerToolClosing()

    property bool confirmedOnce: false
    // The bar input's width as the panel lays it out by preference. The window is not sized from
    // the input's actual width: the panel stretches its inputs to the window, so each would widen
    // the other without end.
    readonly property int barInputWidth: 100

    function confirm() {
        if (!confirmedOnce) {
            confirmedOnce = true
            const beat = parseInt(panel.inBeat, 10) || 0
            if (isEdit)
                changeMarkerRequest(panel.inBar, beat, markerInput.text)
            else
                createMarkerRequest(panel.inBar, beat, markerInput.text)
        }
        close()
    }

    title: isEdit ? "Edit Marker" : "Create Marker"
    width: barInputWidth * 2.5
    height: content.implicitHeight + 50
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    modality: Qt.ApplicationModal

    onWindowClosing: markerToolClosing()

    ColumnLayout {
        id: content
        objectName: "content"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 25
        spacing: 15

        Keys.onReturnPressed: tool.confirm()
        Keys.onEscapePressed: tool.close()

        BarAndBeatPanel {
            id: panel
            objectName: "barAndBeatPanel"
            Layout.fillWidth: true
            hasDuration: false
            onPressEnter: tool.confirm()
            onInBarInputChanged: tool.inBarChanged()
            onInBeatInputChanged: tool.inBeatChanged()
        }

        Text {
            objectName: "valueLabel"
            Layout.alignment: Qt.AlignHCenter
            text: "Marker"
            font: theme.default_font
            color: theme.default_text_color
        }

        RecessedTextInput {
            id: markerInput
            objectName: "markerInput"
            Layout.fillWidth: true
            horizontalAlignment: TextInput.AlignLeft
            focus: true
        }

        StandardEditButtons {
            objectName: "editButtons"
            Layout.alignment: Qt.AlignHCenter
            onOkayClicked: tool.confirm()
            onCancelClicked: tool.close()
        }

        EventIdLabel {
            objectName: "eventIdLabel"
            Layout.fillWidth: true
            visible: false
            value: tool.eventId
        }
    }
}
