#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool writeFile(const QString &path, const QByteArray &data, bool executable)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size())
        return false;
    f.close();
    return !executable || f.setPermissions(f.permissions() | QFile::ExeOwner);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool processAlive(qint64 pid)
{
    const QByteArray line = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    return !line.isEmpty() && line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

QList<qint64> pidsIn(const QString &file)
{
    QList<qint64> pids;
    for (const QByteArray &word : readFile(file).simplified().split(' '))
        if (!word.isEmpty())
            pids << word.toLongLong();
    return pids;
}
