#include "extractor/extractorupdate.h"

#include "base/httprequest.h"
#include "extractor/extractorprobe.h"
#include "extractor/toolprocess.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cstdio>

namespace {

const char ChecksumsName[] = "SHA2-256SUMS";
const char SignatureName[] = "SHA2-256SUMS.sig";
// Release files are far below these; more is no release.
constexpr qint64 ListLimit = 1 << 20;
constexpr qint64 ProgramLimit = qint64(1) << 30;
constexpr int ChildTimeoutMs = 60000;

bool isLoopback(const QUrl &url)
{
    const QString host = url.host().toLower();
    return host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
}

// Puts from in the place of to. A plain rename replaces the old file in one
// step where the system allows it; elsewhere (a file in use on Windows) the
// old one is moved aside first and put back when the new one cannot follow.
bool replaceFile(const QString &from, const QString &to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    const QString aside = to + QStringLiteral(".previous");
    QFile::remove(aside);
    const bool hadOld = QFile::exists(to);
    if (hadOld && !QFile::rename(to, aside))
        return false;
    if (QFile::rename(from, to)) {
        QFile::remove(aside);
        return true;
    }
    if (hadOld)
        QFile::rename(aside, to);
    return false;
}

// Copies source to a private new file beside target (so that the final rename
// stays on one disk) and checks what was written against digest. The file's
// path, or "" (nothing is left then). The copy is closed on return: a file
// still open for writing cannot be started.
QString copyBeside(const QString &source, const QFileInfo &target, const QString &digest)
{
    QTemporaryFile copy(target.absolutePath() + QStringLiteral("/.") + target.fileName()
        + QStringLiteral(".new-XXXXXX"));
    copy.setAutoRemove(false);
    QFile from(source);
    if (!copy.open())
        return QString();
    const QString path = copy.fileName();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    bool written = from.open(QIODevice::ReadOnly);
    while (written && !from.atEnd()) {
        const QByteArray chunk = from.read(1 << 16);
        hash.addData(chunk);
        written = copy.write(chunk) == chunk.size();
    }
    written = written && copy.flush();
    if (!written || QString::fromLatin1(hash.result().toHex()) != digest) {
        copy.setAutoRemove(true);
        return QString();
    }
    return path;
}

} // namespace

ExtractorUpdate::ExtractorUpdate(QObject *parent)
    : QObject(parent)
    , m_address(ReleaseFiles::releaseAddress())
    , m_target(ToolProcess::updatedCopyPath())
    , m_key(ReleaseFiles::shippedKey())
{
    m_childLimit.setSingleShot(true);
    connect(&m_childLimit, &QTimer::timeout, this, [this] { m_child.kill(); });
    connect(&m_child, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
        [this](int, QProcess::ExitStatus) {
            m_childLimit.stop();
            if (!m_running)
                return;
            if (m_candidate.isEmpty())
                onSignatureChecked();
            else
                onTrialFinished();
        });
    connect(&m_child, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        // A child that never started ends nothing by itself.
        if (e == QProcess::FailedToStart)
            emit m_child.finished(-1, QProcess::CrashExit);
    });
}

ExtractorUpdate::~ExtractorUpdate()
{
    stop();
}

void ExtractorUpdate::setReleaseAddress(const QString &address)
{
    m_address = address.endsWith(QLatin1Char('/')) ? address : address + QLatin1Char('/');
}

bool ExtractorUpdate::start()
{
    m_refusal.clear();
    if (m_running) {
        m_refusal = tr("The extractor is being updated already.");
        return false;
    }
    const int downloads = m_runningDownloads ? m_runningDownloads() : 0;
    if (downloads > 0) {
        m_refusal = tr("Downloads are running (%1). The extractor can be updated when none "
                       "runs: wait until they have finished or pause them, then choose "
                       "\"Update extractor\" again.")
                        .arg(downloads);
        return false;
    }
    if (!ReleaseFiles::addressAllowed(QUrl(m_address))) {
        m_refusal = tr("The release address %1 is not used: releases are fetched over https only.")
                        .arg(m_address);
        return false;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("gpgv")).isEmpty()) {
        m_refusal = tr("The release cannot be checked: the signature checker gpgv is missing. "
                       "Install it (the Debian package \"gpgv\") and try again.");
        return false;
    }
    m_work = std::make_unique<QTemporaryDir>();
    if (!m_work->isValid()) {
        m_refusal = tr("No temporary folder could be made for the download.");
        m_work.reset();
        return false;
    }
    m_running = true;
    m_sums.clear();
    m_expected.clear();
    m_candidate.clear();
    emit stepChanged(Step::Checksums);
    fetch(QLatin1String(ChecksumsName), ListLimit, false);
    return true;
}

void ExtractorUpdate::cancel()
{
    if (!m_running)
        return;
    stop();
    emit finished(false, QString(), QString());
}

QString ExtractorUpdate::workPath(const QString &name) const
{
    return QDir(m_work->path()).filePath(name);
}

void ExtractorUpdate::fetch(const QString &name, qint64 limit, bool toFile)
{
    m_fetching = name;
    m_limit = limit;
    m_received = 0;
    m_buffer.clear();
    if (toFile) {
        m_hash.reset();
        m_file.setFileName(workPath(QStringLiteral("program")));
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            fail(tr("The download could not be written: %1.").arg(m_file.errorString()));
            return;
        }
    }

    const QUrl url = QUrl(m_address).resolved(QUrl(name));
    m_network.setProxy(
        isLoopback(url) ? QNetworkProxy(QNetworkProxy::NoProxy) : HttpRequest::detectedProxy());
    QNetworkRequest request(url);
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    m_reply = m_network.get(request);
    QNetworkReply *reply = m_reply;
    // The release folder hands its files on to a download host; every hop
    // must be as safe as the address itself.
    m_refusedRedirect.clear();
    connect(reply, &QNetworkReply::redirected, this, [this, reply](const QUrl &next) {
        if (ReleaseFiles::addressAllowed(next)) {
            emit reply->redirectAllowed();
        } else {
            m_refusedRedirect = next.toString();
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::readyRead, this, &ExtractorUpdate::onReadyRead);
    connect(reply, &QNetworkReply::finished, this, &ExtractorUpdate::onFetched);
    if (toFile)
        connect(reply, &QNetworkReply::downloadProgress, this, &ExtractorUpdate::progress);
}

void ExtractorUpdate::onReadyRead()
{
    if (!m_reply)
        return;
    const QByteArray data = m_reply->readAll();
    m_received += data.size();
    if (m_received > m_limit) {
        fail(tr("The release address answered with something other than a release (%1 is too "
                "large).")
                 .arg(m_fetching));
        return;
    }
    if (m_file.isOpen()) {
        m_hash.addData(data);
        if (m_file.write(data) != data.size())
            fail(tr("The download could not be written: %1.").arg(m_file.errorString()));
    } else {
        m_buffer += data;
    }
}

void ExtractorUpdate::onFetched()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    onReadyRead();
    if (!m_running)
        return;
    m_reply = nullptr;
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant declared = reply->header(QNetworkRequest::ContentLengthHeader);
    if (!m_refusedRedirect.isEmpty()) {
        fail(tr("The release address sent the download on to %1, which is not an https address.")
                 .arg(m_refusedRedirect));
        return;
    }
    // Checked first: a connection that breaks off may or may not count as an error.
    if (declared.isValid() && m_received < declared.toLongLong()) {
        fail(tr("The download of %1 was cut short.").arg(m_fetching));
        return;
    }
    if (reply->error() != QNetworkReply::NoError || status != 200) {
        const QString why
            = status >= 400 ? tr("the server answered %1").arg(status) : reply->errorString();
        fail(tr("%1 could not be downloaded from %2: %3.").arg(m_fetching, m_address, why));
        return;
    }

    if (m_fetching == QLatin1String(ChecksumsName)) {
        m_sums = m_buffer;
        fetch(QLatin1String(SignatureName), ListLimit, false);
    } else if (m_fetching == QLatin1String(SignatureName)) {
        checkSignature();
    } else {
        m_file.close();
        if (QString::fromLatin1(m_hash.result().toHex()) != m_expected) {
            fail(tr("The downloaded %1 does not match the checksum the release lists for it.")
                     .arg(m_fetching));
            return;
        }
        installCopy();
    }
}

void ExtractorUpdate::checkSignature()
{
    emit stepChanged(Step::Signature);
    const QByteArray keyring = ReleaseFiles::dearmor(m_key.armored);
    const auto save = [this](const QString &name, const QByteArray &data) {
        QFile file(workPath(name));
        return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
    };
    if (keyring.isEmpty()) {
        fail(tr("The program's copy of the extractor project's key is damaged."));
        return;
    }
    if (!save(QStringLiteral("trusted.gpg"), keyring) || !save(QLatin1String(ChecksumsName), m_sums)
        || !save(QLatin1String(SignatureName), m_buffer)) {
        fail(tr("The download could not be written to %1.").arg(m_work->path()));
        return;
    }
    // A home folder of its own: nothing of the user's keys takes part.
    m_child.setProcessChannelMode(QProcess::SeparateChannels);
    m_childLimit.start(ChildTimeoutMs);
    m_child.start(QStandardPaths::findExecutable(QStringLiteral("gpgv")),
        {QStringLiteral("--homedir"), m_work->path(), QStringLiteral("--status-fd"),
            QStringLiteral("1"), QStringLiteral("--keyring"),
            workPath(QStringLiteral("trusted.gpg")), workPath(QLatin1String(SignatureName)),
            workPath(QLatin1String(ChecksumsName))});
}

void ExtractorUpdate::onSignatureChecked()
{
    const QByteArray status = m_child.readAllStandardOutput();
    const bool good = m_child.exitStatus() == QProcess::NormalExit && m_child.exitCode() == 0
        && ReleaseFiles::signatureGood(status, m_key.fingerprint);
    if (!good) {
        qDebug() << "extractor release signature refused:" << status
                 << m_child.readAllStandardError();
        fail(tr("The release's checksum list is not signed with the extractor project's key."));
        return;
    }
    const QString name = ToolProcess::releaseProgramName();
    m_expected = ReleaseFiles::checksumFor(m_sums, name);
    if (m_expected.isEmpty()) {
        fail(tr("The release's checksum list names no %1.").arg(name));
        return;
    }
    emit stepChanged(Step::Program);
    fetch(name, ProgramLimit, true);
}

void ExtractorUpdate::installCopy()
{
    emit stepChanged(Step::Trying);
    const QFileInfo target(m_target);
    QDir().mkpath(target.absolutePath());
    m_candidate = copyBeside(m_file.fileName(), target, m_expected);
    if (m_candidate.isEmpty()) {
        fail(tr("The new extractor could not be saved in %1.").arg(target.absolutePath()));
        return;
    }
    QFile::setPermissions(m_candidate,
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser
            | QFile::ExeUser);
    m_child.setProcessChannelMode(QProcess::MergedChannels);
    m_childLimit.start(ChildTimeoutMs);
    m_child.start(m_candidate, {QStringLiteral("--version")}, QIODevice::ReadOnly);
}

void ExtractorUpdate::onTrialFinished()
{
    const QByteArray output = m_child.readAll();
    const QString version = ExtractorVersion::fromOutput(output);
    if (m_child.exitStatus() != QProcess::NormalExit || m_child.exitCode() != 0
        || version.isEmpty()) {
        qDebug() << "new extractor did not answer:" << m_child.errorString() << output.left(500);
        fail(tr("The new extractor does not run on this computer."));
        return;
    }
    if (!replaceFile(m_candidate, m_target)) {
        fail(tr("The new extractor could not be put in place of %1.").arg(m_target));
        return;
    }
    m_candidate.clear();
    succeed(version);
}

void ExtractorUpdate::succeed(const QString &version)
{
    stop();
    QString message = tr("The extractor was updated to version %1.").arg(version);
    // A tool.exe in the working or the program's folder comes first.
    const QString used
        = ToolProcess::resolveProgram(ToolProcess::toolName(), ToolProcess::defaultToolSearch());
    if (QDir::cleanPath(used) != QDir::cleanPath(QFileInfo(m_target).absoluteFilePath()))
        message += QLatin1Char(' ')
            + tr("It is not used while %1 is found first: remove that file to use the update.")
                  .arg(QDir::toNativeSeparators(used));
    emit finished(true, message, version);
}

void ExtractorUpdate::fail(const QString &reason)
{
    if (!m_running)
        return;
    stop();
    emit finished(
        false, reason + QLatin1Char(' ') + tr("The extractor in use is unchanged."), QString());
}

void ExtractorUpdate::stop()
{
    m_running = false;
    if (m_reply) {
        QNetworkReply *reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_childLimit.stop();
    if (m_child.state() != QProcess::NotRunning) {
        m_child.kill();
        m_child.waitForFinished(1000);
    }
    m_file.close();
    if (!m_candidate.isEmpty()) {
        QFile::remove(m_candidate);
        m_candidate.clear();
    }
    m_work.reset();
}
