import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui

// The caesura tool's window: a bar and beat and the in-shift after that beat, in ticks. OK (the
// button, Return, or Enter in a closed input) sends one request per opening and closes the
// window; Cancel and Escape only close it.
EditTool {
    id: tool

    property alias inShift: panel.inShift
    property alias inShiftMax: panel.inMaxMicroshift
    property alias inShiftEnabled: panel.inShiftEnabled
    property int inShiftMin: 0
    property alias panel: panel

    signal createCaesuraRequest(var bar, var beat, real inShift)
    signal changeCaesuraRequest(var bar, var beat, real inShift)
    signal caesuraToolClosing()

    property bool confirmedOnce: false
    // The bar input's width as the panel lays it out by preference. The window is not sized from
    // the input's actual width: the panel stretches its inputs to the window, so each would widen
    // the other without end.
    readonly property int barInputWidth: 100

    function confirm() {
        if (!confirmedOnce) {
            confirmedOnce = true
            if (isEdit)
                changeCaesuraRequest(panel.inBar, panel.inBeat, panel.inShift)
            else
                createCaesuraRequest(panel.inBar, panel.inBeat, panel.inShift)
        }
        close()
    }

    title: isEdit ? "Edit Caesura" : "Create Caesura"
    width: barInputWidth * 4.5
    height: content.height + 50
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    modality: Qt.ApplicationModal

    onWindowClosing: caesuraToolClosing()

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
            hasDuration: false
            hasMicroshift: true
            inMinMicroshift: tool.inShiftMin
            onPressEnter: tool.confirm()
            onInBarInputChanged: tool.inBarChanged()
            onInBeatInputChanged: tool.inBeatChanged()
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
            value: tool.eventId
        }

        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true
        }
    }
}
