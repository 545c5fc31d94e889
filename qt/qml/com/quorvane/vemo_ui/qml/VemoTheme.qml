import QtQuick

// The colours, fonts and bevel width of the program's dark look. Every document that needs them
// declares its own instance (or reads the `theme` of the document that holds it).
Item {
    readonly property color default_text_color: Qt.rgba(164 / 255, 164 / 255, 164 / 255, 1)
    readonly property color dim_text_color: Qt.darker(default_text_color, 1.3)
    readonly property color default_text_header_color: Qt.rgba(128 / 255, 128 / 255, 128 / 255, 1)
    readonly property color light_text_color: Qt.rgba(232 / 255, 232 / 255, 232 / 255, 1)
    readonly property color tab_selected_text_color: Qt.rgba(1, 1, 1, 1)

    readonly property font default_font: Qt.font({ pixelSize: 14 })
    readonly property font small_font: Qt.font({ pixelSize: 11 })
    readonly property font heavy_label: Qt.font({ pixelSize: 14, bold: true })

    readonly property color default_bg_color: Qt.lighter(Qt.rgba(40 / 255, 40 / 255, 40 / 255, 1), 0.8)
    readonly property color default_bg_color_popup: Qt.lighter(default_bg_color, 1.2)
    readonly property color lighter_bg_color_popup: Qt.lighter(default_bg_color_popup, 1.20)
    readonly property color default_bg_unselected_color: Qt.darker(default_bg_color, 1.3)
    readonly property color default_bg_hover_color: Qt.lighter(default_bg_color, 1.3)
    readonly property color light_background_color: Qt.rgba(27 / 255, 27 / 255, 27 / 255, 1)
    readonly property color dark_background_color: Qt.darker(default_bg_color, 1.2)
    readonly property color light_border_color: Qt.rgba(60 / 255, 60 / 255, 60 / 255, 1)
    readonly property color default_selected_color: Qt.rgba(54 / 255, 54 / 255, 54 / 255, 1)
    readonly property color default_selected_color_intense: Qt.lighter(Qt.rgba(38 / 255, 165 / 255, 222 / 255, 1), 0.4)
    readonly property color default_selected_color_intense_opaque: Qt.rgba(38 / 255, 165 / 255, 222 / 255, 1)
    readonly property color bevel_dark_color: Qt.rgba(25 / 255, 25 / 255, 25 / 255, 1)
    readonly property color bevel_light_color: Qt.rgba(60 / 255, 60 / 255, 60 / 255, 1)
    readonly property int bevel_width: 1
    readonly property color checkbox_color: Qt.rgba(30 / 255, 124 / 255, 70 / 255, 1)
    readonly property color on_indicator_color: "lawngreen"
    readonly property color off_indicator_color: "dimgray"
}
