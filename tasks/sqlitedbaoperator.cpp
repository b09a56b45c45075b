#include "tasks/sqlitedbaoperator.h"

#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace {

// Another copy of the program may hold a write lock on the same file; wait
// for it rather than lose the write.
const char *const kConnectOptions = "QSQLITE_BUSY_TIMEOUT=15000";

const char *const kCreateStatement
    = "create table student1(uniqueID text primary key,id int , agentCmd text,bestaudio_id text,   "
      " "
      "cmd text, duration int,eta  text,ext text,filesize int,limitRate text,path text,process int,"
      "process_status int,    process_string text,qfilesize text,qianruzimu text,quality text,"
      "quality_num int,rate text,renametargetPath text,    renametitle text,status text,targetPath "
      "text,thumbnailUrl text,title text,url text,zhuanhuan text,zimu text,biaoji int)";

const char *const kInsertStatement
    = "INSERT INTO student1 VALUES (:uniqueID,:id,:agentCmd,:bestaudio_id,:cmd,:duration,:eta,:ext,"
      ":filesize,:limitRate,:path,:process,:process_status,:process_string,:qfilesize,:qianruzimu,"
      ":quality,:quality_num,:rate,:renametargetPath,:renametitle,:status,:targetPath,:"
      "thumbnailUrl,"
      ":title,:url,:zhuanhuan,:zimu,:biaoji)";

const char *const kUpdateStatement
    = "update student1 set id = :id,agentCmd = :agentCmd,bestaudio_id =:bestaudio_id,cmd =:cmd,"
      "duration = :duration,                  eta = :eta,ext = :ext,filesize = :filesize,"
      "limitRate = :limitRate,path = :path,process = :process,                  "
      "process_status = :process_status,process_string = :process_string,qfilesize = :qfilesize,"
      "qianruzimu = :qianruzimu,                  quality = :quality,quality_num = :quality_num,"
      "rate = :rate,renametargetPath = :renametargetPath,                  "
      "renametitle = :renametitle,status = :status,targetPath = :targetPath,"
      "thumbnailUrl = :thumbnailUrl,title = :title,                  url = :url,"
      "zhuanhuan = :zhuanhuan,zimu = :zimu ,biaoji = :biaoji where uniqueID = :uniqueID";

// The fields a record loaded for the list holds, and the ones it leaves out.
// The link is held only where the row shows it (no title yet, or a task that
// waits for or failed its analysis); elsewhere it is read when asked for.
// Rows are found by SQLite's row number, which stays while the program runs
// (it never rebuilds the table).
// The output base name (renametitle) is read to index it (readNamesakes),
// not kept.
const char *const kSelectListedStatement
    = "select rowid,duration,process,process_status,process_string,qfilesize,"
      "title,case when ifnull(process_status,0) <= 1 or process_status = 8 "
      "or ifnull(title,'') = '' then url end,biaoji,renametitle";
// Its columns, in order.
enum ListedColumn
{
    ListedRow,
    ListedDuration,
    ListedProcess,
    ListedStatus,
    ListedPercent,
    ListedSize,
    ListedTitle,
    ListedUrl,
    ListedBiaoji,
    ListedName,
    ListedUniqueId, // only when asked for
};

const char *const kSelectDetailsStatement
    = "select agentCmd,bestaudio_id,cmd,eta,ext,filesize,limitRate,path,qianruzimu,quality,"
      "quality_num,rate,renametargetPath,status,zhuanhuan,zimu,uniqueID,url,thumbnailUrl,"
      "targetPath,renametitle "
      "from student1 where rowid = :row";

const char *const kSelectLinkStatement = "select url from student1 where rowid = :row";

const char *const kUpdateListedStatement
    = "update student1 set id = :id,duration = :duration,process = :process,"
      "process_status = :process_status,process_string = :process_string,qfilesize = :qfilesize,"
      "status = :status,title = :title,biaoji = :biaoji where rowid = :row";

void bindListedFields(QSqlQuery &q, const ItemInfo *t)
{
    q.bindValue(QStringLiteral(":row"), t->storedRow);
    q.bindValue(QStringLiteral(":id"), static_cast<uint>(t->id));
    q.bindValue(QStringLiteral(":duration"), t->duration);
    q.bindValue(QStringLiteral(":process"), t->process);
    q.bindValue(QStringLiteral(":process_status"), t->process_status);
    q.bindValue(QStringLiteral(":process_string"), t->process_string);
    q.bindValue(QStringLiteral(":qfilesize"), t->qfilesize);
    q.bindValue(QStringLiteral(":status"), t->status);
    q.bindValue(QStringLiteral(":title"), t->title);
    q.bindValue(QStringLiteral(":biaoji"), t->biaoji);
}

void bindTask(QSqlQuery &q, const ItemInfo *t)
{
    q.bindValue(QStringLiteral(":uniqueID"), t->uniqueID);
    q.bindValue(QStringLiteral(":id"), static_cast<uint>(t->id));
    q.bindValue(QStringLiteral(":agentCmd"), t->agentCmd);
    q.bindValue(QStringLiteral(":bestaudio_id"), t->bestaudio_id);
    q.bindValue(QStringLiteral(":cmd"), t->cmd);
    q.bindValue(QStringLiteral(":duration"), t->duration);
    q.bindValue(QStringLiteral(":eta"), t->eta);
    q.bindValue(QStringLiteral(":ext"), t->ext);
    q.bindValue(QStringLiteral(":filesize"), t->filesize);
    q.bindValue(QStringLiteral(":limitRate"), t->limitRate);
    q.bindValue(QStringLiteral(":path"), t->path);
    q.bindValue(QStringLiteral(":process"), t->process);
    q.bindValue(QStringLiteral(":process_status"), t->process_status);
    q.bindValue(QStringLiteral(":process_string"), t->process_string);
    q.bindValue(QStringLiteral(":qfilesize"), t->qfilesize);
    q.bindValue(QStringLiteral(":qianruzimu"), t->qianruzimu);
    q.bindValue(QStringLiteral(":quality"), t->quality);
    q.bindValue(QStringLiteral(":quality_num"), t->quality_num);
    q.bindValue(QStringLiteral(":rate"), t->rate);
    q.bindValue(QStringLiteral(":renametargetPath"), t->renametargetPath);
    q.bindValue(QStringLiteral(":renametitle"), t->renametitle);
    q.bindValue(QStringLiteral(":status"), t->status);
    q.bindValue(QStringLiteral(":targetPath"), t->targetPath);
    q.bindValue(QStringLiteral(":thumbnailUrl"), t->thumbnailUrl);
    q.bindValue(QStringLiteral(":title"), t->title);
    q.bindValue(QStringLiteral(":url"), t->url);
    q.bindValue(QStringLiteral(":zhuanhuan"), t->zhuanhuan);
    q.bindValue(QStringLiteral(":zimu"), t->zimu);
    q.bindValue(QStringLiteral(":biaoji"), t->biaoji);
}

// The integer columns may hold a fraction (SQLite keeps 212.7 as written);
// the fraction is dropped, never rounded up.
double wholeNumber(const QVariant &v)
{
    return std::trunc(v.toDouble());
}

// A long history repeats a few texts in every record (folders, options,
// status words): each distinct text is kept once and shared by the records.
class SharedTexts
{
public:
    QString operator()(const QVariant &value)
    {
        const QString text = value.toString();
        if (text.isEmpty())
            return QString();
        auto it = m_texts.constFind(text);
        if (it == m_texts.constEnd())
            it = m_texts.insert(text);
        return *it;
    }

private:
    QSet<QString> m_texts;
};

// The status words of loaded tasks, looked up once per load.
struct LoadedWords
{
    QString pause = TaskStatus::pause();
    QString finished = TaskStatus::finished();
    QString failed = TaskStatus::downloadFailed();
};

// Tasks that were waiting, analysing or downloading come back paused; a
// download that was cut short comes back analysed, with its command intact.
void normaliseLoadedState(ItemInfo *t, const LoadedWords &words)
{
    const int code = t->process_status;
    if (code <= TaskStatus::Analysing) {
        t->process_status = TaskStatus::WaitingForAnalysis;
        t->status = words.pause;
        t->active = false;
    } else if (code <= TaskStatus::PostProcessing) {
        t->process_status = TaskStatus::WaitingForDownload;
        t->status = words.pause;
        t->active = false;
    } else if (code == TaskStatus::Finished) {
        t->status = words.finished;
    } else if (code == TaskStatus::DownloadFailed || code == TaskStatus::AnalysisFailed) {
        t->status = words.failed;
    }
}

} // namespace

SqliteDBAOperator::SqliteDBAOperator(QObject *parent)
    : QObject(parent)
{
    setUp(defaultDatabasePath());
}

SqliteDBAOperator::SqliteDBAOperator(const QString &databasePath, QObject *parent)
    : QObject(parent)
{
    setUp(databasePath);
}

QString SqliteDBAOperator::defaultDatabasePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/MACAddrs.db");
}

void SqliteDBAOperator::setUp(const QString &databasePath)
{
    if (QSqlDatabase::contains(QSqlDatabase::defaultConnection)) {
        database = QSqlDatabase::database(QSqlDatabase::defaultConnection);
        return;
    }
    database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    database.setDatabaseName(databasePath);
    database.setConnectOptions(QLatin1String(kConnectOptions));
    qDebug() << "dbname ==" << databasePath;
}

bool SqliteDBAOperator::openDatabase()
{
    if (database.isOpen())
        return true;
    if (!database.open()) {
        qDebug() << "Error: Failed to connect database." << database.lastError().text();
        return false;
    }
    // The table is read in one pass or a row at a time by its number: a
    // small page cache serves both, where the default would keep 2 MB of a
    // long history's pages for nothing.
    QSqlQuery(database).exec(QStringLiteral("PRAGMA cache_size = -256"));
    return true;
}

SqliteDBAOperator::~SqliteDBAOperator() = default;

void SqliteDBAOperator::closeDatabase()
{
    m_detailsQuery.reset();
    m_linkQuery.reset();
    database.close();
}

bool SqliteDBAOperator::hasTaskTable() const
{
    return database.tables().contains(QStringLiteral("student1"), Qt::CaseSensitive);
}

bool SqliteDBAOperator::createTaskTable()
{
    QSqlQuery q(database);
    if (!q.exec(QLatin1String(kCreateStatement))) {
        qDebug() << "Error: Fail to create table." << q.lastError().text();
        return false;
    }
    qDebug() << "Table created!";
    return true;
}

bool SqliteDBAOperator::prepare()
{
    const bool opened = openDatabase();
    if (!hasTaskTable())
        return createTaskTable() && opened;
    qDebug() << "数据表已存在";
    return opened;
}

SqliteDBAOperator::Opened SqliteDBAOperator::prepareOrRecover()
{
    Opened result;
    if (prepare()) {
        QSqlQuery check(database);
        if (check.exec(QStringLiteral("PRAGMA quick_check")) && check.next()
            && check.value(0).toString() == QLatin1String("ok")) {
            result.ok = true;
            return result;
        }
    }
    const QString path = database.databaseName();
    if (!QFileInfo::exists(path))
        return result; // nothing to keep: the folder cannot take a database
    closeDatabase();
    const QString aside = path + QStringLiteral(".damaged-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    if (!QFile::rename(path, aside)) {
        qDebug() << "Error: the damaged database cannot be moved aside:" << path;
        return result;
    }
    qDebug() << "damaged task database kept as" << aside;
    result.keptAside = aside;
    result.ok = prepare();
    return result;
}

bool SqliteDBAOperator::insertTask(const ItemInfo *task)
{
    QSqlQuery q(database);
    q.prepare(QLatin1String(kInsertStatement));
    bindTask(q, task);
    if (!q.exec()) {
        qDebug() << "Error: Fail to insert data." << q.lastError().text();
        return false;
    }
    qDebug() << "insert data success!";
    return true;
}

bool SqliteDBAOperator::updateTask(const ItemInfo *task)
{
    QSqlQuery q(database);
    // The fields a record does not hold are kept as stored, never blanked.
    if (task->detailsLoaded) {
        q.prepare(QLatin1String(kUpdateStatement));
        bindTask(q, task);
    } else {
        q.prepare(QLatin1String(kUpdateListedStatement));
        bindListedFields(q, task);
    }
    if (!q.exec()) {
        qDebug() << q.lastError().text();
        return false;
    }
    qDebug() << "updated!";
    return true;
}

int SqliteDBAOperator::loadTasks(QList<ItemInfo *> &list)
{
    const int first = list.size();
    const int loaded = loadListedTasks(list);
    for (int i = first; i < list.size(); ++i)
        readDetails(list.at(i));
    return loaded;
}

int SqliteDBAOperator::loadListedTasks(
    QList<ItemInfo *> &list, const QSet<QString> &skip, const QSet<qint64> &skipRows)
{
    // The unique id is read only to leave out tasks the caller holds: a
    // restored record does not keep it, and fetching it costs a text per row.
    const bool byId = !skip.isEmpty();
    QSqlQuery q(database);
    q.setForwardOnly(true);
    if (!q.exec(QLatin1String(kSelectListedStatement)
            + (byId ? QStringLiteral(",uniqueID from student1")
                    : QStringLiteral(" from student1")))) {
        qDebug() << q.lastError().text();
        return 0;
    }
    int counter = 0;
    SharedTexts shared;
    const LoadedWords words;
    while (q.next()) {
        if (q.value(ListedBiaoji).toInt() == 0)
            continue; // deleted by the user: never listed again
        const qint64 row = q.value(ListedRow).toLongLong();
        if ((!skipRows.isEmpty() && skipRows.contains(row))
            || (byId && skip.contains(q.value(ListedUniqueId).toString())))
            continue;
        auto *t = new ItemInfo;
        t->detailsLoaded = false;
        t->storedRow = row;
        t->duration = wholeNumber(q.value(ListedDuration));
        t->process = q.value(ListedProcess).toInt();
        t->process_status = q.value(ListedStatus).toInt();
        t->process_string = shared(q.value(ListedPercent));
        t->qfilesize = shared(q.value(ListedSize));
        t->title = q.value(ListedTitle).toString();
        t->url = q.value(ListedUrl).toString();
        const QString name = q.value(ListedName).toString();
        if (!name.isEmpty())
            m_restoredNames.append(qHash(name.toCaseFolded()));
        t->biaoji = true;
        t->id = counter++;
        normaliseLoadedState(t, words);
        list.append(t);
    }
    std::sort(m_restoredNames.begin(), m_restoredNames.end());
    return counter;
}

void SqliteDBAOperator::readNamesakes(const QString &name, const QList<ItemInfo *> &tasks)
{
    if (name.isEmpty()
        || !std::binary_search(
            m_restoredNames.cbegin(), m_restoredNames.cend(), qHash(name.toCaseFolded())))
        return;
    // Case variants have as many characters: SQLite narrows the rows down,
    // Qt's comparison knows every alphabet's cases.
    QSqlQuery q(database);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("select rowid,renametitle from student1 where biaoji != 0 "
                             "and length(renametitle) = length(:name)"));
    q.bindValue(QStringLiteral(":name"), name);
    if (!q.exec()) {
        qDebug() << q.lastError().text();
        return;
    }
    QSet<qint64> rows;
    while (q.next()) {
        if (q.value(1).toString().compare(name, Qt::CaseInsensitive) == 0)
            rows.insert(q.value(0).toLongLong());
    }
    q.finish();
    if (rows.isEmpty())
        return;
    for (ItemInfo *t : tasks) {
        if (!t->detailsLoaded && rows.contains(t->storedRow))
            readDetails(t);
    }
}

QString SqliteDBAOperator::storedLink(const ItemInfo *t)
{
    if (t->detailsLoaded || !t->url.isEmpty())
        return t->url;
    if (!m_linkQuery) {
        m_linkQuery = std::make_unique<QSqlQuery>(database);
        m_linkQuery->prepare(QLatin1String(kSelectLinkStatement));
    }
    QSqlQuery &q = *m_linkQuery;
    q.bindValue(QStringLiteral(":row"), t->storedRow);
    const QString link = q.exec() && q.next() ? q.value(0).toString() : QString();
    q.finish();
    return link;
}

bool SqliteDBAOperator::readDetails(ItemInfo *t)
{
    if (t->detailsLoaded)
        return true;
    if (!m_detailsQuery) {
        m_detailsQuery = std::make_unique<QSqlQuery>(database);
        m_detailsQuery->prepare(QLatin1String(kSelectDetailsStatement));
    }
    QSqlQuery &q = *m_detailsQuery;
    q.bindValue(QStringLiteral(":row"), t->storedRow);
    const bool found = q.exec() && q.next();
    // The statement is kept, its result set is not (it would hold a read lock).
    const auto finish = qScopeGuard([&q] { q.finish(); });
    if (!found) {
        qDebug() << "task details not read: row" << t->storedRow << q.lastError().text();
        return false;
    }
    t->uniqueID = q.value(16).toString();
    t->agentCmd = q.value(0).toString();
    t->bestaudio_id = q.value(1).toString();
    t->cmd = q.value(2).toString();
    t->eta = q.value(3).toString();
    t->ext = q.value(4).toString();
    t->filesize = wholeNumber(q.value(5));
    t->limitRate = q.value(6).toString();
    t->path = q.value(7).toString();
    t->qianruzimu = q.value(8).toString();
    t->quality = q.value(9).toString();
    t->quality_num = q.value(10).toInt();
    t->rate = q.value(11).toString();
    t->renametargetPath = q.value(12).toString();
    // Known status codes got their word when the task was loaded.
    if (t->status.isEmpty())
        t->status = q.value(13).toString();
    t->zhuanhuan = q.value(14).toString();
    t->zimu = q.value(15).toString();
    t->url = q.value(17).toString();
    t->thumbnailUrl = q.value(18).toString();
    t->targetPath = q.value(19).toString();
    t->renametitle = q.value(20).toString();
    t->detailsLoaded = true;
    return true;
}
