import QtQuick
import com.quorvane.vemo_ui

// A small outlined toggle-look button ("M", "S"). A click only reports `clicked()`: the checked look
// follows whatever the owner binds to `checked`. Reads `theme` from the document that holds it.
Rectangle {
    id: root

    property string text: "M"
    property bool makeSquare: true
    property int textPadding: 2
    property bool checked: false
    property string toolTipText: ""
    property color uncheckedColor: "#333333"
    property color controlColor: "#26a5de"
    property color activeColor: enabled && checked ? controlColor : uncheckedColor
    property color activeFillColor: enabled ? (checked ? checkedFillColor : uncheckedFillColor) : "#333333"
    property color uncheckedFillColor: theme.default_bg_color
    property color checkedFillColor: Qt.darker(controlColor, 4)
    property color activeFontColor: enabled ? (checked ? checkedFontColor : uncheckedFontColor) : "dimgray"
    property color checkedFontColor: activeColor
    property color uncheckedFontColor: "gray"
    property bool hovered: false

    readonly property bool lit: hovered && enabled

    signal clicked()

    width: (makeSquare ? Math.max(label.implicitHeight, label.implicitWidth) : label.implicitWidth) + 2 * textPadding
    height: makeSquare ? width : label.implicitHeight + 2 * textPadding
    color: lit ? Qt.lighter(activeFillColor, 1.25) : activeFillColor
    border.width: 1
    border.color: lit ? Qt.lighter(activeColor, 1.5) : activeColor
    radius: 4

    Text {
        id: label
        objectName: "label"
        anchors.fill: parent
        text: root.text
        textFormat: Text.PlainText
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        wrapMode: Text.NoWrap
        elide: Text.ElideRight
        font: theme.default_font
        color: root.lit ? Qt.lighter(root.activeFontColor, 1.5) : root.activeFontColor
    }

    MouseArea {
        objectName: "mouseArea"
        anchors.fill: parent
        hoverEnabled: true
        onEntered: root.hovered = true
        onExited: root.hovered = false
        onClicked: root.clicked()
    }

    VemoToolTip {
        delay: 500
        text: root.toolTipText
        visible: root.hovered && root.toolTipText !== ""
    }
}
