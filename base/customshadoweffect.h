#pragma once

#include <QColor>
#include <QGraphicsEffect>

// The drop shadow drawn around a frameless window's base frame: the source's
// alpha, blurred and grown by `distance` on every side, filled with `color`.
class CustomShadowEffect : public QGraphicsEffect
{
    Q_OBJECT

public:
    explicit CustomShadowEffect(QObject *parent = nullptr);

    QRectF boundingRectFor(const QRectF &rect) const override;

    void setDistance(double value);
    double getDistance() const { return distance; }
    void setBlurRadius(double value);
    double getBlurRadius() const { return blurRadius; }
    void setColor(const QColor &value) { color = value; }
    QColor getColor() const { return color; }

protected:
    void draw(QPainter *painter) override;

private:
    double distance = 4.0;
    double blurRadius = 10.0;
    QColor color = QColor(0, 0, 0, 80);
};
