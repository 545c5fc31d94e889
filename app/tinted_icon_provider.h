#pragma once

#include <QQuickImageProvider>

namespace vemo::app {

// Draws one-colour icons for `image://tinted/<colour>/<image url>`: the image (an SVG or any
// format Qt reads, from the resources or a local file) at the requested size, every pixel painted
// in the colour and keeping its own alpha. The colour is an SVG colour name or hex digits without
// the '#' ("808080", "80ffffff"). A URL it cannot read gives a warning and an empty image.
class TintedIconProvider : public QQuickImageProvider {
public:
    static constexpr const char* kName = "tinted";

    TintedIconProvider();

    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};

} // namespace vemo::app
