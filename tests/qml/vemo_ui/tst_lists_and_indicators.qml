import QtQuick
import QtQuick.Controls
import QtTest
import com.quorvane.vemo_ui
import "helpers.js" as Helpers

Item {
    id: host

    width: 600
    height: 400

    VemoTheme { id: theme }

    ListModel {
        id: destinations
        ListElement { first: "Lighting desk"; second: "192.168.1.20:53000" }
        ListElement { first: "Sound desk"; second: "192.168.1.21:53000" }
        ListElement { first: "A destination with a name far too long for its column"; second: "10.0.0.1:8000" }
    }

    Component {
        id: listHost
        Column {
            property alias list: list
            property alias other: other
            FlatButton { id: other; text: "Elsewhere" }
            CustomTwoColumnListView { id: list; width: 300; height: 150; model: destinations }
        }
    }

    Component {
        id: progressComponent
        FlatProgressBar { width: 300 }
    }

    Component {
        id: waitComponent
        WaitIndicator {}
    }

    Component {
        id: menuItemComponent
        VemoMenuItem { menuText: "Open" }
    }

    TestCase {
        name: "CustomTwoColumnListView"
        when: windowShown

        function test_keys() {
            const holder = createTemporaryObject(listHost, host)
            const list = holder.list
            list.currentIndex = 0
            list.forceActiveFocus()
            keyClick(Qt.Key_Up)
            compare(list.currentIndex, 0)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            compare(list.currentIndex, 2)
            keyClick(Qt.Key_Down)
            compare(list.currentIndex, 2)
            keyClick(Qt.Key_Up)
            compare(list.currentIndex, 1)
        }

        function test_empty_list() {
            const holder = createTemporaryObject(listHost, host)
            const list = holder.list
            list.model = null
            compare(list.currentIndex, -1)
            list.forceActiveFocus()
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Up)
            compare(list.currentIndex, -1)
            verify(!list.highlightItem || (list.highlightItem.width === 0 && list.highlightItem.height === 0))
        }

        function test_click_takes_focus() {
            const holder = createTemporaryObject(listHost, host)
            const list = holder.list
            holder.other.forceActiveFocus()
            mouseClick(list, 50, 45)
            compare(list.currentIndex, 1)
            verify(list.activeFocus)
            verify(findChild(list, "focusFrame").visible)
            const row = list.itemAtIndex(1)
            compare(Helpers.colorText(findChild(row, "firstText").color), Helpers.colorText("white"))
            compare(Helpers.colorText(findChild(list.itemAtIndex(0), "firstText").color), "#a4a4a4")
            compare(list.highlightItem.height, 30)
        }

        function test_columns_and_elision() {
            const holder = createTemporaryObject(listHost, host)
            const list = holder.list
            const row = list.itemAtIndex(2)
            compare(findChild(row, "firstText").width, 150)
            compare(findChild(row, "secondText").width, 150)
            compare(findChild(row, "firstText").x, 10)
            verify(findChild(row, "firstText").truncated)
            compare(row.height, 30)
            compare(list.ScrollBar.vertical.policy, ScrollBar.AlwaysOn)
        }
    }

    TestCase {
        name: "HeaderLabelDrag"
        when: windowShown

        function test_follows_and_drags() {
            const header = createTemporaryQmlObject(
                "import QtQuick; import com.quorvane.vemo_ui; Item {"
                + " width: 600; height: 40; property alias divider: divider;"
                + " Item { id: statusLabel; height: 30 }"
                + " Item { id: nameLabel; x: 10; width: 100; height: 30 }"
                + " HeaderLabelDrag { id: divider; controlToLeft: nameLabel; controlToFarLeft: nameLabel } }", host)
            const divider = header.divider
            compare(divider.x, 113)
            compare(findChild(divider, "line").height, 26)
            mouseDrag(findChild(divider, "line"), 1, 5, 60, 0)
            verify(divider.x > 113)
            compare(divider.desiredWidth, divider.x - 110 - 3 + 1)
            mouseDrag(findChild(divider, "line"), 1, 5, -150, 0)
            compare(divider.desiredWidth, 40, "never below the least width")
        }
    }

    TestCase {
        name: "FlatProgressBar"
        when: windowShown

        function test_tip_data() {
            return [
                { tag: "2 %", value: 0.02, tip: 0, radius: 0 },
                { tag: "50 %", value: 0.5, tip: 32, radius: 0 },
                { tag: "100 %", value: 1.0, tip: 64, radius: 3 }
            ]
        }

        function test_tip(data) {
            const bar = createTemporaryObject(progressComponent, host, { value: data.value })
            const tip = findChild(bar, "tip")
            fuzzyCompare(tip.width, data.tip, 0.001)
            compare(tip.radius, data.radius)
            fuzzyCompare(findChild(bar, "filled").width, data.value * bar.contentItem.width, 0.001)
            compare(bar.implicitHeight >= 12, true)
        }

        function test_update_time() {
            const bar = createTemporaryObject(progressComponent, host)
            const before = Date.now()
            bar.value = 0.3
            verify(bar.lastUpdateTime >= before)
            compare(Helpers.colorText(Qt.lighter(bar.fillColor, 1.6)), "#90ddff")
        }
    }

    TestCase {
        name: "WaitIndicator"
        when: windowShown

        function test_start_and_stop() {
            const indicator = createTemporaryObject(waitComponent, host)
            indicator.start(0)
            verify(!indicator.visible)
            verify(!indicator.timer.running)
            indicator.start(2)
            verify(indicator.visible)
            verify(indicator.timer.running)
            compare(indicator.totalTime, 2)
            const firstStart = indicator.startTime
            verify(firstStart > 0)
            indicator.start(4)
            compare(indicator.startTime, firstStart, "a second start keeps the first start time")
            compare(indicator.totalTime, 4)
            indicator.stop()
            verify(!indicator.visible)
            verify(!indicator.timer.running)
        }

        function test_runs_out() {
            const indicator = createTemporaryObject(waitComponent, host)
            indicator.start(2)
            indicator.startTime = Date.now() - 1000
            indicator.timer.triggered()
            fuzzyCompare(indicator.progress, 0.5, 0.05)
            fuzzyCompare(indicator.angle, 180, 18)
            verify(indicator.visible)
            indicator.startTime = Date.now() - 2500
            indicator.timer.triggered()
            compare(indicator.progress, 1)
            compare(indicator.angle, 360)
            verify(!indicator.visible)
            verify(!indicator.timer.running)
        }
    }

    TestCase {
        name: "VemoMenuItem"
        when: windowShown

        function test_text_and_colours() {
            const item = createTemporaryObject(menuItemComponent, host)
            compare(item.contentItem.text, "Open")
            compare(Helpers.colorText(item.background.color), "#1d1d1d")
            compare(item.contentItem.font.pixelSize, 14)
        }
    }
}
