// Hostile input: picture and description names that try to leave their folders, category
// names that are not file names, folder trees with symbolic-link loops and many files, names
// with quotes, brackets and percent signs, and the fixtures that fuzzing and review found.

#include "fault_support.h"
#include "testing/test_support.h"

#include "csv/recording_consumer.h"
#include "import/shop_file_builder.h"

#include "base/message_sink.h"
#include "csv/csv_reader.h"
#include "export/category_export.h"
#include "export/export_file_list.h"
#include "import/directory_import.h"
#include "import/single_import.h"
#include "store/category_store.h"
#include "store/item_tables.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtTest>

namespace {

const QString kExample = QStringLiteral(ROWSHIFT_EXAMPLES "/taobao4/女装.csv");
constexpr int kExampleRows = 3;

QString q(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

class AnswerAll final : public MessageSink
{
public:
    void information(const QString &) override {}
    void error(const QString &text) override { errors << text; }
    bool question(const QString &text) override { errors << text; return true; }
    OverwriteAnswer askOverwrite(const QString &) override { return OverwriteAnswer::OverwriteAll; }
    QStringList errors;
};

bool importFile(StoreAt &store, const QString &file, int format, const QString &pictures, QString &error,
                qint64 *target = nullptr, const ImportTarget &into = ImportTarget())
{
    SingleImportOptions options;
    options.filePath = file;
    options.formatCode = format;
    options.importPictures = !pictures.isEmpty();
    options.pictureDir = pictures;
    options.target = into;
    qint64 id = 0;
    const bool ok = ImportOneFile(store.dm(), store.home(), options, nullptr, id, error);
    if (target)
        *target = id;
    return ok;
}

// Every file below root with its content, to see what changed.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    for (const QString &file : FilesUnder(root))
        files.insert(file, TestFiles::read(root + QLatin1Char('/') + file));
    return files;
}

// What changed below root outside the places a run may write: the home's store file, the flat
// picture and description stores, and the export folder with one level of picture folders.
// A file that existed before may not change at all.
QStringList writesOutsideTheirFolders(const QMap<QString, QByteArray> &before, const QString &root,
                                      const QString &exportFolder)
{
    QStringList outside;
    const QMap<QString, QByteArray> after = snapshot(root);
    for (auto it = after.begin(); it != after.end(); ++it) {
        const QString &file = it.key();
        if (before.contains(file)) {
            if (before.value(file) != it.value())
                outside << file;
            continue;
        }
        const QStringList parts = file.split(QLatin1Char('/'));
        const bool store = file == QLatin1String("home/Data.db")
            || (parts.size() == 3 && parts[0] == QLatin1String("home")
                && (parts[1] == QLatin1String("images") || parts[1] == QLatin1String("desc")));
        const bool exported = parts.size() >= 2 && parts.size() <= 3 && parts[0] == exportFolder;
        if (!store && !exported)
            outside << file;
    }
    return outside;
}

} // namespace

class TestHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void picturesAndDescriptionsStayInTheirFolders();
    void categoryNamesStayInsideTheExportFolder();
    void bareDescriptionNameIsTakenBesideTheFile();
    void folderWalkEnds_data();
    void folderWalkEnds();
    void oddNamesInCategoriesAndPaths_data();
    void oddNamesInCategoriesAndPaths();
    void regressionFixtures_data();
    void regressionFixtures();
};

// Names with "..", absolute paths and separators in picture lists, picture columns and
// description columns: imports and exports in every layout copy nothing outside the home's
// stores and the export folder, and overwrite nothing there that was not theirs.
void TestHostileFiles::picturesAndDescriptionsStayInTheirFolders()
{
    TempHome temp;
    const QString root = temp.path();
    // Bait: files that an escaping name would read or overwrite.
    for (const QString &bait : {QStringLiteral("escaped.tbi"), QStringLiteral("escaped.jpg"),
                                QStringLiteral("escaped.htm"), QStringLiteral("shop/escaped.tbi"),
                                QStringLiteral("shop/escaped.jpg"), QStringLiteral("shop/escaped.htm")})
        QVERIFY(TestFiles::write(temp.path(bait), "bait " + bait.toUtf8()));
    for (const QString &picture : {QStringLiteral("shop/tb/ok.tbi"), QStringLiteral("shop/tb/sub/inner.tbi"),
                                   QStringLiteral("shop/pp/ok.jpg"), QStringLiteral("shop/pp/sub/inner.jpg")})
        QVERIFY(TestFiles::write(temp.path(picture), "picture " + picture.toUtf8()));

    const QString taobao = temp.path(QStringLiteral("shop/tb.csv"));
    const QString escapes = QStringLiteral("../../escaped:0:0:|;") + root + QStringLiteral("/escaped:0:1:|;")
        + QStringLiteral("sub/inner:0:2:|;..\\escaped:0:3:|;ok:0:4:|;..:1:0:|;");
    QVERIFY(ShopFileBuilder(ShopFileBuilder::Taobao4)
                .row({{QStringLiteral("宝贝名称"), q(QStringLiteral("t"))}, {QStringLiteral("新图片"), q(escapes)},
                      {QStringLiteral("宝贝描述"), q(QStringLiteral("../escaped.htm"))}})
                .write(taobao));
    const QString paipai = temp.path(QStringLiteral("shop/pp.csv"));
    const QStringList descriptions = {QStringLiteral("../escaped.htm"), QStringLiteral("C:\\..\\..\\escaped.htm"),
                                      QStringLiteral("..\\..\\escaped.htm"), root + QStringLiteral("/escaped.htm")};
    ShopFileBuilder pp(ShopFileBuilder::Paipai);
    for (const QString &description : descriptions)
        pp.row({{QStringLiteral("id"), QStringLiteral("-1")}, {QStringLiteral("商品名称"), q(QStringLiteral("p"))},
                {QStringLiteral("图片"), q(QStringLiteral("../../escaped.jpg"))},
                {QStringLiteral("图片2"), q(root + QStringLiteral("/escaped.jpg"))},
                {QStringLiteral("图片3"), q(QStringLiteral("sub/inner.jpg"))},
                {QStringLiteral("图片4"), q(QStringLiteral("..\\escaped.jpg"))},
                {QStringLiteral("图片5"), q(QStringLiteral("ok.jpg"))}, {QStringLiteral("商品详情"), q(description)},
                {QStringLiteral("版本"), q(QStringLiteral("1"))}});
    QVERIFY(pp.write(paipai));

    const QMap<QString, QByteArray> before = snapshot(root);
    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    QString error;
    qint64 taobaoId = 0, paipaiId = 0;
    QVERIFY2(importFile(store, taobao, FormatTaobao4, taobao.chopped(4), error, &taobaoId), qPrintable(error));
    QVERIFY2(importFile(store, paipai, FormatPaipai, paipai.chopped(4), error, &paipaiId), qPrintable(error));
    QVERIFY(QFile::exists(store.home().imagesDir() + QStringLiteral("/ok.jpg")));
    QCOMPARE(QDir(store.home().imagesDir()).entryList(QDir::Files).size(), 1);

    for (int format : {FormatTaobao4, FormatTaobao5, FormatPaipai}) {
        for (qint64 id : {taobaoId, paipaiId}) {
            for (int mode : {0, 1}) {
                ExportOptions options;
                options.format = format;
                options.cID = id;
                options.file = temp.path(QStringLiteral("out/%1-%2-%3.csv").arg(format).arg(id).arg(mode));
                options.exportPictures = true;
                options.pictureMode = mode;
                const ExportResult result = ExportSingleCategory(store.dm(), store.home(), options, nullptr, nullptr);
                QVERIFY2(result.status == ExportResult::Succeeded, qPrintable(result.error));
            }
        }
    }
    QCOMPARE(writesOutsideTheirFolders(before, root, QStringLiteral("out")), QStringList());
    QVERIFY(QFile::exists(temp.path(QStringLiteral("out/images/ok.tbi"))));
    QVERIFY(QFile::exists(temp.path(QStringLiteral("out/images/ok.jpg"))));
}

// Categories named like paths (a user may rename a category to anything) give file and
// folder names inside the chosen export folder.
void TestHostileFiles::categoryNamesStayInsideTheExportFolder()
{
    TempHome temp;
    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    const QStringList names = {QStringLiteral("../../escaped"), QStringLiteral(".."), QStringLiteral("/abs/x"),
                               QStringLiteral("a\\b"), QStringLiteral("名字/斜杠"), QStringLiteral("...")};
    QList<qint64> chosen;
    QString error;
    for (const QString &name : names) {
        const qint64 id = InsertCategory(store.dm(), name, QString(), 0, 1, true);
        ImportTarget into;
        into.useExisting = true;
        into.existingId = id;
        into.existingName = name;
        QVERIFY2(importFile(store, kExample, FormatTaobao4, kExample.chopped(4), error, nullptr, into),
                 qPrintable(error));
        chosen << id;
    }
    // the sub-categories go below their parent's folder
    const qint64 child = InsertCategory(store.dm(), QStringLiteral("../child"), QString(), chosen.first(), 1, true);
    ImportTarget into;
    into.useExisting = true;
    into.existingId = child;
    into.existingName = QStringLiteral("../child");
    QVERIFY2(importFile(store, kExample, FormatTaobao4, QString(), error, nullptr, into), qPrintable(error));

    const QMap<QString, QByteArray> before = snapshot(temp.path());
    ExportTreeOptions options;
    options.exportFolder = temp.path(QStringLiteral("tree"));
    QVERIFY2(BuildExportFileList(store.dm(), options, chosen, error), qPrintable(error));
    AnswerAll answers;
    for (int format : {FormatTaobao4, FormatPaipai}) {
        const ExportRunResult run = ExportFileList(store.dm(), store.home(), format, answers, {});
        QVERIFY2(run.status == ExportRunResult::Succeeded, qPrintable(run.error + answers.errors.join(QLatin1Char('\n'))));
        QCOMPARE(run.written, int(names.size()) + 1);
    }
    QStringList outside;
    for (const QString &file : FilesUnder(temp.path()))
        if (!before.contains(file) && !file.startsWith(QLatin1String("tree/")) && !file.startsWith(QLatin1String("home/")))
            outside << file;
    QCOMPARE(outside, QStringList());
    // "...." and ".._.._escaped" begin with a dot: hidden files here, plain ones on Windows
    QCOMPARE(QDir(temp.path(QStringLiteral("tree")))
                 .entryList(QStringList{QStringLiteral("*.csv")}, QDir::Files | QDir::Hidden)
                 .size(),
             int(names.size()));
}

// A Paipai description given by a bare file name comes from the folder named like the file,
// not from whatever folder the program happens to run in.
void TestHostileFiles::bareDescriptionNameIsTakenBesideTheFile()
{
    TempHome temp;
    QVERIFY(TestFiles::write(temp.path(QStringLiteral("cwd/d.htm")), "from the working folder"));
    QVERIFY(TestFiles::write(temp.path(QStringLiteral("shop/pp/d.htm")), "beside the file"));
    const QString paipai = temp.path(QStringLiteral("shop/pp.csv"));
    QVERIFY(ShopFileBuilder(ShopFileBuilder::Paipai)
                .row({{QStringLiteral("id"), QStringLiteral("-1")}, {QStringLiteral("商品名称"), q(QStringLiteral("p"))},
                      {QStringLiteral("商品详情"), q(QStringLiteral("d.htm"))}, {QStringLiteral("版本"), q(QStringLiteral("1"))}})
                .write(paipai));
    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    const QString workingFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(temp.path(QStringLiteral("cwd"))));
    QString error;
    const bool ok = importFile(store, paipai, FormatPaipai, QString(), error);
    QDir::setCurrent(workingFolder);
    QVERIFY2(ok, qPrintable(error));
    const QString stored = store.value(QStringLiteral("select 商品详情 from PPData")).toString();
    QCOMPARE(TestFiles::read(stored), QByteArray("beside the file"));
}

// The folder walk of a directory import ends on symbolic-link loops and lists every file once,
// also among 2,000 files.
void TestHostileFiles::folderWalkEnds_data()
{
    QTest::addColumn<bool>("loops");
    QTest::addColumn<int>("folders");
    QTest::addColumn<int>("filesPerFolder");
    QTest::newRow("symbolic-link loops") << true << 3 << 1;
    QTest::newRow("2,000 files") << false << 20 << 100;
}

void TestHostileFiles::folderWalkEnds()
{
    QFETCH(bool, loops);
    QFETCH(int, folders);
    QFETCH(int, filesPerFolder);
    TempHome temp;
    const QString top = temp.path(QStringLiteral("shop"));
    const QByteArray example = TestFiles::read(kExample);
    QSet<QString> expected;
    for (int f = 0; f < folders; ++f) {
        for (int n = 0; n < filesPerFolder; ++n) {
            const QString path = top + QStringLiteral("/f%1/item%2.csv").arg(f).arg(n);
            QVERIFY(TestFiles::write(path, example));
            expected << path;
        }
    }
    if (loops) {
        // a link to the top, a link to itself, a link to a sibling and a link to the parent
        QVERIFY(QFile::link(top, top + QStringLiteral("/f0/up")));
        QVERIFY(QFile::link(top + QStringLiteral("/f1"), top + QStringLiteral("/f1/self")));
        QVERIFY(QFile::link(top + QStringLiteral("/f1"), top + QStringLiteral("/f2/sibling")));
        QVERIFY(QFile::link(temp.path(), top + QStringLiteral("/f2/outer")));
    }
    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    FolderQueryOptions options;
    options.folder = top;
    options.suffix.clear();
    options.importPictures = false;
    qint64 topTarget = 0;
    QString error;
    QElapsedTimer timer;
    timer.start();
    QVERIFY2(QueryImportFiles(store.dm(), options, topTarget, error), qPrintable(error));
    qInfo("folder walk over %d files: %lld ms", int(expected.size()), static_cast<long long>(timer.elapsed()));
    const QVariantList listed = store.dm().column(QStringLiteral("select 文件路径 from ImFile"));
    QSet<QString> listedFiles;
    for (const QVariant &path : listed)
        listedFiles << QFileInfo(path.toString()).canonicalFilePath();
    QCOMPARE(listed.size(), expected.size());
    QSet<QString> canonicalExpected;
    for (const QString &path : expected)
        canonicalExpected << QFileInfo(path).canonicalFilePath();
    QCOMPARE(listedFiles, canonicalExpected);
    if (loops) {
        int format = FormatTaobao4;
        QVERIFY2(ImportFileList(store.dm(), store.home(), topTarget, format, nullptr, nullptr, error), qPrintable(error));
        QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData")), qint64(expected.size()) * kExampleRows);
    }
}

// Quotes, brackets, percent signs and other characters that SQL, format strings or shells
// treat specially, in file, folder and category names: the command-line program imports,
// lists and exports them as they are.
void TestHostileFiles::oddNamesInCategoriesAndPaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("quotes") << QStringLiteral("it's \"quoted\" ''");
    QTest::newRow("brackets") << QStringLiteral("[brackets] {braces} (parens) <angles>");
    QTest::newRow("percent signs") << QStringLiteral("100% %1 %2 %s %n %d%%");
    QTest::newRow("sql") << QStringLiteral("x'); drop table Category; --");
    QTest::newRow("like patterns") << QStringLiteral("_a%b_ [c]");
    QTest::newRow("backslash and dots") << QStringLiteral("a\\b..c");
    QTest::newRow("blanks and chinese") << QStringLiteral("春 季 ☃ $HOME `x`");
}

void TestHostileFiles::oddNamesInCategoriesAndPaths()
{
    QFETCH(QString, name);
    TempHome temp;
    const QString home = temp.path(QStringLiteral("home"));
    const QString folder = temp.path(QStringLiteral("in ") + name);
    const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".csv");
    const QString pictures = folder + QLatin1Char('/') + name;
    QVERIFY(TestFiles::write(file, TestFiles::read(kExample)));
    QVERIFY(QDir().mkpath(pictures));
    for (const QFileInfo &picture : QDir(kExample.chopped(4)).entryInfoList(QDir::Files))
        QVERIFY(QFile::copy(picture.filePath(), pictures + QLatin1Char('/') + picture.fileName()));

    const CliResult imported = RunCli({QStringLiteral("--home"), home, QStringLiteral("import"), file,
                                       QStringLiteral("--pictures"), pictures});
    QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
    const qint64 id = imported.out.trimmed().toLongLong();
    {
        StoreAt store(home);
        QCOMPARE(store.value(QStringLiteral("select cName from Category where cID=?"), {id}).toString(), name);
        QCOMPARE(store.value(QStringLiteral("select cImPath from Category where cID=?"), {id}).toString(), file);
        QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData where cID=?"), {id}), kExampleRows);
        QCOMPARE(store.count(QStringLiteral("select count(*) from Category")), 1);
    }
    const CliResult listed = RunCli({QStringLiteral("--home"), home, QStringLiteral("categories")});
    QCOMPARE(listed.exitCode, 0);
    QVERIFY2(listed.out.contains(QLatin1Char('\t') + name + QLatin1Char('\t')), qPrintable(listed.out));

    // A folder import of the same folder: the folder's category holds the file's category.
    const CliResult again = RunCli({QStringLiteral("--home"), home, QStringLiteral("import-dir"), folder,
                                    QStringLiteral("--pictures"), QStringLiteral("same")});
    QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    {
        StoreAt store(home);
        const qint64 top = again.out.trimmed().toLongLong();
        QCOMPARE(store.value(QStringLiteral("select cName from Category where cID=?"), {top}).toString(),
                 QStringLiteral("in ") + name);
        QCOMPARE(store.count(QStringLiteral("select count(*) from Category where cName=? and pID=?"), {name, top}), 1);
        QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData")), 2 * kExampleRows);
    }

    const QString out = temp.path(QStringLiteral("out ") + name + QLatin1Char('/') + name + QStringLiteral(".csv"));
    const CliResult exported = RunCli({QStringLiteral("--home"), home, QStringLiteral("export"), QString::number(id),
                                       QStringLiteral("--to"), QStringLiteral("tb4"), QStringLiteral("-o"), out,
                                       QStringLiteral("--pictures"), QStringLiteral("same")});
    QVERIFY2(exported.exitCode == 0, qPrintable(exported.err));
    QCOMPARE(TestFiles::read(out).count(QByteArray("\r\0\n\0", 4)), kExampleRows + 1);
    QVERIFY(QFile::exists(out.chopped(4) + QStringLiteral("/qz001a.tbi")));

    const QString tree = temp.path(QStringLiteral("tree ") + name);
    const CliResult treeExport = RunCli({QStringLiteral("--home"), home, QStringLiteral("export-tree"),
                                         QString::number(id), QStringLiteral("--to"), QStringLiteral("paipai"),
                                         QStringLiteral("-o"), tree});
    QVERIFY2(treeExport.exitCode == 0, qPrintable(treeExport.err));
    QCOMPARE(QDir(tree).entryList(QStringList{QStringLiteral("*.csv")}, QDir::Files),
             QStringList{SafeFileName(name) + QStringLiteral(".csv")});
}

// Files that once broke the reader or the import, or come close: each is read as Taobao and
// as Paipai and imported; the outcome is as listed, and the store stays whole.
void TestHostileFiles::regressionFixtures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("imports");
    QTest::addColumn<int>("rows");
    QFile manifest(QStringLiteral(ROWSHIFT_TEST_DATA "/hostile/expected.txt"));
    QVERIFY(manifest.open(QIODevice::ReadOnly));
    // Lines: file name, "ok" or "fails", rows the import stores. "#" starts a comment.
    for (const QByteArray &raw : manifest.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).section(QLatin1Char('#'), 0, 0).simplified();
        if (line.isEmpty())
            continue;
        const QStringList parts = line.split(QLatin1Char(' '));
        QVERIFY2(parts.size() == 3, qPrintable(line));
        QTest::newRow(qPrintable(parts[0])) << parts[0] << (parts[1] == QLatin1String("ok")) << parts[2].toInt();
    }
    // Every fixture is listed.
    const QStringList fixtures = QDir(QStringLiteral(ROWSHIFT_TEST_DATA "/hostile")).entryList({QStringLiteral("*.csv")});
    for (const QString &fixture : fixtures)
        QVERIFY2(QString::fromUtf8(TestFiles::read(manifest.fileName())).contains(fixture), qPrintable(fixture));
}

void TestHostileFiles::regressionFixtures()
{
    QFETCH(QString, file);
    QFETCH(bool, imports);
    QFETCH(int, rows);
    const QString path = QStringLiteral(ROWSHIFT_TEST_DATA "/hostile/") + file;
    QVERIFY(QFile::exists(path));
    for (int start : {FormatTaobao4, FormatPaipai}) {
        int format = start;
        RecordingConsumer consumer;
        CsvReader reader;
        QString error;
        if (!reader.read(path, format, consumer, nullptr, error))
            QVERIFY(!error.isEmpty());
        else
            QCOMPARE(consumer.trace.count(QStringLiteral("E")), 1);
    }
    TempHome temp;
    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    const int format = DetectFormatOfFile(path) == FormatPaipai ? FormatPaipai : FormatTaobao4;
    QString error;
    const bool ok = importFile(store, path, format, temp.path(QStringLiteral("pictures")), error);
    QVERIFY2(ok == imports, qPrintable(error));
    QVERIFY(ok || !error.isEmpty());
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData")), ok ? rows : 0);
    QCOMPARE(StoreCheck::integrity(store.home().databasePath()), QStringLiteral("ok"));
    QCOMPARE(StoreCheck::conversionProblems(store.home().databasePath()), QString());
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostile_files.moc"
