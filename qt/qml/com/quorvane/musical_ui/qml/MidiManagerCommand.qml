import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// One command of the MIDI Manager: its name, the MIDI status, channel and note assigned to it, a
// "Learn" button and a lamp. While `initializing` is true the combo boxes report nothing.
Item {
    id: root

    property bool learnedCommand: false
    property bool learningCommand: false
    property var columnWidths
    property string commandName: "Command"
    property var midiStatusModel
    property bool enabledCommand: true
    property int midiStatusIndex: -1
    property int channelIndex: -1
    property int midiNoteIndex: -1
    property bool initializing: true

    signal learnClicked()
    signal midiStatusChanged(int newStatus)
    signal channelChanged(int newChannel)
    signal noteChanged(int newNote)

    function createListModel(low, high, parent) {
        const model = Qt.createQmlObject("import QtQml.Models; ListModel {}", parent)
        for (let i = low; i <= high; ++i)
            model.append({ "number": i })
        return model
    }

    function columnWidth(column, fallback) {
        return columnWidths ? columnWidths[column] : fallback
    }

    height: 35
    implicitHeight: 35
    implicitWidth: row.implicitWidth

    VemoTheme { id: theme }

    RowLayout {
        id: row
        anchors.fill: parent

        Label {
            objectName: "commandLabel"
            Layout.preferredWidth: root.columnWidth(0, 125)
            text: root.commandName
            textFormat: Text.PlainText
            elide: Text.ElideRight
            font: theme.default_font
            color: theme.default_text_color
        }

        CustomComboBox {
            id: statusCombo
            objectName: "statusCombo"
            Layout.preferredWidth: root.columnWidth(1, 150)
            model: root.midiStatusModel
            textRole: "displayname"
            valueRole: "value"
            currentIndex: root.midiStatusIndex
            enabled: root.enabledCommand
            onActivated: index => root.midiStatusIndex = index
            onCurrentValueChanged: {
                if (!root.initializing && currentIndex >= 0) {
                    console.log("Selected " + currentIndex + ": " + currentValue)
                    root.midiStatusChanged(currentValue)
                }
            }
        }

        CustomComboBox {
            id: channelCombo
            objectName: "channelCombo"
            Layout.preferredWidth: root.columnWidth(2, 75)
            model: root.createListModel(1, 16, channelCombo)
            textRole: "number"
            currentIndex: root.channelIndex
            enabled: root.enabledCommand
            onActivated: index => root.channelIndex = index
            onCurrentIndexChanged: {
                if (!root.initializing)
                    root.channelChanged(currentIndex)
            }
        }

        CustomComboBox {
            id: noteCombo
            objectName: "noteCombo"
            Layout.preferredWidth: root.columnWidth(3, 75)
            model: 128
            currentIndex: root.midiNoteIndex
            enabled: root.enabledCommand
            onActivated: index => root.midiNoteIndex = index
            onCurrentIndexChanged: {
                if (!root.initializing)
                    root.noteChanged(currentIndex)
            }
        }

        FlatButton {
            objectName: "learnButton"
            Layout.preferredWidth: root.columnWidth(4, 100)
            Layout.preferredHeight: 30
            text: "Learn"
            enabled: root.enabledCommand
            onClicked: root.learnClicked()
        }

        Item {
            Layout.preferredWidth: root.columnWidth(5, 40)
            Layout.preferredHeight: 30

            Indicator {
                objectName: "lamp"
                anchors.centerIn: parent
                value: root.learnedCommand
                learning: root.learningCommand
            }
        }
    }
}
