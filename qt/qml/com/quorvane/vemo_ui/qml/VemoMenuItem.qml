import QtQuick
import QtQuick.Controls

// Plain white-text menu item on a dark background. Reads `theme` from the document that holds it.
MenuItem {
    id: item

    property alias menuText: label.text

    background: Rectangle {
        color: Qt.darker(theme.default_bg_color, 1.1)
    }

    contentItem: Text {
        id: label
        textFormat: Text.PlainText
        leftPadding: 10
        topPadding: 10
        color: "white"
        font.pixelSize: theme.default_font.pixelSize
    }
}
