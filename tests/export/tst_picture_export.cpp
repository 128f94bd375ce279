#include "export_fixture.h"

#include "base/ansi_text.h"
#include "export/category_export.h"
#include "export/export_layouts.h"
#include "export/picture_export.h"
#include "store/item_tables.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QtTest>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

QStringList filesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

QString fieldOf(const QString &csv, int format, const char *column)
{
    const QList<QStringList> records = recordsOf(readShopFile(csv));
    const QStringList columns = FormatSelectList(format);
    return records.isEmpty() ? QStringLiteral("<no record>") : records[0].value(columns.indexOf(u(column)));
}

} // namespace

class TestPictureExport : public QObject
{
    Q_OBJECT

private slots:
    void pathWithoutExtension_data();
    void pathWithoutExtension();
    void pictureFolderModes();
    void copyPictureListBothDirections();
    void unsafeNamesStayInside();
    void copyOneFileReplaces();
    void taobaoPicturesBecomeTbi();
    void paipaiPicturesAndDescription();
    void picturesFolderOfSingleExport_data();
    void picturesFolderOfSingleExport();
};

void TestPictureExport::pathWithoutExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::newRow("csv") << u("out/items.csv") << u("out/items");
    QTest::newRow("two dots") << u("out/a.b.csv") << u("out/a.b");
    QTest::newRow("dot in a folder only") << u("out.d/items") << u("out.d/items");
    QTest::newRow("no dot") << u("out/items") << u("out/items");
}

void TestPictureExport::pathWithoutExtension()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    TempHome home;
    QCOMPARE(PathWithoutExtension(home.path(path)), home.path(folder));
    QVERIFY(QFileInfo(home.path(folder)).isDir());
}

void TestPictureExport::pictureFolderModes()
{
    TempHome home;
    const QString d = home.path(u("D"));
    QString result;
    PictureFolderFor(PictureFolderSameName, d, u("/given"), u("A.b"), true, result);
    QCOMPARE(result, d + u("/A.b"));
    QVERIFY(!QFileInfo::exists(result)); // keeping the name creates nothing
    PictureFolderFor(PictureFolderSameName, d, u("/given"), u("A.csv"), false, result);
    QCOMPARE(result, d + u("/A"));
    QVERIFY(QFileInfo(result).isDir());
    PictureFolderFor(PictureFolderImages, d, u("/given"), u("A"), true, result);
    QCOMPARE(result, d + u("/images"));
    PictureFolderFor(PictureFolderGiven, d, u("/given"), u("A"), true, result);
    QCOMPARE(result, u("/given"));
    QCOMPARE(JoinAndCreateFolder(d + u("/"), u("sub")), d + u("/sub"));
    QVERIFY(QFileInfo(d + u("/sub")).isDir());
}

void TestPictureExport::copyPictureListBothDirections()
{
    TempHome home;
    const QString store = home.path(u("images"));
    QVERIFY(TestFiles::write(store + u("/a.jpg"), "A"));
    QVERIFY(TestFiles::write(store + u("/b.jpg"), "B"));
    const QString out = home.path(u("out/pics"));
    QVERIFY(TestFiles::write(out + u("/a.tbi"), "old"));
    QString last;
    CopyPictureList({u("a"), u("missing"), u("b"), u("a")}, store, out, PictureDirection::Export, last);
    QCOMPARE(filesUnder(out), (QStringList{u("a.tbi"), u("b.tbi")}));
    QCOMPARE(TestFiles::read(out + u("/a.tbi")), QByteArray("A"));
    QCOMPARE(last, out + u("/a.tbi"));

    const QString back = home.path(u("back"));
    CopyPictureList({u("b")}, out, back, PictureDirection::Import, last);
    QCOMPARE(TestFiles::read(back + u("/b.jpg")), QByteArray("B"));
    CopyPictureList({u("missing")}, out, back, PictureDirection::Import, last);
    QCOMPARE(last, QString());
}

void TestPictureExport::unsafeNamesStayInside()
{
    TempHome home;
    const QString store = home.path(u("s/images"));
    QVERIFY(TestFiles::write(store + u("/ok.jpg"), "ok"));
    QVERIFY(TestFiles::write(home.path(u("s/up.jpg")), "outside the store"));
    QVERIFY(TestFiles::write(store + u("/sub/x.jpg"), "nested"));
    const QString out = home.path(u("t/out"));
    QString last;
    CopyPictureList({u("ok"), u("../up"), u("sub/x"), u(".."), u("c:x"), QString()}, store, out,
                    PictureDirection::Export, last);
    QCOMPARE(filesUnder(home.path(u("t"))), QStringList{u("out/ok.tbi")});
    QCOMPARE(FileNamePart(u("C:\\shop\\items\\{G}.htm")), u("{G}.htm"));
    QCOMPARE(FileNamePart(u("/home/u/desc/d.htm")), u("d.htm"));
    QVERIFY(!IsPlainFileName(FileNamePart(u("C:\\shop\\.."))));
}

void TestPictureExport::copyOneFileReplaces()
{
    TempHome home;
    QVERIFY(TestFiles::write(home.path(u("src.htm")), "new"));
    QVERIFY(TestFiles::write(home.path(u("dst/d.htm")), "old"));
    QString result;
    CopyOneFile(home.path(u("src.htm")), home.path(u("dst/d.htm")), result);
    QCOMPARE(result, home.path(u("dst/d.htm")));
    QCOMPARE(TestFiles::read(result), QByteArray("new"));
    CopyOneFile(home.path(u("src.htm")), home.path(u("deep/er/d.htm")), result);
    QCOMPARE(TestFiles::read(home.path(u("deep/er/d.htm"))), QByteArray("new"));
    CopyOneFile(home.path(u("none.htm")), home.path(u("dst/d.htm")), result);
    QCOMPARE(result, QString());
    // copying a file onto itself keeps it
    CopyOneFile(home.path(u("src.htm")), home.path(u("src.htm")), result);
    QCOMPARE(TestFiles::read(home.path(u("src.htm"))), QByteArray("new"));
}

void TestPictureExport::taobaoPicturesBecomeTbi()
{
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("A"));
    const QString store = f.home().imagesDir();
    for (const char *name : {"a", "b", "x"})
        QVERIFY(TestFiles::write(store + u("/") + u(name) + u(".jpg"), QByteArray("pic ") + name));
    // c is missing from the store; x has a two-digit position and is no entry
    const QString list = u("a:1:0:|;b:2:0:2:|http://u;c:1:2:|;x:1:10:|;");
    f.insert(u("BabyData"), {{u("宝贝名称"), u("n")}, {u("新图片"), list}, {u("cID"), cat}});
    CategoryFileJob job;
    job.csvPath = f.path(u("out/t.csv"));
    job.format = FormatTaobao4;
    job.cID = cat;
    job.exportPictures = true;
    job.pictureDir = f.path(u("out/t"));
    job.pictureSource = store;
    QString error;
    QCOMPARE(WriteCategoryFile(f.dm(), job, nullptr, error), WriteStatus::Written);
    QCOMPARE(filesUnder(f.path(u("out/t"))), (QStringList{u("a.tbi"), u("b.tbi")}));
    QCOMPARE(TestFiles::read(f.path(u("out/t/b.tbi"))), QByteArray("pic b"));
    QCOMPARE(fieldOf(job.csvPath, FormatTaobao4, "新图片"), u("\"") + list + u("\""));
}

void TestPictureExport::paipaiPicturesAndDescription()
{
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("P"));
    const QString store = f.home().imagesDir();
    QVERIFY(TestFiles::write(store + u("/p1.jpg"), "p1"));
    QVERIFY(TestFiles::write(store + u("/x.png"), "stored as png"));
    QDir().mkpath(f.home().descDir());
    const QString desc = f.home().descDir() + u("/{G}.htm");
    QVERIFY(AnsiText::writeFile(desc, u("<i>d</i>")));
    f.insert(u("PPData"), {{u("商品名称"), u("q")}, {u("图片"), u("p1")}, {u("图片3"), u("p3")}, {u("图片4"), u("x")},
                           {u("商品详情"), desc}, {u("cID"), cat}});
    CategoryFileJob job;
    job.csvPath = f.path(u("out/p.csv"));
    job.format = FormatPaipai;
    job.cID = cat;
    job.exportPictures = true;
    job.pictureDir = f.path(u("out/p"));
    job.pictureSource = store;
    QString error;
    QCOMPARE(WriteCategoryFile(f.dm(), job, nullptr, error), WriteStatus::Written);
    QCOMPARE(fieldOf(job.csvPath, FormatPaipai, "图片"), u("\"p1.jpg\""));
    QCOMPARE(fieldOf(job.csvPath, FormatPaipai, "图片2"), u("\"\""));
    QCOMPARE(fieldOf(job.csvPath, FormatPaipai, "图片3"), u("\"p3.jpg\"")); // missing: named all the same
    QCOMPARE(fieldOf(job.csvPath, FormatPaipai, "图片4"), u("\"x.jpg\""));
    QCOMPARE(fieldOf(job.csvPath, FormatPaipai, "商品详情"), u("\"{G}.htm\""));
    QCOMPARE(filesUnder(f.path(u("out/p"))), (QStringList{u("p1.jpg"), u("{G}.htm")}));
}

void TestPictureExport::picturesFolderOfSingleExport_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("folder");
    QTest::newRow("named like the CSV") << int(PictureFolderSameName) << u("out/shop");
    QTest::newRow("images") << int(PictureFolderImages) << u("out/images");
    QTest::newRow("given") << int(PictureFolderGiven) << u("given");
}

void TestPictureExport::picturesFolderOfSingleExport()
{
    QFETCH(int, mode);
    QFETCH(QString, folder);
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("A"));
    QVERIFY(TestFiles::write(f.home().imagesDir() + u("/a.jpg"), "a"));
    f.insert(u("BabyData"), {{u("宝贝名称"), u("n")}, {u("新图片"), u("a:0:0:|;")}, {u("cID"), cat}});
    ExportOptions options;
    options.format = FormatTaobao4;
    options.cID = cat;
    options.file = f.path(u("out/shop.csv"));
    options.exportPictures = true;
    options.pictureMode = mode;
    options.givenPictureDir = f.path(u("given"));
    const ExportResult result = ExportSingleCategory(f.dm(), f.home(), options, nullptr, nullptr);
    QCOMPARE(result.status, ExportResult::Succeeded);
    QCOMPARE(TestFiles::read(f.path(folder + u("/a.tbi"))), QByteArray("a"));
}

QTEST_GUILESS_MAIN(TestPictureExport)
#include "tst_picture_export.moc"
