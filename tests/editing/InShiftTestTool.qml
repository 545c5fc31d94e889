import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui

// A tool window for the tool base's tests: the bar and beat panel with its in-shift slider, the
// four in-shift properties of the point tools with an in-shift, and the value and sound-effect
// properties the base's helpers write.
EditTool {
    id: tool

    property alias inShift: panel.inShift
    property alias inShiftMax: panel.inMaxMicroshift
    property alias inShiftEnabled: panel.inShiftEnabled
    property int inShiftMin: 0
    property int intValue: 0
    property int value: 0
    property string strValue: ""
    property string name: ""
    property string effectIdIndex: ""
    property string volume: ""
    property string pan: ""
    property string reverb: ""
    property string outputPathName: ""

    function setOutputPathIndexFromName(pathName) {
        outputPathName = pathName
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 25

        BarAndBeatPanel {
            id: panel
            objectName: "barAndBeatPanel"
            Layout.fillWidth: true
            hasDuration: true
            hasMicroshift: true
            inMinMicroshift: tool.inShiftMin
            onInBarInputChanged: tool.inBarChanged()
            onInBeatInputChanged: tool.inBeatChanged()
        }
    }
}
