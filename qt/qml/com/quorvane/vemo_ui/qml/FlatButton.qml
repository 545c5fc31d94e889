import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui

// The ordinary push button: flat grey, or blue as the default button of its window.
Button {
    id: control

    property bool isDefault: false
    property color normalColor: isDefault ? "#26a5de" : "#525252"
    property color hoverColor: Qt.lighter(normalColor, 1.25)
    property color activeColor: Qt.lighter(normalColor, 0.64)
    property color backgroundColorToUse: enabled ? normalColor : Qt.lighter("#525252", .8)
    property alias toolTip: toolTipControl

    implicitHeight: 25
    implicitWidth: contentItem.implicitWidth + 25
    focusPolicy: Qt.StrongFocus
    font: theme.default_font

    VemoTheme { id: theme }

    VemoToolTip {
        id: toolTipControl
        delay: 500
        visible: control.hovered && text !== ""
    }

    background: Rectangle {
        radius: 3
        color: control.enabled && (control.hovered || control.activeFocus)
               ? (control.pressed ? control.activeColor : control.hoverColor)
               : control.backgroundColorToUse

        FocusHighlight {
            anchors.fill: parent
            visible: control.activeFocus
        }
    }

    contentItem: Text {
        text: control.text
        textFormat: Text.PlainText
        font: control.font
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        opacity: control.enabled ? 1.0 : 0.3
        color: !control.enabled ? Qt.lighter("silver") : control.down ? "silver" : "white"
    }
}
