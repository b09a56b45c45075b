#pragma once

class QWidget;

namespace DisplayScale {

// Multiplies the geometry of every descendant of root (absolute design
// geometry) by scale, rounding each value to the nearest integer.
void scaleChildGeometry(QWidget *root, double scale);

} // namespace DisplayScale
