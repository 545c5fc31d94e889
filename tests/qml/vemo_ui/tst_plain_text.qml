import QtQuick
import QtTest
import com.quorvane.vemo_ui
import "helpers.js" as Helpers

// Texts that reach the toolkit's controls from show files and the network are shown as written:
// markup in them is neither obeyed nor, for images, fetched.
Item {
    id: host

    width: 800
    height: 600

    VemoTheme { id: theme }

    FontMetrics { id: metrics }

    TestCase {
        name: "PlainText"
        when: windowShown

        readonly property string markup: "<b>Rain</b>"
        // The second address, a missing file, shows a fetch in a warning; the remote one fails silently.
        readonly property string remoteImage: "<img src=\"http://127.0.0.1:1/x.png\"><img src=\"file:///nonexistent/x.png\">"

        // `body` holds %1 where the text goes; `popup` names the pop-up that is opened and whose
        // content shows the text ("self": the control is one). `texts` counts the places showing it.
        function controls() {
            return [
                { tag: "VemoToolTip", body: "VemoToolTip { text: %1 }", popup: "self", texts: 1 },
                { tag: "CustomComboBox label and row", body: "CustomComboBox { width: 300; model: [%1] }",
                  popup: "choices", texts: 2 },
                { tag: "CustomTwoColumnListView",
                  body: "CustomTwoColumnListView { width: 600; height: 100; model: ListModel { ListElement { first: %1; second: %1 } } }",
                  texts: 2 },
                { tag: "MessageBox", body: "MessageBox { text: %1 }", texts: 1 },
                { tag: "FlatButton", body: "FlatButton { text: %1 }", texts: 1 },
                { tag: "GraphicButton", body: "GraphicButton { width: 300; text: %1 }", texts: 1 },
                { tag: "CustomTabButton", body: "CustomTabButton { width: 300; text: %1 }", texts: 1 },
                { tag: "BubbleButton", body: "BubbleButton { width: 300; showText: true; text: %1 }", texts: 1 },
                { tag: "TabButtom", body: "TabButtom { width: 300; text: %1 }", texts: 1 },
                { tag: "ModeTabButton", body: "ModeTabButton { width: 300; text: %1 }", texts: 1 },
                { tag: "ActiveAudioDelegate", body: "ActiveAudioDelegate { width: 600; height: 48; rowModel: ({ id: 1, name: %1 }) }",
                  texts: 1 },
                { tag: "FileDisplay label and row", body: "FileDisplay { width: 300; height: 200; text: %1; model: [%1] }", texts: 2 },
                { tag: "DirectoryInputControl", body: "DirectoryInputControl { width: 600; text: %1 }", texts: 1 },
                { tag: "FileInputControl", body: "FileInputControl { width: 600; value: %1 }", texts: 1 },
                { tag: "TextInputControl", body: "TextInputControl { width: 600; text: %1 }", texts: 1 },
                { tag: "PackageControl", body: "PackageControl { width: 600; toggleText: %1 }", texts: 1 },
                { tag: "VemoMenuItem", body: "VemoMenuItem { width: 300; menuText: %1 }", texts: 1 },
                { tag: "VemoCustomMenu", body: "VemoCustomMenu { Action { text: %1 } }", popup: "self", texts: 1 },
                { tag: "CustomContextMenu", body: "CustomContextMenu { Action { text: %1 } }", popup: "self", texts: 1 },
                { tag: "CustomCheckbox", body: "CustomCheckbox { checkboxTextStr: %1 }", texts: 1 },
                { tag: "EventIdLabel", body: "EventIdLabel { width: 300; value: %1 }", texts: 1 }
            ]
        }

        function bodyWith(data, text) {
            return data.body.split("%1").join(JSON.stringify(text))
        }

        // Every visible text item under `item` whose text mentions the rain.
        function textsUnder(item, found) {
            if (!item)
                return found
            if (item.visible && item.contentWidth !== undefined && typeof item.text === "string"
                    && item.text.includes("Rain"))
                found.push(item)
            const children = item.children || []
            for (let i = 0; i < children.length; ++i)
                textsUnder(children[i], found)
            return found
        }

        function popupOf(control, data) {
            return data.popup === "self" ? control : data.popup ? control[data.popup] : null
        }

        function shownTexts(control, data) {
            const popup = popupOf(control, data)
            const found = popup ? textsUnder(popup.contentItem, []) : []
            return popup === control ? found : textsUnder(control, found)
        }

        function test_markup_is_shown_as_written_data() {
            return controls()
        }

        function test_markup_is_shown_as_written(data) {
            const control = createTemporaryQmlObject(
                "import QtQuick; import QtQuick.Controls; import com.quorvane.vemo_ui\n" + bodyWith(data, markup), host)
            if (data.popup)
                popupOf(control, data).open()
            tryVerify(() => shownTexts(control, data).length === data.texts, 2000,
                      "texts found: " + shownTexts(control, data).length)
            for (const text of shownTexts(control, data)) {
                metrics.font = text.font
                verify(metrics.advanceWidth(markup) > 3 * metrics.advanceWidth("Rain"))
                fuzzyCompare(text.contentWidth, metrics.advanceWidth(markup), 1.5)
            }
        }

        function test_remote_image_is_not_fetched_data() {
            return controls()
        }

        function test_remote_image_is_not_fetched(data) {
            failOnWarning(/.*/)
            const opened = data.popup === "self" ? "\nComponent.onCompleted: open()\n"
                         : data.popup ? "\nComponent.onCompleted: " + data.popup + ".open()\n" : ""
            const body = bodyWith(data, remoteImage)
            const closing = body.lastIndexOf("}")
            compare(qmlProbe.warningsOf(Helpers.hostWith(body.slice(0, closing) + opened + body.slice(closing))), [])
        }
    }
}
