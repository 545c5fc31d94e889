import QtQuick
import QtQuick.Controls
import QtTest
import com.quorvane.vemo_ui

Item {
    id: host

    width: 600
    height: 400

    Component {
        id: directoryControl
        DirectoryInputControl { width: 400; text: "Source Directory" }
    }

    Component {
        id: fileControl
        FileInputControl { width: 400; nameFilters: ["CSV Files (*.csv)", "All files (*)"] }
    }

    Component {
        id: textControlRow
        Row {
            property alias other: other
            property alias control: control
            FlatButton { id: other; text: "Elsewhere" }
            TextInputControl { id: control; width: 300; text: "Show Name" }
        }
    }

    Component {
        id: packageControl
        PackageControl { width: 400; toggleText: "Package with Advanced Features" }
    }

    Component {
        id: fileDisplay
        FileDisplay { width: 300; height: 150; text: "MIDI Files" }
    }

    Component {
        id: textAreaRow
        Row {
            property alias other: other
            property alias area: area
            FlatButton { id: other; text: "Elsewhere" }
            RecessedTextArea { id: area; width: 300; height: 100; text: "First line" }
        }
    }

    SignalSpy { id: spy }

    TestCase {
        name: "FolderAndFileControls"
        when: windowShown

        // The file dialog takes a file chosen before it opens once it has listed its folder in the
        // background; an acceptance without a choice changes nothing, so try again until it takes.
        function choose(control, dialog, property, url) {
            dialog.currentFolder = scratchFolderUrl
            for (let attempt = 0; attempt < 40 && control.value === ""; ++attempt) {
                dialog[property] = url
                dialog.open()
                wait(attempt * 10)
                dialog[property] = url
                dialog.accept()
            }
        }

        function test_chosen_urls_data() {
            return [
                { tag: "folder with a percent sign", component: directoryControl, dialog: "folderDialog",
                  property: "selectedFolder", name: "100%25", value: "/100%" },
                { tag: "folder with a space", component: directoryControl, dialog: "folderDialog",
                  property: "selectedFolder", name: "My%20Show", value: "/My Show" },
                { tag: "file with a percent sign", component: fileControl, dialog: "fileDialog",
                  property: "selectedFile", name: "100%25.csv", value: "/100%25.csv" }
            ]
        }

        function test_chosen_urls(data) {
            const control = createTemporaryObject(data.component, host)
            spy.signalName = "textChanged"
            spy.target = control
            spy.clear()
            const url = scratchFolderUrl + "/" + data.name
            choose(control, findChild(control, data.dialog), data.property, url)
            const folderPath = String(scratchFolderUrl).replace("file://", "")
            compare(control.value, folderPath + data.value)
            compare(spy.count, 1)
            if (data.dialog === "fileDialog")
                compare(String(control.fileUrl), url)
        }

        function test_cancel_changes_nothing_data() {
            return [
                { tag: "folder", component: directoryControl, dialog: "folderDialog", property: "selectedFolder", name: "My%20Show" },
                { tag: "file", component: fileControl, dialog: "fileDialog", property: "selectedFile", name: "100%25.csv" }
            ]
        }

        function test_cancel_changes_nothing(data) {
            const control = createTemporaryObject(data.component, host)
            const urlBefore = String(control.fileUrl)
            spy.signalName = "textChanged"
            spy.target = control
            spy.clear()
            const dialog = findChild(control, data.dialog)
            dialog[data.property] = scratchFolderUrl + "/" + data.name
            dialog.reject()
            compare(control.value, "")
            compare(spy.count, 0)
            compare(String(control.fileUrl), urlBefore)
        }

        function test_layout() {
            const directory = createTemporaryObject(directoryControl, host)
            compare(directory.button.width, 80)
            compare(directory.button.text, "Choose")
            compare(directory.field.parent.width + 10 + 80, 400)
            const file = createTemporaryObject(fileControl, host)
            compare(file.button.width, 60)
            verify(!file.field.enabled, "the file field is not editable")
            compare(file.field.parent.y, 10)
            compare(String(file.fileUrl), String(Qt.resolvedUrl("qrc:/qt/qml/com/quorvane/vemo_ui/qml/molecules/")))
        }

        function test_typing_announces_text_change() {
            const directory = createTemporaryObject(directoryControl, host)
            spy.signalName = "textChanged"
            spy.target = directory
            spy.clear()
            directory.field.forceActiveFocus()
            keyClick(Qt.Key_A)
            compare(directory.value, "a")
            compare(spy.count, 1)
        }
    }

    TestCase {
        name: "TextInputControl"
        when: windowShown

        function test_focus_passes_to_field() {
            const row = createTemporaryObject(textControlRow, host)
            row.other.forceActiveFocus()
            row.control.forceActiveFocus()
            verify(row.control.field.activeFocus)
            row.other.forceActiveFocus()
            row.control.hasFocus = false
            row.control.hasFocus = true
            verify(row.control.field.activeFocus)
        }

        function test_edits_announce_text_change() {
            const row = createTemporaryObject(textControlRow, host)
            spy.signalName = "textChanged"
            spy.target = row.control
            spy.clear()
            row.control.value = "Set from outside"
            compare(spy.count, 0)
            row.control.field.forceActiveFocus()
            keyClick(Qt.Key_B)
            compare(row.control.value, "b")
            compare(spy.count, 1)
            compare(row.control.text, "Show Name")
        }
    }

    TestCase {
        name: "PackageControl"
        when: windowShown

        function test_switch_scale_and_keys() {
            const control = createTemporaryObject(packageControl, host)
            compare(control.buttonText, "Package")
            compare(control.toggle.scale, 0.65)
            control.toggle.forceActiveFocus()
            compare(control.toggle.scale, 0.75)
            keyClick(Qt.Key_Return)
            verify(control.toggled)
            spy.signalName = "clicked"
            spy.target = control
            spy.clear()
            control.button.forceActiveFocus()
            compare(control.toggle.scale, 0.65)
            keyClick(Qt.Key_Return)
            compare(spy.count, 1)
            mouseClick(control.button)
            compare(spy.count, 2)
            compare(control.button.x, 5)
            compare(control.button.width, 80)
        }
    }

    TestCase {
        name: "FileDisplay"
        when: windowShown

        function test_empty_and_long_lists() {
            const display = createTemporaryObject(fileDisplay, host)
            const list = findChild(display, "list")
            compare(list.count, 0)
            display.model = ["a.mid", "b.mid"]
            compare(list.count, 2)
            verify(list.ScrollBar.vertical.size >= 1, "everything fits")
            const many = []
            for (let i = 0; i < 40; ++i)
                many.push("song" + i + ".mid")
            display.value = many
            compare(list.count, 40)
            verify(list.ScrollBar.vertical.size < 1, "a long list scrolls")
            compare(list.ScrollBar.vertical.policy, ScrollBar.AsNeeded)
        }
    }

    TestCase {
        name: "RecessedTextArea"
        when: windowShown

        function test_selects_all_on_focus() {
            const row = createTemporaryObject(textAreaRow, host)
            const editor = findChild(row.area, "editor")
            row.other.forceActiveFocus()
            keyClick(Qt.Key_Tab)
            verify(editor.activeFocus)
            compare(editor.selectedText, "First line")
            row.other.forceActiveFocus()
            row.area.forceActiveFocus()
            compare(editor.selectedText, "First line")
        }

        function test_text_edited_for_user_changes_only() {
            const row = createTemporaryObject(textAreaRow, host)
            spy.signalName = "textEdited"
            spy.target = row.area
            spy.clear()
            row.area.text = "Assigned"
            compare(findChild(row.area, "editor").text, "Assigned")
            row.area.forceActiveFocus()
            row.area.text = "Assigned while focused"
            compare(spy.count, 0)
            findChild(row.area, "editor").selectAll()
            keyClick(Qt.Key_C)
            compare(row.area.text, "c")
            compare(spy.count, 1)
            compare(row.area.implicitHeight, findChild(row.area, "editor").implicitHeight)
        }
    }
}
