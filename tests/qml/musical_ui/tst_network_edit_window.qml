import QtQuick
import QtTest
import com.quorvane.musical_ui

// The destination editor: what its requests carry, and what the Port field shows at each opening.
TestCase {
    name: "NetworkEditWindow"
    when: windowShown

    Component {
        id: editorComponent
        NetworkEditWindow {}
    }

    SignalSpy { id: created; signalName: "createRequest" }
    SignalSpy { id: changed; signalName: "changeRequest" }
    SignalSpy { id: closed; signalName: "toolClosing" }

    function child(parent, name) {
        const items = parent.children || []
        for (let i = 0; i < items.length; ++i) {
            const item = items[i]
            if (item.objectName === name)
                return item
            const inner = child(item, name)
            if (inner)
                return inner
        }
        return null
    }

    function portField(editor) {
        return child(editor.contentItem, "portField")
    }

    function open(properties) {
        const editor = createTemporaryObject(editorComponent, null, properties)
        for (const spy of [created, changed, closed]) {
            spy.clear()
            spy.target = editor
        }
        editor.show()
        tryCompare(editor, "visible", true)
        // The window reports its visibility through a queued signal.
        wait(20)
        return editor
    }

    function test_create_or_change_data() {
        return [
            { tag: "new", isEdit: false, title: "Create Network Destination" },
            { tag: "edit", isEdit: true, title: "Edit Network Destination" }
        ]
    }

    function test_create_or_change(data) {
        const editor = open({ isEdit: data.isEdit, networkName: "Desk", ipAddress: "10.0.0.5", port: 9000,
                              mode: "tcp", networkId: "NETWORK3" })
        compare(editor.title, data.title)
        editor.confirm()
        compare(created.count, data.isEdit ? 0 : 1)
        compare(changed.count, data.isEdit ? 1 : 0)
        if (data.isEdit)
            compare(Array.from(changed.signalArguments[0]), ["10.0.0.5", 9000, "tcp", "Desk", "NETWORK3"])
        else
            compare(Array.from(created.signalArguments[0]), ["10.0.0.5", 9000, "tcp", "Desk"])
        compare(editor.visible, false)
        tryCompare(closed, "count", 1)
    }

    function test_port_text_data() {
        return [
            { tag: "number", text: "9000", port: 9000 },
            { tag: "letters", text: "abc", port: 0 },
            { tag: "empty", text: "", port: 0 },
            { tag: "fraction", text: "80.7", port: 80 },
            { tag: "blanks around", text: " 81 ", port: 81 }
        ]
    }

    function test_port_text(data) {
        const editor = open({ port: 8000 })
        portField(editor).text = data.text
        editor.confirm()
        compare(created.signalArguments[0][1], data.port)
    }

    // Addresses go out as typed; the mode is the property, not the combo box.
    function test_texts_go_out_unchecked_data() {
        return [{ tag: "host name", ip: "localhost" }, { tag: "empty", ip: "" }, { tag: "bad", ip: "1.2.3.256" }]
    }

    function test_texts_go_out_unchecked(data) {
        const editor = open({ ipAddress: data.ip })
        editor.confirm()
        compare(created.signalArguments[0][0], data.ip)
        compare(created.signalArguments[0][2], "udp")
    }

    // A new opening shows the port the opener assigns, also when it equals the last assignment.
    function test_reopening_shows_the_assigned_port() {
        const editor = open({ port: 8000 })
        portField(editor).text = "9000"
        editor.confirm()
        compare(created.signalArguments[0][1], 9000)
        wait(20)
        editor.port = 8000
        editor.show()
        tryCompare(portField(editor), "text", "8000")
        editor.close()
        editor.port = 7000
        compare(portField(editor).text, "7000")
    }

    function test_escape_closes_without_request() {
        const editor = open({})
        editor.requestActivate()
        tryCompare(editor, "active", true)
        keyClick(Qt.Key_Escape)
        tryCompare(editor, "visible", false)
        compare(created.count, 0)
        compare(changed.count, 0)
        tryCompare(closed, "count", 1)
    }

    function test_return_confirms() {
        const editor = open({})
        editor.requestActivate()
        tryCompare(editor, "active", true)
        keyClick(Qt.Key_Return)
        tryCompare(editor, "visible", false)
        compare(created.count, 1)
        compare(created.signalArguments[0][1], 5501)
    }
}
