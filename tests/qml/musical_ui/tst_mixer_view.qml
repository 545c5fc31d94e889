import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The mixer panel over plain list models: the general settings and their reports, the section
// and track rows, what their buttons and combo boxes write into the models, and the column layout.
Item {
    id: host

    width: 1200
    height: 800

    VemoTheme { id: theme }

    Component {
        id: viewComponent
        MixerView { width: 700; height: 700 }
    }

    Component {
        id: listComponent
        ListModel {}
    }

    SignalSpy { id: spy }

    TestCase {
        name: "MixerView"
        when: windowShown

        function init() {
            failOnWarning(/.?/)
        }

        function watch(target, signalName) {
            spy.target = null
            spy.signalName = signalName
            spy.target = target
            spy.clear()
        }

        function instruments() {
            return [{ displayname: "Piano", value: 0 }, { displayname: "Organ", value: 5 },
                    { displayname: "Harp", value: 7 }]
        }

        function track(name, trackId) {
            return { name: name, trackId: trackId, isMuted: false, isSolo: false, volumeScaledDb: 0.5, pan: 0.0,
                     enableMute: true, enableSolo: true, instrument: 5, instrumentModel: instruments() }
        }

        // One section "Rhythm" holding the tracks "Drums" and "Bass".
        function sections(name) {
            const model = createTemporaryObject(listComponent, host)
            model.append({ name: name === undefined ? "Rhythm" : name, tooltip: "Drums, bass", isMuted: false,
                           isSolo: false, tracksModel: [track("Drums", 11), track("Bass", 12)] })
            return model
        }

        function makeView(properties) {
            return createTemporaryObject(viewComponent, host, properties || {})
        }

        function trackRows(view) {
            const column = findChild(view, "trackColumn")
            const rows = []
            for (let i = 0; i < column.children.length; ++i) {
                if (column.children[i].instrumentControl !== undefined)
                    rows.push(column.children[i])
            }
            return rows
        }

        function xOf(slider, value) {
            const handle = slider.handle.width
            return slider.leftPadding + (value - slider.from) / (slider.to - slider.from)
                    * (slider.availableWidth - handle) + handle / 2
        }

        function drag(slider, fromValue, toX) {
            const y = slider.height / 2
            const fromX = xOf(slider, fromValue)
            mousePress(slider, fromX, y)
            for (let step = 1; step <= 8; ++step)
                mouseMove(slider, fromX + (toX - fromX) * step / 8, y, -1, Qt.LeftButton)
            mouseRelease(slider, toX, y)
        }

        function lastArgument() {
            return spy.signalArguments[spy.count - 1][0]
        }

        function test_quiet_loads_data() {
            return [
                { tag: "no model", body: "MixerView {}" },
                { tag: "every row shown", body: "MixerView { showTempoScale: true; showTranspose: true }" },
                { tag: "a lone section", body: "MixerSectionInstruments {}" },
                { tag: "a lone track", body: "MixerTrack {}" },
                { tag: "a lone button", body: "OutlineButton { checked: true }" }
            ]
        }

        function test_quiet_loads(data) {
            compare(qmlProbe.warningsOf("import QtQuick; import com.quorvane.vemo_ui; import com.quorvane.musical_ui\n"
                                        + "Item { VemoTheme { id: theme }\n" + data.body + "\n}"), [])
        }

        function test_general_box_title_data() {
            return [
                { tag: "neither row", tempo: false, transpose: false, title: "" },
                { tag: "tempo scale", tempo: true, transpose: false, title: "General Settings" },
                { tag: "transposition", tempo: false, transpose: true, title: "General Settings" },
                { tag: "both rows", tempo: true, transpose: true, title: "General Settings" }
            ]
        }

        function test_general_box_title(data) {
            const view = makeView({ showTempoScale: data.tempo, showTranspose: data.transpose })
            const box = findChild(view, "generalBox")
            compare(box.title, data.title)
            compare(findChild(box, "titleBar").visible, data.title !== "")
            compare(findChild(view, "tempoSlider").visible, data.tempo)
            compare(findChild(view, "transposeSlider").visible, data.transpose)
        }

        function test_click_volume_hides_but_reset_stays() {
            const view = makeView({ showClickVolume: false })
            for (const name of ["clickVolumeLabel", "clickFader", "clickVolumeText"])
                compare(findChild(view, name).visible, false, name)
            const reset = findChild(view, "resetMixerButton")
            verify(reset.visible)
            watch(view, "resetMixerClicked")
            mouseClick(reset)
            compare(spy.count, 1)
        }

        function test_click_fader_ends_data() {
            return [
                { tag: "lowest", toX: -50, dB: -15, text: "-15.0 dB" },
                { tag: "top", toX: 1000, dB: 0, text: "0.0 dB" }
            ]
        }

        function test_click_fader_ends(data) {
            const view = makeView()
            const fader = findChild(view, "clickFader")
            fader.value = 0.9
            watch(view, "clickVolumeSet")
            drag(fader, 0.9, data.toX)
            verify(spy.count > 0)
            fuzzyCompare(lastArgument(), data.dB, 1e-6)
            compare(findChild(view, "clickVolumeText").text, data.text)
        }

        function test_transposition_reports_changes_only() {
            const view = makeView({ showTranspose: true })
            const slider = findChild(view, "transposeSlider")
            watch(view, "transposeSet")
            mouseClick(slider, xOf(slider, 2), slider.height / 2)
            verify(spy.count > 0)
            compare(lastArgument(), 2)
            compare(view.prevTranspose, 2)
            compare(findChild(view, "transposeText").text, "+2")
            const reports = spy.count
            slider.value = 0
            mouseClick(slider, xOf(slider, 2), slider.height / 2)
            compare(slider.value, 2)
            compare(spy.count, reports)
        }

        function test_tempo_scale_lands_on_zero_near_it() {
            const view = makeView({ showTempoScale: true })
            const slider = findChild(view, "tempoSlider")
            slider.value = 10
            watch(view, "tempoScaleSet")
            drag(slider, 10, xOf(slider, 2))
            compare(slider.value, 0)
            compare(findChild(view, "tempoScaleText").text, "+0%")
            verify(spy.count > 0)
            compare(lastArgument(), 0)
        }

        function test_section_with_two_tracks() {
            const model = sections()
            const view = makeView({ mixerModel: model })
            const rows = trackRows(view)
            compare(rows.length, 2)
            compare(rows[0].name, "Drums")
            compare(rows[1].name, "Bass")
            const section = findChild(view, "section")
            compare(section.title, "Rhythm")
            compare(findChild(section, "titleText").text, "Rhythm")
            verify(findChild(section, "titleBar").visible)
        }

        function test_buttons_write_the_negation() {
            const model = sections()
            const tracks = model.get(0).tracksModel
            const view = makeView({ mixerModel: model })
            const row = trackRows(view)[1]
            const mute = findChild(row, "muteButton")
            mouseClick(mute)
            compare(tracks.get(1).isMuted, true)
            compare(tracks.get(0).isMuted, false)
            verify(mute.checked)
            mouseClick(findChild(row, "soloButton"))
            compare(tracks.get(1).isSolo, true)
            mouseClick(mute)
            compare(tracks.get(1).isMuted, false)
            verify(!mute.checked)
            const groupMute = findChild(view, "groupMuteButton")
            mouseClick(groupMute)
            compare(model.get(0).isMuted, true)
            verify(groupMute.checked)
            mouseClick(findChild(view, "groupSoloButton"))
            compare(model.get(0).isSolo, true)
        }

        function test_empty_section_name_has_no_title_bar() {
            const view = makeView({ mixerModel: sections("") })
            const section = findChild(view, "groupMuteButton")
            compare(section.visible, false)
            compare(trackRows(view).length, 2)
        }

        function openList(combo) {
            combo.comboControl.forceActiveFocus()
            keyClick(Qt.Key_Space)
            tryCompare(combo.choices, "opened", true)
            waitForRendering(combo.choices.contentItem)
        }

        function test_load_selects_the_instrument_by_value() {
            const view = makeView({ mixerModel: sections() })
            const row = trackRows(view)[0]
            compare(row.currentInstrumentIndex, 1)
            compare(row.instrumentControl.displayText, "Organ")
        }

        function test_instrument_picks_data() {
            return [
                { tag: "mouse pick of another entry", row: 2, space: false, reports: [7, 7] },
                { tag: "mouse pick of the shown entry", row: 1, space: false, reports: [5] },
                { tag: "space commit", row: 2, space: true, reports: [7] }
            ]
        }

        function test_instrument_picks(data) {
            const model = sections()
            const tracks = model.get(0).tracksModel
            const view = makeView({ mixerModel: model })
            const row = trackRows(view)[0]
            watch(row, "instrumentSet")
            const combo = row.instrumentControl
            openList(combo)
            if (data.space) {
                keyClick(Qt.Key_Down)
                keyClick(Qt.Key_Space)
            } else {
                mouseClick(findChild(combo.choices.contentItem, "list").itemAtIndex(data.row))
            }
            compare(spy.signalArguments.map(args => args[0]), data.reports)
            compare(tracks.get(0).instrument, data.reports[data.reports.length - 1])
        }

        function test_header_and_rows_line_up_data() {
            return [{ tag: "600 wide", width: 600 }, { tag: "1000 wide", width: 1000 }]
        }

        function test_header_and_rows_line_up(data) {
            const view = makeView({ mixerModel: sections(), width: data.width })
            const header = findChild(view, "header")
            const row = trackRows(view)[0].children[0]
            waitForRendering(view)
            const headerCells = []
            for (let i = 0; i < header.children.length; ++i) {
                if (header.children[i].text !== undefined)
                    headerCells.push(header.children[i])
            }
            compare(headerCells.length, 5)
            compare(row.children.length, 5)
            for (let i = 0; i < 5; ++i) {
                const headerX = headerCells[i].mapToItem(view, 0, 0).x
                const rowX = row.children[i].mapToItem(view, 0, 0).x
                fuzzyCompare(rowX, headerX, 0.5)
                fuzzyCompare(row.children[i].width, headerCells[i].width, 0.5)
            }
        }
    }
}
