#include "ui/wheelpaging.h"

#include <algorithm>

int WheelPaging::pagedValue(int value, int minimum, int maximum, int delta)
{
    if (delta >= -7)
        return std::max(value - 5, minimum);
    return value + 4 < maximum ? value + 5 : maximum;
}
