#pragma once

// Paging of the download list by the mouse wheel: five rows per step.
namespace WheelPaging {

// The scroll value after one wheel step of delta (eighths of a degree,
// negative toward the user): a delta of -7 or more pages five rows toward the
// newest (not below minimum), a smaller one five rows toward the oldest (not
// above maximum).
int pagedValue(int value, int minimum, int maximum, int delta);

} // namespace WheelPaging
