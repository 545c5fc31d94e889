import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// One line of the bars and beats ruler: where it stands, how it looks, and its fades.
Item {
    id: host

    width: 600
    height: 300

    VemoTheme { id: theme }

    Item {
        id: ruler
        width: 600
        height: 120
    }

    Component {
        id: timeBarComponent
        TimeBar {}
    }

    TextMetrics {
        id: labelMetrics
        font.pixelSize: 10
    }

    TestCase {
        name: "TimeBar"
        when: windowShown

        function makeBar(properties) {
            return createTemporaryObject(timeBarComponent, ruler, properties)
        }

        function colorText(value) {
            return String(Qt.color(String(value)))
        }

        function test_quiet_states_data() {
            return [
                { tag: "without a parent", body: "TimeBar {}" },
                { tag: "end bar", body: "Item { height: 50; TimeBar { isEndBar: true } }" },
                { tag: "beat with a label", body: "Item { height: 50; TimeBar { isBar: false; barLabel: '3.2' } }" }
            ]
        }

        function test_quiet_states(data) {
            failOnWarning(/.*/)
            compare(qmlProbe.warningsOf("import QtQuick; import com.quorvane.musical_ui\n" + data.body), [])
        }

        function test_geometry_data() {
            return [
                { tag: "bar at scale 1", label: "12", basePos: 40, scale: 1.0, x: 40 },
                { tag: "beat at scale 1.5", label: "12.3", basePos: 40, scale: 1.5, x: 60 },
                { tag: "bar at scale 0.15", label: "7", basePos: 1000, scale: 0.15, x: 150 },
                { tag: "end line", label: "", basePos: 333, scale: 2.0, x: 666 }
            ]
        }

        function test_geometry(data) {
            const bar = makeBar({ barLabel: data.label, basePos: data.basePos, viewScale: data.scale })
            compare(bar.x, data.x)
            compare(bar.height, ruler.height)
            labelMetrics.text = data.label
            // The right edge lies one pixel past the end of the label text.
            compare(bar.width, labelMetrics.advanceWidth + 3 + 1)
            const line = findChild(bar, "line")
            compare(line.width, 1)
            compare(line.height, ruler.height)
            const label = findChild(bar, "label")
            compare(label.x, 3)
            compare(label.y, 10)
            compare(label.font.pixelSize, 10)
            compare(label.text, data.label)
        }

        function test_without_parent_has_no_height() {
            const bar = createTemporaryObject(timeBarComponent, null)
            compare(bar.height, 0)
        }

        function test_colours_data() {
            return [
                { tag: "bar", isBar: true, line: Qt.lighter("#282828", 2), label: "white" },
                { tag: "beat", isBar: false, line: Qt.lighter("#282828", 1.3), label: Qt.lighter("#282828", 1.6) }
            ]
        }

        function test_colours(data) {
            const bar = makeBar({ isBar: data.isBar, barLabel: "1" })
            compare(colorText(bar.barColor), colorText(data.line))
            compare(colorText(bar.labelColor), colorText(data.label))
            compare(colorText(findChild(bar, "line").color), colorText(data.line))
            compare(colorText(findChild(bar, "label").color), colorText(data.label))
        }

        function test_end_line_is_double() {
            const bar = makeBar({ barLabel: "", basePos: 10 })
            const second = findChild(bar, "endLine")
            verify(!second.visible)
            bar.isEndBar = true
            verify(second.visible)
            compare(second.x, 3)
            compare(second.width, 3)
            compare(second.height, ruler.height)
            compare(colorText(second.color), colorText(bar.barColor))
        }

        function test_label_hides() {
            const bar = makeBar({ barLabel: "5" })
            const label = findChild(bar, "label")
            verify(label.visible)
            bar.showLabel = false
            verify(!label.visible)
            verify(findChild(bar, "line").visible)
        }

        function test_fade_out_then_in() {
            const bar = makeBar({ barLabel: "2.2", isBar: false })
            const line = findChild(bar, "line")
            bar.fadeOutMethod()
            verify(bar.visible)
            tryVerify(() => line.opacity > 0 && line.opacity < 1, 400)
            tryCompare(bar, "visible", false, 1500)
            compare(line.opacity, 0)
            verify(!line.visible)

            bar.fadeInMethod()
            verify(bar.visible)
            verify(line.visible)
            tryCompare(line, "opacity", 1, 1500)
        }

        function test_fade_out_of_a_faded_line_does_nothing() {
            const bar = makeBar({ barLabel: "2.3" })
            const line = findChild(bar, "line")
            line.opacity = 0
            bar.fadeOutMethod()
            wait(600)
            verify(bar.visible)
            verify(line.visible)
        }

        function test_fade_in_stops_a_fade_out() {
            const bar = makeBar({ barLabel: "4.2" })
            const line = findChild(bar, "line")
            bar.fadeOutMethod()
            tryVerify(() => line.opacity < 1, 400)
            bar.fadeInMethod()
            tryCompare(line, "opacity", 1, 1500)
            wait(600)
            verify(bar.visible)
            verify(line.visible)
            compare(line.opacity, 1)
        }
    }
}
