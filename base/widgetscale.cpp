#include "base/widgetscale.h"

#include <QWidget>
#include <cmath>

namespace DisplayScale {

static int scaledValue(int v, double scale)
{
    return static_cast<int>(std::lround(v * scale));
}

void scaleChildGeometry(QWidget *root, double scale)
{
    if (!root || scale == 1.0)
        return;
    const auto children = root->findChildren<QWidget *>();
    for (QWidget *child : children) {
        // Widgets managed by a layout or a stack are placed by their owner.
        if (child->isWindow() || (child->parentWidget() && child->parentWidget()->layout()))
            continue;
        const QRect g = child->geometry();
        child->setGeometry(scaledValue(g.x(), scale), scaledValue(g.y(), scale),
            scaledValue(g.width(), scale), scaledValue(g.height(), scale));
    }
}

} // namespace DisplayScale
