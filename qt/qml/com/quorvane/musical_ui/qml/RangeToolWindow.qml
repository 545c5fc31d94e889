import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui

// The window of a range tool: in and out bar and beat, the tool's value (none for cut and skip),
// Cancel and OK, and the event id. OK (the button, Return, or Enter in a closed input) sends one
// confirmation per opening and closes the window; Cancel and Escape only close it.
EditTool {
    id: tool

    property alias panel: panel
    property alias showEventId: idLabel.visible
    property alias barModel: panel.inBarModel
    property alias inBarModel: panel.inBarModel
    property alias showSelectAll: panel.showSelectAll
    // The value's label and input, placed between the panel and the buttons.
    property alias valueItems: valueColumn.data

    // Sent with the displayed in bar, in beat, out bar and out beat.
    signal confirmed(var startBar, var startBeat, var endBar, var endBeat)

    property bool confirmedOnce: false
    // The bar input's width as the panel lays it out by preference. The window is not sized from
    // the input's actual width: the panel stretches its inputs to the window, so each would widen
    // the other without end.
    readonly property int barInputWidth: 100

    // A beat input's text as the whole number a value tool's request carries; 0 for no number.
    function beatNumber(text) {
        return Math.trunc(Number(text)) || 0
    }

    function confirm() {
        if (!confirmedOnce) {
            confirmedOnce = true
            confirmed(panel.inBar, panel.inBeat, panel.outBar, panel.outBeat)
        }
        close()
    }

    width: barInputWidth * 2.5
    height: content.implicitHeight + 50
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    modality: Qt.ApplicationModal

    ColumnLayout {
        id: content
        objectName: "content"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 25
        spacing: 15
        focus: true

        Keys.onReturnPressed: tool.confirm()
        Keys.onEscapePressed: tool.close()

        BarAndBeatPanel {
            id: panel
            objectName: "barAndBeatPanel"
            Layout.fillWidth: true
            hasDuration: true
            onPressEnter: tool.confirm()
            onInBarInputChanged: tool.inBarChanged()
            onInBeatInputChanged: tool.inBeatChanged()
        }

        ColumnLayout {
            id: valueColumn
            objectName: "valueColumn"
            Layout.fillWidth: true
            spacing: 15
            visible: children.length > 0
        }

        StandardEditButtons {
            objectName: "editButtons"
            Layout.alignment: Qt.AlignHCenter
            onOkayClicked: tool.confirm()
            onCancelClicked: tool.close()
        }

        EventIdLabel {
            id: idLabel
            objectName: "eventIdLabel"
            Layout.fillWidth: true
            value: tool.eventId
        }
    }
}
