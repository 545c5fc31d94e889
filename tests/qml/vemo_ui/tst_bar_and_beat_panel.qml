import QtQuick
import QtQuick.Window
import QtTest
import com.quorvane.vemo_ui

// The panel inside a tool window, as the tools place it, with a stand-in for the tool's controller
// that answers the beat-list requests at once.
Item {
    id: host

    width: 200
    height: 100

    Component {
        id: toolComponent
        EditTool {
            property alias panel: panel
            width: 420
            height: 320
            BarAndBeatPanel {
                id: panel
                objectName: "barAndBeatPanel"
                y: 30
                width: 400
            }
        }
    }

    TestCase {
        name: "BarAndBeatPanel"
        when: windowShown

        // Windows shown by a test are modal and take the focus: they are hidden at its end, so that
        // the next test starts in the test's own window with nothing blocking it.
        property var shownWindows: []

        function keepShown(window) {
            shownWindows.push(window)
            return window
        }

        function cleanup() {
            for (const window of shownWindows)
                window.visible = false
            shownWindows = []
            host.Window.window.requestActivate()
            tryCompare(host.Window.window, "active", true)
        }

        // Bar "1" starts inside the bar (the earliest editable beat is beat 3).
        readonly property var bars: [{ bar: "1" }, { bar: "2" }, { bar: "3" }]
        readonly property var beats: [[3, 4], [1, 2, 3, 4], [1, 2]]

        property var requests: []

        function open(properties) {
            const tool = createTemporaryObject(toolComponent, host)
            for (const name in properties || {})
                tool.panel[name] = properties[name]
            requests = []
            return tool
        }

        function picker(tool, name) {
            return findChild(tool.panel, name)
        }

        // What the tool's controller does: fill the pickers, then answer each request by replacing
        // the beat list of that side.
        function fill(tool, inRow, outRow) {
            const inBar = picker(tool, "inBarInput")
            const outBar = picker(tool, "outBarInput")
            inBar.model = bars
            outBar.model = bars
            inBar.currentIndex = inRow
            outBar.currentIndex = outRow
            picker(tool, "inBeatInput").model = beats[inRow]
            picker(tool, "outBeatInput").model = beats[outRow]
            picker(tool, "outBeatInput").currentIndex = beats[outRow].length - 1
            tool.panel.inBeatInputUpdateRequest.connect(index => {
                requests.push("in " + index)
                picker(tool, "inBeatInput").model = beats[index]
            })
            tool.panel.outBeatInputUpdateRequest.connect(index => {
                requests.push("out " + index)
                picker(tool, "outBeatInput").model = beats[index]
            })
        }

        function show(tool) {
            keepShown(tool).show()
            tool.requestActivate()
            tryCompare(tool, "active", true)
        }

        // The window's focus arrives with its activation, after `active` reads true.
        function giveFocus(item) {
            item.forceActiveFocus()
            tryVerify(() => item.activeFocus)
        }

        function test_captions_and_controls_data() {
            return [
                { tag: "range", hasDuration: true, hasMicroshift: false,
                  captions: ["In Bar", "In Beat"], shown: ["outBarInput", "outBeatInput", "outBarCaption", "outBeatCaption"],
                  hidden: ["inShiftSlider", "outShiftSlider", "inShiftCaption", "outShiftCaption"] },
                { tag: "range with microshift", hasDuration: true, hasMicroshift: true,
                  captions: ["In Bar", "In Beat", "In Shift"],
                  shown: ["outBarInput", "outBeatInput", "inShiftSlider", "outShiftSlider", "inShiftCaption", "outShiftCaption"],
                  hidden: [] },
                { tag: "point", hasDuration: false, hasMicroshift: false, captions: ["Bar", "Beat"], shown: [],
                  hidden: ["outBarInput", "outBeatInput", "outBarCaption", "outBeatCaption", "inShiftSlider", "outShiftSlider",
                           "inShiftCaption", "outShiftCaption"] },
                { tag: "point with microshift", hasDuration: false, hasMicroshift: true,
                  captions: ["Bar", "Beat", "Microshift"], shown: ["inShiftSlider", "inShiftCaption"],
                  hidden: ["outBarInput", "outBeatInput", "outBarCaption", "outBeatCaption", "outShiftSlider", "outShiftCaption"] }
            ]
        }

        function test_captions_and_controls(data) {
            const tool = open({ hasDuration: data.hasDuration, hasMicroshift: data.hasMicroshift })
            const captions = ["inBarCaption", "inBeatCaption", "inShiftCaption"].slice(0, data.captions.length)
                .map(name => picker(tool, name).text)
            compare(captions, data.captions)
            for (const name of data.shown)
                verify(picker(tool, name).visible, name)
            for (const name of data.hidden)
                verify(!picker(tool, name).visible, name)
            verify(!picker(tool, "selectAllButton").visible)
            compare([tool.panel.inBar, tool.panel.inBeat, tool.panel.outBar, tool.panel.outBeat], ["", "", "", ""])
        }

        function test_pickers() {
            const tool = open({ showSelectAll: true })
            compare(picker(tool, "inBarInput").textRole, "bar")
            compare(picker(tool, "outBarInput").textRole, "bar")
            compare(picker(tool, "outBeatInput").valueRole, "beats")
            compare(picker(tool, "selectAllButton").text, "Select All")
            verify(picker(tool, "selectAllButton").visible)
            compare(tool.panel.comboBoxWidth, picker(tool, "inBarInput").width)
        }

        // The out beat is the last beat of the last bar, taken from that bar's own beat list.
        function test_select_all_asks_for_the_new_beats() {
            const tool = open({ showSelectAll: true })
            fill(tool, 1, 1)
            compare(tool.panel.outBeat, "4")
            picker(tool, "selectAllButton").clicked()
            compare(requests, ["in 0", "out 2"])
            compare([tool.panel.inBar, tool.panel.inBeat, tool.panel.outBar, tool.panel.outBeat], ["1", "3", "3", "2"])
            compare(picker(tool, "outBeatInput").currentIndex, 1)
        }

        function test_select_all_on_empty_lists() {
            const tool = open()
            const changes = []
            tool.panel.inBarInputChanged.connect(() => changes.push("inBar"))
            tool.panel.outBarInputChanged.connect(() => changes.push("outBar"))
            for (const name of ["inBarInput", "outBarInput", "inBeatInput", "outBeatInput"])
                picker(tool, name).model = []
            tool.panel.inBeatInputUpdateRequest.connect(index => requests.push("in " + index))
            tool.panel.outBeatInputUpdateRequest.connect(index => requests.push("out " + index))
            tool.panel.selectAll()
            compare(["inBarInput", "inBeatInput", "outBarInput", "outBeatInput"].map(name => picker(tool, name).currentIndex),
                    [0, 0, -1, -1])
            compare(requests, [])
        }

        // Space commits a bar without `activated`; the panel still asks for its beats, once.
        function test_bar_chosen_with_space() {
            const tool = open()
            fill(tool, 0, 1)
            show(tool)
            const inBar = picker(tool, "inBarInput")
            let inBarChanges = 0
            tool.panel.inBarInputChanged.connect(() => ++inBarChanges)
            giveFocus(inBar.comboControl)
            keyClick(Qt.Key_Space)
            tryCompare(inBar.choices, "opened", true)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Space)
            compare(inBar.currentIndex, 1)
            compare(inBarChanges, 1)
            compare(requests, ["in 1"])
            compare(picker(tool, "inBeatInput").model, beats[1])
        }

        // A choice from the open list (Return here; a click the same) activates the row.
        function test_bar_chosen_from_the_list() {
            const tool = open()
            fill(tool, 0, 1)
            show(tool)
            const outBar = picker(tool, "outBarInput")
            giveFocus(outBar.comboControl)
            keyClick(Qt.Key_Space)
            tryCompare(outBar.choices, "opened", true)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Return)
            compare(outBar.currentIndex, 2)
            compare(requests, ["out 2"])
            compare(tool.panel.outBeat, "1")
        }

        function test_bar_written_by_code() {
            const tool = open()
            fill(tool, 0, 1)
            let changes = []
            tool.panel.inBarInputChanged.connect(() => changes.push("inBar"))
            tool.panel.outBarInputChanged.connect(() => changes.push("outBar"))
            tool.panel.inBeatInputChanged.connect(() => changes.push("inBeat"))
            tool.panel.outBeatInputChanged.connect(() => changes.push("outBeat"))
            picker(tool, "inBarInput").currentIndex = 2
            picker(tool, "outBarInput").currentIndex = 2
            picker(tool, "inBeatInput").currentIndex = 1
            picker(tool, "outBeatInput").currentIndex = 0
            compare(changes, ["inBar", "outBar", "inBeat", "outBeat"])
            compare(requests, [])
        }

        function test_press_enter_data() {
            return [
                { tag: "Return on the in bar", picker: "inBarInput", key: Qt.Key_Return },
                { tag: "Enter on the out beat", picker: "outBeatInput", key: Qt.Key_Enter },
                { tag: "Return on the in beat", picker: "inBeatInput", key: Qt.Key_Return },
                { tag: "Return on the out bar", picker: "outBarInput", key: Qt.Key_Return }
            ]
        }

        function test_press_enter(data) {
            const tool = open()
            fill(tool, 0, 1)
            show(tool)
            let presses = 0
            tool.panel.pressEnter.connect(() => ++presses)
            giveFocus(picker(tool, data.picker).comboControl)
            keyClick(data.key)
            compare(presses, 1)
            compare(requests, [])
        }

        function test_microshift() {
            const tool = open({ hasDuration: false, hasMicroshift: true })
            tool.panel.setInMicroshiftMinMax(0, 480)
            tool.panel.inShift = 120
            compare(tool.panel.inMicroshiftValue, 120)
            compare(picker(tool, "inShiftSlider").to, 480)
            compare(picker(tool, "inShiftToolTip").text, "Value: 120")
            tool.panel.inShiftEnabled = false
            verify(!picker(tool, "inShiftSlider").enabled)
        }
    }
}
