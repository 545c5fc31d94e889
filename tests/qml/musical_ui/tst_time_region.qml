import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// A region on its row: placing, scaling, hovering, and the three drags with their reports.
Item {
    id: host

    width: 1000
    height: 200

    VemoTheme { id: theme }

    Item {
        id: row
        y: 50
        width: 1000
        height: 16
    }

    Component {
        id: regionComponent
        TimeRegion {}
    }

    SignalSpy { id: dragSpy; signalName: "dragged" }
    SignalSpy { id: clickSpy; signalName: "clicked" }
    SignalSpy { id: doubleClickSpy; signalName: "doubleClicked" }

    TestCase {
        name: "TimeRegion"
        when: windowShown

        // Units 100 to 200 at scale 2.0, placed the way its controller places it.
        function makeRegion(editable) {
            const region = createTemporaryObject(regionComponent, row, { baseWidth: 100, editable: editable })
            region.basePositionSet(100)
            region.viewScaleSet(2.0)
            for (const spy of [dragSpy, clickSpy, doubleClickSpy]) {
                spy.clear()
                spy.target = region
            }
            return region
        }

        function dragOnRow(fromX, toX) {
            mousePress(row, fromX, 8)
            mouseMove(row, (fromX + toX) / 2, 8, -1, Qt.LeftButton)
            mouseMove(row, toX, 8, -1, Qt.LeftButton)
            mouseRelease(row, toX, 8)
        }

        function test_quiet_states_data() {
            return [
                { tag: "without a parent", body: "TimeRegion {}" },
                { tag: "on a row", body: "Item { width: 400; height: 16; TimeRegion { editable: true; selected: true } }" }
            ]
        }

        function test_quiet_states(data) {
            failOnWarning(/.*/)
            compare(qmlProbe.warningsOf("import QtQuick; import com.quorvane.musical_ui\n" + data.body), [])
        }

        function test_placed_in_pixels() {
            const region = makeRegion(true)
            compare(region.x, 200)
            compare(region.width, 200)
            compare(region.z, 200)
            compare(region.height, 16)
            compare(region.xPos, 200)
            compare(findChild(region, "rightHandle").x, 197)
            compare(findChild(region, "leftHandle").x, 0)
            compare(region.opacity, 0.7)
            compare(region.radius, 3)
        }

        function test_height_without_a_parent() {
            const region = createTemporaryObject(regionComponent, null)
            compare(region.height, 50)
        }

        function test_hover_lightens_the_fill() {
            const region = makeRegion(false)
            region.baseColor = "#00BFFF"
            compare(String(region.color), String(Qt.color("#00BFFF")))
            mouseMove(row, 300, 8)
            compare(String(region.color), String(Qt.lighter("#00BFFF", 1.3)))
            compare(String(region.border.color), String(Qt.lighter(region.color, 1.1)))
            mouseMove(row, 600, 8)
            compare(String(region.color), String(Qt.color("#00BFFF")))
        }

        function test_selection_frame() {
            const region = makeRegion(false)
            const frame = findChild(region, "selectionFrame")
            verify(!frame.visible)
            region.selected = true
            verify(frame.visible)
            compare(frame.border.width, 1)
            compare(String(frame.border.color), "#ffffff")
            compare(frame.opacity, 0.7)
        }

        function test_body_drag_reports_the_new_range() {
            const region = makeRegion(true)
            dragOnRow(300, 360)
            compare(dragSpy.count, 1)
            compare(Array.from(dragSpy.signalArguments[0]), [130, 230, false, false])
            compare(region.xPos, 260)
        }

        function test_right_handle_drag_resizes() {
            const region = makeRegion(true)
            dragOnRow(398, 648)
            compare(dragSpy.count, 1)
            compare(Array.from(dragSpy.signalArguments[0]), [100, 325, false, true])
            compare(region.width, 450)
            compare(region.x, 200)
        }

        function test_right_handle_never_passes_the_left_handle() {
            const region = makeRegion(true)
            dragOnRow(398, 100)
            compare(dragSpy.count, 1)
            compare(Array.from(dragSpy.signalArguments[0]), [100, 103, false, true])
        }

        function test_left_handle_keeps_the_right_edge_data() {
            return [
                { tag: "a little", to: 241, start: 120 },
                { tag: "past the end", to: 700, start: 197 }
            ]
        }

        function test_left_handle_keeps_the_right_edge(data) {
            makeRegion(true)
            dragOnRow(201, data.to)
            compare(dragSpy.count, 1)
            const report = Array.from(dragSpy.signalArguments[0])
            compare(report[1], 200)
            verify(report[0] <= report[1] - 3, report[0])
            compare(report[0], data.start)
            compare(report[2], true)
            compare(report[3], false)
        }

        function test_click_reports_without_moving() {
            const region = makeRegion(true)
            mouseClick(row, 300, 8)
            compare(clickSpy.count, 1)
            compare(dragSpy.count, 0)
            compare(region.x, 200)
            mouseDoubleClickSequence(row, 300, 8)
            compare(doubleClickSpy.count, 1)
        }

        function test_not_editable_region_only_clicks() {
            const region = makeRegion(false)
            dragOnRow(300, 360)
            dragOnRow(398, 648)
            dragOnRow(201, 241)
            compare(dragSpy.count, 0)
            compare(region.x, 200)
            compare(region.width, 200)
            clickSpy.clear()
            mouseClick(row, 300, 8)
            compare(clickSpy.count, 1)
        }
    }
}
