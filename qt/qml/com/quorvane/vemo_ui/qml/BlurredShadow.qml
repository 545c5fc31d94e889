import QtQuick

// The soft shadow of an opaque rectangle (`target`, a sibling), drawn from a pre-blurred image
// instead of blurring the item while the window draws. Each image in ../images is the Gaussian
// shadow of a square's edges for one `radius` and `samples` pair (8/16, 8/32, 18/34); it is
// 4 × reach + 1 pixels wide, reach being how far the blur spreads on either side of an edge, and
// stretches over any target at least 2 × reach wide and high. The shadow is black: only the alpha
// of `color` counts.
BorderImage {
    property Item target
    property real horizontalOffset: 0
    property real verticalOffset: 0
    property int radius: 8
    property int samples: 16
    property color color: "black"

    readonly property int reach: (sourceSize.width - 1) / 4

    source: Qt.resolvedUrl("../images/shadow_r%1_s%2.png".arg(radius).arg(samples))
    x: target ? target.x + Math.round(horizontalOffset) - reach : 0
    y: target ? target.y + Math.round(verticalOffset) - reach : 0
    width: target ? target.width + 2 * reach : 0
    height: target ? target.height + 2 * reach : 0
    border.left: 2 * reach
    border.right: 2 * reach
    border.top: 2 * reach
    border.bottom: 2 * reach
    opacity: color.a
}
