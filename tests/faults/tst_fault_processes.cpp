// Faults from outside the process: another running copy holding the store's write lock, and
// the program killed (SIGKILL) in the middle of an import and of an export.

#include "fault_support.h"
#include "testing/test_support.h"

#include "base/progress_sink.h"
#include "export/category_export.h"
#include "import/file_step.h"
#include "import/single_import.h"
#include "store/category_store.h"

#include "bench/shop_file_generator.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>

namespace {

const QString kExample = QStringLiteral(ROWSHIFT_EXAMPLES "/taobao4/女装.csv");
constexpr int kExampleRows = 3;

// The other copy: a process that holds a write transaction for a while.
class LockHolder
{
public:
    bool start(const QString &database, int holdMs, bool commit)
    {
        m_process.start(QStringLiteral(FAULT_LOCK_HOLDER),
                        {database, QString::number(holdMs), commit ? QStringLiteral("commit") : QStringLiteral("rollback")});
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 20000) {
            m_process.waitForReadyRead(100);
            m_out += m_process.readAllStandardOutput();
            if (m_out.contains("locked"))
                return true;
            if (m_process.state() == QProcess::NotRunning)
                return false;
        }
        return false;
    }
    bool finish()
    {
        m_process.waitForFinished(60000);
        m_out += m_process.readAllStandardOutput();
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0 && m_out.contains("done");
    }
    QString errors() { return QString::fromUtf8(m_process.readAllStandardError()); }

private:
    QProcess m_process;
    QByteArray m_out;
};

qint64 holderRows(StoreAt &store)
{
    return store.count(QStringLiteral("select count(*) from Category where cName='lock holder'"));
}

bool importExample(StoreAt &store, QString &error, qint64 *target = nullptr)
{
    SingleImportOptions options;
    options.filePath = kExample;
    options.formatCode = FormatTaobao4;
    qint64 id = 0;
    const bool ok = ImportOneFile(store.dm(), store.home(), options, nullptr, id, error);
    if (target)
        *target = id;
    return ok;
}

// Polls the store through a connection of its own until the condition's count is positive.
bool waitForRows(const QString &database, const QString &sql, int timeoutMs)
{
    bool found = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("watcher"));
        db.setDatabaseName(database);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=50"));
        QElapsedTimer timer;
        timer.start();
        while (!found && timer.elapsed() < timeoutMs) {
            if (db.isOpen() || (QFileInfo::exists(database) && db.open())) {
                QSqlQuery q(db);
                found = q.exec(sql) && q.next() && q.value(0).toLongLong() > 0;
            }
            if (!found)
                QThread::msleep(5);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("watcher"));
    return found;
}

bool waitForFile(const QString &path, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (QFileInfo(path).size() > 0)
            return true;
        QThread::msleep(5);
    }
    return false;
}

// Lines ended by CR LF in a UTF-16LE file.
qint64 crLfLines(const QString &path)
{
    const QByteArray bytes = TestFiles::read(path);
    return bytes.count(QByteArray("\r\0\n\0", 4));
}

} // namespace

class TestFaultProcesses : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void waitsForAnotherCopy_data();
    void waitsForAnotherCopy();
    void lockHeldTooLongFailsCleanly();
    void failedConversionLeavesRunHidden();

    void killedImport_data();
    void killedImport();
    void killedExport_data();
    void killedExport();

private:
    QTemporaryDir m_work;
    QString m_bigFile;
    qint64 m_bigRecords = 0;
};

void TestFaultProcesses::initTestCase()
{
    QVERIFY(m_work.isValid());
    m_bigFile = m_work.filePath(QStringLiteral("big.csv"));
    m_bigRecords = GenerateTaobao4File(m_bigFile, 20000, 2048, 0, QString()).records;
}

// An operation that needs the write lock while the other copy holds it waits for it, then works.
void TestFaultProcesses::waitsForAnotherCopy_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("commit");
    QTest::newRow("import, other copy commits") << "import" << true;
    QTest::newRow("import, other copy rolls back") << "import" << false;
    QTest::newRow("conversion after the file step") << "convert" << true;
    QTest::newRow("export to 5.x") << "export5" << true;
    QTest::newRow("export to paipai") << "exportPaipai" << true;
}

void TestFaultProcesses::waitsForAnotherCopy()
{
    QFETCH(QString, operation);
    QFETCH(bool, commit);
    TempHome temp;
    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    QString error;
    qint64 target = 0;
    if (operation == QLatin1String("convert")) {
        target = InsertCategory(store.dm(), QStringLiteral("女装"), kExample, 0, 1, false);
        FileStepOptions step;
        step.filePath = kExample;
        step.targetId = target;
        int format = FormatTaobao4;
        QVERIFY2(RunFileStep(store.dm(), store.home(), step, format, nullptr, error), qPrintable(error));
    } else if (operation.startsWith(QLatin1String("export"))) {
        QVERIFY2(importExample(store, error, &target), qPrintable(error));
    }

    LockHolder holder;
    QVERIFY2(holder.start(store.home().databasePath(), 1500, commit), qPrintable(holder.errors()));
    QElapsedTimer waited;
    waited.start();
    bool ok = false;
    if (operation == QLatin1String("import")) {
        ok = importExample(store, error, &target);
    } else if (operation == QLatin1String("convert")) {
        int format = FormatTaobao4;
        ok = FinishImportRun(store.dm(), target, format, error);
    } else {
        ExportOptions options;
        options.format = operation == QLatin1String("export5") ? FormatTaobao5 : FormatPaipai;
        options.cID = target;
        options.file = temp.path(QStringLiteral("out/export.csv"));
        const ExportResult result = ExportSingleCategory(store.dm(), store.home(), options, nullptr, nullptr);
        ok = result.status == ExportResult::Succeeded;
        error = result.error;
    }
    const qint64 elapsed = waited.elapsed();
    QVERIFY(holder.finish());
    QVERIFY2(ok, qPrintable(error));
    QVERIFY2(elapsed >= 1000, "the operation waited for the lock");
    QCOMPARE(holderRows(store), commit ? 1 : 0);
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData where cID=?"), {target}), kExampleRows);
    QCOMPARE(StoreCheck::integrity(store.home().databasePath()), QStringLiteral("ok"));
    QCOMPARE(StoreCheck::conversionProblems(store.home().databasePath()), QString());
}

// Past the busy timeout the import gives up with the database's message, changes nothing, and
// works once the other copy is done.
void TestFaultProcesses::lockHeldTooLongFailsCleanly()
{
    TempHome temp;
    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    const qint64 categoriesBefore = store.count(QStringLiteral("select count(*) from Category"));
    LockHolder holder;
    QVERIFY(holder.start(store.home().databasePath(), 12500, false));
    QElapsedTimer waited;
    waited.start();
    QString error;
    QVERIFY(!importExample(store, error));
    qInfo("gave up after %.1f s: %s", waited.elapsed() / 1000.0, qPrintable(error));
    QVERIFY(waited.elapsed() >= 9000);
    QVERIFY2(error.contains(QStringLiteral("locked")), qPrintable(error));
    QVERIFY(holder.finish());
    QCOMPARE(store.count(QStringLiteral("select count(*) from Category")), categoriesBefore);
    QCOMPARE(store.count(QStringLiteral("select count(*) from BabyData")), 0);
    QCOMPARE(StoreCheck::integrity(store.home().databasePath()), QStringLiteral("ok"));
    QVERIFY2(importExample(store, error), qPrintable(error));
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData")), kExampleRows);
}

// The database refuses the generic rows (a trigger stands in for any failure of the conversion):
// the run's category stays hidden, its native rows stay for a later run, nothing reaches BaseData.
void TestFaultProcesses::failedConversionLeavesRunHidden()
{
    TempHome temp;
    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    store.dm().exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE INSERT ON BaseData "
                                   "BEGIN SELECT RAISE(ABORT, 'refused by test'); END"));
    QString error;
    qint64 target = 0;
    QVERIFY(!importExample(store, error, &target));
    QVERIFY2(error.contains(QStringLiteral("refused by test")), qPrintable(error));
    QCOMPARE(store.value(QStringLiteral("select isVisible from Category where cID=?"), {target}).toInt(), 0);
    QCOMPARE(store.count(QStringLiteral("select count(*) from BabyData where cID=?"), {target}), kExampleRows);
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData")), 0);
    QCOMPARE(StoreCheck::conversionProblems(store.home().databasePath()), QString());

    store.dm().exec(QStringLiteral("DROP TRIGGER refuse"));
    int format = FormatTaobao4;
    QVERIFY2(FinishImportRun(store.dm(), target, format, error), qPrintable(error));
    QCOMPARE(store.value(QStringLiteral("select isVisible from Category where cID=?"), {target}).toInt(), -1);
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData where cID=?"), {target}), kExampleRows);
}

// rowshift-cli is killed while it reads the file or while it converts the rows. The store opens,
// passes its integrity check, holds the run all or nothing, and the same import then succeeds.
void TestFaultProcesses::killedImport_data()
{
    QTest::addColumn<QString>("stage");
    QTest::newRow("while reading") << "reading";
    QTest::newRow("while converting") << "converting";
}

void TestFaultProcesses::killedImport()
{
    QFETCH(QString, stage);
    TempHome temp;
    const QString home = temp.path(QStringLiteral("home"));
    const QString database = home + QStringLiteral("/Data.db");
    QProcess cli;
    cli.start(CliPath(), {QStringLiteral("--home"), home, QStringLiteral("import"), m_bigFile});
    QVERIFY(cli.waitForStarted());
    // The category row is committed before the file step's transaction begins; the native rows
    // are committed when it ends, and the conversion follows.
    const bool reached = stage == QLatin1String("reading")
        ? waitForRows(database, QStringLiteral("select count(*) from Category"), 60000)
        : waitForRows(database, QStringLiteral("select count(*) from BabyData"), 120000);
    if (reached && stage == QLatin1String("reading"))
        QThread::msleep(300);
    cli.kill();
    cli.waitForFinished();
    QVERIFY2(reached, "the import got that far before it was killed");
    // On a fast run the short conversion may end before the kill lands: then nothing was cut.
    if (cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0)
        QSKIP("the import finished before it could be killed");
    QCOMPARE(cli.exitStatus(), QProcess::CrashExit);

    QCOMPARE(StoreCheck::integrity(database), QStringLiteral("ok"));
    QCOMPARE(StoreCheck::conversionProblems(database), QString());
    StoreAt store(home);
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    const qint64 native = store.count(QStringLiteral("select count(*) from BabyData"));
    const qint64 generic = store.count(QStringLiteral("select count(*) from BaseData"));
    const qint64 visible = store.count(QStringLiteral("select count(*) from Category where isVisible<>0"));
    qInfo("killed %s: %lld native rows, %lld generic rows, %lld visible categories", qPrintable(stage),
          static_cast<long long>(native), static_cast<long long>(generic), static_cast<long long>(visible));
    QVERIFY(native == 0 || native == m_bigRecords);
    QVERIFY(generic == 0 || generic == m_bigRecords);
    QVERIFY2(visible == 0 || generic == m_bigRecords, "a category shows only once its rows are converted");

    const CliResult again = RunCli({QStringLiteral("--home"), home, QStringLiteral("import"), m_bigFile}, 300000);
    QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    const qint64 target = again.out.trimmed().toLongLong();
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData where cID=?"), {target}), m_bigRecords);
    QCOMPARE(StoreCheck::conversionProblems(database), QString());
}

// rowshift-cli is killed while it writes an export; the staging and converted rows of the
// export vanish with its transaction, and the export then succeeds.
void TestFaultProcesses::killedExport_data()
{
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("native");
    QTest::newRow("taobao 5.x") << "tb5" << "BabyData";
    QTest::newRow("paipai") << "paipai" << "PPData";
}

void TestFaultProcesses::killedExport()
{
    QFETCH(QString, to);
    QFETCH(QString, native);
    TempHome temp;
    const QString home = temp.path(QStringLiteral("home"));
    const QString database = home + QStringLiteral("/Data.db");
    const CliResult imported = RunCli({QStringLiteral("--home"), home, QStringLiteral("import"), m_bigFile}, 300000);
    QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
    const QString target = imported.out.trimmed();
    qint64 nativeBefore = 0;
    {
        StoreAt store(home);
        nativeBefore = store.count(QStringLiteral("select count(*) from ") + native);
    }

    const QString out = temp.path(QStringLiteral("out/items.csv"));
    const QStringList exportArgs = {QStringLiteral("--home"), home, QStringLiteral("export"), target,
                                    QStringLiteral("--to"), to, QStringLiteral("-o"), out,
                                    QStringLiteral("--existing"), QStringLiteral("overwrite")};
    QProcess cli;
    cli.start(CliPath(), exportArgs);
    QVERIFY(cli.waitForStarted());
    const bool writing = waitForFile(out, 120000);
    QThread::msleep(100);
    cli.kill();
    cli.waitForFinished();
    QVERIFY2(writing, "the export began to write before it was killed");
    QCOMPARE(cli.exitStatus(), QProcess::CrashExit);

    QCOMPARE(StoreCheck::integrity(database), QStringLiteral("ok"));
    QCOMPARE(StoreCheck::conversionProblems(database), QString());
    {
        StoreAt store(home);
        QCOMPARE(store.count(QStringLiteral("select count(*) from ") + native), nativeBefore);
        QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData")), m_bigRecords);
    }
    const CliResult again = RunCli(exportArgs, 300000);
    QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    QCOMPARE(crLfLines(out), m_bigRecords + 1); // the records and the (last) header line
    QCOMPARE(StoreCheck::conversionProblems(database), QString());
}

QTEST_GUILESS_MAIN(TestFaultProcesses)
#include "tst_fault_processes.moc"
