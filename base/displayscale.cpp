#include "base/displayscale.h"

#include <algorithm>
#include <cmath>

namespace DisplayScale {

double compute(double logicalDpiX, double logicalDpiY, const QRect &available)
{
    // QRect::width() is right - left + 1, as the rule expects.
    const int w = available.width();
    const int h = available.height();
    const double s = std::min(logicalDpiX, logicalDpiY) / 96.0;

    if (s * DesignWidth <= w && s * DesignHeight <= h)
        return s;
    if (s > 1.5 && w - 1 > 1494 && h - 1 > 984)
        return 1.5;
    if (w - 1 > 1245 && h - 1 > 820)
        return 1.25;
    return 1.0;
}

} // namespace DisplayScale
