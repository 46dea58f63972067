#include "widgets/SvgIconEngine.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <algorithm>

namespace mivarelo {

namespace {

QByteArray ReadPicture(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The disabled look: every pixel grey and half as opaque, so that a button
// of a busy window still shows what it does but reads as unavailable.
QImage Greyed(const QImage& source) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 96 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
        }
    }
    return image;
}

} // namespace

SvgIconEngine::SvgIconEngine(const QString& path, int degrees, bool mirrorLeftRight,
                             bool mirrorUpDown)
    : path_(path), svg_(ReadPicture(path)), degrees_(degrees), mirrorLeftRight_(mirrorLeftRight),
      mirrorUpDown_(mirrorUpDown) {}

void SvgIconEngine::Render(QPainter* painter, const QRectF& rect) const {
    QSvgRenderer renderer(svg_);
    if (!renderer.isValid()) return;
    const qreal side = std::min(rect.width(), rect.height());
    const QPointF centre = rect.center();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->translate(centre);
    painter->rotate(degrees_);
    painter->scale(mirrorLeftRight_ ? -1.0 : 1.0, mirrorUpDown_ ? -1.0 : 1.0);
    renderer.render(painter, QRectF(-side / 2, -side / 2, side, side));
    painter->restore();
}

void SvgIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                          QIcon::State state) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QSize pixels = (QSizeF(rect.size()) * ratio).toSize();
    QPixmap picture = pixmap(pixels, mode, state);
    picture.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect.topLeft(), picture);
}

QSize SvgIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    return size;
}

QPixmap SvgIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) {
    if (size.isEmpty() || svg_.isEmpty()) return QPixmap();
    const bool greyed = mode == QIcon::Disabled;
    const QString cacheKey = QStringLiteral("mivarelo-svg:%1:%2:%3%4:%5x%6:%7")
                                 .arg(path_)
                                 .arg(degrees_)
                                 .arg(int(mirrorLeftRight_))
                                 .arg(int(mirrorUpDown_))
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(int(greyed));
    QPixmap cached;
    if (QPixmapCache::find(cacheKey, &cached)) return cached;

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        Render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    const QPixmap result = QPixmap::fromImage(greyed ? Greyed(image) : image);
    QPixmapCache::insert(cacheKey, result);
    return result;
}

QPixmap SvgIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                    qreal) {
    // The size asked for is already counted in device pixels.
    return pixmap(size, mode, state);
}

QIconEngine* SvgIconEngine::clone() const {
    return new SvgIconEngine(*this);
}

QString SvgIconEngine::key() const {
    return QStringLiteral("mivarelo-svg");
}

bool SvgIconEngine::isNull() {
    return svg_.isEmpty();
}

} // namespace mivarelo
