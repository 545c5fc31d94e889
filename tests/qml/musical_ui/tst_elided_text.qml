import QtQuick
import QtTest
import com.quorvane.musical_ui

// A list text shows its full text in a tool tip only while the pointer rests on it and it is cut
// short; the tool tip is made on demand.
Item {
    id: host

    width: 400
    height: 200

    Component {
        id: labelComponent
        ElidedText { x: 10; y: 10 }
    }

    TestCase {
        name: "ElidedText"
        when: windowShown

        function init() {
            failOnWarning(/.?/)
        }

        function test_tool_tip_data() {
            return [
                { tag: "cut short", width: 40, text: "Entr'acte and the long walk down", shown: true },
                { tag: "fits", width: 380, text: "Entr'acte", shown: false }
            ]
        }

        function test_tool_tip(data) {
            const label = createTemporaryObject(labelComponent, host, { width: data.width, text: data.text })
            const loader = findChild(label, "toolTipLoader")
            compare(loader.item, null)
            mouseMove(label, 5, label.height / 2)
            if (data.shown) {
                tryCompare(loader, "status", Loader.Ready)
                compare(loader.item.text, data.text)
                tryCompare(loader.item, "visible", true, 3000)
            } else {
                wait(1200)
                compare(loader.item, null)
            }
            mouseMove(host, 390, 190)
            tryCompare(loader, "item", null)
        }
    }
}
