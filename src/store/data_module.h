#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// A query that shows the rows of one category in a grid: its SQL text and the row
// it is positioned on. The grids of the desktop program read it through a lazy model.
struct ItemQuery
{
    QString sql;
    QString keyColumn;       // column that locating and re-reading match on
    QVariant locateValue;    // key value of the row to stand on after (re)opening
    bool open = false;
};

// The data module: the one connection to the store and the statement objects on it.
class TDm
{
public:
    TDm();
    ~TDm();
    TDm(const TDm &) = delete;
    TDm &operator=(const TDm &) = delete;

    QSqlDatabase Adc() const;
    QString connectionName() const { return m_connectionName; }

    // The shared statement object for every statement that is not an item or staging query.
    QSqlQuery &AdqExec();

    ItemQuery AdqBase;
    ItemQuery AdqBaby;
    ItemQuery AdqPP;
    ItemQuery AdqIm;
    ItemQuery AdqEx;

    // Forgets the statement object; called when the connection is replaced.
    void dropStatements();

    // Runs one statement on AdqExec with bound values; throws StoreError on failure.
    QSqlQuery &exec(const QString &sql, const QVariantList &values = {});
    // Runs a select on AdqExec and returns the first column of the first row (null when none).
    QVariant scalar(const QString &sql, const QVariantList &values = {});
    // Runs a select on AdqExec and returns the first column of every row.
    QVariantList column(const QString &sql, const QVariantList &values = {});

    // Bulk work runs inside one transaction; inner levels are savepoints, the outermost commits.
    // A failed begin still counts as a level: end it with rollbackWork.
    bool beginWork(QString *error = nullptr);
    bool commitWork(QString *error = nullptr);
    void rollbackWork();

private:
    QString m_connectionName;
    QSqlQuery *m_exec = nullptr;
    int m_workDepth = 0;
};

// Failures of store statements. Operations with a success flag catch it and return its text.
class StoreError
{
public:
    explicit StoreError(QString message) : m_message(std::move(message)) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// Text of a yes/no start-up question and of an error notice.
QString QuestionErrorText(const QString &title, const QString &detail);
QString NoticeErrorText(const QString &title, const QString &detail);
QString ContactBlock();

// The connection string used for a database file.
QString DatabaseConnectionString(const QString &path);

bool CreateDatabase(const QString &path, QString &error);
bool OpenDatabase(TDm &dm, const QString &path, QString &error);
bool ConnectDatabase(TDm &dm, const QString &connectionString, QString &error);
bool ExpectedTables(QStringList &names, QString &error);
bool FindTables(TDm &dm, const QStringList &names, QVector<bool> &present, QString &error);
bool CreateMissingTables(TDm &dm, const QStringList &names, QString &error);

// The whole start-up sequence of the store: create when missing, open, create missing tables.
bool BringUpStore(TDm &dm, const QString &path, QString &error);
