import QtQuick
import QtQuick.Controls
import QtQuick.Window
import QtTest
import com.quorvane.vemo_ui
import "helpers.js" as Helpers

Item {
    id: host

    width: 500
    height: 300

    VemoTheme { id: theme }

    ListModel {
        id: paths
        ListElement { name: "Main PA"; path_id: "3f2b6c1e-8a4d-4a51-9d7e-0c4f5e6a7b81" }
        ListElement { name: "Monitors"; path_id: "a9d1e0f2-6b3c-4e7a-8f15-2d3c4b5a6e70" }
        ListElement { name: "Lobby"; path_id: "00000000-0000-4000-8000-000000000003" }
    }

    Component {
        id: comboComponent
        CustomComboBox {
            width: 200
            model: ["Intro", "Verse", "Chorus", "Bridge", "Outro"]
        }
    }

    SignalSpy { id: activatedSpy; signalName: "activated" }
    SignalSpy { id: enterSpy; signalName: "enterPressed" }
    SignalSpy { id: spaceSpy; signalName: "spaceCommitted" }

    TestCase {
        name: "CustomComboBox"
        when: windowShown

        function make(properties) {
            const combo = createTemporaryObject(comboComponent, host, properties || {})
            activatedSpy.target = combo
            activatedSpy.clear()
            enterSpy.target = combo
            enterSpy.clear()
            spaceSpy.target = combo
            spaceSpy.clear()
            return combo
        }

        function list(combo) {
            return findChild(combo.choices.contentItem, "list")
        }

        // The list's rows take their place when the pop-up is first drawn; clicks wait for that.
        function openList(combo) {
            combo.comboControl.forceActiveFocus()
            keyClick(Qt.Key_Space)
            tryCompare(combo.choices, "opened", true)
            waitForRendering(combo.choices.contentItem)
        }

        function test_keys_with_list_closed() {
            const combo = make({ currentIndex: 2 })
            combo.comboControl.forceActiveFocus()
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Up)
            keyClick(Qt.Key_Up)
            compare(combo.currentIndex, 2)
            verify(!combo.choices.visible)
            keyClick(Qt.Key_Return)
            keyClick(Qt.Key_Enter)
            compare(enterSpy.count, 2)
            compare(activatedSpy.count, 0)
            verify(!combo.choices.visible)
        }

        function test_return_with_list_open() {
            const combo = make({ currentIndex: 1 })
            openList(combo)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            compare(list(combo).currentIndex, 3)
            verify(combo.comboControl.arrowSelection)
            compare(combo.currentIndex, 1)
            keyClick(Qt.Key_Return)
            compare(combo.currentIndex, 3)
            compare(activatedSpy.count, 1)
            compare(activatedSpy.signalArguments[0][0], 3)
            compare(enterSpy.count, 0)
            tryCompare(combo.choices, "visible", false)
            compare(combo.displayText, "Bridge")
        }

        // Space commits without `activated`; its own signal tells users that a row was chosen.
        function test_space_with_list_open() {
            const combo = make({ currentIndex: 0 })
            openList(combo)
            compare(spaceSpy.count, 0)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Space)
            compare(combo.currentIndex, 1)
            compare(activatedSpy.count, 0)
            compare(spaceSpy.count, 1)
            compare(spaceSpy.signalArguments[0][0], 1)
            tryCompare(combo.choices, "visible", false)
        }

        function test_only_space_commits_report_data() {
            return [
                { tag: "Return", key: Qt.Key_Return, activated: 1 },
                { tag: "Enter", key: Qt.Key_Enter, activated: 1 },
                { tag: "Escape", key: Qt.Key_Escape, activated: 0 }
            ]
        }

        function test_only_space_commits_report(data) {
            const combo = make({ currentIndex: 0 })
            openList(combo)
            keyClick(Qt.Key_Down)
            keyClick(data.key)
            compare(activatedSpy.count, data.activated)
            compare(spaceSpy.count, 0)
            tryCompare(combo.choices, "visible", false)
            combo.currentIndex = 3
            compare(spaceSpy.count, 0)
        }

        function test_ends_do_not_wrap_data() {
            return [
                { tag: "up at the first row", start: 0, key: Qt.Key_Up, expected: 0 },
                { tag: "down at the last row", start: 4, key: Qt.Key_Down, expected: 4 }
            ]
        }

        function test_ends_do_not_wrap(data) {
            const combo = make({ currentIndex: data.start })
            openList(combo)
            keyClick(data.key)
            compare(list(combo).currentIndex, data.expected)
            keyClick(Qt.Key_Escape)
        }

        function test_click_on_row() {
            const combo = make({ currentIndex: 0 })
            openList(combo)
            const row = list(combo).itemAtIndex(2)
            verify(row)
            mouseClick(row)
            compare(combo.currentIndex, 2)
            compare(activatedSpy.count, 1)
            compare(activatedSpy.signalArguments[0][0], 2)
            tryCompare(combo.choices, "visible", false)
        }

        function test_index_of_value_data() {
            return [
                { tag: "text id", model: paths, valueRole: "path_id", value: "a9d1e0f2-6b3c-4e7a-8f15-2d3c4b5a6e70", index: 1 },
                { tag: "text id starting with zeros", model: paths, valueRole: "path_id", value: "00000000-0000-4000-8000-000000000003", index: 2 },
                { tag: "unknown text id", model: paths, valueRole: "path_id", value: "ffffffff-0000-4000-8000-000000000000", index: -1 },
                { tag: "int id", model: [{ name: "Piano", id: 7 }, { name: "Bass", id: 12 }], valueRole: "id", value: 12, index: 1 },
                { tag: "unknown int id", model: [{ name: "Piano", id: 7 }, { name: "Bass", id: 12 }], valueRole: "id", value: 8, index: -1 }
            ]
        }

        function test_index_of_value(data) {
            const combo = make({ model: data.model, textRole: "name", valueRole: data.valueRole })
            compare(combo.indexOfValue(data.value), data.index)
            if (data.index >= 0) {
                compare(combo.valueAt(data.index), data.value)
                combo.currentIndex = combo.indexOfValue(data.value)
                compare(combo.currentValue, data.value)
            }
        }

        function test_row_texts_data() {
            return [
                { tag: "strings", model: ["Intro", "Verse"], textRole: "", texts: ["Intro", "Verse"] },
                { tag: "objects by role", model: [{ name: "Main PA" }, { name: "Lobby" }], textRole: "name", texts: ["Main PA", "Lobby"] },
                { tag: "strings with a role", model: ["Intro"], textRole: "name", texts: ["Intro"] },
                { tag: "objects without the role", model: [{ title: "Main PA" }], textRole: "name", texts: ["Undefined"] },
                { tag: "list model", model: paths, textRole: "name", texts: ["Main PA", "Monitors", "Lobby"] }
            ]
        }

        function test_row_texts(data) {
            const combo = make({ model: data.model, textRole: data.textRole })
            openList(combo)
            for (let i = 0; i < data.texts.length; ++i)
                compare(findChild(list(combo).itemAtIndex(i), "rowText").text, data.texts[i])
            keyClick(Qt.Key_Escape)
        }

        function test_empty_models_data() {
            return [{ tag: "null", model: null }, { tag: "empty", model: [] }]
        }

        function test_empty_models(data) {
            const combo = make({ model: data.model })
            compare(combo.count, 0)
            compare(combo.displayText, "")
            compare(combo.currentIndex, -1)
        }

        function test_height_caps() {
            const rows = []
            for (let i = 0; i < 40; ++i)
                rows.push("Song " + i)
            const combo = make({ model: rows, y: 10 })
            openList(combo)
            const expected = Math.min(40 * 40 + 2, host.Screen.height / 2, host.Window.height)
            compare(combo.choices.height, expected)
            verify(list(combo).contentHeight > list(combo).height)
            const handle = findChild(combo.choices.contentItem, "scrollHandle")
            fuzzyCompare(handle.height, list(combo).height * list(combo).height / list(combo).contentHeight, 1)
            keyClick(Qt.Key_Escape)
        }

        function test_short_list_fits() {
            const combo = make({ y: 10 })
            openList(combo)
            compare(combo.choices.height, 5 * 40 + 2)
            compare(combo.choices.width, 200)
            const handle = findChild(combo.choices.contentItem, "scrollHandle")
            compare(handle.height, list(combo).height)
            keyClick(Qt.Key_Escape)
            combo.minimumPopupWidth = 260
            openList(combo)
            compare(combo.choices.width, 260)
            keyClick(Qt.Key_Escape)
        }

        function test_lift_rule_data() {
            return [
                { tag: "room below", comboY: 20, lifted: false },
                { tag: "near the bottom of the screen", comboY: 200, lifted: true }
            ]
        }

        function test_lift_rule(data) {
            const window = host.Window.window
            const screenBottom = host.Screen.virtualY + host.Screen.height
            window.y = screenBottom - window.height
            const combo = make({ y: data.comboY, model: ["One", "Two", "Three"] })
            openList(combo)
            const corner = combo.mapToGlobal(0, 0)
            const overlap = corner.y + combo.choices.height - screenBottom
            compare(overlap > 0, data.lifted)
            const expectedY = data.lifted ? combo.height - 1 - overlap - 35 : combo.height - 1
            tryCompare(combo.choices, "y", expectedY)
            const top = combo.choices.background.mapToItem(null, 0, 0).y
            verify(top >= 0 && top + combo.choices.height <= window.height, "the list stays inside the window")
            keyClick(Qt.Key_Escape)
        }

        function test_disabled_look() {
            const combo = make({ currentIndex: 0, enabled: false })
            compare(Helpers.colorText(combo.comboControl.background.color), "#292929")
            compare(Helpers.colorText(combo.mainLabel.color), Helpers.colorText("gray"))
        }

        function test_face_and_completion() {
            const combo = make({ currentIndex: 0 })
            verify(combo.isCompleted)
            compare(combo.height, 30)
            compare(combo.mainLabel.text, "Intro")
            compare(combo.font.pixelSize, 14)
            compare(Helpers.colorText(combo.comboControl.background.color), "#1b1b1b")
            compare(Helpers.colorText(combo.default_popup_bg_color), "#313131")
            combo.comboControl.forceActiveFocus()
            verify(findChild(combo.comboControl.background, "focusFrame").visible)
        }
    }
}
