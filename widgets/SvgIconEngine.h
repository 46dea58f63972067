#pragma once
// An icon drawn from one scalable picture of the resources, optionally turned
// about its centre and mirrored, so that a single picture serves several
// buttons (the arrow of all 72 headings, the left and right forms of a turn).
// Every pixmap is rendered at the exact size asked for, device pixels
// included, and kept in the application's pixmap cache.
#include <QByteArray>
#include <QIconEngine>
#include <QString>

namespace mivarelo {

class SvgIconEngine : public QIconEngine {
public:
    // `path` names a picture of the resources (":/buttons/..."); the picture
    // is turned clockwise by `degrees` on the screen after the mirrors.
    explicit SvgIconEngine(const QString& path, int degrees = 0, bool mirrorLeftRight = false,
                           bool mirrorUpDown = false);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    // Draws the turned and mirrored picture into the largest square centred
    // in `rect`.
    void Render(QPainter* painter, const QRectF& rect) const;

    QString path_;
    QByteArray svg_;
    int degrees_;
    bool mirrorLeftRight_;
    bool mirrorUpDown_;
};

} // namespace mivarelo
