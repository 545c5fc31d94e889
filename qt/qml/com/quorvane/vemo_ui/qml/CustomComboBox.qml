import QtQuick
import QtQuick.Controls
import QtQuick.Window
import com.quorvane.vemo_ui

// The drop-down choice of the program: a dark flat face with a drawn arrow and a drop shadow,
// and a list with its own scroll bar, keyboard selection while open, and a lift rule near the
// bottom of the screen. The list is a pop-up inside the window, so it is also kept to the
// window's height. Reads `theme` from the document that holds it.
Item {
    id: root

    property alias currentValue: combo.currentValue
    property alias currentIndex: combo.currentIndex
    property alias count: combo.count
    property alias textRole: combo.textRole
    property alias valueRole: combo.valueRole
    property alias model: combo.model
    property alias displayText: combo.displayText
    property alias mainLabel: label
    property alias delegate: combo.delegate
    property alias choices: popup
    property alias comboControl: combo
    property int minimumPopupWidth: -1
    property int outerMargin: 20
    property int offsetSize: 2
    property bool isCompleted: false
    property var font: theme.default_font
    property color default_bg_color: "#1b1b1b"
    property color default_popup_bg_color: Qt.lighter("#1b1b1b", 1.8)

    signal activated(int index)
    signal enterPressed()
    // Space closed the open list on a row: that row is now current. Emitted for Space only, so
    // `activated` keeps meaning a click or Return.
    signal spaceCommitted(int index)

    // The value (by `valueRole`) of row `index`, as the model holds it.
    function valueAt(index) {
        return combo.valueAt(Math.trunc(Number(index)) || 0)
    }

    // The first row whose value equals `value` (no conversion), or -1.
    function indexOfValue(value) {
        return combo.indexOfValue(value)
    }

    // The y of the list: just below the face, or lifted by how far it would run past the bottom
    // of the screen that holds the combo box's top-left corner (plus the face height and 5 px).
    function listY() {
        const corner = combo.mapToGlobal(0, 0)
        const screens = Qt.application.screens
        for (let i = 0; i < screens.length; ++i) {
            const screen = screens[i]
            if (corner.x >= screen.virtualX && corner.x <= screen.virtualX + screen.width
                    && corner.y >= screen.virtualY && corner.y <= screen.virtualY + screen.height) {
                const overlap = corner.y + popup.height - (screen.virtualY + screen.height)
                return overlap > 0 ? combo.height - 1 - overlap - 35 : combo.height - 1
            }
        }
        return popup.y
    }

    function commitListRow() {
        if (list.currentIndex !== -1 && list.currentIndex !== combo.currentIndex)
            combo.currentIndex = list.currentIndex
    }

    implicitWidth: combo.implicitWidth
    implicitHeight: combo.implicitHeight

    Component.onCompleted: isCompleted = true

    ComboBox {
        id: combo
        objectName: "comboControl"

        property bool arrowSelection: false

        anchors.fill: parent
        implicitHeight: 30
        leftPadding: 8
        rightPadding: 6
        font: root.font

        onActivated: index => root.activated(index)

        Keys.onPressed: event => {
            switch (event.key) {
            case Qt.Key_Space:
                if (popup.visible) {
                    const committed = list.currentIndex !== -1
                    root.commitListRow()
                    popup.close()
                    if (committed)
                        root.spaceCommitted(combo.currentIndex)
                } else {
                    popup.open()
                }
                break
            case Qt.Key_Return:
            case Qt.Key_Enter:
                if (popup.visible) {
                    root.commitListRow()
                    root.activated(combo.currentIndex)
                    popup.close()
                } else {
                    root.enterPressed()
                }
                break
            case Qt.Key_Up:
                if (popup.visible) {
                    list.currentIndex = Math.max(0, list.currentIndex - 1)
                    combo.arrowSelection = true
                }
                break
            case Qt.Key_Down:
                if (popup.visible) {
                    list.currentIndex = Math.min(combo.count - 1, list.currentIndex + 1)
                    combo.arrowSelection = true
                }
                break
            default:
                return
            }
            event.accepted = true
        }
        Keys.onReleased: event => {
            event.accepted = [Qt.Key_Space, Qt.Key_Return, Qt.Key_Enter, Qt.Key_Up, Qt.Key_Down].includes(event.key)
        }

        background: Rectangle {
            implicitWidth: 120
            implicitHeight: 40
            color: !combo.enabled ? Qt.lighter("#525252", 0.5)
                   : combo.pressed ? Qt.lighter(root.default_bg_color, 0.8)
                   : combo.hovered ? Qt.lighter(root.default_bg_color, 1.3)
                   : root.default_bg_color

            BasicBevel {}

            Rectangle {
                objectName: "focusFrame"
                anchors.fill: parent
                color: "transparent"
                border.width: 2
                border.color: theme.default_selected_color_intense
                opacity: 0.7
                visible: combo.activeFocus
            }
        }

        contentItem: Text {
            id: label
            rightPadding: 13
            text: combo.displayText
            textFormat: Text.PlainText
            font: root.font
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
            color: !combo.enabled ? "gray" : combo.pressed ? "silver" : "white"
        }

        indicator: Canvas {
            id: arrow
            objectName: "arrow"
            x: combo.width - width - combo.rightPadding
            y: combo.topPadding + (combo.availableHeight - height) / 2
            width: 12
            height: 8
            readonly property color fill: label.color
            onFillChanged: requestPaint()
            onPaint: {
                const ctx = getContext("2d")
                ctx.clearRect(0, 0, width, height)
                ctx.fillStyle = fill
                ctx.beginPath()
                ctx.moveTo(0, 0)
                ctx.lineTo(width, 0)
                ctx.lineTo(width / 2, height)
                ctx.closePath()
                ctx.fill()
            }
        }

        delegate: ItemDelegate {
            id: row

            readonly property string rowText: {
                const data = typeof modelData === "undefined" ? undefined : modelData
                if (!combo.textRole)
                    return data === undefined || data === null ? "" : String(data)
                if (typeof data === "string")
                    return data
                if (data !== undefined && data !== null && data[combo.textRole] !== undefined)
                    return String(data[combo.textRole])
                if (model[combo.textRole] !== undefined)
                    return String(model[combo.textRole])
                return qsTr("Undefined")
            }

            width: ListView.view ? ListView.view.width : implicitWidth
            implicitHeight: 40
            highlighted: ListView.isCurrentItem
            hoverEnabled: true

            onHoveredChanged: if (hovered) combo.arrowSelection = false

            background: Rectangle {
                color: row.highlighted || (row.hovered && !combo.arrowSelection)
                       ? Qt.lighter(root.default_popup_bg_color, 1.3) : root.default_popup_bg_color
            }

            contentItem: Item {
                Text {
                    id: rowLabel
                    objectName: "rowText"
                    x: 5
                    width: parent.width - 10
                    height: parent.height
                    text: row.rowText
                    textFormat: Text.PlainText
                    color: "white"
                    font: root.font
                    verticalAlignment: Text.AlignVCenter
                    elide: Text.ElideRight
                }
            }

            VemoToolTip {
                text: row.rowText
                delay: 1000
                timeout: 5000
                visible: row.hovered && rowLabel.truncated
            }
        }

        popup: Popup {
            id: popup
            objectName: "popup"

            x: 0
            y: combo.height - 1
            width: Math.max(combo.width, root.minimumPopupWidth)
            height: Math.min(list.contentHeight + topPadding + bottomPadding,
                             combo.Screen.height / 2,
                             combo.Window.height > 0 ? combo.Window.height : Infinity)
            padding: 1

            // The later call finds no root when the combo box was destroyed in between.
            function placeList() {
                if (root)
                    popup.y = root.listY()
            }

            onOpened: Qt.callLater(placeList)
            onClosed: combo.arrowSelection = false
            Component.onCompleted: Qt.callLater(placeList)

            background: Rectangle {
                color: root.default_bg_color
                BasicBevel {}
            }

            contentItem: Item {
                implicitHeight: list.contentHeight

                ListView {
                    id: list
                    objectName: "list"
                    anchors.fill: parent
                    clip: true
                    model: combo.delegateModel
                    boundsBehavior: Flickable.StopAtBounds

                    Binding on currentIndex {
                        when: !combo.arrowSelection
                        value: combo.highlightedIndex
                        restoreMode: Binding.RestoreNone
                    }
                }

                Rectangle {
                    id: scrollHandle
                    objectName: "scrollHandle"
                    x: list.width - width
                    width: 10
                    height: Math.min(1, list.visibleArea.heightRatio) * list.height
                    color: "#69696a"

                    Binding on y {
                        when: !dragArea.drag.active
                        value: list.visibleArea.yPosition * list.height
                        restoreMode: Binding.RestoreNone
                    }

                    onYChanged: {
                        if (dragArea.drag.active && list.height > height)
                            list.contentY = y / (list.height - height) * (list.contentHeight - list.height)
                    }

                    MouseArea {
                        id: dragArea
                        anchors.fill: parent
                        drag.target: scrollHandle
                        drag.axis: Drag.YAxis
                        drag.minimumY: 0
                        drag.maximumY: list.height - scrollHandle.height
                    }
                }
            }
        }
    }

    BlurredShadow {
        z: -1
        target: combo
        horizontalOffset: root.offsetSize / 2
        verticalOffset: root.offsetSize
        radius: 8
        samples: 32
        color: "#66000000"
    }
}
