import QtQuick
import QtTest

// Every type the module lists in its qmldir is created without a single warning, inside a window
// that provides `theme` the way the program's windows do. A type that only works inside the
// program's main window goes on the skip list with its reason.
TestCase {
    name: "Smoke"

    // Type name: the reason it cannot be created on its own.
    readonly property var needsHostWindow: ({
        "VemoMenuBar": "a native menu bar needs a QApplication (Qt Widgets); test_vemo_menu_bar loads it"
    })

    function hostWith(type) {
        return "import QtQuick; import QtQuick.Controls; import QtQuick.Window\n"
             + "import com.quorvane.vemo_ui; import com.quorvane.musical_ui\n"
             + "Window { width: 1280; height: 800; visible: true; VemoTheme { id: theme }\n" + type + " {}\n}"
    }

    function test_the_module_qmldir_is_read() {
        compare(musicalUiQmldir.split("\n")[0], "module com.quorvane.musical_ui")
    }

    function test_skipped_types_are_in_the_module() {
        for (const type of Object.keys(needsHostWindow))
            verify(musicalUiTypes.includes(type), type + " is skipped but not listed")
    }

    function test_every_type_is_created_quietly() {
        const noisy = []
        for (const type of musicalUiTypes) {
            if (!(type in needsHostWindow)) {
                const warnings = qmlProbe.warningsOf(hostWith(type))
                if (warnings.length > 0)
                    noisy.push(type + ": " + warnings.join(" | "))
            }
        }
        compare(noisy, [])
    }
}
