// Faults of the disk: a home that cannot be written, an export folder that cannot be written,
// and a disk that fills up during an import and during an export. Full and read-only disks are
// small tmpfs mounts (root only; skipped elsewhere). After every fault the store opens, passes
// its integrity check, and the same work succeeds once the disk is fixed.

#include "fault_support.h"
#include "testing/test_support.h"

#include "export/category_export.h"
#include "import/single_import.h"
#include "store/item_tables.h"

#include "bench/shop_file_generator.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

namespace {

const QString kExample = QStringLiteral(ROWSHIFT_EXAMPLES "/taobao4/女装.csv");
constexpr int kExampleRows = 3;
constexpr qint64 kPictureBytes = 20 * 1024; // the generator's pictures

bool import(StoreAt &store, const QString &file, QString &error, qint64 *target = nullptr,
            const QString &pictures = QString())
{
    SingleImportOptions options;
    options.filePath = file;
    options.formatCode = FormatTaobao4;
    options.importPictures = !pictures.isEmpty();
    options.pictureDir = pictures;
    qint64 id = 0;
    const bool ok = ImportOneFile(store.dm(), store.home(), options, nullptr, id, error);
    if (target)
        *target = id;
    return ok;
}

ExportResult exportCategory(StoreAt &store, qint64 cID, int format, const QString &file, bool pictures)
{
    ExportOptions options;
    options.format = format;
    options.cID = cID;
    options.file = file;
    options.exportPictures = pictures;
    options.pictureMode = 1; // "images" beside the file
    options.existing = ExistingFilePolicy::Overwrite;
    return ExportSingleCategory(store.dm(), store.home(), options, nullptr, nullptr);
}

// Files in a folder that are not whole: pictures shorter than the generator writes them,
// description files that do not end their text with CR LF.
QStringList brokenCopies(const QString &folder)
{
    QStringList broken;
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files)) {
        const QString suffix = file.suffix();
        if ((suffix == QLatin1String("jpg") || suffix == QLatin1String("tbi")) && file.size() != kPictureBytes)
            broken << file.fileName();
        if (suffix == QLatin1String("htm") && !TestFiles::read(file.filePath()).endsWith("\r\n"))
            broken << file.fileName();
    }
    return broken;
}

void expectWholeStore(const QString &database)
{
    QCOMPARE(StoreCheck::integrity(database), QStringLiteral("ok"));
    QCOMPARE(StoreCheck::conversionProblems(database), QString());
}

} // namespace

class TestFaultStorage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void unusableHome_data();
    void unusableHome();
    void unusableStoreFolders_data();
    void unusableStoreFolders();
    void readOnlyMountedHome();
    void unwritableExportFolder_data();
    void unwritableExportFolder();
    void diskFullDuringImport();
    void diskFullDuringExport_data();
    void diskFullDuringExport();

private:
    QTemporaryDir m_work;
    QString m_file;         // a generated Taobao 4.x file with two pictures per record
    QString m_pictures;
    qint64 m_records = 0;
};

void TestFaultStorage::initTestCase()
{
    QVERIFY(m_work.isValid());
    m_file = m_work.filePath(QStringLiteral("shop.csv"));
    m_pictures = m_work.filePath(QStringLiteral("shop"));
    m_records = GenerateTaobao4File(m_file, 400, 4096, 2, m_pictures).records;
}

// A home that cannot hold a store: the programs refuse with a message and write nothing.
void TestFaultStorage::unusableHome_data()
{
    QTest::addColumn<QString>("blocked"); // a plain file where a folder is expected
    QTest::addColumn<QString>("home");
    QTest::newRow("home below a file") << "file" << "file/home";
    QTest::newRow("store is a folder") << "home/Data.db/x" << "home";
}

void TestFaultStorage::unusableHome()
{
    QFETCH(QString, blocked);
    QFETCH(QString, home);
    TempHome temp;
    QVERIFY(TestFiles::write(temp.path(blocked), "not a folder"));
    const QStringList before = FilesUnder(temp.path());
    StoreAt store(temp.path(home));
    QVERIFY(!store.isOpen());
    QVERIFY(!store.error().isEmpty());
    const CliResult cli = RunCli({QStringLiteral("--home"), temp.path(home), QStringLiteral("import"), kExample});
    QCOMPARE(cli.exitCode, 1);
    QVERIFY(!cli.err.trimmed().isEmpty());
    QCOMPARE(FilesUnder(temp.path()), before);
}

// The description or picture store cannot be made: descriptions stop the import with the row's
// message and nothing reaches the generic table; pictures are skipped silently.
void TestFaultStorage::unusableStoreFolders_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<bool>("succeeds");
    QTest::newRow("description store is a file") << "desc" << false;
    QTest::newRow("picture store is a file") << "images" << true;
}

void TestFaultStorage::unusableStoreFolders()
{
    QFETCH(QString, store);
    QFETCH(bool, succeeds);
    TempHome temp;
    StoreAt s(temp.path(QStringLiteral("home")));
    QVERIFY2(s.isOpen(), qPrintable(s.error()));
    const QString blocker = s.home().root() + QLatin1Char('/') + store;
    QVERIFY(TestFiles::write(blocker, "in the way"));
    QString error;
    qint64 target = 0;
    QCOMPARE(import(s, kExample, error, &target, kExample.chopped(4)), succeeds);
    QCOMPARE(TestFiles::read(blocker), QByteArray("in the way"));
    if (succeeds) {
        QCOMPARE(s.count(QStringLiteral("select count(*) from BaseData where cID=?"), {target}), kExampleRows);
        QCOMPARE(s.value(QStringLiteral("select 图片1 from BabyData order by ID")).toString(), QStringLiteral("qz001a"));
    } else {
        QVERIFY2(error.contains(QStringLiteral("出错行号：1")), qPrintable(error));
        QCOMPARE(s.count(QStringLiteral("select count(*) from BaseData")), 0);
        QCOMPARE(s.value(QStringLiteral("select isVisible from Category where cID=?"), {target}).toInt(), 0);
    }
    expectWholeStore(s.home().databasePath());
}

// A home on a disk mounted read-only: the store still opens and reads, an import fails with
// the database's message and changes nothing; writable again, the import works.
void TestFaultStorage::readOnlyMountedHome()
{
    TempHome temp;
    TmpfsMount disk(temp.path(QStringLiteral("disk")), QStringLiteral("64m"));
    if (!disk.isMounted())
        QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: ") + disk.error()));
    const QString home = disk.path() + QStringLiteral("/home");
    QString error;
    {
        StoreAt store(home);
        QVERIFY2(store.isOpen(), qPrintable(store.error()));
        QVERIFY2(import(store, kExample, error), qPrintable(error));
    }
    QVERIFY2(disk.remount(true, QStringLiteral("64m")), qPrintable(disk.error()));
    {
        StoreAt store(home);
        QVERIFY2(store.isOpen(), qPrintable(store.error()));
        QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData")), kExampleRows);
        QVERIFY(!import(store, kExample, error));
        QVERIFY2(error.contains(QStringLiteral("readonly")), qPrintable(error));
        const CliResult cli = RunCli({QStringLiteral("--home"), home, QStringLiteral("import"), kExample});
        QCOMPARE(cli.exitCode, 1);
    }
    QVERIFY2(disk.remount(false, QStringLiteral("64m")), qPrintable(disk.error()));
    expectWholeStore(home + QStringLiteral("/Data.db"));
    StoreAt store(home);
    QCOMPARE(store.count(QStringLiteral("select count(*) from Category")), 1);
    QVERIFY2(import(store, kExample, error), qPrintable(error));
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData")), 2 * kExampleRows);
}

// An export folder that cannot be made or written: the export fails with the writer's text,
// writes nothing, and leaves the store as it was (no staging rows).
void TestFaultStorage::unwritableExportFolder_data()
{
    QTest::addColumn<bool>("readOnlyMount");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder below a file") << false << "创建目录失败";
    QTest::newRow("read-only disk") << true << "打开写入文件失败！";
}

void TestFaultStorage::unwritableExportFolder()
{
    QFETCH(bool, readOnlyMount);
    QFETCH(QString, reason);
    TempHome temp;
    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    QString error;
    qint64 target = 0;
    QVERIFY2(import(store, kExample, error, &target, kExample.chopped(4)), qPrintable(error));

    QString folder;
    TmpfsMount disk(temp.path(QStringLiteral("disk")), QStringLiteral("4m"));
    if (readOnlyMount) {
        if (!disk.isMounted())
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: ") + disk.error()));
        QVERIFY2(disk.remount(true, QStringLiteral("4m")), qPrintable(disk.error()));
        folder = disk.path();
    } else {
        QVERIFY(TestFiles::write(temp.path(QStringLiteral("file")), "not a folder"));
        folder = temp.path(QStringLiteral("file/out"));
    }
    for (int format : {FormatTaobao4, FormatTaobao5, FormatPaipai}) {
        const ExportResult result = exportCategory(store, target, format, folder + QStringLiteral("/x.csv"), true);
        QCOMPARE(result.status, ExportResult::Failed);
        QCOMPARE(result.error, reason);
    }
    if (readOnlyMount)
        QCOMPARE(FilesUnder(folder), QStringList());
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData")), kExampleRows);
    expectWholeStore(store.home().databasePath());
}

// The home's disk fills up during an import: it fails with a message, leaves the store whole,
// keeps no partial picture or description file, and succeeds once there is room.
void TestFaultStorage::diskFullDuringImport()
{
    TempHome temp;
    TmpfsMount disk(temp.path(QStringLiteral("disk")), QStringLiteral("2m"));
    if (!disk.isMounted())
        QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: ") + disk.error()));
    StoreAt store(disk.path() + QStringLiteral("/home"));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    QString error;
    qint64 target = 0;
    QVERIFY(!import(store, m_file, error, &target, m_pictures));
    qInfo("full disk: %s", qPrintable(error.simplified()));
    QVERIFY(!error.isEmpty());
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData")), 0);
    QCOMPARE(store.value(QStringLiteral("select isVisible from Category where cID=?"), {target}).toInt(), 0);
    QCOMPARE(brokenCopies(store.home().imagesDir()), QStringList());
    QCOMPARE(brokenCopies(store.home().descDir()), QStringList());
    expectWholeStore(store.home().databasePath());

    QVERIFY2(disk.remount(false, QStringLiteral("256m")), qPrintable(disk.error()));
    QVERIFY2(import(store, m_file, error, &target, m_pictures), qPrintable(error));
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData where cID=?"), {target}), m_records);
    QCOMPARE(QDir(store.home().imagesDir()).entryList(QDir::Files).size(), int(2 * m_records));
    QCOMPARE(brokenCopies(store.home().imagesDir()), QStringList());
    expectWholeStore(store.home().databasePath());
}

// The export folder's disk fills up: the export fails with the writer's text, copies no partial
// picture, leaves the store as it was, and succeeds once there is room.
void TestFaultStorage::diskFullDuringExport_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("taobao 4.x") << int(FormatTaobao4);
    QTest::newRow("taobao 5.x") << int(FormatTaobao5);
    QTest::newRow("paipai") << int(FormatPaipai);
}

void TestFaultStorage::diskFullDuringExport()
{
    QFETCH(int, format);
    TempHome temp;
    TmpfsMount disk(temp.path(QStringLiteral("disk")), QStringLiteral("2m"));
    if (!disk.isMounted())
        QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: ") + disk.error()));
    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    QString error;
    qint64 target = 0;
    QVERIFY2(import(store, m_file, error, &target, m_pictures), qPrintable(error));

    const QString csv = disk.path() + QStringLiteral("/out.csv");
    const ExportResult full = exportCategory(store, target, format, csv, true);
    QCOMPARE(full.status, ExportResult::Failed);
    QVERIFY2(full.error == QStringLiteral("写入文件失败！") || full.error == QStringLiteral("写入文件大小不符！"),
             qPrintable(full.error));
    QCOMPARE(brokenCopies(disk.path() + QStringLiteral("/images")), QStringList());
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData")), m_records);
    expectWholeStore(store.home().databasePath());

    QVERIFY2(disk.remount(false, QStringLiteral("256m")), qPrintable(disk.error()));
    const ExportResult done = exportCategory(store, target, format, csv, true);
    QVERIFY2(done.status == ExportResult::Succeeded, qPrintable(done.error));
    QCOMPARE(TestFiles::read(csv).count(QByteArray("\r\0\n\0", 4)), m_records + 1);
    QCOMPARE(brokenCopies(disk.path() + QStringLiteral("/images")), QStringList());
    expectWholeStore(store.home().databasePath());
}

QTEST_GUILESS_MAIN(TestFaultStorage)
#include "tst_fault_storage.moc"
