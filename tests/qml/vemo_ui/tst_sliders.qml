import QtQuick
import QtQuick.Controls
import QtTest
import com.quorvane.vemo_ui

Item {
    id: host

    width: 500
    height: 300

    Component {
        id: volumeSlider
        VemoCustomVolumeSlider { x: 20; y: 100; width: 300 }
    }

    Component {
        id: plainSlider
        VemoCustomSlider { x: 20; y: 100; width: 300 }
    }

    Component {
        id: dialComponent
        VemoCustomDial { x: 20; y: 20; width: 60; height: 60 }
    }

    SignalSpy { id: movedSpy; signalName: "moved" }

    TestCase {
        name: "Sliders"
        when: windowShown

        function make(component, properties) {
            const slider = createTemporaryObject(component, host, properties || {})
            movedSpy.target = slider
            movedSpy.clear()
            return slider
        }

        function pixelOf(slider, value) {
            const position = (value - slider.from) / (slider.to - slider.from)
            return slider.leftPadding + slider.handle.width / 2 + position * (slider.availableWidth - slider.handle.width)
        }

        function test_drag_snaps_to_zero_mark_data() {
            return [
                { tag: "inside the window", target: 0.80, expected: 0.7866278611 },
                { tag: "outside the window", target: 0.75, expected: 0.75 }
            ]
        }

        function test_drag_snaps_to_zero_mark(data) {
            const slider = make(volumeSlider)
            mouseDrag(slider, slider.handle.x + slider.handle.width / 2, slider.height / 2,
                      pixelOf(slider, data.target) - (slider.handle.x + slider.handle.width / 2), 0)
            verify(movedSpy.count > 0)
            if (data.expected === 0.75)
                verify(Math.abs(slider.value - slider.zeroMark) / (slider.to - slider.from) >= slider.snapTolerance)
            else
                compare(slider.value, data.expected)
        }

        function test_keys_data() {
            return [
                { tag: "right near the top", start: 0.995, key: Qt.Key_Right, expected: 1.0 },
                { tag: "right at the top", start: 1.0, key: Qt.Key_Right, expected: 1.0 },
                { tag: "left near the bottom", start: 0.045, key: Qt.Key_Left, expected: 0.04076220398 },
                { tag: "left into the snap window", start: 0.80, key: Qt.Key_Left, expected: 0.7866278611 },
                { tag: "up does nothing", start: 0.5, key: Qt.Key_Up, expected: 0.5, silent: true },
                { tag: "down does nothing", start: 0.5, key: Qt.Key_Down, expected: 0.5, silent: true }
            ]
        }

        function test_keys(data) {
            const slider = make(volumeSlider, { value: data.start })
            slider.forceActiveFocus()
            keyClick(data.key)
            fuzzyCompare(slider.value, data.expected, 1e-9)
            compare(movedSpy.count, data.silent ? 0 : 1)
        }

        function test_default_step_reaches_an_end() {
            const slider = make(plainSlider)
            slider.forceActiveFocus()
            keyClick(Qt.Key_Right)
            compare(slider.value, 1)
            keyClick(Qt.Key_Left)
            compare(slider.value, 0)
        }

        function test_alt_right_click_data() {
            return [
                { tag: "volume to -6 dB", component: volumeSlider, props: { value: 0.3 }, expected: 0.7866278611 },
                { tag: "no mark, to zero", component: plainSlider, props: { showZeroMark: false, from: 0, to: 100, value: 40 }, expected: 0 }
            ]
        }

        function test_alt_right_click(data) {
            const slider = make(data.component, data.props)
            mouseClick(slider, slider.width / 2, slider.height / 2, Qt.RightButton, Qt.AltModifier)
            compare(slider.value, data.expected)
            compare(movedSpy.count, 0)
            verify(!findChild(slider, "valuePopup").visible)
        }

        function test_value_pop_up_data() {
            return [
                { tag: "-80 dB", component: volumeSlider, text: "-80", expected: 0.04076220398, moved: 1 },
                { tag: "0 dB", component: volumeSlider, text: "0", expected: 1.0, moved: 1 },
                { tag: "above the range", component: volumeSlider, text: "12", expected: 1.0, moved: 1 },
                { tag: "near the mark snaps", component: volumeSlider, text: "-5.9", expected: 0.7866278611, moved: 1 },
                { tag: "letters", component: volumeSlider, text: "abc", expected: 0.5, moved: 0 },
                { tag: "empty", component: volumeSlider, text: "", expected: 0.5, moved: 0 },
                { tag: "infinity", component: plainSlider, text: "Infinity", expected: 0.5, moved: 0 },
                { tag: "plain number", component: plainSlider, text: "0.25", expected: 0.25, moved: 1 }
            ]
        }

        function test_value_pop_up(data) {
            const slider = make(data.component)
            const popup = findChild(slider, "valuePopup")
            mouseClick(slider, slider.width / 2, slider.height / 2, Qt.RightButton)
            tryCompare(popup, "opened", true)
            const field = findChild(popup.contentItem, "valueField")
            verify(field.field.activeFocus)
            compare(field.field.selectedText, field.text, "the whole text is selected")
            field.text = data.text
            keyClick(Qt.Key_Return)
            tryCompare(popup, "visible", false)
            fuzzyCompare(slider.value, data.expected, 1e-9)
            compare(movedSpy.count, data.moved)
        }

        function test_pop_up_ok_button_and_display() {
            const slider = make(plainSlider)
            const popup = findChild(slider, "valuePopup")
            mouseClick(slider, slider.width / 2, slider.height / 2, Qt.RightButton)
            tryCompare(popup, "opened", true)
            const field = findChild(popup.contentItem, "valueField")
            compare(field.text, "0.500")
            compare(popup.width, 200)
            compare(popup.height, 50)
            field.text = "0.75"
            mouseClick(findChild(popup.contentItem, "okButton"))
            tryCompare(popup, "visible", false)
            compare(slider.value, 0.75)
            compare(movedSpy.count, 1)
        }

        function test_enter_on_keypad_does_not_apply() {
            const slider = make(plainSlider)
            const popup = findChild(slider, "valuePopup")
            mouseClick(slider, slider.width / 2, slider.height / 2, Qt.RightButton)
            tryCompare(popup, "opened", true)
            findChild(popup.contentItem, "valueField").text = "0.9"
            keyClick(Qt.Key_Enter)
            compare(slider.value, 0.5)
            keyClick(Qt.Key_Escape)
            tryCompare(popup, "visible", false)
            compare(slider.value, 0.5)
        }

        function test_zero_mark_and_tool_tip() {
            const slider = make(volumeSlider)
            const mark = findChild(slider, "zeroMark")
            verify(mark.visible)
            const f = (slider.zeroMark - slider.from) / (slider.to - slider.from)
            fuzzyCompare(mark.x, f * slider.availableWidth - slider.handle.width * (f - 0.5) - 1, 0.001)
            compare(findChild(slider, "volumeToolTip").text, "Value: -17.3 dB")
            slider.value = slider.zeroMark
            compare(findChild(slider, "volumeToolTip").text, "Value: -6.0 dB")
            slider.showZeroMark = false
            verify(!mark.visible)
        }

        function test_no_snap_without_mark() {
            const slider = make(plainSlider, { showZeroMark: false, value: 0.49 })
            slider.forceActiveFocus()
            slider.step = 0.02
            keyClick(Qt.Key_Right)
            fuzzyCompare(slider.value, 0.51, 1e-9)
        }
    }

    TestCase {
        name: "Dial"
        when: windowShown

        function test_snap_data() {
            return [
                { tag: "0.08 snaps", value: 0.08, expected: 0 },
                { tag: "-0.099 snaps", value: -0.099, expected: 0 },
                { tag: "0.12 stays", value: 0.12, expected: 0.12 },
                { tag: "no notch, no snap", value: 0.08, expected: 0.08, noMark: true }
            ]
        }

        function test_snap(data) {
            const dial = createTemporaryObject(dialComponent, host, { showZeroMark: !data.noMark })
            dial.value = data.value
            dial.moved()
            fuzzyCompare(dial.value, data.expected, 1e-9)
            compare(findChild(dial, "notch").visible, !data.noMark)
        }

        // A horizontal drag across the dial's 60-pixel width moves the value by 1 from 0.5.
        function test_drag_emits_moved_and_snaps_data() {
            return [
                { tag: "into the notch's window from the right", dx: -26, expected: 0 },
                { tag: "into the notch's window from the left", dx: -34, expected: 0 },
                { tag: "short of the window", dx: -20, expected: 0.5 - 20 / 60 },
                { tag: "past the window", dx: -40, expected: 0.5 - 40 / 60 }
            ]
        }

        function test_drag_emits_moved_and_snaps(data) {
            const dial = createTemporaryObject(dialComponent, host, { value: 0.5 })
            movedSpy.target = dial
            movedSpy.clear()
            mousePress(dial, 30, 30)
            for (let dx = 0; dx >= data.dx; dx -= 2)
                mouseMove(dial, 30 + dx, 30)
            mouseRelease(dial, 30 + data.dx, 30)
            verify(movedSpy.count > 0)
            fuzzyCompare(dial.value, data.expected, 1e-9)
        }

        function test_face_and_labels() {
            const dial = createTemporaryObject(dialComponent, host)
            compare(dial.from, -1)
            compare(dial.to, 1)
            compare(dial.background.width, 60)
            verify(!findChild(dial, "ctrlSquare").visible)
            dial.ctrlPressed = true
            verify(findChild(dial, "ctrlSquare").visible)
            compare(findChild(dial, "rightLabel").x, 60 - findChild(dial, "leftLabel").width)
            dial.enabled = false
            compare(dial.background.opacity, 0.3)
        }
    }
}
