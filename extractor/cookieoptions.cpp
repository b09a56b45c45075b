#include "extractor/cookieoptions.h"

#include "base/appfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <QVariant>

namespace CookieOptions {

namespace {

SettingsStore::CookieSettings g_choice;

const char *const kRefusal = "quillonCookieRefusal";

// Removes a run's private copy when the run has ended or its process is gone.
class PrivateCopy : public QObject
{
public:
    PrivateCopy(QProcess *process, const QString &path)
        : QObject(process)
        , m_path(path)
    {
        connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &QObject::deleteLater);
    }
    ~PrivateCopy() override { QFile::remove(m_path); }

private:
    QString m_path;
};

// The extractor expands "~", "$NAME" and "%NAME%" in a cookies path, so the
// copy lives in a folder whose path holds none of them.
bool usableFolder(const QString &folder)
{
    return !folder.isEmpty() && !folder.startsWith(QLatin1Char('~'))
        && !folder.contains(QLatin1Char('$')) && !folder.contains(QLatin1Char('%'))
        && QDir().mkpath(folder);
}

QString privateCopy(const QString &userFile)
{
    QFile source(userFile);
    if (!source.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray content = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return QString();
    for (const QString &folder : {AppFolders::locate().cookiesDir, QDir::tempPath()}) {
        if (!usableFolder(folder))
            continue;
        // Created readable by the user alone.
        QTemporaryFile copy(QDir(folder).filePath(QStringLiteral("run-XXXXXX.txt")));
        if (!copy.open())
            continue;
        if (copy.write(content) != content.size() || !copy.flush())
            continue; // removed with copy
        copy.setAutoRemove(false);
        return QDir::cleanPath(QFileInfo(copy.fileName()).absoluteFilePath());
    }
    return QString();
}

bool refuse(QProcess *process, CookieFailure::Kind kind)
{
    process->setProperty(kRefusal, static_cast<int>(kind));
    return false;
}

} // namespace

QList<Browser> browsers()
{
    QList<Browser> list = {{QStringLiteral("firefox"), QStringLiteral("Firefox")},
        {QStringLiteral("chrome"), QStringLiteral("Chrome")},
        {QStringLiteral("chromium"), QStringLiteral("Chromium")},
        {QStringLiteral("edge"), QStringLiteral("Edge")},
        {QStringLiteral("brave"), QStringLiteral("Brave")},
        {QStringLiteral("opera"), QStringLiteral("Opera")},
        {QStringLiteral("vivaldi"), QStringLiteral("Vivaldi")},
        {QStringLiteral("whale"), QStringLiteral("Whale")}};
#ifdef Q_OS_MACOS
    list.append({QStringLiteral("safari"), QStringLiteral("Safari")});
#endif
    return list;
}

bool isKnownBrowser(const QString &name)
{
    for (const Browser &b : browsers()) {
        if (b.name == name)
            return true;
    }
    return false;
}

QString browserLabel(const QString &name)
{
    for (const Browser &b : browsers()) {
        if (b.name == name)
            return b.label;
    }
    return name;
}

bool looksLikeCookiesFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The extractor looks for this header in the first line and nowhere else.
    const QByteArray first = file.readLine(4096);
    return first.contains("# Netscape HTTP Cookie File") || first.contains("# HTTP Cookie File");
}

void setChoice(const SettingsStore::CookieSettings &choice)
{
    g_choice = choice;
}

SettingsStore::CookieSettings choice()
{
    return g_choice;
}

bool addToRun(QProcess *process, QStringList *arguments)
{
    process->setProperty(kRefusal, QVariant());
    // Whatever ran on process before has ended: its copy goes now, even when
    // nobody heard that run end.
    const auto children = process->findChildren<QObject *>(QString(), Qt::FindDirectChildrenOnly);
    for (QObject *child : children)
        delete dynamic_cast<PrivateCopy *>(child);

    const SettingsStore::CookieSettings c = g_choice;
    if (c.source == 1) {
        // "::" would make the rest of the profile a container name.
        if (!isKnownBrowser(c.browser) || c.profile.contains(QStringLiteral("::")))
            return refuse(process, CookieFailure::NotFound);
        *arguments << QStringLiteral("--cookies-from-browser")
                   << (c.profile.isEmpty() ? c.browser : c.browser + QLatin1Char(':') + c.profile);
    } else if (c.source == 2) {
        const QString copy = privateCopy(c.file);
        if (copy.isEmpty())
            return refuse(process, CookieFailure::Unreadable);
        new PrivateCopy(process, copy);
        *arguments << QStringLiteral("--cookies") << copy;
    }
    return true;
}

CookieFailure::Kind refusal(const QProcess *process)
{
    return static_cast<CookieFailure::Kind>(process->property(kRefusal).toInt());
}

QByteArray forDebugPrint(const QByteArray &output)
{
    // Chunks end anywhere, so a document's cookie value may begin one; only
    // whole error and warning lines are shown, and never a cookies file's.
    QByteArray shown = QByteArray::number(output.size()) + " bytes";
    for (const QByteArray &raw : output.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (!line.startsWith("ERROR:") && !line.startsWith("WARNING:"))
            continue;
        const int entry = line.toLower().indexOf("cookie file entry");
        shown += '\n' + (entry < 0 ? line : line.left(entry) + "cookie file entry ...");
    }
    return shown;
}

} // namespace CookieOptions
