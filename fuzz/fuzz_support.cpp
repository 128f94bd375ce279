#include "fuzz_support.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace Fuzz {

void InitQt()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "rowshift-fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

const QTemporaryDir &Scratch()
{
    static QTemporaryDir dir;
    Expect(dir.isValid(), "a scratch folder can be made");
    return dir;
}

void WriteInput(const QString &path, const uint8_t *data, size_t size)
{
    QFile file(path);
    Expect(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input file can be written");
    Expect(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size), "the input is written whole");
}

void Expect(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

} // namespace Fuzz
