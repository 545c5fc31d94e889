import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The "Event Log Manager": the local and the server versions of the show's event log side by side;
// "Load Selected" reports the one selected row.
Window {
    id: changelogManagerWindow

    property alias localModel: localList.model
    property alias serverModel: serverList.model

    signal loadSelectedLocal(int index)
    signal loadSelectedServer(int index)

    title: qsTr("Event Log Manager")
    width: 650
    height: 400
    minimumWidth: 500
    minimumHeight: 300
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    modality: Qt.ApplicationModal
    color: theme.default_bg_color
    visible: false

    VemoTheme { id: theme }

    ColumnLayout {
        id: mainItem
        objectName: "mainItem"

        function listWithFocusChanged(isLocal) {
            if (isLocal)
                serverList.index = -1
            else
                localList.index = -1
        }

        anchors.fill: parent
        anchors.margins: 15

        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true

            ChangelogList {
                id: localList
                objectName: "localList"
                Layout.fillWidth: true
                Layout.fillHeight: true
                Layout.alignment: Qt.AlignLeft | Qt.AlignTop
                title: qsTr("Local Logs")
                isLocal: true
                onListHasFocus: isLocal => mainItem.listWithFocusChanged(isLocal)
            }
            ChangelogList {
                id: serverList
                objectName: "serverList"
                Layout.fillWidth: true
                Layout.fillHeight: true
                Layout.alignment: Qt.AlignLeft | Qt.AlignTop
                title: qsTr("Server Logs")
                isLocal: false
                onListHasFocus: isLocal => mainItem.listWithFocusChanged(isLocal)
            }
        }

        FlatButton {
            objectName: "loadButton"
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Load Selected")
            font.pixelSize: 14
            enabled: localList.index > -1 || serverList.index > -1
            onClicked: {
                if (localList.isSelected())
                    changelogManagerWindow.loadSelectedLocal(localList.index)
                else if (serverList.isSelected())
                    changelogManagerWindow.loadSelectedServer(serverList.index)
            }
        }
    }
}
