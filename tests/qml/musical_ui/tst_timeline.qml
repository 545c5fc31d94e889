import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The timeline document: zoom, wheel and right-button scrolling, the range selection and the
// click, the rows, the ruler's boxes, the playhead and the panel around it.
Item {
    id: host

    width: 900
    height: 400

    VemoTheme { id: theme }

    Component {
        id: timelineComponent
        TimeLine { width: 700; height: 220 }
    }

    Component {
        id: panelComponent
        TimeLineEditPanel { width: 700 }
    }

    Component {
        id: regionComponent
        TimeRegion {}
    }

    SignalSpy { id: clickSpy; signalName: "timelineClicked" }
    SignalSpy { id: scaleSpy; signalName: "timelineScaleChanged" }

    TestCase {
        name: "TimeLine"
        when: windowShown

        property var timeline: null
        property var flick: null

        // The scrolling area is the timeline's width less the 90-pixel label column.
        readonly property int viewWidth: 700 - 90

        function init() {
            timeline = createTemporaryObject(timelineComponent, host, { baseWidth: 2000 })
            flick = findChild(timeline, "mainFlick")
            clickSpy.clear()
            clickSpy.target = timeline
            scaleSpy.clear()
            scaleSpy.target = timeline
        }

        function area(name) {
            return findChild(timeline, name)
        }

        function test_quiet_states_data() {
            return [
                { tag: "empty timeline", body: "TimeLine { width: 600; height: 220 }" },
                { tag: "sound-effect rows", body: "TimeLine { width: 600; height: 270; sfxEnable: true; baseWidth: 500 }" },
                { tag: "panel", body: "TimeLineEditPanel { width: 600 }" },
                { tag: "panel without sound-effect rows", body: "TimeLineEditPanel { width: 600; sfxEnable: false }" },
                { tag: "playhead alone", body: "Playhead { basePos: 3 }" }
            ]
        }

        function test_quiet_states(data) {
            failOnWarning(/.*/)
            compare(qmlProbe.warningsOf("import QtQuick; import com.quorvane.musical_ui\n" + data.body), [])
        }

        function test_zoom_buttons_data() {
            return [
                { tag: "+ stops at the maximum", button: "zoomInButton", from: 3.8, to: 4.0 },
                { tag: "+ adds 0.6", button: "zoomInButton", from: 1.0, to: 1.6 },
                { tag: "- stops at the minimum", button: "zoomOutButton", from: 0.5, to: 0.15 },
                { tag: "- takes 0.6", button: "zoomOutButton", from: 2.0, to: 1.4 }
            ]
        }

        function test_zoom_buttons(data) {
            timeline.viewScale = data.from
            mouseClick(area(data.button))
            verify(!timeline.enableZoomAnimation)
            // Animated over 250 ms: not there at once, there soon after.
            verify(Math.abs(timeline.viewScale - data.to) > 1e-9)
            tryVerify(() => Math.abs(timeline.viewScale - data.to) < 1e-9, 1000)
        }

        function test_zoom_buttons_tooltips() {
            compare(area("zoomInButton").toolTip.text, "Zoom in timeline")
            compare(area("zoomOutButton").toolTip.text, "Zoom out timeline")
        }

        function test_later_change_stops_the_animation() {
            timeline.zoomin(0.6, true)
            timeline.viewScale = 0.5
            compare(timeline.viewScale, 0.5)
            wait(350)
            compare(timeline.viewScale, 0.5)
        }

        function test_control_wheel_zooms_a_twelfth_data() {
            return [
                { tag: "up zooms in", delta: 120, to: 1.0 + 1 / 12 },
                { tag: "down zooms out", delta: -120, to: 1.0 - 1 / 12 }
            ]
        }

        function test_control_wheel_zooms_a_twelfth(data) {
            mouseWheel(area("wheelArea"), 300, 100, 0, data.delta, Qt.NoButton, Qt.ControlModifier)
            compare(timeline.viewScale, data.to)
            compare(flick.contentX, 0)
        }

        function test_scale_change_is_announced() {
            timeline.viewScale = 2.5
            compare(scaleSpy.count, 1)
            compare(scaleSpy.signalArguments[0][0], 2.5)
            compare(scaleSpy.signalArguments[0][1], false)
        }

        function test_wheel_scroll_data() {
            return [
                { tag: "up scrolls towards the end", from: 100, x: 0, y: 120, to: 125 },
                { tag: "a small turn still scrolls 25", from: 100, x: 0, y: 3, to: 125 },
                { tag: "down scrolls towards the start", from: 100, x: 0, y: -120, to: 75 },
                { tag: "never before the start", from: 10, x: 0, y: -120, to: 0 },
                { tag: "never past the end", from: 2000 - 610 - 10, x: 0, y: 120, to: 2000 - 610 },
                { tag: "purely horizontal does not scroll", from: 100, x: 120, y: 0, to: 100 },
                { tag: "the larger delta decides", from: 100, x: -240, y: 120, to: 75 }
            ]
        }

        function test_wheel_scroll(data) {
            flick.contentX = data.from
            mouseWheel(area("wheelArea"), 300, 100, data.x, data.y)
            compare(flick.contentX, data.to)
        }

        function test_wheel_scroll_stops_while_scroll_delta_is_zero() {
            timeline.scrollDelta = 0
            flick.contentX = 100
            mouseWheel(area("wheelArea"), 300, 100, 0, 120)
            compare(flick.contentX, 100)
        }

        function test_wheel_on_narrow_content_stays_at_the_start_data() {
            return [{ tag: "up", delta: 120 }, { tag: "down", delta: -120 }]
        }

        function test_wheel_on_narrow_content_stays_at_the_start(data) {
            timeline.baseWidth = 100
            mouseWheel(area("wheelArea"), 300, 100, 0, data.delta)
            compare(flick.contentX, 0)
            mouseWheel(area("wheelArea"), 300, 100, 0, data.delta)
            compare(flick.contentX, 0)
        }

        function test_right_drag_scrolls_within_the_content_data() {
            return [
                { tag: "towards the end", moveTo: 100, contentX: 200 },
                { tag: "not before the start", moveTo: 600, contentX: 0 },
                { tag: "not past the end", moveTo: -2000, contentX: 2000 - 610 }
            ]
        }

        function test_right_drag_scrolls_within_the_content(data) {
            const wheelArea = area("wheelArea")
            mousePress(wheelArea, 300, 100, Qt.RightButton)
            mouseMove(wheelArea, data.moveTo, 100, -1, Qt.RightButton)
            compare(flick.contentX, data.contentX)
            mouseRelease(wheelArea, data.moveTo, 100, Qt.RightButton)
            compare(clickSpy.count, 0)
            verify(!timeline.selectionActive)
        }

        function test_right_drag_on_narrow_content_stays_at_the_start() {
            timeline.baseWidth = 100
            const wheelArea = area("wheelArea")
            mousePress(wheelArea, 300, 100, Qt.RightButton)
            mouseMove(wheelArea, 100, 100, -1, Qt.RightButton)
            compare(flick.contentX, 0)
            mouseRelease(wheelArea, 100, 100, Qt.RightButton)
        }

        function test_set_view_start() {
            timeline.viewScale = 2.0
            timeline.setViewStart(100)
            compare(flick.contentX, 200)
            compare(timeline.viewStart, 100)
            compare(timeline.viewEnd, Math.floor((200 - 30 + viewWidth) / 2))
        }

        function test_view_start_stands_after_the_strip_data() {
            return [{ tag: "scale 0.5", scale: 0.5 }, { tag: "scale 1.15", scale: 1.15 }, { tag: "scale 2.0", scale: 2.0 }]
        }

        function test_view_start_stands_after_the_strip(data) {
            const region = regionComponent.createObject(timeline.editsBar, { basePosition: 400, baseWidth: 40 })
            timeline.viewScale = data.scale
            region.viewScaleSet(data.scale)
            timeline.setViewStart(400)
            fuzzyCompare(region.mapToItem(area("scrollArea"), 0, 0).x, 30, 1e-9)
            region.destroy()
        }

        // Items on the rows take clicks but leave the wheel to the timeline.
        function test_items_in_front() {
            const region = regionComponent.createObject(timeline.editsBar, { basePosition: 100, baseWidth: 100 })
            const regionClicks = createTemporaryQmlObject("import QtTest; SignalSpy { signalName: 'clicked' }", host)
            regionClicks.target = region
            mouseClick(region, 50, 8)
            compare(regionClicks.count, 1)
            compare(clickSpy.count, 0)
            mouseWheel(region, 50, 8, 0, 120)
            compare(flick.contentX, 25)
            region.destroy()
        }

        function test_view_range_follows_the_scroll() {
            flick.contentX = 250
            compare(timeline.viewStart, 250)
            compare(timeline.viewEnd, 250 - 30 + viewWidth)
        }

        function test_scaled_position_is_in_ticks() {
            timeline.viewScale = 2.0
            compare(timeline.calculateScaledPosition(100), 1250)
            compare(timeline.selectLargestWithSign(-3, 2), -3)
            compare(timeline.selectLargestWithSign(2, -2), 2)
        }

        function test_click_seeks_and_clears_the_selection() {
            timeline.viewScale = 2.0
            timeline.selectionActive = true
            timeline.selectionStart = 10
            timeline.selectionEnd = 20
            mouseClick(area("selectionArea"), 251, 50)
            compare(clickSpy.count, 1)
            compare(clickSpy.signalArguments[0][0], 125)
            verify(!timeline.selectionActive)
            verify(!timeline.selecting)
            verify(timeline.selectingStart)
        }

        function test_drag_left_of_the_press_selects_from_the_pointer() {
            const selectionArea = area("selectionArea")
            mousePress(selectionArea, 300, 50)
            verify(timeline.selectionActive)
            verify(timeline.selecting)
            mouseMove(selectionArea, 260, 50, -1, Qt.LeftButton)
            mouseMove(selectionArea, 200, 50, -1, Qt.LeftButton)
            mouseRelease(selectionArea, 200, 50)
            compare(timeline.selectionStart, 200)
            compare(timeline.selectionEnd, 300)
            verify(timeline.selectionActive)
            compare(clickSpy.count, 0)
            const selection = findChild(timeline, "selection")
            verify(selection.visible)
            compare(selection.x, 200)
            compare(selection.width, 100)
            compare(selection.z, 150000)
        }

        function test_drag_right_then_back_past_the_press() {
            const selectionArea = area("selectionArea")
            timeline.viewScale = 2.0
            mousePress(selectionArea, 200, 50)
            mouseMove(selectionArea, 300, 50, -1, Qt.LeftButton)
            compare(timeline.selectionStart, 100)
            compare(timeline.selectionEnd, 150)
            mouseMove(selectionArea, 100, 50, -1, Qt.LeftButton)
            mouseRelease(selectionArea, 100, 50)
            compare(timeline.selectionStart, 50)
            compare(timeline.selectionEnd, 100)
        }

        function test_press_inside_the_selection_hides_it() {
            const selectionArea = area("selectionArea")
            timeline.selectionActive = true
            timeline.selectionStart = 100
            timeline.selectionEnd = 200
            mousePress(selectionArea, 150, 50)
            verify(!timeline.selectionActive)
            mouseMove(selectionArea, 250, 50, -1, Qt.LeftButton)
            mouseRelease(selectionArea, 250, 50)
            compare(timeline.selectionStart, 150)
            compare(timeline.selectionEnd, 250)
            verify(!timeline.selectionActive)
            compare(clickSpy.count, 0)
        }

        function test_empty_selection_is_one_pixel_wide() {
            timeline.viewScale = 3.0
            timeline.selectionStart = 40
            timeline.selectionEnd = 40
            timeline.selectionActive = true
            const selection = findChild(timeline, "selection")
            compare(selection.width, 1)
            compare(selection.x, 120)
            timeline.selectionEnd = 50
            compare(selection.width, 30)
        }

        function test_rows() {
            const rows = [
                { property: "keyMarkersBar", name: "Key", index: 1 },
                { property: "tempoMarkersBar", name: "Tempo", index: 2 },
                { property: "meterMarkersBar", name: "Meter", index: 3 },
                { property: "markersBar", name: "Markers", index: 4 },
                { property: "editsBar", name: "Edits", index: 5 },
                { property: "effectBar", name: "Primary FX", index: 6 },
                { property: "sfxBar", name: "Primary FX", index: 6 },
                { property: "ambientSfxBar", name: "Ambient FX", index: 7 }
            ]
            for (const row of rows) {
                const item = timeline[row.property]
                compare(item, findChild(timeline, row.name), row.property)
                compare(item.height, 16, row.property)
                compare(item.width, 2000, row.property)
                compare(item.mapToItem(findChild(timeline, "content"), 0, 0).y, 8 + row.index * (16 + 10), row.property)
            }
            compare(timeline.barsRegion, findChild(timeline, "barsRegion"))
            compare(timeline.playheadItem, findChild(timeline, "playhead"))
        }

        function test_content_width_follows_base_width_and_scale() {
            timeline.viewScale = 0.5
            const content = findChild(timeline, "content")
            compare(content.x, 30)
            compare(content.width, 1000)
            compare(flick.contentWidth, 1000)
            compare(timeline.paddingBeforeTimelineStart, 30)
        }

        function test_row_labels_data() {
            return [
                { tag: "without sound-effect rows", sfx: false,
                  labels: ["Bars:Beats", "Key", "Tempo", "Meter", "Markers", "Events", "Effects"] },
                { tag: "with sound-effect rows", sfx: true,
                  labels: ["Bars:Beats", "Key", "Tempo", "Meter", "Markers", "Events", "Primary FX", "Ambient FX"] }
            ]
        }

        function test_row_labels(data) {
            timeline.sfxEnable = data.sfx
            const repeater = findChild(timeline, "rowLabels")
            compare(repeater.count, data.labels.length)
            for (let i = 0; i < data.labels.length; ++i) {
                compare(repeater.itemAt(i).text, data.labels[i])
                compare(repeater.itemAt(i).height, 16)
                compare(repeater.itemAt(i).horizontalAlignment, Text.AlignRight)
            }
        }

        function test_audio_boxes_data() {
            return [
                { tag: "shifted by the double bar", shift: true, fadeX: 204, fadeWidth: 96 },
                { tag: "not shifted", shift: false, fadeX: 200, fadeWidth: 100 }
            ]
        }

        function test_audio_boxes(data) {
            timeline.viewScale = 2.0
            const region = timeline.barsRegion
            region.shiftRegion = data.shift
            region.audioFadeRegionPos = 100
            region.audioFadeRegionWidth = 50
            region.audioOutRegionPos = 10
            region.audioOutRegionWidth = 20
            region.audioInRegionPos = 0
            region.audioInRegionWidth = 7
            compare(region.audioFadeBoxControl.x, data.fadeX)
            compare(region.audioFadeBoxControl.width, data.fadeWidth)
            compare(region.audioutBoxControl.x, 20)
            compare(region.audioutBoxControl.width, 40)
            compare(region.audioInBoxControl.x, 0)
            compare(region.audioInBoxControl.width, 14)
            compare(region.audioInBoxControl.height, region.height)
            compare(String(region.audioInBoxControl.color), "#2b2b2b")
            compare(region.audioRegionColorFaded.a, 0.15)
        }

        function test_playhead_follows_position_and_scale() {
            const playhead = timeline.playheadItem
            playhead.basePos = 19
            playhead.viewScale = 2.0
            compare(playhead.x, 38)
            compare(playhead.height, findChild(timeline, "content").height)
            const line = findChild(playhead, "line")
            compare(line.width, 1)
            compare(line.height, playhead.height)
            compare(String(line.color), "#26a5de")
        }

        function test_panel_height_data() {
            return [
                { tag: "with sound-effect rows", sfx: true, height: 270, labels: 8 },
                { tag: "without", sfx: false, height: 220, labels: 7 }
            ]
        }

        function test_panel_height(data) {
            const panel = createTemporaryObject(panelComponent, host, { sfxEnable: data.sfx })
            compare(panel.timelineControl.height, data.height)
            compare(panel.implicitHeight, data.height)
            compare(panel.timelineControl.width, 700)
            verify(panel.timelineControl.clip)
            compare(panel.timelineControl.sfxEnable, data.sfx)
            compare(findChild(panel.timelineControl, "rowLabels").count, data.labels)
        }
    }
}
