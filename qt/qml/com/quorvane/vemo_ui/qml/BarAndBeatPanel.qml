import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// The in and out bar and beat pickers of an edit-tool window, with optional microshift sliders and
// a "Select All" button. The tool's controller finds the pickers by object name, fills them, and
// answers the beat-list update requests at once. Reads `theme` from the tool window that holds it.
Item {
    id: root

    property int panelWidth: parent ? parent.width : 0
    property int panelHeight: mainColumn.implicitHeight
    property int leftMargin: 0
    property int topMargin: 0
    property int rightMargin: 0
    property int bottomMargin: 0
    property bool hasDuration: true
    property bool hasMicroshift: false
    property bool showSelectAll: false
    property int inMinMicroshift: 0
    property int inMaxMicroshift: 1
    property int outMinMicroshift: 0
    property int outMaxMicroshift: 1
    property alias comboBoxWidth: inBarInput.width
    property alias inBar: inBarInput.displayText
    property alias outBar: outBarInput.displayText
    property alias inBeat: inBeatInput.displayText
    property alias outBeat: outBeatInput.displayText
    property alias inShift: inShiftSlider.value
    property alias inMicroshiftValue: inShiftSlider.value
    property alias outShift: outShiftSlider.value
    property alias outMicroshiftValue: outShiftSlider.value
    property alias inShiftEnabled: inShiftSlider.enabled
    property int inMicroshiftCurrentIndex: 0
    property int outMicroshiftCurrentIndex: 0
    property alias inBarModel: inBarInput.model

    signal inBeatInputUpdateRequest(var index)
    signal outBeatInputUpdateRequest(var index)
    signal inBarInputChanged()
    signal inBeatInputChanged()
    signal outBarInputChanged()
    signal outBeatInputChanged()
    signal pressEnter()

    // The whole song: first bar to last bar. The beat lists are asked for the two chosen bars
    // before the beats are set, so the out beat is the last beat of the last bar.
    function selectAll() {
        inBarInput.currentIndex = 0
        outBarInput.currentIndex = outBarInput.count - 1
        if (inBarInput.count > 0)
            inBeatInputUpdateRequest(0)
        if (outBarInput.count > 0)
            outBeatInputUpdateRequest(outBarInput.count - 1)
        inBeatInput.currentIndex = 0
        outBeatInput.currentIndex = outBeatInput.count - 1
    }

    function setInMicroshiftMinMax(minValue, maxValue) {
        inMinMicroshift = minValue
        inMaxMicroshift = maxValue
    }

    function setOutMicroshiftMinMax(minValue, maxValue) {
        outMinMicroshift = minValue
        outMaxMicroshift = maxValue
    }

    width: panelWidth
    height: panelHeight
    anchors.leftMargin: leftMargin
    anchors.topMargin: topMargin
    anchors.rightMargin: leftMargin
    anchors.bottomMargin: topMargin

    ColumnLayout {
        id: mainColumn
        anchors.fill: parent
        spacing: 15

        RowLayout {
            Layout.fillWidth: true

            ColumnLayout {
                objectName: "barColumn"
                Layout.preferredWidth: 100

                Label {
                    objectName: "inBarCaption"
                    text: root.hasDuration ? qsTr("In Bar") : qsTr("Bar")
                    font: theme.default_font
                    color: theme.default_text_color
                }

                CustomComboBox {
                    id: inBarInput
                    objectName: "inBarInput"
                    Layout.fillWidth: true
                    textRole: "bar"
                    onCurrentIndexChanged: root.inBarInputChanged()
                    onActivated: index => root.inBeatInputUpdateRequest(index)
                    onSpaceCommitted: index => root.inBeatInputUpdateRequest(index)
                    onEnterPressed: root.pressEnter()
                }

                Label {
                    objectName: "outBarCaption"
                    Layout.topMargin: 10
                    visible: root.hasDuration
                    text: qsTr("Out Bar")
                    font: theme.default_font
                    color: theme.default_text_color
                }

                CustomComboBox {
                    id: outBarInput
                    objectName: "outBarInput"
                    Layout.fillWidth: true
                    visible: root.hasDuration
                    textRole: "bar"
                    onCurrentIndexChanged: root.outBarInputChanged()
                    onActivated: index => root.outBeatInputUpdateRequest(index)
                    onSpaceCommitted: index => root.outBeatInputUpdateRequest(index)
                    onEnterPressed: root.pressEnter()
                }
            }

            ColumnLayout {
                objectName: "beatColumn"
                Layout.preferredWidth: 100

                Label {
                    objectName: "inBeatCaption"
                    text: root.hasDuration ? qsTr("In Beat") : qsTr("Beat")
                    font: theme.default_font
                    color: theme.default_text_color
                }

                CustomComboBox {
                    id: inBeatInput
                    objectName: "inBeatInput"
                    Layout.fillWidth: true
                    onCurrentIndexChanged: root.inBeatInputChanged()
                    onEnterPressed: root.pressEnter()
                }

                Label {
                    objectName: "outBeatCaption"
                    Layout.topMargin: 10
                    visible: root.hasDuration
                    text: qsTr("Out Beat")
                    font: theme.default_font
                    color: theme.default_text_color
                }

                CustomComboBox {
                    id: outBeatInput
                    objectName: "outBeatInput"
                    Layout.fillWidth: true
                    visible: root.hasDuration
                    valueRole: "beats"
                    onCurrentIndexChanged: root.outBeatInputChanged()
                    onEnterPressed: root.pressEnter()
                }
            }

            ColumnLayout {
                objectName: "microshiftColumn"
                Layout.preferredWidth: 100

                Label {
                    objectName: "inShiftCaption"
                    visible: root.hasMicroshift
                    text: root.hasDuration ? qsTr("In Shift") : qsTr("Microshift")
                    font: theme.default_font
                    color: theme.default_text_color
                }

                VemoCustomSlider {
                    id: inShiftSlider
                    objectName: "inShiftSlider"
                    Layout.preferredWidth: 150
                    visible: root.hasMicroshift
                    from: root.inMinMicroshift
                    to: root.inMaxMicroshift
                    value: 0
                    showZeroMark: false

                    VemoToolTip {
                        objectName: "inShiftToolTip"
                        visible: inShiftSlider.hovered || inShiftSlider.activeFocus
                        delay: 500
                        text: qsTr("Value: ") + Math.round(inShiftSlider.value)
                    }
                }

                Label {
                    objectName: "outShiftCaption"
                    Layout.topMargin: 10
                    visible: root.hasDuration && root.hasMicroshift
                    text: qsTr("Out Microshift")
                    font: theme.default_font
                    color: theme.default_text_color
                }

                VemoCustomSlider {
                    id: outShiftSlider
                    objectName: "outShiftSlider"
                    Layout.preferredWidth: 150
                    visible: root.hasDuration && root.hasMicroshift
                    from: root.outMinMicroshift
                    to: root.outMaxMicroshift
                    value: 0
                    showZeroMark: false
                }
            }
        }

        FlatButton {
            objectName: "selectAllButton"
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredHeight: 30
            Layout.preferredWidth: 130
            visible: root.showSelectAll
            text: "Select All"
            onClicked: root.selectAll()
        }
    }
}
