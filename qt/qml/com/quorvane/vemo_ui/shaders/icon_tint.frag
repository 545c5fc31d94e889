#version 440

// A one-colour icon in another colour: every pixel takes `color` and keeps the icon's own
// coverage. A translucent `color` lets the icon's own colour show through in proportion.
// Colours arrive premultiplied, as the scene graph passes them.

layout(location = 0) in vec2 qt_TexCoord0;
layout(location = 0) out vec4 fragColor;

layout(std140, binding = 0) uniform buf {
    mat4 qt_Matrix;
    float qt_Opacity;
    vec4 color;
};

layout(binding = 1) uniform sampler2D source;

const float kMinAlpha = 1.0 / 256.0;

void main()
{
    vec4 pixel = texture(source, qt_TexCoord0);
    vec3 own = pixel.rgb / max(pixel.a, kMinAlpha);
    vec3 tint = color.rgb / max(color.a, kMinAlpha);
    fragColor = vec4(mix(own, tint, color.a) * pixel.a, pixel.a) * qt_Opacity;
}
