import QtQuick
import QtTest
import com.quorvane.vemo_ui
import "helpers.js" as Helpers

// Every type the module lists in its qmldir is created without a single warning, inside a
// document that provides `theme` the way every holder of the toolkit's controls does.
Item {
    id: host

    width: 800
    height: 600

    VemoTheme { id: theme }

    TestCase {
        name: "Smoke"
        when: windowShown

        readonly property var qmldirLines: vemoUiQmldir.split("\n").filter(line => line !== "")

        function moduleTypes() {
            return qmldirLines.map(line => line.split(" "))
                              .filter(parts => parts.length === 3 && parts[1] === "1.0")
                              .map(parts => ({ tag: parts[0], type: parts[0], path: parts[2] }))
        }

        function test_header() {
            compare(qmldirLines.slice(0, 6), [
                "module com.quorvane.vemo_ui",
                "linktarget vemo_uiplugin",
                "optional plugin vemo_uiplugin",
                "classname com_quorvane_vemo_uiPlugin",
                "typeinfo vemo_ui.qmltypes",
                "prefer :/qt/qml/com/quorvane/vemo_ui/"
            ])
            compare(qmldirLines.length, 6 + moduleTypes().length)
        }

        // Every type of the module in the order of its qmldir; documents added later take their
        // place in this order too.
        readonly property var moduleOrder: [
            "AboutWindow", "AcknowledgementsWindow", "BarAndBeatPanel", "BasicBevel", "BubbleButton",
            "BubbleButtonBar", "CustomBevel", "CustomCheckbox", "CustomComboBox", "CustomContextMenu",
            "CustomScrollBar", "CustomSpinBox", "CustomTabBar", "CustomTabButton", "CustomTextInput",
            "CustomTwoColumnListView", "EditTool", "EventIdLabel", "FlatButton", "FlatDialogWindow",
            "FlatInputWindow", "FlatProgressBar", "FocusHighlight", "GraphicButton", "HeaderLabelDrag",
            "MessageBox", "ModeTabButton", "RecessedBevel", "RecessedSpinBox", "RecessedTextInput",
            "VemoCustomDial", "VemoCustomMenu", "VemoCustomMenuSeparator", "VemoCustomSlider",
            "VemoCustomVolumeSlider", "VemoMenuItem", "VemoTheme", "VemoToolTip", "SfxManagerTool",
            "SfxPlayButton", "StandaloneSfxTool", "StandardEditButtons", "TabButtom",
            "VolumeIndicatorSegmented", "WaitIndicator", "ActiveAudioDelegate", "ActiveAudioList",
            "DirectoryInputControl", "FileDisplay", "FileInputControl", "PackageControl", "RecessedTextArea",
            "TextInputControl", "SfxPropertyTool", "PackagerWindow"
        ]

        function test_type_order() {
            const listed = moduleTypes().map(type => type.type)
            const known = listed.filter(name => moduleOrder.includes(name))
            compare(known, moduleOrder.filter(name => listed.includes(name)))
            const toolkit = ["BasicBevel", "BubbleButton", "BubbleButtonBar", "CustomBevel", "CustomCheckbox",
                             "CustomComboBox", "CustomContextMenu", "CustomScrollBar", "CustomSpinBox", "CustomTabBar",
                             "CustomTabButton", "CustomTextInput", "CustomTwoColumnListView", "FlatButton",
                             "FlatProgressBar", "FocusHighlight", "GraphicButton", "HeaderLabelDrag", "MessageBox",
                             "ModeTabButton", "RecessedBevel", "RecessedSpinBox", "RecessedTextInput", "VemoCustomDial",
                             "VemoCustomMenu", "VemoCustomMenuSeparator", "VemoCustomSlider", "VemoCustomVolumeSlider",
                             "VemoMenuItem", "VemoTheme", "VemoToolTip", "TabButtom", "VolumeIndicatorSegmented",
                             "WaitIndicator", "DirectoryInputControl", "FileDisplay", "FileInputControl",
                             "PackageControl", "RecessedTextArea", "TextInputControl", "PackagerWindow"]
            for (const name of toolkit)
                verify(listed.includes(name), name)
        }

        function test_paths_data() {
            return moduleTypes()
        }

        function test_paths(data) {
            verify(data.path.startsWith("qml/") && data.path.endsWith("/" + data.type + ".qml"), data.path)
        }

        function test_create_data() {
            return moduleTypes()
        }

        function hostWith(body) {
            return Helpers.hostWith(body)
        }

        function test_probe_reports_binding_errors() {
            ignoreWarning(/Unable to assign null to QColor/)
            const warnings = qmlProbe.warningsOf(hostWith("Item { property color c: Qt.lighter(parent.nothing, 1.3) }"))
            compare(warnings.length, 1)
        }

        function test_create(data) {
            failOnWarning(/.*/)
            compare(qmlProbe.warningsOf(hostWith(data.type + " {}")), [])
        }

        function test_quiet_states_data() {
            return [
                { tag: "BasicBevel in a plain Item", body: "Item { width: 10; height: 10; BasicBevel {} }" },
                { tag: "RecessedBevel in a plain Item", body: "Item { width: 10; height: 10; RecessedBevel {} }" },
                { tag: "CustomBevel in a plain Item", body: "Item { width: 10; height: 10; CustomBevel {} }" },
                { tag: "CustomComboBox with a null model", body: "CustomComboBox { model: null }" },
                { tag: "CustomComboBox with an empty model", body: "CustomComboBox { model: []; textRole: 'name' }" },
                { tag: "CustomComboBox rows without the text role",
                  body: "CustomComboBox { model: [{ title: 'A' }, 'B', 3]; textRole: 'name'; Component.onCompleted: choices.open() }" },
                { tag: "VemoCustomMenu with a sub-menu item",
                  body: "VemoCustomMenu { Action { text: 'Save'; shortcut: 'Ctrl+S' } VemoCustomMenu { title: 'More' } Component.onCompleted: open() }" },
                { tag: "HeaderLabelDrag without neighbours", body: "Item { HeaderLabelDrag {} }" },
                { tag: "CustomTabBar with no current tab",
                  body: "CustomTabBar { width: 300; CustomTabButton { text: 'One' } CustomTabButton { text: 'Two' } }" }
            ]
        }

        function test_quiet_states(data) {
            failOnWarning(/.*/)
            compare(qmlProbe.warningsOf(hostWith(data.body)), [])
        }

        // Every type, the quiet states above, a part-filled progress bar and a lit level meter, each drawn in a window of
        // its own. Warnings of the renderer come only where drawing really happens (the xcb run of
        // this file), and fail that run.
        function test_render_data() {
            return moduleTypes().map(type => ({ tag: type.tag, body: type.type + " {}" }))
                .concat(test_quiet_states_data())
                .concat([{ tag: "FlatProgressBar part-way", body: "FlatProgressBar { width: 300; value: 0.5 }" },
                         { tag: "VolumeIndicatorSegmented lit",
                           body: "VolumeIndicatorSegmented { width: 100; height: 20; segments: 10; value: 0.5 }" }])
        }

        function test_render(data) {
            failOnWarning(/.*/)
            const window = createTemporaryQmlObject(Helpers.hostWith(data.body), host)
            verify(waitForRendering(window.contentItem))
            wait(100)
        }

        function test_bevel_in_plain_item_data() {
            return [{ tag: "BasicBevel" }, { tag: "RecessedBevel" }, { tag: "CustomBevel" }]
        }

        function test_bevel_in_plain_item(data) {
            const holder = createTemporaryQmlObject(
                "import QtQuick; import com.quorvane.vemo_ui; Item { width: 10; height: 10; "
                + data.tag + " { id: bevel } property alias bevel: bevel }", host)
            compare(String(holder.bevel.bevel_dark_color), String(Qt.color("transparent")))
            compare(String(holder.bevel.bevel_light_color), String(Qt.color("transparent")))
        }
    }
}
