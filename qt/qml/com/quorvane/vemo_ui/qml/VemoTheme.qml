import QtQuick

// The colours, fonts and bevel width of the program's dark look. Every document that needs them
// declares its own instance (or reads the `theme` of the document that holds it). With hundreds of
// instances in the main window, the colours are written as values, so that making an instance
// evaluates no expression; a derived shade names the colour and the Qt.lighter/Qt.darker
// factor it comes from.
Item {
    readonly property color default_text_color: "#a4a4a4"
    readonly property color dim_text_color: "#7e7e7e" // default_text_color darkened by 1.3
    readonly property color default_text_header_color: "#808080"
    readonly property color light_text_color: "#e8e8e8"
    readonly property color tab_selected_text_color: "#ffffff"

    readonly property font default_font: Qt.font({ pixelSize: 14 })
    readonly property font small_font: Qt.font({ pixelSize: 11 })
    readonly property font heavy_label: Qt.font({ pixelSize: 14, bold: true })

    readonly property color default_bg_color: "#202020" // #282828 lightened by 0.8
    readonly property color default_bg_color_popup: "#262626" // default_bg_color lightened by 1.2
    readonly property color lighter_bg_color_popup: "#2e2e2e" // default_bg_color_popup lightened by 1.2
    readonly property color default_bg_unselected_color: "#191919" // default_bg_color darkened by 1.3
    readonly property color default_bg_hover_color: "#2a2a2a" // default_bg_color lightened by 1.3
    readonly property color light_background_color: "#1b1b1b"
    readonly property color dark_background_color: "#1b1b1b" // default_bg_color darkened by 1.2
    readonly property color light_border_color: "#3c3c3c"
    readonly property color default_selected_color: "#363636"
    readonly property color default_selected_color_intense: "#0f4259" // #26a5de lightened by 0.4
    readonly property color default_selected_color_intense_opaque: "#26a5de"
    readonly property color bevel_dark_color: "#191919"
    readonly property color bevel_light_color: "#3c3c3c"
    readonly property int bevel_width: 1
    readonly property color checkbox_color: "#1e7c46"
    readonly property color on_indicator_color: "lawngreen"
    readonly property color off_indicator_color: "dimgray"
}
