import QtQuick

// Recolours `source` (an image or a texture provider) in one hue and saturation, moving each pixel's
// lightness towards white or black by `lightness` (-1 to 1); the alpha stays.
ShaderEffect {
    property Item source
    property real hue: 0
    property real saturation: 1
    property real lightness: 0

    fragmentShader: "qrc:/qt/qml/com/quorvane/vemo_ui/shaders/colorize.frag.qsb"
}
