#version 440

// One lit part of the level meter with its inner glow, drawn in one pass over the part. It gives
// what a Gaussian inner shadow (radius 22, 32 samples, no offset) makes of a part rounded by one
// pixel: the only uncovered pixels are the four antialiased corners, and the blur reads past the
// part's edges as if its border pixels went on, so the glow is the blurred corner share of the
// top and bottom rows, spread over the whole height.

layout(location = 0) in vec2 qt_TexCoord0;
layout(location = 0) out vec4 fragColor;

layout(std140, binding = 0) uniform buf {
    mat4 qt_Matrix;
    float qt_Opacity;
    vec4 color;
    vec4 partColor;
    vec2 partSize;
};

const float kCornerCoverage = 0.67;
const int kTaps = 32;
const float kTapStep = 43.0 / 31.0;
const float kFirstTap = -21.5;
const float kDeviation = 23.0 / 3.3333;

float TapWeight(int tap)
{
    float offset = kFirstTap + float(tap) * kTapStep;
    return exp(-offset * offset / (2.0 * kDeviation * kDeviation));
}

float IsBorder(float index, float count)
{
    return (index == 0.0 || index == count - 1.0) ? 1.0 : 0.0;
}

// Linearly filtered read, clamped to the edges, of "this pixel is a border pixel" along one axis.
float BorderSample(float position, float count)
{
    float texel = clamp(position - 0.5, 0.0, count - 1.0);
    float first = floor(texel);
    float fraction = texel - first;
    return mix(IsBorder(first, count), IsBorder(min(first + 1.0, count - 1.0), count), fraction);
}

float BlurredBorder(float position, float count)
{
    float sum = 0.0;
    float weights = 0.0;
    for (int tap = 0; tap < kTaps; ++tap) {
        float weight = TapWeight(tap);
        sum += weight * BorderSample(position + kFirstTap + float(tap) * kTapStep, count);
        weights += weight;
    }
    return sum / weights;
}

void main()
{
    vec2 pixels = max(floor(partSize + 0.5), vec2(1.0));
    vec2 position = qt_TexCoord0 * pixels;
    float glow = (1.0 - kCornerCoverage) * BlurredBorder(position.x, pixels.x) * BlurredBorder(position.y, pixels.y);
    vec2 index = floor(position);
    float coverage = IsBorder(index.x, pixels.x) * IsBorder(index.y, pixels.y) > 0.0 ? kCornerCoverage : 1.0;
    vec4 part = vec4(partColor.rgb, 1.0) * partColor.a;
    fragColor = mix(part, vec4(color.rgb, 1.0) * part.a, glow * color.a) * coverage * qt_Opacity;
}
