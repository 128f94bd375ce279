// Imports a generated Taobao 4.x file into a fresh home and prints records per second,
// MB per second of input and peak memory.
//   bench_import [RECORDS] [--pictures] [--keep DIR]
#include "shop_file_generator.h"

#include "base/home.h"
#include "base/progress_sink.h"
#include "import/single_import.h"
#include "store/data_module.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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

    QTemporaryDir work;
    const QString csv = work.path() + QStringLiteral("/bench.csv");
    const QString pictureDir = work.path() + QStringLiteral("/bench");
    const GeneratedFile file = GenerateTaobao4File(csv, records, 4096, 3, pictures ? pictureDir : QString());
    std::printf("generated %lld records, %.1f MB\n", static_cast<long long>(file.records), file.bytes / 1e6);

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
    std::printf("import%s: %.2f s, %.0f records/s, %.1f MB/s of input, peak memory %.1f MB\n",
                pictures ? " with pictures" : "", seconds, file.records / seconds, file.bytes / 1e6 / seconds,
                PeakMemoryMb());
    return 0;
}
