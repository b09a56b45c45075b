#include "base/customshadoweffect.h"

#include <QImage>
#include <QPainter>

// Exported by QtWidgets; the blur behind QGraphicsBlurEffect.
Q_DECL_IMPORT void qt_blurImage(
    QPainter *p, QImage &blurImage, qreal radius, bool quality, bool alphaOnly, int transposed = 0);

CustomShadowEffect::CustomShadowEffect(QObject *parent)
    : QGraphicsEffect(parent)
{ }

void CustomShadowEffect::setDistance(double value)
{
    distance = value;
    updateBoundingRect();
}

void CustomShadowEffect::setBlurRadius(double value)
{
    blurRadius = value;
    updateBoundingRect();
}

QRectF CustomShadowEffect::boundingRectFor(const QRectF &rect) const
{
    const qreal d = distance + blurRadius;
    return rect.united(rect.adjusted(-d, -d, d, d));
}

void CustomShadowEffect::draw(QPainter *painter)
{
    if (distance + blurRadius <= 0) {
        drawSource(painter);
        return;
    }

    QPoint offset;
    const QPixmap px = sourcePixmap(
        Qt::LogicalCoordinates, &offset, QGraphicsEffect::PadToEffectiveBoundingRect);
    if (px.isNull())
        return;

    // The pixmap and its offset are in the source's logical coordinates, so
    // they are drawn under the painter's own transform: resetting it would
    // drop the frame's position in its window and draw the frame and its
    // shadow displaced by that much.
    const QSize size(
        static_cast<int>(px.width() + 2 * distance), static_cast<int>(px.height() + 2 * distance));
    QImage tmp(size, QImage::Format_ARGB32_Premultiplied);
    tmp.fill(0);
    {
        QPainter tmpPainter(&tmp);
        tmpPainter.setCompositionMode(QPainter::CompositionMode_Source);
        tmpPainter.drawPixmap(QPointF(-distance, -distance),
            px.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }

    QImage blurred(tmp.size(), QImage::Format_ARGB32_Premultiplied);
    blurred.fill(0);
    {
        QPainter blurPainter(&blurred);
        qt_blurImage(&blurPainter, tmp, blurRadius, false, true);
    }
    tmp = blurred;

    {
        QPainter tmpPainter(&tmp);
        tmpPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tmpPainter.fillRect(tmp.rect(), color);
    }

    painter->drawImage(offset, tmp);
    painter->drawPixmap(offset, px);
}
