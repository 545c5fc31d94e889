import QtQuick
import QtQuick.Window
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The "Event Log Manager" window over plain list models: one selection across both lists, the
// button's state and what it sends.
Item {
    id: host

    width: 800
    height: 600

    Component {
        id: windowComponent
        ChangelogManagerWindow {}
    }

    Component {
        id: listComponent
        ListModel {}
    }

    SignalSpy { id: localSpy; signalName: "loadSelectedLocal" }
    SignalSpy { id: serverSpy; signalName: "loadSelectedServer" }

    TestCase {
        name: "ChangelogManager"
        when: windowShown

        property var shown: []

        function versions(texts) {
            const model = createTemporaryObject(listComponent, host)
            for (const text of texts)
                model.append({ version: text, modified: "Jan 01 1970 12:00 AM" })
            return model
        }

        function make(local, server) {
            const window = createTemporaryObject(windowComponent, host,
                                                 { localModel: versions(local), serverModel: versions(server) })
            window.visible = true
            shown.push(window)
            localSpy.target = window
            serverSpy.target = window
            localSpy.clear()
            serverSpy.clear()
            waitForRendering(window.contentItem)
            return window
        }

        function cleanup() {
            for (const window of shown) {
                if (window)
                    window.visible = false
            }
            shown = []
            host.Window.window.requestActivate()
        }

        function rowOf(window, listName, index) {
            const view = findChild(findChild(window, listName), "listView")
            view.currentIndex = index
            const item = view.currentItem
            view.currentIndex = -1
            return item
        }

        function test_documents_load_without_warnings() {
            compare(qmlProbe.warningsOf("import com.quorvane.musical_ui\nChangelogManagerWindow {}"), [])
            compare(qmlProbe.warningsOf("import com.quorvane.musical_ui\nChangelogList {}"), [])
        }

        function test_starts_hidden_without_selection() {
            const window = createTemporaryObject(windowComponent, host)
            compare(window.visible, false)
            compare(window.title, "Event Log Manager")
            compare(findChild(window, "localList").index, -1)
            compare(findChild(window, "loadButton").enabled, false)
        }

        function test_a_click_selects_one_row_across_both_lists() {
            const window = make(["1.0", "1.1"], ["2.0"])
            const local = findChild(window, "localList")
            const server = findChild(window, "serverList")
            mouseClick(rowOf(window, "localList", 1))
            compare(local.index, 1)
            verify(findChild(window, "loadButton").enabled)
            mouseClick(rowOf(window, "serverList", 0))
            compare(server.index, 0)
            compare(local.index, -1)
            mouseClick(findChild(window, "loadButton"))
            compare(serverSpy.count, 1)
            compare(serverSpy.signalArguments[0][0], 0)
            compare(localSpy.count, 0)
        }

        function test_the_local_selection_wins_when_both_are_set() {
            const window = make(["1.0", "1.1"], ["2.0"])
            findChild(window, "localList").index = 1
            findChild(window, "serverList").index = 0
            mouseClick(findChild(window, "loadButton"))
            compare(localSpy.count, 1)
            compare(localSpy.signalArguments[0][0], 1)
            compare(serverSpy.count, 0)
        }

        function test_an_empty_server_list_still_allows_a_local_choice() {
            const window = make(["1.0"], [])
            mouseClick(rowOf(window, "localList", 0))
            mouseClick(findChild(window, "loadButton"))
            compare(localSpy.count, 1)
        }

        function test_long_texts_are_elided() {
            const window = make(["1.0"], [])
            const row = rowOf(window, "localList", 0)
            compare(findChild(row, "versionText").elide, Text.ElideRight)
            compare(findChild(row, "modifiedText").textFormat, Text.PlainText)
        }
    }
}
