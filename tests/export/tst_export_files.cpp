#include "export_fixture.h"

#include "base/message_sink.h"
#include "base/progress_sink.h"
#include "export/category_export.h"
#include "export/export_file_list.h"
#include "export/picture_export.h"
#include "store/item_queries.h"
#include "store/item_tables.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QtTest>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

// Answers prepared in order; records what was asked.
class ScriptedSink : public MessageSink
{
public:
    QList<OverwriteAnswer> answers;
    QList<bool> continueAnswers;
    QStringList asked;
    QStringList questions;

    void information(const QString &) override {}
    void error(const QString &) override {}
    bool question(const QString &text) override
    {
        questions << text;
        return continueAnswers.isEmpty() ? false : continueAnswers.takeFirst();
    }
    OverwriteAnswer askOverwrite(const QString &text) override
    {
        asked << text;
        return answers.isEmpty() ? OverwriteAnswer::Cancel : answers.takeFirst();
    }
};

class RecordingProgress : public ProgressSink
{
public:
    void setProgress(qint64 position, qint64 maximum) override { last = {position, maximum}; }
    void setLabel(const QString &text) override { label = text; }
    QPair<qint64, qint64> last;
    QString label;
};

// Rows of ExFile as "path | pictures | picture folder | 分类 | 上层分类", paths relative to root.
QStringList exportFileRows(TDm &dm, const QString &root)
{
    QStringList rows;
    QSqlQuery &q = dm.exec(u("select 文件路径,导出图片,图片路径,分类,上层分类 from ExFile order by id"));
    const auto rel = [&](const QString &p) {
        const QString path = QDir::fromNativeSeparators(p);
        return path.startsWith(root + u("/")) ? path.mid(root.size() + 1) : path;
    };
    while (q.next())
        rows << QStringList{rel(q.value(0).toString()), q.value(1).toInt() ? u("yes") : u("no"),
                            rel(q.value(2).toString()), q.value(3).toString(), q.value(4).toString()}
                    .join(u(" | "));
    q.finish();
    return rows;
}

} // namespace

class TestExportFiles : public QObject
{
    Q_OBJECT

private slots:
    void walk_data();
    void walk();
    void walkSurvivesALoopAndOddNames();
    void overwriteAnswers_data();
    void overwriteAnswers();
    void failedFileAsksToGoOn_data();
    void failedFileAsksToGoOn();
    void nonsenseRows();
    void fileErrorEndsTheRun();
    void emptyListAndProgress();
};

void TestExportFiles::walk_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("rows");
    const QStringList all = {u("D/A.csv | yes | D/A | A | "), u("D/A/B.csv | yes | D/A/B | B | A"),
                             u("D/A/B_子目录/G.csv | yes | D/A/B_子目录/G | G | B"),
                             u("D/C/E.csv | yes | D/C/E | E | C")};
    QTest::newRow("everything") << 0 << 0 << QString() << all;
    QTest::newRow("chosen only") << 1 << 0 << QString() << QStringList{all[0]};
    QTest::newRow("below only") << 2 << 0 << QString() << all.mid(1);
    QTest::newRow("prefix") << 2 << 0 << u("前_")
                            << QStringList{all[1], u("D/A/前_B_子目录/G.csv | yes | D/A/前_B_子目录/G | G | B"), all[3]};
    QTest::newRow("images mode") << 0 << 1 << QString()
                                 << QStringList{u("D/A.csv | yes | D/images | A | "),
                                                u("D/A/B.csv | yes | D/A/images | B | A"),
                                                u("D/A/B_子目录/G.csv | yes | D/A/B_子目录/images | G | B"),
                                                u("D/C/E.csv | yes | D/C/images | E | C")};
    QTest::newRow("given mode") << 1 << 2 << QString() << QStringList{u("D/A.csv | yes | P | A | ")};
}

void TestExportFiles::walk()
{
    QFETCH(int, range);
    QFETCH(int, mode);
    QFETCH(QString, prefix);
    QFETCH(QStringList, rows);
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    // A > B > G, and C (no items) > E
    const qint64 a = f.addCategory(u("A"));
    const qint64 b = f.addCategory(u("B"), a);
    const qint64 g = f.addCategory(u("G"), b);
    const qint64 c = f.addCategory(u("C"));
    const qint64 e = f.addCategory(u("E"), c);
    for (qint64 cID : {a, b, g, e})
        f.insert(u("BaseData"), {{u("商品名称"), u("x")}, {u("cID"), cID}});
    QString error;
    QVERIFY(AddExportFile(f.dm(), u("stale.csv"), QString(), u("old"), QString(), u("1"), false, error));

    ExportTreeOptions options;
    options.exportFolder = f.path(u("D"));
    options.range = range;
    options.pictureMode = mode;
    options.givenPictureDir = f.path(u("P"));
    options.prefix = prefix;
    QVERIFY2(BuildExportFileList(f.dm(), options, {a, c}, error), qPrintable(error));
    QCOMPARE(exportFileRows(f.dm(), f.path(QString())), rows);
}

void TestExportFiles::walkSurvivesALoopAndOddNames()
{
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 k = f.addCategory(u("a/../b"));
    const qint64 l = f.addCategory(u(".."), k);
    f.dm().exec(u("update Category set pID=? where cID=?"), {l, k}); // a damaged tree: K and L are each other's parent
    for (qint64 cID : {k, l})
        f.insert(u("BaseData"), {{u("商品名称"), u("x")}, {u("cID"), cID}});
    ExportTreeOptions options;
    options.exportFolder = f.path(u("D"));
    QString error;
    QVERIFY2(BuildExportFileList(f.dm(), options, {k}, error), qPrintable(error));
    QCOMPARE(exportFileRows(f.dm(), f.path(QString())),
             (QStringList{u("D/a_.._b.csv | yes | D/a_.._b | a/../b | "),
                          u("D/a_.._b/_.csv | yes | D/a_.._b/_ | .. | a/../b")}));

    QVERIFY(!BuildExportFileList(f.dm(), options, {9999}, error));
    QVERIFY(error.startsWith(u("查询导出文件失败，原因：")));
}

namespace {

// Three categories X, Y, Z with one item each, listed in ExFile as out/X.csv, out/Y.csv, out/Z.csv.
struct RunFixture
{
    ExportFixture f;
    QStringList paths;

    RunFixture()
    {
        QString error;
        for (const char *name : {"X", "Y", "Z"}) {
            const qint64 cID = f.addCategory(u(name));
            f.insert(u("BabyData"), {{u("宝贝名称"), u(name)}, {u("cID"), cID}});
            paths << f.path(u("out/") + u(name) + u(".csv"));
            AddExportFile(f.dm(), paths.last(), f.path(u("out/") + u(name)), u(name), QString(),
                          QString::number(cID), false, error);
        }
    }

    ExportRunResult run(ScriptedSink &sink, ProgressSink *files = nullptr)
    {
        NullProgress rows;
        return ExportFileList(f.dm(), f.home(), FormatTaobao4, sink, {files, &rows});
    }
};

const QByteArray kOld = "old";

QString stateOf(const QString &path)
{
    if (!QFileInfo::exists(path))
        return u("absent");
    const QByteArray bytes = TestFiles::read(path);
    if (bytes == kOld)
        return u("old");
    if (bytes.startsWith(kOld)) // appended: no second mark, one record
        return !bytes.contains("\xFF\xFE") && bytes.size() > kOld.size() ? u("merged") : u("other");
    return bytes.startsWith("\xFF\xFE") && recordsOf(readShopFile(path)).size() == 1 ? u("new") : u("other");
}

} // namespace

void TestExportFiles::overwriteAnswers_data()
{
    using A = OverwriteAnswer;
    QTest::addColumn<QList<int>>("existing");
    QTest::addColumn<QList<OverwriteAnswer>>("answers");
    QTest::addColumn<int>("timesAsked");
    QTest::addColumn<QStringList>("states");
    QTest::addColumn<int>("status");
    const int ok = ExportRunResult::Succeeded;
    QTest::newRow("merge all asks once") << QList<int>{0, 1} << QList<A>{A::MergeAll} << 1
                                         << QStringList{u("merged"), u("merged"), u("new")} << ok;
    QTest::newRow("ignore asks again") << QList<int>{0, 1} << QList<A>{A::Ignore, A::Overwrite} << 2
                                       << QStringList{u("old"), u("new"), u("new")} << ok;
    QTest::newRow("ignore, new file, merge") << QList<int>{0, 2} << QList<A>{A::Ignore, A::Merge} << 2
                                             << QStringList{u("old"), u("new"), u("merged")} << ok;
    QTest::newRow("overwrite all then a new file") << QList<int>{0} << QList<A>{A::OverwriteAll} << 1
                                                   << QStringList{u("new"), u("new"), u("new")} << ok;
    QTest::newRow("ignore all creates new files") << QList<int>{0, 2} << QList<A>{A::IgnoreAll} << 1
                                                  << QStringList{u("old"), u("new"), u("old")} << ok;
    QTest::newRow("all skipped still succeeds") << QList<int>{0, 1, 2} << QList<A>{A::IgnoreAll} << 1
                                                << QStringList{u("old"), u("old"), u("old")} << ok;
    QTest::newRow("cancel stops at once") << QList<int>{1} << QList<A>{A::Cancel} << 1
                                          << QStringList{u("new"), u("old"), u("absent")}
                                          << int(ExportRunResult::Cancelled);
    QTest::newRow("closing the question is cancel") << QList<int>{0} << QList<A>{} << 1
                                                    << QStringList{u("old"), u("absent"), u("absent")}
                                                    << int(ExportRunResult::Cancelled);
}

void TestExportFiles::overwriteAnswers()
{
    QFETCH(QList<int>, existing);
    QFETCH(QList<OverwriteAnswer>, answers);
    QFETCH(int, timesAsked);
    QFETCH(QStringList, states);
    QFETCH(int, status);
    RunFixture r;
    for (int i : existing)
        QVERIFY(TestFiles::write(r.paths[i], kOld));
    ScriptedSink sink;
    sink.answers = answers;
    const ExportRunResult result = r.run(sink);
    QCOMPARE(int(result.status), status);
    QCOMPARE(sink.asked.size(), timesAsked);
    QCOMPARE(sink.asked.first(), ExistingExportFileQuestion(QDir::toNativeSeparators(r.paths[existing.first()])));
    QStringList actual;
    for (const QString &path : r.paths)
        actual << stateOf(path);
    QCOMPARE(actual, states);
}

void TestExportFiles::failedFileAsksToGoOn_data()
{
    QTest::addColumn<bool>("goOn");
    QTest::addColumn<QString>("lastState");
    QTest::addColumn<int>("status");
    QTest::newRow("go on") << true << u("new") << int(ExportRunResult::Succeeded);
    QTest::newRow("stop") << false << u("absent") << int(ExportRunResult::Stopped);
}

void TestExportFiles::failedFileAsksToGoOn()
{
    QFETCH(bool, goOn);
    QFETCH(QString, lastState);
    QFETCH(int, status);
    RunFixture r;
    r.f.dm().exec(u("delete from BabyData where 宝贝名称='Y'")); // Y has nothing to export
    ScriptedSink sink;
    sink.continueAnswers = {goOn};
    const ExportRunResult result = r.run(sink);
    QCOMPARE(int(result.status), status);
    QCOMPARE(sink.questions, QStringList{ExportFailedContinueQuestion(u("没有数据可以导出，请重新选择！"))});
    QCOMPARE(stateOf(r.paths[0]), u("new"));
    QCOMPARE(stateOf(r.paths[1]), u("absent"));
    QCOMPARE(stateOf(r.paths[2]), lastState);
}

void TestExportFiles::nonsenseRows()
{
    RunFixture r;
    TDm &dm = r.f.dm();
    dm.exec(u("update ExFile set 文件路径='  ' where 分类='X'"));
    dm.exec(u("update ExFile set cID=null where 分类='Y'"));
    dm.exec(u("insert into ExFile(文件路径,导出图片,图片路径,cID) values(?,-1,'',?)"), {r.f.path(u("out/W.csv")), u("abc")});
    dm.exec(u("insert into ExFile(文件路径,导出图片,图片路径,cID) values(?,0,null,0)"), {r.f.path(u("out/V.csv"))});
    dm.AdqExec().finish();
    ScriptedSink sink;
    sink.continueAnswers = {true, true, true, true};
    const ExportRunResult result = r.run(sink);
    QCOMPARE(sink.questions.size(), 4);
    QVERIFY(sink.questions[0].contains(u("文件路径为空")));
    QVERIFY(sink.questions[1].contains(u("无效的分类编号")));
    QVERIFY(sink.questions[2].contains(u("无效的分类编号：abc")));
    QVERIFY(sink.questions[3].contains(u("无效的分类编号：0")));
    QCOMPARE(int(result.status), int(ExportRunResult::Stopped)); // the last row failed
    QCOMPARE(stateOf(r.paths[2]), u("new"));
    QVERIFY(!QFileInfo::exists(r.f.path(u("out/W.csv"))));
    QVERIFY(!QFileInfo::exists(r.f.path(u("out/V.csv"))));
}

void TestExportFiles::fileErrorEndsTheRun()
{
    if (!QFileInfo::exists(u("/dev/full")))
        QSKIP("no /dev/full here");
    RunFixture r;
    r.f.dm().exec(u("update ExFile set 文件路径='/dev/full' where 分类='Y'"));
    ScriptedSink sink;
    sink.answers = {OverwriteAnswer::Overwrite};
    const ExportRunResult result = r.run(sink);
    QCOMPARE(int(result.status), int(ExportRunResult::Failed));
    QCOMPARE(result.error, u("写入文件失败！"));
    QVERIFY(sink.questions.isEmpty());
    QCOMPARE(stateOf(r.paths[2]), u("absent"));
}

void TestExportFiles::emptyListAndProgress()
{
    RunFixture r;
    RecordingProgress files;
    ScriptedSink sink;
    ExportRunResult result = r.run(sink, &files);
    QCOMPARE(int(result.status), int(ExportRunResult::Succeeded));
    QCOMPARE(result.written, 3);
    QCOMPARE(result.firstPath, r.paths[0]);
    QCOMPARE(files.last, qMakePair(qint64(3), qint64(3)));
    QCOMPARE(files.label, u("正在导出文件(当前/总数：3/3):\r\n") + QDir::toNativeSeparators(r.paths[2]));

    QString error;
    QVERIFY(ClearExportFiles(r.f.dm(), error));
    result = r.run(sink);
    QCOMPARE(int(result.status), int(ExportRunResult::NothingToExport));
    QCOMPARE(result.error, NothingToExportText());
}

QTEST_GUILESS_MAIN(TestExportFiles)
#include "tst_export_files.moc"
