import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui
import "deployment.js" as Deployment

// The About pop-up: logo, version lines, the maker notice and the acknowledgements, licence and
// close buttons, centred on `rootWindow`. Its contents are made the first time it opens.
Item {
    id: root

    property var rootWindow: parent
    property string version: "See Installation File for Version Info"
    property string versionIdentifier: ""
    property url logoSource
    property string linkUrl: Deployment.licenseAgreementUrl
    property string copyRight: qsTr("Copyright © Quorvane. All rights reserved.")
    property bool showAcknowledgments: true
    property color textColor: "#C3C3C3"
    property color outerBorderColor: Qt.lighter(theme.default_bg_color, 1.5)
    property color innerBorderColor: Qt.lighter(theme.default_bg_color, 1.25)

    signal acknowledgementsClicked()

    function open() {
        popup.open()
    }

    anchors.fill: parent

    Keys.onEscapePressed: popup.close()

    VemoTheme { id: theme }

    Popup {
        id: popup
        objectName: "popup"

        modal: true
        focus: true
        width: 525
        height: content.implicitHeight + 60
        margins: 30
        padding: 30
        x: ((root.rootWindow ? root.rootWindow.width : root.width) - width) * 0.5
        y: ((root.rootWindow ? root.rootWindow.height : root.height) - height) * 0.5

        onOpened: forceActiveFocus()

        Overlay.modal: Rectangle {
            color: "#88000000"
        }

        background: Rectangle {
            radius: 25
            color: theme.default_bg_color
            border.width: 1
            border.color: root.outerBorderColor

            Rectangle {
                anchors.fill: parent
                anchors.margins: 1
                radius: 25
                color: "transparent"
                border.width: 1
                border.color: root.innerBorderColor
            }
        }

        Loader {
            id: content
            anchors.top: parent.top
            anchors.left: parent.left
            anchors.right: parent.right
            active: false
            sourceComponent: contents
        }

        Binding {
            target: content
            property: "active"
            value: true
            when: popup.visible
            restoreMode: Binding.RestoreNone
        }

        Component {
            id: contents

            ColumnLayout {
                spacing: 15

                Rectangle {
                    Layout.fillWidth: true
                    Layout.preferredHeight: 125
                    color: "transparent"

                    Image {
                        objectName: "logo"
                        anchors.fill: parent
                        source: root.logoSource
                        fillMode: Image.PreserveAspectFit
                        smooth: true
                        mipmap: true
                    }
                }

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 2

                    Text {
                        objectName: "versionText"
                        Layout.fillWidth: true
                        text: qsTr("Version ") + root.version
                        font.pixelSize: 16
                        color: root.textColor
                        horizontalAlignment: Text.AlignLeft
                        verticalAlignment: Text.AlignTop
                    }

                    Text {
                        objectName: "versionIdentifierText"
                        Layout.fillWidth: true
                        text: root.versionIdentifier
                        textFormat: Text.PlainText
                        font.pixelSize: 16
                        font.italic: true
                        color: root.textColor
                        horizontalAlignment: Text.AlignLeft
                        verticalAlignment: Text.AlignTop
                    }
                }

                Text {
                    objectName: "copyRightText"
                    Layout.fillWidth: true
                    text: root.copyRight
                    textFormat: Text.PlainText
                    font.pixelSize: 12
                    color: root.textColor
                    wrapMode: Text.WordWrap
                    horizontalAlignment: Text.AlignLeft
                }

                RowLayout {
                    id: buttons
                    Layout.alignment: Qt.AlignLeft | Qt.AlignTop
                    Layout.bottomMargin: buttons.implicitHeight / 4
                    spacing: 15

                    FlatButton {
                        objectName: "acknowledgementsButton"
                        text: qsTr("Acknowledgments")
                        onClicked: root.acknowledgementsClicked()
                    }

                    FlatButton {
                        objectName: "licenseButton"
                        text: qsTr("License Agreement")
                        onClicked: Qt.openUrlExternally(root.linkUrl)
                    }

                    FlatButton {
                        objectName: "closeButton"
                        text: qsTr("Close")
                        onClicked: popup.close()
                    }
                }
            }
        }
    }
}
