#pragma once

#include <QList>
#include <QObject>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

#include <memory>

class ItemInfo;
class QSqlQuery;

// Mirrors every task record, field for field, in table "student1" of
// "MACAddrs.db". Rows are written when a task is created and at every change
// of state; deleted tasks stay as rows with biaoji 0. Failures go to the debug
// output and are returned, never shown.
class SqliteDBAOperator : public QObject
{
    Q_OBJECT

public:
    // Uses the default connection, on the file in the user's data folder.
    explicit SqliteDBAOperator(QObject *parent = nullptr);
    // Same, on a database file of the caller's choice.
    SqliteDBAOperator(const QString &databasePath, QObject *parent = nullptr);
    ~SqliteDBAOperator() override;

    static QString defaultDatabasePath();

    bool openDatabase();
    void closeDatabase();
    bool hasTaskTable() const;
    bool createTaskTable();
    bool insertTask(const ItemInfo *task);
    // A record without its details writes only the fields it holds.
    bool updateTask(const ItemInfo *task);
    // Appends one new record per listed row, numbered from 0 in table order,
    // with the state normalised so that nothing runs by itself after a restart.
    // The caller owns the new records.
    int loadTasks(QList<ItemInfo *> &list);
    // The same with only the fields the download list shows and counts
    // (detailsLoaded false): a long history loads fast and stays small.
    // Rows whose uniqueID is in skip, or whose row is in skipRows, are left out.
    int loadListedTasks(
        QList<ItemInfo *> &list, const QSet<QString> &skip = {}, const QSet<qint64> &skipRows = {});
    // Reads the fields loadListedTasks left out, once; false when the row
    // cannot be read (the record stays as it is).
    bool readDetails(ItemInfo *task);
    // A new output name must differ from every listed task's, and records
    // restored without their details hold no output name: reads the details
    // of those in tasks whose stored name may equal name (the same or, for
    // Windows' sake, a case variant). Without such a record nothing is read.
    void readNamesakes(const QString &name, const QList<ItemInfo *> &tasks);
    // The task's link, read from its row when the record does not hold it
    // (the record stays as it is); empty when the row cannot be read.
    QString storedLink(const ItemInfo *task);

    // Opens the connection and creates the table when it is missing.
    bool prepare();

    // What opening found: ok is false when no usable database could be had;
    // keptAside names where a damaged file was moved before a fresh one was
    // started (a damaged file is never deleted).
    struct Opened
    {
        bool ok = false;
        QString keptAside;
    };
    // prepare(), and when the file cannot be read as a task database, keeps
    // it aside under a new name and starts a fresh one.
    Opened prepareOrRecover();
    QString databasePath() const { return database.databaseName(); }

private:
    void setUp(const QString &databasePath);

    QSqlDatabase database;
    // readDetails' statement, prepared once: start-all may read thousands.
    std::unique_ptr<QSqlQuery> m_detailsQuery;
    std::unique_ptr<QSqlQuery> m_linkQuery;
    // Hashes of the case-folded output names of the rows loaded without
    // their details, sorted: most new names are none of them, and those are
    // told without reading the table.
    QVector<uint> m_restoredNames;
};
