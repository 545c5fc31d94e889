import QtQuick
import QtQuick.Window
import QtQuick.Controls
import QtTest
import com.quorvane.vemo_ui
import "helpers.js" as Helpers

// The window documents themselves; their controllers have tests of their own.
Item {
    id: host

    width: 600
    height: 400

    Component {
        id: dialogComponent
        FlatDialogWindow {}
    }

    Component {
        id: inputComponent
        FlatInputWindow {}
    }

    Component {
        id: acknowledgementsComponent
        AcknowledgementsWindow {}
    }

    Component {
        id: aboutComponent
        AboutWindow {}
    }

    TestCase {
        name: "DialogWindows"
        when: windowShown

        // Windows shown by a test are modal and take the focus: they are hidden at its end, so that
        // the next test starts in the test's own window with nothing blocking it.
        property var shownWindows: []

        function keepShown(window) {
            shownWindows.push(window)
            return window
        }

        function cleanup() {
            for (const window of shownWindows)
                window.visible = false
            shownWindows = []
            host.Window.window.requestActivate()
            tryCompare(host.Window.window, "active", true)
        }

        function test_type_is_compared_upper_cased_data() {
            return [
                { tag: "Error", type: "Error", source: "qrc:/images/error_icon.svg", color: "#ff5757" },
                { tag: "WARNING", type: "WARNING", source: "qrc:/images/warning_icon.svg", color: "#ffc400" },
                { tag: "info", type: "info", source: "qrc:/images/info_icon.svg", color: "#00aeef" },
                { tag: "question", type: "question", source: "", color: "#c0c0c0" }
            ]
        }

        function test_type_is_compared_upper_cased(data) {
            for (const component of [dialogComponent, inputComponent]) {
                const window = createTemporaryObject(component, host, { type: data.type })
                const icon = findChild(window, "icon")
                compare(String(icon.source), data.source)
                compare(Helpers.colorText(findChild(window, "iconOverlay").color), data.color)
                compare(icon.width, data.source === "" ? 0 : 72)
            }
        }

        function test_dialog_defaults() {
            const window = createTemporaryObject(dialogComponent, host)
            compare(window.type, "INFO")
            compare(window.visible, false)
            compare(window.modality, Qt.ApplicationModal)
            compare(window.flags, Qt.CustomizeWindowHint | Qt.WindowCloseButtonHint | Qt.Dialog)
            compare(Helpers.colorText(window.color), "#262626")
            compare(findChild(window, "checkbox").checkboxTextStr, "Do not show again")
            compare(findChild(window, "okButton").text, "OK")
            verify(findChild(window, "okButton").isDefault)
        }

        function test_input_defaults() {
            const window = createTemporaryObject(inputComponent, host)
            compare(window.type, "INFO")
            compare(window.width, 425)
            compare(window.acceptButtonText, "OK")
            compare(window.cancelButtonText, "Cancel")
            compare(window.negateButtonText, "")
            verify(window.showInputField)
            verify(!window.showNegateButton)
            verify(!findChild(window, "negateButton").visible)
            verify(!findChild(window, "confirmationBox").visible)
            verify(!findChild(window, "okButton").enabled)
            window.value = "x"
            verify(findChild(window, "okButton").enabled)
        }

        function test_about_defaults() {
            const about = createTemporaryObject(aboutComponent, host)
            compare(about.version, "See Installation File for Version Info")
            compare(about.versionIdentifier, "")
            verify(about.showAcknowledgments)
            compare(Helpers.colorText(about.textColor), "#c3c3c3")
            compare(Helpers.colorText(about.outerBorderColor), Helpers.colorText(Qt.lighter("#202020", 1.5)))
            about.open()
            compare(findChild(about, "acknowledgementsButton").text, "Acknowledgments")
            compare(findChild(about, "licenseButton").text, "License Agreement")
            compare(findChild(about, "closeButton").text, "Close")
        }

        // The contents are made when the window first opens, with the values given before, and
        // follow later changes.
        function test_about_contents_come_with_the_first_opening() {
            const logoSource = "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAMAAAAECAIAAADETxJQAAAAEElEQVR4nGM4oaEBQQx4WQAONw0hKoyNGAAAAABJRU5ErkJggg=="
            const about = createTemporaryObject(aboutComponent, host,
                                                { version: "2.14.0", versionIdentifier: "beta 3", logoSource: logoSource })
            compare(findChild(about, "versionText"), null)
            about.open()
            const popup = findChild(about, "popup")
            tryCompare(popup, "opened", true)
            compare(findChild(about, "versionText").text, "Version 2.14.0")
            compare(findChild(about, "versionIdentifierText").text, "beta 3")
            verify(findChild(about, "copyRightText").text.indexOf("Quorvane") >= 0)
            const logo = findChild(about, "logo")
            compare(String(logo.source), logoSource)
            tryCompare(logo, "status", Image.Ready)
            verify(popup.height > findChild(about, "closeButton").height + 125)
            about.version = "2.15.0"
            compare(findChild(about, "versionText").text, "Version 2.15.0")
        }

        function test_about_without_root_window_centres_on_itself() {
            const about = createTemporaryObject(aboutComponent, host, { rootWindow: null })
            about.open()
            const popup = findChild(about, "popup")
            tryCompare(popup, "opened", true)
            compare(popup.x, (host.width - 525) / 2)
            compare(popup.y, (host.height - popup.height) / 2)
            mouseClick(findChild(about, "closeButton"))
            tryCompare(popup, "visible", false)
        }

        function test_escape_on_the_about_item_closes() {
            host.Window.window.requestActivate()
            tryCompare(host.Window.window, "active", true)
            const about = createTemporaryObject(aboutComponent, host)
            about.open()
            const popup = findChild(about, "popup")
            tryCompare(popup, "opened", true)
            about.forceActiveFocus()
            keyClick(Qt.Key_Escape)
            tryCompare(popup, "visible", false)
        }

        function test_acknowledgements_window() {
            const window = keepShown(createTemporaryObject(acknowledgementsComponent, host))
            verify(window.visible)
            compare([window.width, window.height], [640, 480])
            compare(window.modality, Qt.ApplicationModal)
            compare(window.flags, Qt.WindowCloseButtonHint | Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint)
            compare(window.title, "")
            compare(window.acknowledgementText, "")
            verify(!findChild(window, "flickable").interactive)
            compare(findChild(window, "scrollBar").policy, ScrollBar.AlwaysOn)
            verify(findChild(window, "textArea").readOnly)
            verify(findChild(window, "introduction").text.startsWith("Quorvane uses a variety of software components"))
            window.acknowledgementText = "<b>kept as typed</b>\n" + "line\n".repeat(200)
            compare(findChild(window, "textArea").textFormat, TextEdit.PlainText)
            tryVerify(() => findChild(window, "flickable").contentHeight > findChild(window, "flickable").height)
            mouseClick(findChild(window, "closeButton"))
            compare(window.visible, false)
        }
    }
}
