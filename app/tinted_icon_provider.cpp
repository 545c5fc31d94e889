#include "app/tinted_icon_provider.h"

#include <QColor>
#include <QImageReader>
#include <QLoggingCategory>
#include <QPainter>
#include <QQmlFile>
#include <QUrl>

namespace vemo::app {

namespace {

Q_LOGGING_CATEGORY(lcTintedIcon, "vemo.tinted_icon")

QColor ParseColor(const QString& text)
{
    const QColor named = QColor::fromString(text);
    return named.isValid() ? named : QColor::fromString(QStringLiteral("#") + text);
}

// The size to read at: the requested one, a missing side following the image's own proportions.
QSize ReadSize(const QSize& imageSize, const QSize& requestedSize)
{
    if (!imageSize.isValid() || (requestedSize.width() <= 0 && requestedSize.height() <= 0))
        return imageSize;
    if (requestedSize.width() > 0 && requestedSize.height() > 0)
        return imageSize.scaled(requestedSize, Qt::KeepAspectRatio);
    if (requestedSize.width() > 0)
        return imageSize.scaled(requestedSize.width(), INT_MAX, Qt::KeepAspectRatio);
    return imageSize.scaled(INT_MAX, requestedSize.height(), Qt::KeepAspectRatio);
}

} // namespace

TintedIconProvider::TintedIconProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{
}

QImage TintedIconProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize)
{
    const qsizetype slash = id.indexOf('/');
    const QColor color = ParseColor(id.left(slash));
    const QString path = slash < 0 ? QString() : QQmlFile::urlToLocalFileOrQrc(QUrl(id.mid(slash + 1)));
    if (!color.isValid() || path.isEmpty()) {
        qCWarning(lcTintedIcon) << "Not a tinted icon (colour/image url):" << id;
        return {};
    }

    QImageReader reader(path);
    const QSize imageSize = reader.size();
    if (size != nullptr)
        *size = imageSize;
    reader.setScaledSize(ReadSize(imageSize, requestedSize));
    QImage image = reader.read();
    if (image.isNull()) {
        qCWarning(lcTintedIcon) << "Cannot read the icon" << path << ":" << reader.errorString();
        return {};
    }

    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}

} // namespace vemo::app
