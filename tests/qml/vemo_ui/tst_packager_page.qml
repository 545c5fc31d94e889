import QtQuick
import QtQuick.Controls
import QtTest
import com.quorvane.vemo_ui

Item {
    id: host

    width: 200
    height: 100

    Component {
        id: pageComponent
        PackagerWindow {}
    }

    TestCase {
        name: "PackagerWindow"
        when: windowShown

        function openPage() {
            const page = createTemporaryObject(pageComponent, host)
            page.requestActivate()
            tryCompare(page, "active", true)
            return page
        }

        function named(page, name) {
            return findChild(page, name)
        }

        function test_title_and_initial_focus() {
            const page = openPage()
            const controller = named(page, "controller")
            compare(page.title, "Show Packager " + controller.versionString())
            compare(page.width, 720)
            compare(page.height, 625)
            verify(named(page, "showNameInput").field.activeFocus)
        }

        function test_summary_data() {
            return [
                { tag: "clean run", body: "Copied 12 files", summary: "Packaging Complete", width: 640 },
                { tag: "warning", body: "Warning: no image folder", summary: "Problems Encountered", width: 640 },
                { tag: "error", body: "Error: cannot write", summary: "Problems Encountered", width: 640 },
                { tag: "lower case is not a problem", body: "warnings: none", summary: "Packaging Complete", width: 640 },
                { tag: "no detail", body: "", summary: "Packaging Complete", width: 400 }
            ]
        }

        function test_summary(data) {
            const page = openPage()
            const controller = named(page, "controller")
            const popup = named(page, "resultPopup")
            controller.messageBody = data.body
            controller.message = true
            tryCompare(popup, "opened", true)
            compare(named(page, "summaryText").text, data.summary)
            compare(named(page, "detailText").text, data.body)
            compare(popup.width, data.width)
            compare(popup.height, data.width === 640 ? 480 : 100)
            compare(named(page, "copyButton").visible, data.body !== "")

            mouseClick(named(page, "okButton"))
            tryCompare(popup, "visible", false)
            compare(controller.message, false)
            compare(controller.messageBody, "")
        }

        function test_bindings_to_controller() {
            const page = openPage()
            const controller = named(page, "controller")
            page.showName = "Les Misérables"
            page.sourceDirectory = "/shows/les-mis"
            page.advancedFeatures = true
            compare(controller.name, "Les Misérables")
            compare(controller.sourceDirectory, "/shows/les-mis")
            compare(controller.advancedFeatures, true)
            controller.files = ["act1.mid", "act2.mid"]
            compare(named(page, "midiFiles").model, ["act1.mid", "act2.mid"])
        }

        function test_tab_cycle() {
            const page = openPage()
            const showName = named(page, "showNameInput")
            const source = named(page, "sourceInput")
            const destination = named(page, "destinationInput")
            const image = named(page, "imageInput")
            const effects = named(page, "soundEffectsInput")
            const control = named(page, "packageControl")
            const cycle = [showName.field, source.field, source.button, destination.field, destination.button,
                           image.field, image.button, effects.field, effects.button, control.button, control.toggle]
            showName.field.forceActiveFocus()
            for (let i = 1; i <= cycle.length; ++i) {
                keyClick(Qt.Key_Tab)
                verify(cycle[i % cycle.length].activeFocus, "Tab step " + i)
            }
            for (let i = cycle.length - 1; i >= 0; --i) {
                keyClick(Qt.Key_Backtab, Qt.ShiftModifier)
                verify(cycle[i].activeFocus, "Shift+Tab step " + i)
            }
        }

        function test_tab_elsewhere_is_consumed() {
            const page = openPage()
            const list = findChild(named(page, "midiFiles"), "list")
            list.forceActiveFocus()
            keyClick(Qt.Key_Tab)
            verify(list.activeFocus)
            keyClick(Qt.Key_Backtab, Qt.ShiftModifier)
            verify(list.activeFocus)
        }
    }
}
