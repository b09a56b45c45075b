#pragma once

#include <QDateTime>
#include <QStringList>

// The calendar functions of proxy auto-config scripts. Each takes the
// script's arguments as text (numbers as "9", names as "MON") and the present
// moment in local time; a last argument "GMT" compares in UTC instead. Ranges
// include both ends at the precision given; where start lies after end the
// range runs over the turn of the week, year or day ("FRI", "MON" is Friday to
// Monday; 22, 6 is ten at night to a minute before seven). Wrong names,
// numbers out of range or a count of arguments that names no form answer
// false, never an error.
namespace PacTimeRanges {

// weekdayRange(wd1 [, wd2] [, "GMT"]) with "SUN" ... "SAT".
bool weekdayRange(QStringList args, const QDateTime &now);

// dateRange with a day (1..31), a month ("JAN" ... "DEC") or a four-digit year,
// alone or as a pair; or (day, month) pairs, (month, year) pairs, or
// (day, month, year) triples as start and end.
bool dateRange(QStringList args, const QDateTime &now);

// timeRange(hour), timeRange(hour1, hour2), timeRange(h1, m1, h2, m2) or
// timeRange(h1, m1, s1, h2, m2, s2).
bool timeRange(QStringList args, const QDateTime &now);

} // namespace PacTimeRanges
