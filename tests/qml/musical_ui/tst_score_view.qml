import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The score pane on its own: the page label, page turns in one- and two-page mode and what they
// announce, turns while there is no page, page changes from outside, the mode button, zoom, and a
// pane that stays hidden until its pages are set.
Item {
    id: host

    width: 800
    height: 700

    // Five 3 × 4 pages of different colours.
    readonly property var pages: [
        "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAMAAAAECAIAAADETxJQAAAAEElEQVR4nGM4oaEBQQx4WQAONw0hKoyNGAAAAABJRU5ErkJggg==",
        "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAMAAAAECAIAAADETxJQAAAAEElEQVR4nGPQOKEBQQx4WQAGtw0hC+Eq3gAAAABJRU5ErkJggg==",
        "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAMAAAAECAIAAADETxJQAAAAEElEQVR4nGPQ0DgBQQx4WQD/KA0h6gM2+QAAAABJRU5ErkJggg==",
        "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAMAAAAECAIAAADETxJQAAAAEElEQVR4nGM4cUIDghjwsgCkNxShJr0xvgAAAABJRU5ErkJggg==",
        "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAMAAAAECAIAAADETxJQAAAAEElEQVR4nGPQOHECghjwsgCVNxShaTBJHAAAAABJRU5ErkJggg=="
    ]

    Component {
        id: viewComponent
        ScoreView { anchors.fill: parent }
    }

    SignalSpy { id: announced; signalName: "pageChanged" }

    TestCase {
        name: "ScoreView"
        when: windowShown

        function init() {
            failOnWarning(/.?/)
        }

        function makeView(properties) {
            const view = createTemporaryObject(viewComponent, host, properties || {})
            announced.target = view
            announced.clear()
            return view
        }

        function label(view) {
            return findChild(view, "pageLabel").text
        }

        function click(view, name) {
            mouseClick(findChild(view, name))
        }

        function announcements() {
            const pages = []
            for (let i = 0; i < announced.count; ++i)
                pages.push(announced.signalArguments[i][0])
            announced.clear()
            return pages
        }

        // Waits until both slots show the expected pages ("" for none).
        function expectSlots(view, first, second) {
            tryCompare(view, "currentImage1", first)
            tryCompare(view, "currentImage2", second)
        }

        function test_quiet_with_pages_in_both_modes() {
            for (const mode of [false, true]) {
                const document = "import QtQuick; import com.quorvane.vemo_ui; import com.quorvane.musical_ui\n"
                        + "Item { width: 800; height: 600; VemoTheme { id: theme }\n"
                        + "ScoreView { anchors.fill: parent; currentIndex: 1; twoUpMode: " + mode
                        + "; imageListModel: " + JSON.stringify(host.pages) + " } }"
                compare(qmlProbe.warningsOf(document), [])
            }
        }

        function test_label_without_and_with_a_list() {
            const view = makeView()
            compare(label(view), "No Score")
            view.imageListModel = []
            compare(label(view), "Page 1 of 0")
            view.imageListModel = host.pages
            compare(label(view), "Page 1 of 5")
            view.currentIndex = 3
            compare(label(view), "Page 4 of 5")
        }

        function test_no_turns_without_pages_data() {
            return [
                { tag: "no list", list: null, text: "No Score" },
                { tag: "empty list", list: [], text: "Page 1 of 0" }
            ]
        }

        function test_no_turns_without_pages(data) {
            const view = makeView({ imageListModel: data.list })
            for (const mode of [false, true]) {
                view.twoUpMode = mode
                click(view, "previousButton")
                click(view, "nextButton")
                compare(view.currentIndex, 0)
                compare(announcements(), [])
                compare(label(view), data.text)
            }
        }

        function test_one_page_turns() {
            const view = makeView({ imageListModel: host.pages })
            tryCompare(view, "currentImage1", host.pages[0])
            click(view, "previousButton")
            compare(view.currentIndex, 0)
            compare(announcements(), [1])
            click(view, "nextButton")
            click(view, "nextButton")
            compare(view.currentIndex, 2)
            compare(announcements(), [2, 3])
            tryCompare(view, "currentImage1", host.pages[2])
            view.currentIndex = 4
            click(view, "nextButton")
            compare(view.currentIndex, 4)
            compare(announcements(), [5])
            tryCompare(view, "currentImage1", host.pages[4])
        }

        function test_two_page_spreads() {
            const view = makeView({ imageListModel: host.pages })
            click(view, "modeButton")
            verify(view.twoUpMode)
            verify(findChild(view, "slot2").visible)
            expectSlots(view, "", host.pages[0])
            click(view, "nextButton")
            compare(view.currentIndex, 2)
            compare(announcements(), [3])
            expectSlots(view, host.pages[1], host.pages[2])
            click(view, "nextButton")
            compare(view.currentIndex, 4)
            expectSlots(view, host.pages[3], host.pages[4])
            click(view, "nextButton")
            compare(view.currentIndex, 4)
            compare(announcements(), [5, 5])
            expectSlots(view, host.pages[3], host.pages[4])
            click(view, "previousButton")
            compare(view.currentIndex, 2)
            click(view, "previousButton")
            compare(view.currentIndex, 0)
            click(view, "previousButton")
            compare(view.currentIndex, 0)
            compare(announcements(), [3, 1, 1])
            expectSlots(view, "", host.pages[0])
        }

        function test_a_turn_from_outside_announces_nothing() {
            const view = makeView({ imageListModel: host.pages })
            view.currentIndex = 3
            tryCompare(view, "currentImage1", host.pages[3])
            view.twoUpMode = true
            expectSlots(view, host.pages[3], host.pages[4])
            view.currentIndex = 1
            expectSlots(view, host.pages[1], host.pages[2])
            view.currentIndex = -1
            tryCompare(view, "currentImage1", "")
            compare(announcements(), [])
        }

        function test_the_mode_button() {
            const view = makeView({ imageListModel: host.pages })
            const button = findChild(view, "modeButton")
            compare(button.text, "Double Page")
            verify(!findChild(view, "slot2").visible)
            click(view, "modeButton")
            compare(button.text, "Single Page")
            verify(view.twoUpMode)
            click(view, "modeButton")
            compare(button.text, "Double Page")
            verify(!view.twoUpMode)
            tryCompare(view, "currentImage1", host.pages[0])
            compare(announcements(), [])
        }

        function test_a_new_list_fills_only_empty_slots() {
            const view = makeView({ imageListModel: [] })
            compare(view.currentImage1, "")
            compare(view.currentImage2, "")
            view.imageListModel = host.pages.slice(0, 2)
            compare(view.currentImage1, host.pages[0])
            compare(view.currentImage2, host.pages[0])
            view.imageListModel = host.pages.slice(2)
            compare(view.currentImage1, host.pages[0])
            compare(view.currentImage2, host.pages[0])
            view.currentIndex = 1
            tryCompare(view, "currentImage1", host.pages[3])
        }

        // A hidden pane makes no page slot, so no page image is loaded; the first show puts up the
        // pages it was given meanwhile, in the mode it was given, and hiding it again keeps them.
        function test_a_hidden_pane_loads_pages_when_first_shown_data() {
            return [
                { tag: "one page", twoUp: false, index: 3, first: 3, second: 4 },
                { tag: "two pages", twoUp: true, index: 2, first: 1, second: 2 },
                { tag: "the first page alone", twoUp: true, index: 0, first: "", second: 0 }
            ]
        }

        function test_a_hidden_pane_loads_pages_when_first_shown(data) {
            const view = makeView({ visible: false })
            view.imageListModel = host.pages
            view.currentIndex = data.index
            view.twoUpMode = data.twoUp
            compare(findChild(view, "slot1"), null)
            compare(findChild(view, "pageLabel"), null)
            compare(view.currentImage1, "")
            view.visible = true
            const page = index => index === "" ? "" : host.pages[index]
            expectSlots(view, page(data.first), page(data.second))
            compare(label(view), "Page " + (data.index + 1) + " of 5")
            const slider = findChild(view, "zoomSlider")
            slider.value = 2.0
            view.visible = false
            view.visible = true
            compare(findChild(view, "zoomSlider"), slider)
            compare(slider.value, 2.0)
            compare(announcements(), [])
        }

        function test_zoom_keeps_the_centre_and_then_pins_left() {
            const view = makeView({ imageListModel: host.pages })
            const area = findChild(view, "pageArea")
            const slider = findChild(view, "zoomSlider")
            const image = findChild(findChild(view, "slot1"), "shownImage")
            tryCompare(image, "status", Image.Ready)
            verify(image.paintedWidth < area.width)
            compare(area.contentX, 0)

            slider.value = 2.0
            verify(image.paintedWidth > area.width)
            area.contentX = 100
            const centre = (area.contentX + area.width / 2) / image.paintedWidth
            slider.value = 3.0
            fuzzyCompare((area.contentX + area.width / 2) / image.paintedWidth, centre, 0.001)
            verify(area.contentX > 100)

            slider.value = 1.0
            compare(area.contentX, 0)
            // The painted page stands in the middle of the view again.
            const row = findChild(view, "pageRow")
            fuzzyCompare(row.x + (image.width - image.paintedWidth) / 2, (area.width - image.paintedWidth) / 2, 0.5)
        }

        function test_the_slider_arrow_keys_jump_to_the_ends() {
            const view = makeView({ imageListModel: host.pages })
            const slider = findChild(view, "zoomSlider")
            slider.forceActiveFocus()
            keyClick(Qt.Key_Right)
            compare(slider.value, 3.0)
            keyClick(Qt.Key_Left)
            compare(slider.value, 1.0)
        }
    }
}
