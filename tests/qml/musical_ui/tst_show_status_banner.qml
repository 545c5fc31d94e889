import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The status banner and its label-and-value fields: the padded measure and beat, the values it
// starts with, the song title written as given with its tool tip while cut short, the notice
// lamps and their timers, the clickable digits and the centred panels with and without album art.
Item {
    id: host

    width: 1000
    height: 300

    VemoTheme { id: theme }

    Component {
        id: bannerComponent
        ShowStatusBanner { width: 900; height: 75 }
    }

    Component {
        id: fieldComponent
        ShowBannerValue { backgroundColor: "#6e3493" }
    }

    Component {
        id: plainTextComponent
        Text { textFormat: Text.PlainText; font.pixelSize: 12 }
    }

    SignalSpy { id: spy }

    TestCase {
        name: "ShowStatusBanner"
        when: windowShown

        function init() {
            failOnWarning(/.?/)
        }

        function makeBanner(properties) {
            return createTemporaryObject(bannerComponent, host, properties || {})
        }

        function part(item, name) {
            const found = findChild(item, name)
            verify(found !== null, name)
            return found
        }

        function test_digits_are_padded_data() {
            return [
                { tag: "measure 7", property: "measure", value: "7", shown: "0007", name: "measureText" },
                { tag: "measure 123", property: "measure", value: "123", shown: "0123", name: "measureText" },
                { tag: "measure 12345", property: "measure", value: "12345", shown: "12345", name: "measureText" },
                { tag: "measure empty", property: "measure", value: "", shown: "0000", name: "measureText" },
                { tag: "measure 1.5", property: "measure", value: "1.5", shown: "001.5", name: "measureText" },
                { tag: "measure 0002", property: "measure", value: "0002", shown: "0002", name: "measureText" },
                { tag: "beat 3", property: "beat", value: "3", shown: "03", name: "beatText" },
                { tag: "beat empty", property: "beat", value: "", shown: "00", name: "beatText" },
                { tag: "beat 12", property: "beat", value: "12", shown: "12", name: "beatText" }
            ]
        }

        function test_digits_are_padded(data) {
            const banner = makeBanner()
            banner[data.property] = data.value
            compare(part(banner, data.name).text, data.shown)
        }

        function test_zero_fill_of_numbers_data() {
            return [
                { tag: "integer", number: 42, width: 4, result: "0042" },
                { tag: "real", number: 2.5, width: 4, result: "002.5" },
                { tag: "wider than width", number: 123456, width: 4, result: "123456" },
                { tag: "zero width", number: 7, width: 0, result: "7" }
            ]
        }

        function test_zero_fill_of_numbers(data) {
            const result = makeBanner().zeroFill(data.number, data.width)
            compare(typeof result, "string")
            compare(result, data.result)
        }

        function test_values_at_start() {
            const banner = makeBanner()
            for (const name of ["keyField", "transposeField", "tempoField", "tempoScaleField", "meterField"])
                compare(part(banner, name).valueText, "TBD", name)
            compare(part(banner, "measureText").text, "0000")
            compare(part(banner, "beatText").text, "00")
            compare(banner.flowControlLabel, "")
            compare(banner.flowControlValue, "")
            compare(part(part(banner, "flowControlField"), "background").color, Qt.color("transparent"))
            compare(part(banner, "levelMeter").value, 1)
            compare(part(banner, "midiLamp").color, theme.off_indicator_color)
            compare(part(banner, "oscLamp").color, theme.off_indicator_color)
            compare(banner.albumArtImageControl.visible, false)
        }

        function test_values_reach_their_fields_data() {
            return [
                { tag: "key", property: "key", name: "keyField", label: "Key:", value: "D minor" },
                { tag: "transpose", property: "transpose", name: "transposeField", label: "Transpose:", value: "-2" },
                { tag: "tempo", property: "tempo", name: "tempoField", label: "Tempo:", value: "120" },
                { tag: "tempo scale", property: "tempoScale", name: "tempoScaleField", label: "Tempo Scale:",
                  value: "95%" },
                { tag: "meter", property: "meter", name: "meterField", label: "Meter:", value: "6/8" },
                { tag: "markup", property: "key", name: "keyField", label: "Key:", value: "<b>F</b> & G" }
            ]
        }

        function test_values_reach_their_fields(data) {
            const banner = makeBanner()
            banner[data.property] = data.value
            const field = part(banner, data.name)
            compare(part(field, "label").text, data.label)
            compare(part(field, "value").text, data.value)
            compare(part(field, "value").textFormat, Text.PlainText)
        }

        function test_volume_reaches_the_meter() {
            const banner = makeBanner({ volumeLevelPercent: 0.25 })
            compare(part(banner, "levelMeter").value, 0.25)
            compare(part(banner, "levelMeter").segments, 10)
        }

        function test_flow_control_field_data() {
            return [
                { tag: "none", label: "", value: "", colour: "transparent", valueShown: false },
                { tag: "vamp with count", label: "Vamp", value: "3", colour: "#00BFFF", valueShown: true },
                { tag: "caesura without count", label: "Caesura", value: "", colour: "#DC143C", valueShown: false }
            ]
        }

        function test_flow_control_field(data) {
            const banner = makeBanner({ flowControlLabel: data.label, flowControlValue: data.value,
                                        flowControlBackgroundColor: data.label === "" ? "#333" : data.colour })
            const field = part(banner, "flowControlField")
            const background = part(field, "background")
            compare(background.color, Qt.color(data.colour))
            compare(background.opacity, 0.7)
            compare(part(field, "label").color, Qt.color("white"))
            compare(part(field, "value").visible, data.valueShown)
            verify(field.height > 0)
        }

        // A field wider than its texts keeps the value right after the label.
        function test_field_layout_data() {
            return [
                { tag: "both empty", label: "", value: "", space: 0, background: false, valueShown: false },
                { tag: "label only", label: "Skip", value: "", space: 2, background: true, valueShown: false },
                { tag: "value only", label: "", value: "4", space: 3, background: true, valueShown: true },
                { tag: "both", label: "Repeat", value: "2", space: 2, background: true, valueShown: true }
            ]
        }

        function test_field_layout(data) {
            const field = createTemporaryObject(fieldComponent, host, { labelText: data.label, valueText: data.value,
                                                                        spaceAroundText: data.space })
            const label = part(field, "label")
            const value = part(field, "value")
            compare(part(field, "background").color, Qt.color(data.background ? "#6e3493" : "transparent"))
            compare(value.visible, data.valueShown)
            const rowWidth = label.implicitWidth + (data.valueShown ? 5 + value.implicitWidth : 0)
            fuzzyCompare(field.implicitWidth, rowWidth + 4 * data.space, 2)
            fuzzyCompare(field.implicitHeight, label.implicitHeight + 2 * data.space, 1)
            verify(label.implicitHeight > 0)
            field.width = field.implicitWidth + 50
            waitForItemPolished(field.children[1])
            if (data.valueShown)
                fuzzyCompare(value.x, label.x + label.width + 5, 1)
        }

        // The title is set as written: markup and entities show as their characters, so the title
        // lays out like the caption and the title set as plain text in the same box.
        function test_song_title_is_shown_as_written_data() {
            return [
                { tag: "less than", title: "<" },
                { tag: "ampersand", title: "&" },
                { tag: "entity", title: "&lt;Overture&gt;" },
                { tag: "bold markup", title: "<b>Lantern</b> Waltz" },
                { tag: "image markup", title: "<img src=\"x.png\" width=\"90\">" },
                { tag: "greater than", title: "Act > One" },
                { tag: "plain", title: "Finale: Lights Out" },
                { tag: "double space", title: "Act  One" },
                { tag: "three spaces", title: "Act   One" },
                { tag: "line break", title: "Act One\nReprise" },
                { tag: "quote", title: "\"Home\" 'n' Away" },
                { tag: "non-ASCII", title: "Überture – 夜曲" }
            ]
        }

        function test_song_title_is_shown_as_written(data) {
            const banner = makeBanner({ songTitle: data.title })
            const title = part(banner, "songTitleText")
            const plain = createTemporaryObject(plainTextComponent, host,
                                                { text: "Song: " + data.title, width: title.width,
                                                  height: title.height, wrapMode: Text.Wrap, maximumLineCount: 2,
                                                  elide: Text.ElideRight })
            compare(title.lineCount, plain.lineCount)
            compare(title.truncated, plain.truncated)
            fuzzyCompare(title.contentWidth, plain.contentWidth, 1)
            fuzzyCompare(title.contentHeight, plain.contentHeight, 1)
        }

        function test_song_title_tool_tip_data() {
            return [
                { tag: "fits", title: "Overture", truncated: false },
                { tag: "two lines", title: "The Lantern Keeper's Waltz", truncated: false },
                { tag: "one long word", title: "W".repeat(60), truncated: true },
                { tag: "too long", title: "The Lantern Keeper's Long Walk Down to the River in the Rain & Fog <Reprise>",
                  truncated: true }
            ]
        }

        function test_song_title_tool_tip(data) {
            const banner = makeBanner({ songTitle: data.title })
            const title = part(banner, "songTitleText")
            const loader = part(banner, "songTitleToolTipLoader")
            compare(title.truncated, data.truncated)
            verify(title.lineCount <= 2)
            mouseMove(title, 5, 5)
            if (data.truncated) {
                tryCompare(loader, "status", Loader.Ready)
                compare(loader.item.text, data.title)
                tryCompare(loader.item, "visible", true, 3000)
            } else {
                wait(1200)
                compare(loader.item, null)
            }
            mouseMove(host, 990, 290)
            tryCompare(loader, "item", null)
        }

        function test_song_title_box_is_two_lines_high() {
            const banner = makeBanner({ songTitle: "Overture" })
            const title = part(banner, "songTitleText")
            const plain = createTemporaryObject(plainTextComponent, host, { text: "Song:" })
            compare(title.height, 2 * plain.implicitHeight)
        }

        // Each step calls a notice function; the lamps are then expected in the given colours.
        function test_lamp_colours_data() {
            return [
                { tag: "midi", calls: ["highlightMidiNotice"], midi: "on", osc: "off" },
                { tag: "osc in", calls: ["highlightOscNotice"], midi: "off", osc: "on" },
                { tag: "osc out", calls: ["highlightOscOutgoingNotice"], midi: "off", osc: "#FFD700" },
                { tag: "out then in", calls: ["highlightOscOutgoingNotice", "highlightOscNotice"], midi: "off",
                  osc: "on" },
                { tag: "in then out", calls: ["highlightOscNotice", "highlightOscOutgoingNotice"], midi: "off",
                  osc: "#FFD700" },
                { tag: "midi and osc", calls: ["highlightMidiNotice", "highlightOscNotice"], midi: "on", osc: "on" }
            ]
        }

        function test_lamp_colours(data) {
            const banner = makeBanner()
            const colours = { on: theme.on_indicator_color, off: theme.off_indicator_color }
            for (const call of data.calls)
                banner[call]()
            compare(part(banner, "midiLamp").color, Qt.color(colours[data.midi] || data.midi))
            compare(part(banner, "oscLamp").color, Qt.color(colours[data.osc] || data.osc))
            tryCompare(part(banner, "midiLamp"), "color", theme.off_indicator_color, 2000)
            tryCompare(part(banner, "oscLamp"), "color", theme.off_indicator_color, 2000)
        }

        function test_lamp_colours_follow_the_banner_colours() {
            const banner = makeBanner({ defaultNotificationColor: "navy", highlightedNotificationColor: "orange" })
            compare(part(banner, "midiLamp").color, Qt.color("navy"))
            banner.highlightMidiNotice()
            compare(part(banner, "midiLamp").color, Qt.color("orange"))
        }

        // A notice restarts its lamp's timer: a second notice 400 ms after the first keeps the lamp
        // lit past 500 ms after the first one.
        function test_second_notice_keeps_the_lamp_lit_data() {
            return [
                { tag: "midi", lamp: "midiLamp", timer: "midiTimer", calls: ["highlightMidiNotice", "highlightMidiNotice"],
                  other: "oscTimer" },
                { tag: "osc", lamp: "oscLamp", timer: "oscTimer", calls: ["highlightOscNotice", "highlightOscNotice"],
                  other: "midiTimer" },
                { tag: "osc out then in", lamp: "oscLamp", timer: "oscTimer",
                  calls: ["highlightOscOutgoingNotice", "highlightOscNotice"], other: "midiTimer" }
            ]
        }

        function test_second_notice_keeps_the_lamp_lit(data) {
            const banner = makeBanner()
            const lamp = part(banner, data.lamp)
            banner[data.calls[0]]()
            wait(400)
            banner[data.calls[1]]()
            compare(part(banner, data.other).running, false)
            wait(250)
            compare(lamp.color, theme.on_indicator_color)
            tryCompare(lamp, "color", theme.off_indicator_color, 2000)
        }

        function test_clicks_on_the_digits_data() {
            return [
                { tag: "measure digits", name: "measureText", count: 1 },
                { tag: "beat digits", name: "beatText", count: 1 },
                { tag: "song panel", name: "songPanel", count: 0 },
                { tag: "values panel", name: "valuesPanel", count: 0 },
                { tag: "notice panel", name: "noticePanel", count: 0 }
            ]
        }

        function test_clicks_on_the_digits(data) {
            const banner = makeBanner()
            spy.target = null
            spy.signalName = "barBeatClicked"
            spy.target = banner
            spy.clear()
            mouseClick(part(banner, data.name))
            compare(spy.count, data.count)
        }

        function test_click_below_the_digits_raises_nothing() {
            const banner = makeBanner()
            const panel = part(banner, "positionPanel")
            const digits = part(banner, "measureText")
            spy.target = null
            spy.signalName = "barBeatClicked"
            spy.target = banner
            spy.clear()
            const below = digits.mapToItem(panel, digits.width / 2, digits.height + 8)
            mouseClick(panel, below.x, below.y)
            compare(spy.count, 0)
        }

        function test_panels_abut_and_centre() {
            const banner = makeBanner()
            const panels = ["songPanel", "positionPanel", "valuesPanel", "noticePanel"].map(name => part(banner, name))
            const widths = [175, 175, 280, 33]
            for (let i = 0; i < panels.length; ++i) {
                compare(panels[i].width, widths[i])
                compare(panels[i].height, 75)
                if (i > 0)
                    compare(panels[i].x, panels[i - 1].x + panels[i - 1].width)
            }
            const left = panels[0].x
            const right = banner.width - (panels[3].x + panels[3].width)
            verify(Math.abs(left - right) <= 1, left + " " + right)
        }

        function test_album_art_takes_its_place_data() {
            return [
                { tag: "hidden", visible: false, group: 663 },
                { tag: "shown", visible: true, group: 663 + 85 }
            ]
        }

        function test_album_art_takes_its_place(data) {
            const banner = makeBanner()
            const art = banner.albumArtImageControl
            const song = part(banner, "songPanel")
            const notice = part(banner, "noticePanel")
            art.visible = data.visible
            waitForRendering(banner)
            const groupLeft = data.visible ? art.x : song.x
            const groupRight = notice.x + notice.width
            compare(groupRight - groupLeft, data.group)
            verify(Math.abs(groupLeft - (banner.width - groupRight)) <= 1)
            if (data.visible) {
                compare(art.width, 75)
                compare(art.height, 75)
                compare(song.x, art.x + 85)
                compare(art.fillMode, Image.Stretch)
            }
        }
    }
}
