import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// Horizontal slider with an optional zero mark that the value snaps to, arrow-key steps,
// Alt + right click to reset, and a right-click pop-up in which the value is typed in the
// user's unit (through `customDisplayFunction` and its inverse `customInvertFunction`).
Slider {
    id: control

    property real zeroMark: 0.5
    property int zeroMarkWidth: 2
    property bool showZeroMark: true
    property string barFillColor: "#26a5de"
    property real snapTolerance: 0.03
    property real step: 5.0
    property alias sliderStep: control.step
    property alias isFocused: control.activeFocus
    property var customDisplayFunction: value => value.toFixed(3)
    property var customInvertFunction: text => parseFloat(text)

    // Takes the text typed into the pop-up. A text that gives no finite number leaves the value
    // alone and emits nothing; a finite number is kept inside the range by the slider.
    function applyTypedValue(text) {
        const typed = Number(customInvertFunction(text))
        valuePopup.close()
        if (!isFinite(typed))
            return
        value = typed
        moved()
    }

    value: 0.5
    focusPolicy: Qt.StrongFocus

    onMoved: {
        if (showZeroMark && Math.abs(value - zeroMark) / (to - from) < snapTolerance)
            value = zeroMark
    }

    Keys.onRightPressed: {
        value = Math.min(value + step, to)
        moved()
    }
    Keys.onLeftPressed: {
        value = Math.max(value - step, from)
        moved()
    }

    VemoTheme { id: theme }

    MouseArea {
        objectName: "rightClickArea"
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        onClicked: mouse => {
            if (mouse.modifiers & Qt.AltModifier) {
                control.value = control.showZeroMark ? control.zeroMark : 0
            } else {
                valuePopup.open()
                valueField.forceActiveFocus()
            }
        }
    }

    Popup {
        id: valuePopup
        objectName: "valuePopup"
        x: 0
        y: 0
        width: 200
        height: 50
        modal: true
        closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutsideParent

        onAboutToShow: valueField.text = control.customDisplayFunction(control.value)

        background: Rectangle {
            color: Qt.darker(theme.default_bg_color, 1.4)
            border.width: 0
        }

        contentItem: Item {
            RowLayout {
                anchors.centerIn: parent
                spacing: 10

                Keys.onReturnPressed: control.applyTypedValue(valueField.text)

                RecessedTextInput {
                    id: valueField
                    objectName: "valueField"
                    Layout.preferredWidth: 120
                }

                FlatButton {
                    objectName: "okButton"
                    text: "OK"
                    onClicked: control.applyTypedValue(valueField.text)
                }
            }
        }
    }

    background: Item {
        x: control.leftPadding
        y: control.topPadding + (control.availableHeight - height) / 2
        implicitWidth: 200
        implicitHeight: 4
        width: control.availableWidth
        height: 4

        Rectangle {
            id: track
            objectName: "track"
            anchors.fill: parent
            radius: 2
            color: "#555555"

            Rectangle {
                objectName: "fill"
                width: control.visualPosition * parent.width
                height: parent.height
                radius: 2
                color: control.barFillColor
            }
        }

        Rectangle {
            objectName: "zeroMark"
            readonly property real fraction: (control.zeroMark - control.from) / (control.to - control.from)
            z: -50
            x: fraction * track.width - control.handle.width * (fraction - 0.5) - control.zeroMarkWidth / 2
            y: -7
            width: control.zeroMarkWidth
            height: track.height + 15
            radius: 1
            color: "#666666"
            visible: control.showZeroMark
        }
    }

    handle: Rectangle {
        x: control.leftPadding + control.visualPosition * (control.availableWidth - width)
        y: control.topPadding + (control.availableHeight - height) / 2
        implicitWidth: 16
        implicitHeight: 12
        radius: 2
        color: control.pressed || control.hovered ? Qt.lighter("#69696a", 1.3) : "#69696a"

        FocusHighlight {
            anchors.fill: parent
            visible: control.activeFocus
        }
    }

    // The handle's shadow, blurred beforehand (radius 8, 20 samples) from the 16 x 12 handle with
    // its rounded corners; between the track (z -1) and the handle.
    Image {
        objectName: "handleShadow"
        z: -0.5
        x: control.handle.x - 8
        y: control.handle.y - 8
        source: "../images/slider_handle_shadow.png"
        opacity: 0xaa / 0xff
    }
}
