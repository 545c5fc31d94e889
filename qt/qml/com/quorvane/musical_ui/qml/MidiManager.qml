import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The engine's MIDI source and the MIDI message of each engine command. The controller puts one
// MidiManagerCommand row per command into `commandColumnObject`.
Window {
    id: root

    property alias sourceModel: sourceCombo.model
    property alias sourceStatus: sourceLamp.value
    property int sourceIndex: 0
    property alias commandColumnObject: commandColumn

    signal sourceSelected(int sourceIndex)

    component HeaderLabel: Label {
        font: labelTheme.heavy_label
        color: labelTheme.default_text_color

        VemoTheme { id: labelTheme }
    }

    title: "MIDI Manager"
    visible: false
    modality: Qt.ApplicationModal
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    color: theme.default_bg_color
    width: 660
    height: content.implicitHeight + 32
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height

    VemoTheme { id: theme }

    ColumnLayout {
        id: content
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 16

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: 50
            color: Qt.lighter(theme.default_bg_color, 1.25)

            RowLayout {
                anchors.fill: parent
                anchors.leftMargin: 10
                anchors.rightMargin: 10
                spacing: 15

                Label {
                    text: "MIDI Source"
                    font: theme.default_font
                    color: theme.default_text_color
                }
                CustomComboBox {
                    id: sourceCombo
                    objectName: "sourceCombo"
                    Layout.preferredWidth: 250
                    currentIndex: root.sourceIndex
                    onActivated: index => {
                        root.sourceIndex = index
                        root.sourceSelected(index)
                    }
                }
                Indicator {
                    id: sourceLamp
                    objectName: "sourceLamp"
                }
                Item {
                    Layout.fillWidth: true
                }
            }
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: grid.implicitHeight + 20
            color: Qt.lighter(theme.default_bg_color, 1.25)

            ColumnLayout {
                id: grid
                anchors.fill: parent
                anchors.margins: 10

                RowLayout {
                    HeaderLabel { text: "Command"; Layout.preferredWidth: 125 }
                    HeaderLabel { text: "MIDI Status"; Layout.preferredWidth: 150 }
                    HeaderLabel { text: "Channel"; Layout.preferredWidth: 75 }
                    HeaderLabel { text: "Note"; Layout.preferredWidth: 75 }
                    HeaderLabel { text: "Learn"; Layout.preferredWidth: 100 }
                    HeaderLabel {
                        text: "Status"
                        Layout.preferredWidth: 40
                        horizontalAlignment: Text.AlignHCenter
                    }
                }

                ColumnLayout {
                    id: commandColumn
                    objectName: "commandColumn"
                    spacing: 0
                }
            }
        }

        FlatButton {
            objectName: "closeButton"
            Layout.alignment: Qt.AlignRight
            text: "Close"
            focus: true
            onClicked: root.close()
            Keys.onEscapePressed: root.close()
        }
    }
}
