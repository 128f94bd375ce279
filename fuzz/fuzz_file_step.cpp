// Imports arbitrary bytes as a shop file into a scratch home: the file step, then the
// finishing conversions. Checks that a failure carries a message, that no transaction is left
// open, that a finished run leaves none of its rows unlinked, and that nothing is written
// outside the home's stores.

#include "fuzz_support.h"

#include "base/home.h"
#include "base/progress_sink.h"
#include "csv/csv_reader.h"
#include "import/file_step.h"
#include "import/single_import.h"
#include "store/category_store.h"
#include "store/data_module.h"
#include "store/item_tables.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

// Rows and files pile up; the store is emptied after this many inputs.
constexpr int RunsBetweenCleanups = 200;

QSet<QString> entriesOf(const QString &folder)
{
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    return QSet<QString>(names.begin(), names.end());
}

bool onlyFilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty();
}

class Session
{
public:
    Session()
        : m_root(Fuzz::Scratch().path())
        , m_home(m_root + QStringLiteral("/home"))
        , m_csvPath(m_root + QStringLiteral("/input.csv"))
        , m_pictureDir(m_root + QStringLiteral("/pictures"))
    {
        QString error;
        Fuzz::Expect(m_home.ensureRoot(&error) && BringUpStore(m_dm, m_home.databasePath(), error), "the store opens");
        // No waiting for the disk: a scratch store need not survive a power cut.
        m_dm.exec(QStringLiteral("PRAGMA synchronous = OFF"));
        // Pictures and a Paipai description that the fuzzer's names may hit.
        QDir().mkpath(m_pictureDir);
        QDir().mkpath(m_root + QStringLiteral("/input"));
        for (const QString &name : {QStringLiteral("a.tbi"), QStringLiteral("b.tbi"), QStringLiteral("x.jpg")})
            writeFile(m_pictureDir + QLatin1Char('/') + name, "picture");
        writeFile(m_root + QStringLiteral("/input/d.htm"), "<p>description</p>");
        m_rootEntries = entriesOf(m_root) << QStringLiteral("input.csv");
        m_pictureEntries = entriesOf(m_pictureDir);
        m_category = InsertCategory(m_dm, QStringLiteral("fuzz"), m_csvPath, 0, 1, false);
        m_probe = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fuzz-probe"));
        m_probe.setDatabaseName(m_home.databasePath());
        Fuzz::Expect(m_probe.open(), "a second connection opens");
    }

    void run(const uint8_t *data, size_t size)
    {
        Fuzz::WriteInput(m_csvPath, data, size);
        int format = DetectFormatOfFile(m_csvPath);
        if (format == 0)
            format = FormatTaobao4;
        FileStepOptions options;
        options.filePath = m_csvPath;
        options.targetId = m_category;
        options.importPictures = true;
        options.pictureDir = m_pictureDir;
        QString error;
        NullProgress progress;
        if (!RunFileStep(m_dm, m_home, options, format, &progress, error)) {
            Fuzz::Expect(!error.isEmpty(), "a failed file step says why");
        } else {
            const int readFormat = format;
            if (FinishImportRun(m_dm, m_category, format, error))
                checkFinished(readFormat);
            else
                Fuzz::Expect(!error.isEmpty(), "a failed conversion says why");
        }
        checkUnlocked();
        checkFiles();
        if (++m_runs % RunsBetweenCleanups == 0)
            cleanUp();
    }

private:
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        Fuzz::Expect(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), "a fixture is written");
    }

    qint64 count(const QString &sql)
    {
        QSqlQuery q(m_probe);
        Fuzz::Expect(q.exec(sql) && q.next(), "a count runs");
        return q.value(0).toLongLong();
    }

    // Every row of the finished layout's native table in the category has its generic row, and
    // each generic row has one native row. (Rows that an earlier failed run of the other layout
    // left stay unconverted until a run of their own layout succeeds.)
    void checkFinished(int readFormat)
    {
        const QString cat = QString::number(m_category);
        const QString native = readFormat == FormatPaipai ? QStringLiteral("PPData") : QStringLiteral("BabyData");
        Fuzz::Expect(count(QStringLiteral("select count(*) from %1 where bID is null and cID=%2").arg(native, cat)) == 0,
                     "every native row of the run is linked");
        if (readFormat == FormatTaobao5)
            Fuzz::Expect(count(QStringLiteral("select count(*) from BabyNewData where cID=") + cat) == 0,
                         "no staging row of the category is left");
        Fuzz::Expect(count(QStringLiteral("select count(*) from BaseData where cID=") + cat)
                         == count(QStringLiteral("select count(*) from BabyData where bID is not null and cID=") + cat)
                             + count(QStringLiteral("select count(*) from PPData where bID is not null and cID=") + cat),
                     "one generic row per linked native row");
    }

    // Another connection can write at once: no transaction was left open.
    void checkUnlocked()
    {
        QSqlQuery q(m_probe);
        Fuzz::Expect(q.exec(QStringLiteral("BEGIN IMMEDIATE")), "the store is not left locked");
        q.exec(QStringLiteral("ROLLBACK"));
    }

    void checkFiles()
    {
        Fuzz::Expect(entriesOf(m_root) == m_rootEntries, "nothing is written beside the home");
        Fuzz::Expect(entriesOf(m_pictureDir) == m_pictureEntries, "the picture folder is only read");
        Fuzz::Expect(entriesOf(m_root + QStringLiteral("/input")) == QSet<QString>{QStringLiteral("d.htm")},
                     "the description folder is only read");
        const QSet<QString> allowed = {QStringLiteral("Data.db"), QStringLiteral("images"), QStringLiteral("desc")};
        Fuzz::Expect(allowed.contains(entriesOf(m_home.root())), "the home holds only its store");
        Fuzz::Expect(onlyFilesIn(m_home.imagesDir()) && onlyFilesIn(m_home.descDir()), "the stores hold only files");
    }

    void cleanUp()
    {
        for (const char *table : {"BabyData", "BabyNewData", "PPData", "BaseData"})
            m_dm.exec(QStringLiteral("delete from ") + QString::fromLatin1(table));
        m_dm.AdqExec().finish();
        QDir(m_home.imagesDir()).removeRecursively();
        QDir(m_home.descDir()).removeRecursively();
    }

    const QString m_root;
    const Home m_home;
    const QString m_csvPath;
    const QString m_pictureDir;
    QSet<QString> m_rootEntries;
    QSet<QString> m_pictureEntries;
    TDm m_dm;
    QSqlDatabase m_probe;
    qint64 m_category = 0;
    int m_runs = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::InitQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Session *session = new Session; // lives for the whole process
    session->run(data, size);
    return 0;
}
