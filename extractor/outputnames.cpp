#include "extractor/outputnames.h"

#include "extractor/downloadcommand.h"
#include "tasks/iteminfo.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <limits>

namespace {

// Characters that become "_" in names taken from web pages: the thirteen
// that shells, URLs or some file system refuse, and every control or line
// separating character (a line feed in a name breaks most tools that list
// files).
bool isForbiddenNameChar(QChar c)
{
    static const QString forbidden = QStringLiteral(" &|#?/\\\"<>*:%");
    const QChar::Category category = c.category();
    return forbidden.contains(c) || category == QChar::Other_Control
        || category == QChar::Separator_Line || category == QChar::Separator_Paragraph;
}

QString replaceForbidden(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (isForbiddenNameChar(c))
            c = QLatin1Char('_');
    }
    return out;
}

// A name starting with a dot is hidden, and one of dots only names a folder
// that is not a new one.
void unhide(QString &name)
{
    for (QChar &c : name) {
        if (c != QLatin1Char('.'))
            break;
        c = QLatin1Char('_');
    }
}

void applyWindowsRules(QString &name)
{
    static const QRegularExpression reserved(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(name).hasMatch())
        name.prepend(QLatin1Char('_'));
    // Windows drops a trailing dot or blank, so the name would not be found.
    for (int i = name.size() - 1; i >= 0; --i) {
        if (name.at(i) != QLatin1Char('.') && name.at(i) != QLatin1Char(' '))
            break;
        name[i] = QLatin1Char('_');
    }
}

// Cuts at the last character boundary that keeps at most maxChars UTF-16
// units and maxBytes UTF-8 bytes.
QString cutWithin(const QString &text, int maxChars, int maxBytes)
{
    if (text.size() <= maxChars && text.size() * 3 <= maxBytes)
        return text;
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    int kept = 0;
    int bytes = 0;
    for (int next = boundaries.toNextBoundary(); next > 0; next = boundaries.toNextBoundary()) {
        const int more = text.midRef(kept, next - kept).toUtf8().size();
        if (next > maxChars || bytes + more > maxBytes)
            break;
        bytes += more;
        kept = next;
    }
    return text.left(kept);
}

QString finish(QString name, int maxChars, NameRules rules)
{
    unhide(name);
    if (rules == NameRules::Windows)
        applyWindowsRules(name);
    name = cutWithin(name, maxChars, kMaxNameBytes);
    if (rules == NameRules::Windows)
        applyWindowsRules(name); // the cut may end on a dot
    return name;
}

QString folderOf(const QString &path)
{
    return QDir::cleanPath(path.left(path.lastIndexOf(QLatin1Char('/')) + 1));
}

// Replaces the base name at the start of path's file name; "" when path's
// file name does not start with it.
QString renamed(const QString &path, const QString &oldName, const QString &newName)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (path.midRef(slash + 1).startsWith(oldName) == false)
        return QString();
    return path.left(slash + 1) + newName + path.mid(slash + 1 + oldName.size());
}

QString outputArgument(const QString &target)
{
    return QStringLiteral(" -o \"") + outputTemplateArgument(target) + QLatin1Char('"');
}

} // namespace

NameRules nativeNameRules()
{
#ifdef Q_OS_WIN
    return NameRules::Windows;
#else
    return NameRules::Posix;
#endif
}

QString cutToBytes(const QString &text, int maxBytes)
{
    return cutWithin(text, text.size(), maxBytes);
}

QString sanitizeTitle(const QString &title, const QString &prefix, NameRules rules)
{
    return finish(replaceForbidden(prefix + title), 80, rules);
}

QString sanitizeFolderName(const QString &name, NameRules rules)
{
    return finish(replaceForbidden(name), std::numeric_limits<int>::max(), rules);
}

bool giveDistinctName(ItemInfo *task, const QList<ItemInfo *> &tasks)
{
    const QString oldName = task->renametitle;
    if (oldName.isEmpty() || task->targetPath.isEmpty())
        return false;
    const Qt::CaseSensitivity names
        = nativeNameRules() == NameRules::Windows ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const QString folder = folderOf(task->targetPath);
    const QString link = task->url.trimmed();
    const bool taken = std::any_of(tasks.cbegin(), tasks.cend(), [&](const ItemInfo *other) {
        return other != task && other->url.trimmed() != link
            && other->renametitle.compare(oldName, names) == 0
            && folderOf(other->targetPath).compare(folder, names) == 0;
    });
    if (!taken)
        return false;

    const QString suffix = QStringLiteral("_[")
        + QString::fromLatin1(
            QCryptographicHash::hash(link.toUtf8(), QCryptographicHash::Sha1).toHex().left(8))
        + QLatin1Char(']');
    const QString newName = cutToBytes(oldName, kMaxNameBytes - suffix.size()) + suffix;
    const QString target = renamed(task->targetPath, oldName, newName);
    const QString finalTarget = renamed(task->renametargetPath, oldName, newName);
    QString cmd = task->cmd;
    const int at = cmd.indexOf(outputArgument(task->targetPath));
    if (target.isEmpty() || at < 0)
        return false; // not a command this program composed: left as it is
    cmd.replace(at, outputArgument(task->targetPath).size(), outputArgument(target));
    task->cmd = cmd;
    task->targetPath = target;
    if (!finalTarget.isEmpty())
        task->renametargetPath = finalTarget;
    task->renametitle = newName;
    return true;
}
