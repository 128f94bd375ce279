#include "data_module.h"

#include "connection_string.h"
#include "item_tables.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("Adc-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString errorText(const QSqlError &error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    if (!error.driverText().isEmpty() && !text.contains(error.driverText()))
        text = error.driverText() + QStringLiteral(": ") + text;
    return text.trimmed();
}

} // namespace

TDm::TDm()
    : m_connectionName(nextConnectionName())
{
}

TDm::~TDm()
{
    delete m_exec;
    m_exec = nullptr;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase TDm::Adc() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

QSqlQuery &TDm::AdqExec()
{
    if (!m_exec)
        m_exec = new QSqlQuery(Adc());
    return *m_exec;
}

void TDm::dropStatements()
{
    delete m_exec;
    m_exec = nullptr;
    m_workDepth = 0;
}

QSqlQuery &TDm::exec(const QString &sql, const QVariantList &values)
{
    QSqlQuery &q = AdqExec();
    q.finish();
    if (!q.prepare(sql))
        throw StoreError(errorText(q.lastError()));
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw StoreError(errorText(q.lastError()));
    return q;
}

QVariant TDm::scalar(const QString &sql, const QVariantList &values)
{
    QSqlQuery &q = exec(sql, values);
    QVariant result;
    if (q.next())
        result = q.value(0);
    q.finish();
    return result;
}

QVariantList TDm::column(const QString &sql, const QVariantList &values)
{
    QSqlQuery &q = exec(sql, values);
    QVariantList result;
    while (q.next())
        result << q.value(0);
    q.finish();
    return result;
}

// The outermost level is a transaction; inner levels are savepoints, so an inner
// failure can be undone without losing the outer work.
bool TDm::beginWork(QString *error)
{
    const int level = m_workDepth++;
    QSqlDatabase db = Adc();
    if (level == 0 && db.driverName() != QLatin1String("QSQLITE")) {
        if (db.transaction())
            return true;
        if (error)
            *error = errorText(db.lastError());
        return false;
    }
    // SQLite: take the write lock at once, while the busy timeout may still wait for another
    // running copy. A deferred transaction that has read first gets "database is locked" at
    // its first write without waiting.
    QSqlQuery q(db);
    if (q.exec(level == 0 ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT work%1").arg(level)))
        return true;
    if (error)
        *error = errorText(q.lastError());
    return false;
}

bool TDm::commitWork(QString *error)
{
    if (m_workDepth == 0)
        return true;
    const int level = --m_workDepth;
    if (level > 0) {
        QSqlQuery q(Adc());
        if (q.exec(QStringLiteral("RELEASE work%1").arg(level)))
            return true;
        if (error)
            *error = errorText(q.lastError());
        return false;
    }
    if (m_exec)
        m_exec->finish();
    QSqlDatabase db = Adc();
    if (db.commit())
        return true;
    if (error)
        *error = errorText(db.lastError());
    db.rollback();
    return false;
}

void TDm::rollbackWork()
{
    if (m_workDepth == 0)
        return;
    const int level = --m_workDepth;
    if (m_exec)
        m_exec->finish();
    if (level > 0) {
        QSqlQuery q(Adc());
        q.exec(QStringLiteral("ROLLBACK TO work%1").arg(level));
        q.exec(QStringLiteral("RELEASE work%1").arg(level));
        return;
    }
    Adc().rollback();
}

QString ContactBlock()
{
    return kCrLf + kCrLf + QStringLiteral("岚石通技术支持") + kCrLf
        + QStringLiteral("问题反馈：https://rowshift.example.org/support") + kCrLf
        + QStringLiteral("电子邮件：support@rowshift.example.org");
}

QString QuestionErrorText(const QString &title, const QString &detail)
{
    return title + kCrLf + detail + kCrLf + kCrLf
        + QStringLiteral("选择“是”：将退出程序，同时可查看该错误的相关解决方法；") + kCrLf
        + QStringLiteral("选择“否”：将退出程序。") + kCrLf + kCrLf
        + QStringLiteral("请尝试我们提供的解决方法处理一下，再重新打开软件，如果仍然无法运行，请联系我们协助解决！")
        + ContactBlock();
}

QString NoticeErrorText(const QString &title, const QString &detail)
{
    return title + kCrLf + detail + kCrLf + kCrLf
        + QStringLiteral("请重新打开软件，如果仍然出现该问题，请联系我们协助解决！") + ContactBlock();
}

QString DatabaseConnectionString(const QString &path)
{
    return QStringLiteral("Driver=QSQLITE;Database=") + path;
}

bool CreateDatabase(const QString &path, QString &error)
{
    const QString title = QStringLiteral("创建数据库失败，错误信息：");
    if (QFileInfo::exists(path)) {
        error = QuestionErrorText(title, QStringLiteral("文件已存在：") + QDir::toNativeSeparators(path));
        return false;
    }
    const QString name = nextConnectionName() + QStringLiteral("-create");
    QString detail;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            detail = errorText(db.lastError());
        } else {
            QSqlQuery q(db);
            // Writing the header is what makes the file exist.
            if (!q.exec(QStringLiteral("PRAGMA user_version = 1")))
                detail = errorText(q.lastError());
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (detail.isEmpty() && !QFileInfo::exists(path))
        detail = QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(path);
    if (detail.isEmpty())
        return true;
    error = QuestionErrorText(title, detail);
    return false;
}

bool ConnectDatabase(TDm &dm, const QString &connectionString, QString &error)
{
    const ConnectionFields p = ParseConnectionFields(connectionString);
    dm.dropStatements(); // statements made on the old connection die with it
    {
        QSqlDatabase old = dm.Adc();
        if (old.isOpen())
            old.close();
    }
    if (!QSqlDatabase::isDriverAvailable(p.driver)) {
        error = QStringLiteral("数据库驱动不可用：") + p.driver;
        return false;
    }
    if (QSqlDatabase::contains(dm.connectionName()))
        QSqlDatabase::removeDatabase(dm.connectionName());
    QSqlDatabase db = QSqlDatabase::addDatabase(p.driver, dm.connectionName());
    db.setDatabaseName(p.database);
    if (!p.host.isEmpty())
        db.setHostName(p.host);
    if (p.port.toInt() > 0)
        db.setPort(p.port.toInt());
    if (!p.user.isEmpty())
        db.setUserName(p.user);
    if (!p.password.isEmpty())
        db.setPassword(p.password);
    const bool sqlite = p.driver.compare(QLatin1String("QSQLITE"), Qt::CaseInsensitive) == 0;
    if (sqlite) {
        if (p.database.isEmpty() || !QFileInfo(p.database).isFile()) {
            error = QStringLiteral("数据库文件不存在：") + QDir::toNativeSeparators(p.database);
            return false;
        }
        // Another running copy may hold the file for a moment: wait rather than fail.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!db.open()) {
        error = errorText(db.lastError());
        return false;
    }
    if (sqlite) {
        // Opening is lazy in SQLite: read the schema now so a damaged file fails here.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            error = errorText(probe.lastError());
            probe.finish();
            db.close();
            return false;
        }
        probe.finish();
    }
    return true;
}

bool OpenDatabase(TDm &dm, const QString &path, QString &error)
{
    QString detail;
    if (ConnectDatabase(dm, DatabaseConnectionString(path), detail))
        return true;
    error = QuestionErrorText(QStringLiteral("打开数据库失败，错误信息："), detail);
    return false;
}

bool ExpectedTables(QStringList &names, QString &)
{
    names = {QStringLiteral("Category"), QStringLiteral("DataType"), QStringLiteral("BaseData"),
             QStringLiteral("BabyData"), QStringLiteral("BabyNewData"), QStringLiteral("PPData"),
             QStringLiteral("YAData"), QStringLiteral("ImFile"), QStringLiteral("ExFile")};
    return true;
}

bool FindTables(TDm &dm, const QStringList &names, QVector<bool> &present, QString &error)
{
    QSqlDatabase db = dm.Adc();
    if (!db.isOpen()) {
        error = QStringLiteral("数据库未连接");
        return false;
    }
    const QStringList tables = db.tables(QSql::AllTables);
    if (db.lastError().isValid()) {
        error = errorText(db.lastError());
        return false;
    }
    present.clear();
    for (const QString &name : names)
        present << tables.contains(name, Qt::CaseInsensitive);
    return true;
}

namespace {

QStringList creationStatements(const QString &table)
{
    if (table.compare(QLatin1String("Category"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("CREATE TABLE Category(cID INTEGER PRIMARY KEY AUTOINCREMENT, cName text, "
                               "cImPath text, pID INTEGER,tID INTEGER,isVisible bit NOT NULL DEFAULT 0)")};
    if (table.compare(QLatin1String("DataType"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("CREATE TABLE DataType(tID INTEGER, tName text(50), tTableName text(50),PRIMARY KEY(tID))"),
                QStringLiteral("Insert Into DataType(tID,tName,tTableName) Values(0,'自定义CSV文件','BaseData')"),
                QStringLiteral("Insert Into DataType(tID,tName,tTableName) Values(1,'淘宝助理CSV文件','BabyData')"),
                QStringLiteral("Insert Into DataType(tID,tName,tTableName) Values(2,'拍拍助理CSV文件','PPData')"),
                QStringLiteral("Insert Into DataType(tID,tName,tTableName) Values(3,'有啊助理CSV文件','YAData')"),
                QStringLiteral("Insert Into DataType(tID,tName,tTableName) Values(4,'ShopEx数据文件','SEData')"),
                QStringLiteral("Insert Into DataType(tID,tName,tTableName) Values(5,'EcShop数据文件','ESData')")};
    if (table.compare(QLatin1String("ImFile"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("CREATE TABLE ImFile(id INTEGER PRIMARY KEY AUTOINCREMENT, 文件路径 text, "
                               "导入图片 bit NOT NULL DEFAULT 0, 图片路径 text, 分类 text, 上层分类 text,cID INTEGER)")};
    if (table.compare(QLatin1String("ExFile"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("CREATE TABLE ExFile(id INTEGER PRIMARY KEY AUTOINCREMENT, 文件路径 text, "
                               "导出图片 bit NOT NULL DEFAULT 0, 图片路径 text, 分类 text, 上层分类 text,cID INTEGER)")};
    return {CreateItemTableSql(ItemTable(table))};
}

// The grids select a category's rows and the linked statements find an item by bID:
// without indexes both scan whole tables. Tables that lack a column get no index for it.
void createLookupIndexes(TDm &dm)
{
    const QList<QPair<QString, QString>> lookups = {
        {QStringLiteral("BaseData"), QStringLiteral("cID")},    {QStringLiteral("BabyData"), QStringLiteral("cID")},
        {QStringLiteral("BabyData"), QStringLiteral("bID")},    {QStringLiteral("BabyNewData"), QStringLiteral("cID")},
        {QStringLiteral("PPData"), QStringLiteral("cID")},      {QStringLiteral("PPData"), QStringLiteral("bID")},
        {QStringLiteral("YAData"), QStringLiteral("cID")},      {QStringLiteral("YAData"), QStringLiteral("bID")},
        {QStringLiteral("Category"), QStringLiteral("pID")},
    };
    for (const auto &[table, column] : lookups) {
        if (dm.Adc().record(table).indexOf(column) < 0)
            continue;
        dm.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS ix_%1_%2 ON %1(%2)").arg(table, column));
    }
}

} // namespace

bool CreateMissingTables(TDm &dm, const QStringList &names, QString &error)
{
    const QString title = QStringLiteral("创建数据表格失败，错误信息：");
    QVector<bool> present;
    QString detail;
    if (!FindTables(dm, names, present, detail)) {
        error = QuestionErrorText(title, detail);
        return false;
    }
    if (present.size() != names.size()) {
        error = QuestionErrorText(title, QStringLiteral("获取表格的数量跟实际的数量不一致"));
        return false;
    }
    try {
        for (int i = 0; i < names.size(); ++i) {
            if (present[i])
                continue;
            for (const QString &sql : creationStatements(names[i]))
                dm.exec(sql);
        }
        createLookupIndexes(dm);
        dm.AdqExec().finish();
    } catch (const StoreError &e) {
        error = QuestionErrorText(title, e.message());
        return false;
    }
    return true;
}

bool BringUpStore(TDm &dm, const QString &path, QString &error)
{
    if (!QFileInfo::exists(path) && !CreateDatabase(path, error))
        return false;
    if (!OpenDatabase(dm, path, error))
        return false;
    QStringList names;
    if (!ExpectedTables(names, error))
        return false;
    return CreateMissingTables(dm, names, error);
}
