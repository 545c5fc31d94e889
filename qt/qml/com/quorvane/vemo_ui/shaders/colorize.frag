#version 440

// Recolours a picture in one hue: each pixel keeps its alpha and takes `hue` and `saturation`,
// with its own lightness moved towards white (positive `lightness`) or black (negative) by
// that share. All three are between 0 and 1 (`lightness` between -1 and 1).

layout(location = 0) in vec2 qt_TexCoord0;
layout(location = 0) out vec4 fragColor;

layout(std140, binding = 0) uniform buf {
    mat4 qt_Matrix;
    float qt_Opacity;
    float hue;
    float saturation;
    float lightness;
};

layout(binding = 1) uniform sampler2D source;

const float kMinAlpha = 1.0 / 256.0;

// One channel of the colour whose lightness and saturation give `low` and `high`: `h` is the
// hue moved by a third for red, as it is for green and back by a third for blue.
float Channel(float low, float high, float h)
{
    h = fract(h);
    if (6.0 * h < 1.0)
        return low + (high - low) * 6.0 * h;
    if (2.0 * h < 1.0)
        return high;
    if (3.0 * h < 2.0)
        return low + (high - low) * (2.0 / 3.0 - h) * 6.0;
    return low;
}

vec3 FromHsl(float h, float s, float l)
{
    if (s <= 0.0)
        return vec3(l);
    float high = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
    float low = 2.0 * l - high;
    return vec3(Channel(low, high, h + 1.0 / 3.0), Channel(low, high, h), Channel(low, high, h - 1.0 / 3.0));
}

void main()
{
    vec4 pixel = texture(source, qt_TexCoord0);
    vec3 rgb = pixel.rgb / max(pixel.a, kMinAlpha);
    float ownLightness = 0.5 * (max(rgb.r, max(rgb.g, rgb.b)) + min(rgb.r, min(rgb.g, rgb.b)));
    float target = lightness < 0.0 ? 0.0 : 1.0;
    float l = mix(ownLightness, target, abs(lightness));
    fragColor = vec4(FromHsl(hue, saturation, l) * pixel.a, pixel.a) * qt_Opacity;
}
