// Imports a generated 20,000-record Taobao 4.x file (with pictures), then times exports:
// Taobao 4.x and 5.x without pictures, Paipai with pictures, and a convert round
// 4.x -> Paipai -> 4.x through fresh homes. Prints rows per second and peak memory.
//   bench_export [RECORDS]
#include "shop_file_generator.h"

#include "base/home.h"
#include "base/message_sink.h"
#include "base/progress_sink.h"
#include "export/category_export.h"
#include "export/picture_export.h"
#include "import/single_import.h"
#include "store/data_module.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

class OverwriteEverything final : public MessageSink
{
public:
    void information(const QString &) override {}
    void error(const QString &) override {}
    bool question(const QString &) override { return false; }
    OverwriteAnswer askOverwrite(const QString &) override { return OverwriteAnswer::Overwrite; }
};

void fail(const QString &error)
{
    std::fprintf(stderr, "%s\n", qPrintable(error));
    std::exit(1);
}

qint64 importInto(TDm &dm, const Home &home, const QString &csv, int format, bool pictures)
{
    home.ensureRoot();
    QString error;
    if (!BringUpStore(dm, home.databasePath(), error))
        fail(error);
    SingleImportOptions options;
    options.filePath = csv;
    options.formatCode = format;
    options.importPictures = pictures;
    options.pictureDir = csv.chopped(4);
    NullProgress progress;
    qint64 target = 0;
    if (!ImportOneFile(dm, home, options, &progress, target, error))
        fail(error);
    return target;
}

double exportOnce(TDm &dm, const Home &home, qint64 category, int format, bool pictures, const QString &file)
{
    ExportOptions options;
    options.format = format;
    options.cID = category;
    options.file = file;
    options.exportPictures = pictures;
    options.pictureMode = PictureFolderSameName;
    options.existing = ExistingFilePolicy::Overwrite;
    OverwriteEverything messages;
    NullProgress progress;
    QElapsedTimer timer;
    timer.start();
    const ExportResult result = ExportSingleCategory(dm, home, options, &messages, &progress);
    if (result.status != ExportResult::Succeeded)
        fail(result.error);
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qint64 records = 20000;
    if (argc > 1 && QString::fromLocal8Bit(argv[1]).toLongLong() > 0)
        records = QString::fromLocal8Bit(argv[1]).toLongLong();
    QTemporaryDir work;
    const QString csv = work.path() + QStringLiteral("/bench.csv");
    GenerateTaobao4File(csv, records, 4096, 3, csv.chopped(4));

    const Home home(work.path() + QStringLiteral("/home"));
    TDm dm;
    const qint64 category = importInto(dm, home, csv, 1, true);
    const auto report = [&](const char *what, double seconds) {
        std::printf("%-28s %6.2f s  %8.0f rows/s  peak memory %.1f MB\n", what, seconds, records / seconds,
                    PeakMemoryMb());
    };
    report("export Taobao 4.x", exportOnce(dm, home, category, 1, false, work.path() + QStringLiteral("/o4.csv")));
    report("export Taobao 5.x", exportOnce(dm, home, category, 2, false, work.path() + QStringLiteral("/o5.csv")));
    report("export Paipai + pictures", exportOnce(dm, home, category, 3, true, work.path() + QStringLiteral("/pp.csv")));

    // convert round: 4.x -> Paipai -> 4.x, each step in a fresh home
    QElapsedTimer timer;
    timer.start();
    TDm first;
    const Home one(work.path() + QStringLiteral("/round1"));
    const qint64 a = importInto(first, one, csv, 1, true);
    exportOnce(first, one, a, 3, true, work.path() + QStringLiteral("/round.csv"));
    TDm second;
    const Home two(work.path() + QStringLiteral("/round2"));
    const qint64 b = importInto(second, two, work.path() + QStringLiteral("/round.csv"), 3, true);
    exportOnce(second, two, b, 1, true, work.path() + QStringLiteral("/back.csv"));
    report("convert 4.x->Paipai->4.x", timer.nsecsElapsed() / 1e9);
    return 0;
}
