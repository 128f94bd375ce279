// Imports a generated Taobao 4.x file into a fresh home and prints records per second,
// MB per second of input and peak memory.
//   bench_import [RECORDS] [--pictures] [--file CSV]
// With --file, an existing CSV is imported as it is (its picture folder named like it).
#include "shop_file_generator.h"

#include "base/home.h"
#include "base/progress_sink.h"
#include "import/single_import.h"
#include "store/data_module.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    qint64 records = 20000;
    if (args.size() > 1 && args[1].toLongLong() > 0)
        records = args[1].toLongLong();
    const bool pictures = args.contains(QStringLiteral("--pictures"));

    const int fileAt = args.indexOf(QStringLiteral("--file"));
    QTemporaryDir work;
    QString csv = work.path() + QStringLiteral("/bench.csv");
    GeneratedFile file;
    if (fileAt > 0 && fileAt + 1 < args.size() && QFileInfo::exists(args[fileAt + 1])) {
        csv = QFileInfo(args[fileAt + 1]).absoluteFilePath();
        file.bytes = QFileInfo(csv).size();
    } else {
        if (fileAt > 0 && fileAt + 1 < args.size())
            csv = QFileInfo(args[fileAt + 1]).absoluteFilePath();
        file = GenerateTaobao4File(csv, records, 4096, 3, pictures ? csv.chopped(4) : QString());
        std::printf("generated %lld records, %.1f MB\n", static_cast<long long>(file.records), file.bytes / 1e6);
    }
    const QString pictureDir = csv.chopped(4);

    const Home home(work.path() + QStringLiteral("/home"));
    home.ensureRoot();
    TDm dm;
    QString error;
    if (!BringUpStore(dm, home.databasePath(), error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    SingleImportOptions options;
    options.filePath = csv;
    options.formatCode = 1;
    options.importPictures = pictures;
    options.pictureDir = pictureDir;
    NullProgress progress;
    qint64 target = 0;
    QElapsedTimer timer;
    timer.start();
    if (!ImportOneFile(dm, home, options, &progress, target, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    file.records = dm.scalar(QStringLiteral("select count(*) from BabyData")).toLongLong();
    std::printf("import%s: %.2f s, %.0f records/s, %.1f MB/s of input, peak memory %.1f MB\n",
                pictures ? " with pictures" : "", seconds, file.records / seconds, file.bytes / 1e6 / seconds,
                PeakMemoryMb());
    return 0;
}
