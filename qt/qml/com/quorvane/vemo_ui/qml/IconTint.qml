import QtQuick

// Draws `source` (an image or a texture provider) in one colour, keeping its alpha: a one-colour
// icon in the colour of its state, straight from the image's texture.
ShaderEffect {
    property Item source
    property color color: "white"

    fragmentShader: "qrc:/qt/qml/com/quorvane/vemo_ui/shaders/icon_tint.frag.qsb"
}
