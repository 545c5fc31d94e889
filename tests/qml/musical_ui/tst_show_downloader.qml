import QtQuick
import QtQuick.Window
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The "Downloading Show" window: its byte-count label and bar, the status line, and the error
// dialog that must lead on exactly once per opening, by OK or by its close button.
Item {
    id: host

    width: 600
    height: 400

    Component {
        id: downloaderComponent
        ShowDownloader {}
    }

    SignalSpy { id: acknowledged; signalName: "downloadErrorAcknowledged" }

    TestCase {
        name: "ShowDownloader"
        when: windowShown

        property var shown: []

        function make() {
            const window = createTemporaryObject(downloaderComponent, host)
            shown.push(window)
            acknowledged.target = window
            acknowledged.clear()
            return window
        }

        function cleanup() {
            for (const window of shown) {
                if (window) {
                    findChild(window, "errorDialog").visible = false
                    window.visible = false
                }
            }
            shown = []
            host.Window.window.requestActivate()
        }

        function test_loads_without_warnings() {
            compare(qmlProbe.warningsOf("import com.quorvane.musical_ui\nShowDownloader {}"), [])
        }

        function test_starts_shown_and_empty() {
            const window = make()
            compare(window.title, "Downloading Show")
            compare(window.visible, true)
            compare(window.downloadStatus, "Starting up...")
            compare(findChild(window, "progressLabel").text, "")
            compare(findChild(window, "progressBar").value, 0)
            compare(window.flags, Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint)
        }

        function test_total_progress_label_data() {
            return [
                { tag: "nothing of 500 bytes", received: 0, total: 500, label: "0/1 kB", value: 0 },
                { tag: "half of 5 MB", received: 2500000, total: 5000000, label: "2/4 MB", value: 0.5 },
                { tag: "exactly 1 MiB", received: 1048576, total: 1048576, label: "1024/1024 kB", value: 1 },
                { tag: "past a clamped total", received: 3 * 1024 * 1024 * 1024, total: 2147483647,
                  label: "3072/2047 MB", value: 1 },
                { tag: "no total", received: 10, total: 0, label: "0/1 kB", value: 0 },
                { tag: "fallen below zero", received: -20, total: 100, label: "-1/1 kB", value: 0 }
            ]
        }

        function test_total_progress_label(data) {
            const window = make()
            window.totalProgressChanged(data.received, data.total)
            compare(findChild(window, "progressLabel").text, data.label)
            compare(findChild(window, "progressBar").value, data.value)
        }

        function test_file_progress_changes_nothing() {
            const window = make()
            window.progressChanged(400, 500)
            compare(findChild(window, "progressLabel").text, "")
            compare(findChild(window, "progressBar").value, 0)
        }

        function test_status_is_plain_text() {
            const window = make()
            window.statusChanged("<b>Downloading</b> <img src='http://example.invalid/x.png'>")
            const status = findChild(window, "statusText")
            compare(status.text, "<b>Downloading</b> <img src='http://example.invalid/x.png'>")
            compare(status.textFormat, Text.PlainText)
            compare(status.elide, Text.ElideRight)
        }

        function test_cancel_only_reports() {
            const window = make()
            const spy = createTemporaryQmlObject("import QtTest; SignalSpy { signalName: 'cancel' }", host)
            spy.target = window
            mouseClick(findChild(window, "cancelButton"))
            compare(spy.count, 1)
            compare(window.visible, true)
        }

        function test_error_dialog_stays_open_after_the_window_hides_and_ok_leads_on_once() {
            const window = make()
            window.downloadError("Could not download show.json: checksum mismatch")
            const dialog = findChild(window, "errorDialog")
            compare(dialog.visible, true)
            compare(dialog.text, "Could not download show.json: checksum mismatch")
            compare(dialog.title, "Error")
            compare(dialog.type, "ERROR")
            window.visible = false
            wait(20)
            compare(dialog.visible, true)
            dialog.accept()
            compare(acknowledged.count, 1)
            compare(dialog.visible, false)
        }

        function test_the_close_button_counts_as_ok_once_per_opening() {
            const window = make()
            const dialog = findChild(window, "errorDialog")
            window.downloadError("first")
            dialog.close()
            compare(acknowledged.count, 1)
            compare(dialog.visible, false)
            window.downloadError("second")
            dialog.close()
            compare(acknowledged.count, 2)
        }
    }
}
