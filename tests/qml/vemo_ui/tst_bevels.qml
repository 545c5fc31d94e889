import QtQuick
import QtTest
import com.quorvane.vemo_ui
import "helpers.js" as Helpers

Item {
    id: host

    width: 200
    height: 200

    Component {
        id: raised
        Rectangle {
            property alias bevel: bevel
            width: 10
            height: 10
            color: "#808080"
            BasicBevel { id: bevel }
        }
    }

    Component {
        id: recessed
        Rectangle {
            property alias bevel: bevel
            width: 10
            height: 10
            color: "#808080"
            RecessedBevel { id: bevel }
        }
    }

    TestCase {
        name: "Bevels"
        when: windowShown

        function line(bevel, name) {
            return findChild(bevel, name)
        }

        function geometry(item) {
            return [item.x, item.y, item.width, item.height]
        }

        function test_geometry_data() {
            return [
                { tag: "raised", component: raised, lines: {
                    rightLine: [9, 0, 1, 10], leftLine: [0, 0, 1, 10], topLine: [0, 0, 10, 1], bottomLine: [0, 10, 10, 1] },
                  dark: ["rightLine", "bottomLine"] },
                { tag: "recessed", component: recessed, lines: {
                    leftLine: [-1, 0, 1, 10], rightLine: [10, 0, 1, 10], bottomLine: [0, 10, 10, 1], topLine: [0, 0, 10, 1] },
                  dark: ["leftLine", "topLine"] }
            ]
        }

        function test_geometry(data) {
            const holder = createTemporaryObject(data.component, host)
            for (const name in data.lines) {
                const item = line(holder.bevel, name)
                compare(geometry(item), data.lines[name], name)
                verify(item.visible, name)
                const expected = data.dark.includes(name) ? Qt.lighter("#808080", 0.9) : Qt.lighter("#808080", 1.3)
                compare(Helpers.colorText(item.color), Helpers.colorText(expected), name)
            }
        }

        function test_flags_data() {
            return [
                { tag: "raised", component: raised, left: "leftLine", top: "topLine", bottom: "bottomLine", always: "rightLine" },
                { tag: "recessed", component: recessed, left: "rightLine", top: "bottomLine", bottom: "topLine", always: "leftLine" }
            ]
        }

        function test_flags(data) {
            const holder = createTemporaryObject(data.component, host)
            holder.bevel.hide_left = true
            verify(!line(holder.bevel, data.left).visible)
            verify(line(holder.bevel, data.top).visible)
            holder.bevel.hide_top = true
            verify(!line(holder.bevel, data.top).visible)
            holder.bevel.hide_bottom = true
            verify(!line(holder.bevel, data.bottom).visible)
            verify(line(holder.bevel, data.always).visible, "the dark vertical line has no flag")
        }

        function test_own_width_thickens_one_line_data() {
            return [
                { tag: "raised", component: raised, thick: "bottomLine", thin: ["rightLine", "leftLine", "topLine"] },
                { tag: "recessed", component: recessed, thick: "topLine", thin: ["rightLine", "leftLine", "bottomLine"] }
            ]
        }

        function test_own_width_thickens_one_line(data) {
            const holder = createTemporaryObject(data.component, host)
            holder.bevel.bevel_width = 3
            compare(line(holder.bevel, data.thick).height, 3)
            for (const name of data.thin)
                compare(Math.min(line(holder.bevel, name).width, line(holder.bevel, name).height), 1, name)
        }

        function test_colours_follow_parent() {
            const holder = createTemporaryObject(raised, host)
            holder.color = "#204060"
            compare(Helpers.colorText(holder.bevel.bevel_dark_color), Helpers.colorText(Qt.lighter("#204060", 0.9)))
            compare(Helpers.colorText(holder.bevel.bevel_light_color), Helpers.colorText(Qt.lighter("#204060", 1.3)))
            holder.bevel.bevel_light_color = "red"
            holder.color = "#102030"
            compare(Helpers.colorText(holder.bevel.bevel_light_color), Helpers.colorText("red"), "an explicit colour stays")
            compare(Helpers.colorText(holder.bevel.bevel_dark_color), Helpers.colorText(Qt.lighter("#102030", 0.9)))
        }

        function test_background() {
            const holder = createTemporaryObject(raised, host)
            compare(holder.bevel.bgvisible, false)
            holder.bevel.bgcolor = "blue"
            holder.bevel.bgvisible = true
            compare(Helpers.colorText(holder.bevel.bgcolor), Helpers.colorText("blue"))
        }
    }
}
