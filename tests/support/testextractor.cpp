#include "support/testextractor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

const char *const kVariable = "QUILLON_TEST_EXTRACTOR";

} // namespace

namespace TestExtractor {

int prepare()
{
    if (!isReleaseFile())
        return 0;
    const QFileInfo release(qEnvironmentVariable(kVariable));
    if (!release.isFile() || !release.isExecutable()) {
        std::printf("SKIP: no runnable extractor release at \"%s\" (CMake variable "
                    "QUILLON_CURRENT_EXTRACTOR); these tests did not run against it.\n",
            qPrintable(release.filePath()));
        return kSkipped;
    }
    QString home = qEnvironmentVariable("QUILLON_TEST_HOME");
    if (home.isEmpty())
        home = QDir::tempPath() + QStringLiteral("/quillon-test-extractor");
    const QString bin = home + QStringLiteral("/.extractor");
    const QString link = bin + QStringLiteral("/tool.exe");
    QDir().mkpath(bin);
    QFile::remove(link);
    if (!QFile::link(release.absoluteFilePath(), link)) {
        std::printf("FAIL: cannot link %s as %s\n", qPrintable(release.absoluteFilePath()),
            qPrintable(link));
        return 1;
    }
    qputenv("PATH", QFile::encodeName(bin) + ':' + qgetenv("PATH"));
    return 0;
}

bool isReleaseFile()
{
    return qEnvironmentVariableIsSet(kVariable);
}

} // namespace TestExtractor
