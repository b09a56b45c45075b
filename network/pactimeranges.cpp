#include "network/pactimeranges.h"

namespace PacTimeRanges {

namespace {

// Drops a trailing "GMT" and answers the moment to compare with: UTC when it
// was there, the local time otherwise.
QDateTime moment(QStringList &args, const QDateTime &now)
{
    if (!args.isEmpty()
        && args.last().trimmed().compare(QLatin1String("GMT"), Qt::CaseInsensitive) == 0) {
        args.removeLast();
        return now.toUTC();
    }
    return now;
}

bool inRange(qint64 value, qint64 start, qint64 end, bool wraps)
{
    if (start <= end)
        return start <= value && value <= end;
    return wraps && (value >= start || value <= end);
}

int nameIndex(const QString &text, const char *const names[], int count)
{
    const QString name = text.trimmed().toUpper();
    for (int i = 0; i < count; ++i) {
        if (name == QLatin1String(names[i]))
            return i;
    }
    return -1;
}

bool number(const QString &text, int low, int high, int *value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok && *value >= low && *value <= high;
}

enum Kind
{
    Day,
    Month,
    Year
};

struct Field
{
    Kind kind;
    int value;
};

bool dateField(const QString &text, Field *field)
{
    static const char *const months[]
        = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const int month = nameIndex(text, months, 12);
    if (month >= 0) {
        *field = {Month, month + 1};
        return true;
    }
    int value = 0;
    if (number(text, 1, 31, &value)) {
        *field = {Day, value};
        return true;
    }
    if (number(text, 1000, 9999, &value)) {
        *field = {Year, value};
        return true;
    }
    return false;
}

// Orders dates by the fields a range names: year before month before day.
qint64 dateKey(const QList<Field> &fields)
{
    qint64 key = 0;
    for (const Field &field : fields) {
        const qint64 weight = field.kind == Year ? 10000 : field.kind == Month ? 100 : 1;
        key += weight * field.value;
    }
    return key;
}

QList<Kind> kindsOf(const QList<Field> &fields)
{
    QList<Kind> kinds;
    for (const Field &field : fields)
        kinds.append(field.kind);
    return kinds;
}

} // namespace

bool weekdayRange(QStringList args, const QDateTime &now)
{
    static const char *const days[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    const QDateTime at = moment(args, now);
    if (args.isEmpty() || args.size() > 2)
        return false;
    const int first = nameIndex(args.first(), days, 7);
    const int last = nameIndex(args.last(), days, 7);
    if (first < 0 || last < 0)
        return false;
    return inRange(at.date().dayOfWeek() % 7, first, last, true);
}

bool dateRange(QStringList args, const QDateTime &now)
{
    const QDateTime at = moment(args, now);
    const int n = args.size();
    if (n != 1 && n != 2 && n != 4 && n != 6)
        return false;
    QList<Field> fields;
    for (const QString &arg : qAsConst(args)) {
        Field field {};
        if (!dateField(arg, &field))
            return false;
        fields.append(field);
    }
    const QList<Field> start = n == 1 ? fields : fields.mid(0, n / 2);
    const QList<Field> end = n == 1 ? fields : fields.mid(n / 2);
    const QList<Kind> kinds = kindsOf(start);
    const QList<QList<Kind>> forms
        = {{Day}, {Month}, {Year}, {Day, Month}, {Month, Year}, {Day, Month, Year}};
    if (kindsOf(end) != kinds || !forms.contains(kinds))
        return false;

    QList<Field> today;
    for (Kind kind : kinds) {
        const QDate date = at.date();
        today.append({kind,
            kind == Year        ? date.year()
                : kind == Month ? date.month()
                                : date.day()});
    }
    return inRange(dateKey(today), dateKey(start), dateKey(end), !kinds.contains(Year));
}

bool timeRange(QStringList args, const QDateTime &now)
{
    const QDateTime at = moment(args, now);
    const int n = args.size();
    if (n != 1 && n != 2 && n != 4 && n != 6)
        return false;
    // Fields per end of the range: hours, then minutes, then seconds.
    const int perEnd = n <= 2 ? 1 : n / 2;
    QList<int> values;
    for (int i = 0; i < n; ++i) {
        int value = 0;
        if (!number(args.at(i), 0, i % perEnd == 0 ? 23 : 59, &value))
            return false;
        values.append(value);
    }
    const auto key = [perEnd](int h, int m, int s) {
        return perEnd == 1 ? h : perEnd == 2 ? h * 60 + m : h * 3600 + m * 60 + s;
    };
    const QTime t = at.time();
    const int firstEnd = n == 1 ? 0 : perEnd;
    const qint64 start = key(values.value(0), values.value(1), values.value(2));
    const qint64 end
        = key(values.value(firstEnd), values.value(firstEnd + 1), values.value(firstEnd + 2));
    return inRange(key(t.hour(), t.minute(), t.second()), start, end, true);
}

} // namespace PacTimeRanges
