#include "file_copy.h"

#include <QFile>

bool CopyFileOver(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QFile::remove(target);
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0 || out.write(buffer, got) != got) {
            out.close();
            out.remove();
            return false;
        }
    }
    if (!out.flush()) {
        out.close();
        out.remove();
        return false;
    }
    return true;
}
