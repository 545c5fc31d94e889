import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The point items of the timeline: caesuras, marker labels with their diamond form, and cue glyphs.
Item {
    id: host

    width: 1200
    height: 200

    VemoTheme { id: theme }

    Item {
        id: row
        y: 80
        width: 1200
        height: 16
    }

    Component {
        id: caesuraComponent
        TimeLineCaesura {}
    }

    Component {
        id: markerComponent
        TimeLineMarker {}
    }

    Component {
        id: glyphComponent
        TimeLineGlyph {}
    }

    FontMetrics {
        id: labelMetrics
        font.pixelSize: 10
    }

    FontMetrics {
        id: toolTipMetrics
        font: theme.default_font
    }

    SignalSpy { id: dragSpy; signalName: "dragged" }
    SignalSpy { id: clickSpy; signalName: "clicked" }
    SignalSpy { id: doubleClickSpy; signalName: "doubleClicked" }

    TestCase {
        name: "TimelinePoints"
        when: windowShown

        function make(component, properties) {
            const item = createTemporaryObject(component, row, properties)
            for (const spy of [dragSpy, clickSpy, doubleClickSpy]) {
                spy.clear()
                spy.target = item
            }
            return item
        }

        // Presses on the row at `fromX`, moves to `toX` (and back to `backX` when given), releases there.
        function dragOnRow(fromX, toX, backX) {
            const endX = backX === undefined ? toX : backX
            mousePress(row, fromX, 8)
            mouseMove(row, toX, 8, -1, Qt.LeftButton)
            mouseMove(row, endX, 8, -1, Qt.LeftButton)
            mouseRelease(row, endX, 8)
        }

        function test_quiet_states_data() {
            return [
                { tag: "caesura", body: "TimeLineCaesura { editable: true; selected: true }" },
                { tag: "marker in label form", body: "TimeLineMarker { editable: true; selected: true }" },
                { tag: "marker in diamond form", body: "TimeLineMarker { visibleLabel: false; selected: true }" },
                { tag: "glyph for an OSC cue", body: "TimeLineGlyph { glyphPath: 'qrc:/images/lan.svg'; enableOsc: false }" }
            ]
        }

        function test_quiet_states(data) {
            failOnWarning(/.*/)
            compare(qmlProbe.warningsOf("import QtQuick; import com.quorvane.musical_ui\n" + data.body), [])
        }

        // Caesura

        function test_caesura_look() {
            const caesura = make(caesuraComponent, { basePosition: 50, viewScale: 2.0 })
            compare(caesura.x, 100)
            compare(caesura.z, 100)
            compare(caesura.width, 11)
            compare(caesura.height, 16)
            const icon = findChild(caesura, "icon")
            compare([icon.x, icon.y, icon.width, icon.height], [1, 3, 10, 10])
            compare(String(icon.source), "qrc:/images/caesura.svg")
            tryCompare(icon, "status", Image.Ready)
            verify(!findChild(caesura, "selectionFrame").visible)
            caesura.selected = true
            verify(findChild(caesura, "selectionFrame").visible)
        }

        function test_caesura_drag_reports_its_edges() {
            const caesura = make(caesuraComponent, { basePosition: 50, viewScale: 2.0, editable: true })
            dragOnRow(105, 165)
            compare(caesura.x, 160)
            compare(dragSpy.count, 1)
            compare(Array.from(dragSpy.signalArguments[0]), [80, 85])
        }

        function test_caesura_not_editable_only_clicks() {
            const caesura = make(caesuraComponent, { basePosition: 50, viewScale: 2.0 })
            dragOnRow(105, 165)
            compare(caesura.x, 100)
            compare(dragSpy.count, 0)
            mouseClick(row, 105, 8)
            compare(clickSpy.count, 1)
            mouseDoubleClickSequence(row, 105, 8)
            compare(doubleClickSpy.count, 1)
        }

        // Marker

        function test_marker_label_form() {
            const marker = make(markerComponent, { basePosition: 40, viewScale: 1.5, labelText: " Verse 2" })
            compare(marker.x, 60)
            compare(marker.z, 16000)
            compare(marker.height, 20)
            compare(marker.width, labelMetrics.advanceWidth(" Verse 2") + 5)
            const label = findChild(marker, "label")
            verify(label.visible)
            compare(label.text, " Verse 2 ")
            compare(label.y, -2)
            compare(label.font.pixelSize, 10)
            verify(!findChild(marker, "diamond").visible)
        }

        function test_marker_diamond_form() {
            const marker = make(markerComponent, { basePosition: 40, visibleLabel: false })
            compare(marker.height, 4)
            verify(!findChild(marker, "label").visible)
            const diamond = findChild(marker, "diamond")
            verify(diamond.visible)
            compare([diamond.x, diamond.y, diamond.width, diamond.height, diamond.rotation], [-4, 4, 8, 8, 45])
            compare(String(diamond.color), String(Qt.color("#404040")))
            compare(String(diamond.border.color), String(Qt.color("#515151")))
            verify(!findChild(marker, "diamondFrame").visible)
            marker.selected = true
            verify(findChild(marker, "diamondFrame").visible)
            verify(!findChild(marker, "labelFrame").visible)
        }

        function test_marker_diamond_hover_shows_the_text() {
            const marker = make(markerComponent, { basePosition: 100, visibleLabel: false, labelText: " Bridge" })
            const toolTip = findChild(marker, "toolTip")
            verify(!toolTip.visible)
            mouseMove(row, 100, 8)
            tryCompare(toolTip, "visible", true)
            compare(toolTip.text, " Bridge")
            mouseMove(row, 300, 8)
            tryCompare(toolTip, "visible", false)
        }

        function test_marker_markup_shows_literally() {
            const text = '<b>x</b><img src="qrc:/images/sfx.svg">'
            const marker = make(markerComponent, { basePosition: 100, labelText: text })
            const label = findChild(marker, "label")
            compare(label.textFormat, Text.PlainText)
            compare(label.text, text + " ")
            // Drawn as markup the label would be one bold letter and a picture wide.
            compare(label.implicitWidth, labelMetrics.advanceWidth(text + " "))

            marker.visibleLabel = false
            mouseMove(row, 100, 8)
            const toolTip = findChild(marker, "toolTip")
            tryCompare(toolTip, "visible", true)
            compare(toolTip.contentItem.textFormat, Text.PlainText)
            compare(toolTip.contentItem.text, text)
            compare(toolTip.contentItem.implicitWidth, toolTipMetrics.advanceWidth(text))
        }

        function test_marker_clicks_data() {
            return [
                { tag: "editable", editable: true, clicks: 1 },
                { tag: "not editable", editable: false, clicks: 0 }
            ]
        }

        function test_marker_clicks(data) {
            const marker = make(markerComponent, { basePosition: 100, labelText: " Chorus", editable: data.editable })
            mouseClick(row, 110, 8)
            compare(clickSpy.count, data.clicks)
            mouseDoubleClickSequence(row, 110, 8)
            compare(doubleClickSpy.count, 1)

            marker.visibleLabel = false
            clickSpy.clear()
            doubleClickSpy.clear()
            mouseClick(row, 100, 8)
            compare(clickSpy.count, data.clicks)
            mouseDoubleClickSequence(row, 100, 8)
            compare(doubleClickSpy.count, 0)
        }

        function test_marker_drag_data() {
            return [
                { tag: "label, editable", editable: true, label: true, pressX: 110, moved: true },
                { tag: "diamond, editable", editable: true, label: false, pressX: 100, moved: true },
                { tag: "label, not editable", editable: false, label: true, pressX: 110, moved: false },
                { tag: "diamond, not editable", editable: false, label: false, pressX: 100, moved: false }
            ]
        }

        function test_marker_drag(data) {
            const marker = make(markerComponent, { basePosition: 50, viewScale: 2.0, labelText: " Intro",
                                                   editable: data.editable, visibleLabel: data.label })
            dragOnRow(data.pressX, data.pressX + 40)
            if (!data.moved) {
                compare(marker.x, 100)
                compare(dragSpy.count, 0)
                return
            }
            compare(marker.x, 140)
            compare(dragSpy.count, 1)
            compare(Array.from(dragSpy.signalArguments[0]), [70, Math.floor((140 + marker.width) / 2)])
        }

        function test_marker_hover_highlight_data() {
            return [
                { tag: "editable", editable: true, highlight: true, lit: true },
                { tag: "not editable", editable: false, highlight: true, lit: false },
                { tag: "highlight off", editable: true, highlight: false, lit: false }
            ]
        }

        function test_marker_hover_highlight(data) {
            const marker = make(markerComponent, { basePosition: 100, labelText: " Tag", editable: data.editable,
                                                   doHighlight: data.highlight, textColorHover: "red" })
            mouseMove(row, 110, 8)
            const label = findChild(marker, "label")
            compare(String(label.color), data.lit ? "#ff0000" : "#ffffff")
            compare(findChild(marker, "labelFrame").visible, data.editable)
            mouseMove(row, 500, 8)
            compare(String(label.color), "#ffffff")
        }

        // Glyph

        function test_glyph_look() {
            const glyph = make(glyphComponent, { basePosition: 100, viewScale: 1.5 })
            compare(glyph.x, 140)
            compare(glyph.z, 5000)
            compare([glyph.width, glyph.height], [20, 20])
            const icon = findChild(glyph, "icon")
            compare(String(icon.source), "qrc:/images/sfx.svg")
            tryCompare(icon, "status", Image.Ready)
            compare(icon.opacity, 1)
            glyph.glyphPath = "qrc:/images/lan.svg"
            tryCompare(icon, "status", Image.Ready)
            glyph.enableOsc = false
            compare(icon.opacity, 0.3)
        }

        function test_glyph_dropped_in_place_keeps_its_unit_data() {
            return [
                { tag: "scale 2.0", scale: 2.0, unit: 400 },
                { tag: "scale 1.15", scale: 1.15, unit: 116 },
                { tag: "scale 0.15", scale: 0.15, unit: 1001 },
                { tag: "scale 3.3", scale: 3.3, unit: 301 }
            ]
        }

        function test_glyph_dropped_in_place_keeps_its_unit(data) {
            const glyph = make(glyphComponent, { basePosition: data.unit, viewScale: data.scale, editable: true })
            const centre = glyph.x + 10
            dragOnRow(centre, centre + 37, centre)
            compare(dragSpy.count, 1)
            compare(Array.from(dragSpy.signalArguments[0]), [data.unit, data.unit])
        }

        function test_glyph_drop_reports_its_centre_twice() {
            const glyph = make(glyphComponent, { basePosition: 400, viewScale: 2.0, editable: true })
            dragOnRow(800, 851)
            compare(dragSpy.count, 1)
            compare(Array.from(dragSpy.signalArguments[0]), [426, 426])
        }

        function test_glyph_without_osc_data() {
            return [
                { tag: "osc enabled", osc: true, doubleClicks: 1 },
                { tag: "osc disabled", osc: false, doubleClicks: 0 }
            ]
        }

        function test_glyph_without_osc(data) {
            const glyph = make(glyphComponent, { basePosition: 100, editable: true, enableOsc: data.osc })
            mouseClick(row, 100, 8)
            compare(clickSpy.count, 1)
            mouseDoubleClickSequence(row, 100, 8)
            compare(doubleClickSpy.count, data.doubleClicks)
            dragOnRow(100, 140)
            compare(dragSpy.count, 1)
            compare(glyph.x, 130)
        }

        function test_glyph_not_editable_reacts_to_nothing() {
            const glyph = make(glyphComponent, { basePosition: 100 })
            mouseClick(row, 100, 8)
            mouseDoubleClickSequence(row, 100, 8)
            dragOnRow(100, 140)
            compare(clickSpy.count, 0)
            compare(doubleClickSpy.count, 0)
            compare(dragSpy.count, 0)
            compare(glyph.x, 90)
        }
    }
}
