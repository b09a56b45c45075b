#pragma once

#include <QRect>

// The main window is designed at 997 x 657 pixels. The scale is the screen's
// DPI ratio when the window fits at that ratio, otherwise the largest of 1.5,
// 1.25 and 1.0 that the available area allows.
namespace DisplayScale {

constexpr int DesignWidth = 997;
constexpr int DesignHeight = 657;

double compute(double logicalDpiX, double logicalDpiY, const QRect &available);

} // namespace DisplayScale
