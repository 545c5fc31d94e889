import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import com.quorvane.vemo_ui

// The "Downloading Show" window: the download's status, one progress bar for all files with its
// byte count, Cancel, and the error dialog.
Window {
    id: control

    property string downloadStatus: qsTr("Starting up...")

    signal cancel()
    signal downloadError(string msg)
    signal progressChanged(double bytesReceived, double total)
    signal totalProgressChanged(double bytesReceived, double total)
    signal statusChanged(string status)
    signal downloadErrorAcknowledged()

    function sizeLabel(bytesReceived, total) {
        const mega = 1024 * 1024
        if (total > mega)
            return Math.floor(bytesReceived / mega) + "/" + Math.max(Math.floor(total / mega), 1) + " MB"
        return Math.floor(bytesReceived / 1024) + "/" + Math.max(Math.floor(total / 1024), 1) + " kB"
    }

    title: qsTr("Downloading Show")
    width: 480
    height: mainColumn.height + 30
    color: theme.default_bg_color
    modality: Qt.ApplicationModal
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint
    visible: true

    onStatusChanged: status => downloadStatus = status
    onDownloadError: msg => {
        errorDialog.acknowledged = false
        errorDialog.text = msg
        errorDialog.visible = true
    }
    onTotalProgressChanged: (bytesReceived, total) => {
        progressBar.value = total > 0 ? Math.min(Math.max(bytesReceived / total, 0), 1) : 0
        progressLabel.text = sizeLabel(bytesReceived, total)
    }

    VemoTheme { id: theme }

    ColumnLayout {
        id: mainColumn
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: 15
        spacing: 15

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: panelColumn.height + 30
            color: Qt.lighter(theme.default_bg_color, 1.6)

            ColumnLayout {
                id: panelColumn
                anchors.top: parent.top
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.margins: 15

                RowLayout {
                    Layout.fillWidth: true

                    Text {
                        text: qsTr("Status: ")
                        textFormat: Text.PlainText
                        color: theme.default_text_header_color
                        font: theme.default_font
                    }
                    Text {
                        objectName: "statusText"
                        Layout.fillWidth: true
                        text: control.downloadStatus
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        color: theme.default_text_header_color
                        font: theme.default_font
                    }
                }

                RowLayout {
                    FlatProgressBar {
                        id: progressBar
                        objectName: "progressBar"
                        Layout.preferredWidth: 300
                        value: 0
                    }
                    Text {
                        id: progressLabel
                        objectName: "progressLabel"
                        textFormat: Text.PlainText
                        color: theme.default_text_color
                        font: theme.default_font
                    }
                }
            }
        }

        FlatButton {
            objectName: "cancelButton"
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Cancel")
            onClicked: control.cancel()
        }
    }

    FlatDialogWindow {
        id: errorDialog
        objectName: "errorDialog"

        // Whether this opening was acknowledged already: OK and the close button each count once.
        property bool acknowledged: false

        function acknowledge() {
            if (acknowledged)
                return
            acknowledged = true
            control.downloadErrorAcknowledged()
        }

        title: qsTr("Error")
        type: "ERROR"
        onAccepted: acknowledge()
        onClosing: acknowledge()
    }
}
