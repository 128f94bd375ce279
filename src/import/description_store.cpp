#include "description_store.h"

#include "base/ansi_text.h"
#include "base/file_copy.h"
#include "settings/text_replace.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace DescriptionStore {

namespace {

QString newFileStem()
{
    const QUuid id = QUuid::createUuid();
    if (!id.isNull())
        return id.toString(QUuid::WithBraces).toUpper();
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmsszzz"));
}

// Creates a file that must not exist yet and writes it whole. Plain system calls: thousands
// of descriptions per import make QFile's extra bookkeeping per file noticeable.
} // namespace

NewFile createFile(const QString &path, const QByteArray &bytes, QString &error)
{
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST)
            return NewFile::Exists;
        error = QString::fromLocal8Bit(std::strerror(errno));
        return NewFile::Failed;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = QString::fromLocal8Bit(std::strerror(n < 0 ? errno : ENOSPC));
            ::close(fd);
            ::unlink(native.constData());
            return NewFile::Failed;
        }
        done += n;
    }
    if (::close(fd) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        ::unlink(native.constData());
        return NewFile::Failed;
    }
    return NewFile::Written;
#else
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return QFileInfo::exists(path) ? NewFile::Exists : (error = file.errorString(), NewFile::Failed);
    if (file.write(bytes) == bytes.size() && file.flush())
        return NewFile::Written;
    error = file.errorString();
    file.close();
    file.remove();
    return NewFile::Failed;
#endif
}

QByteArray fileContent(const QString &text)
{
    return AnsiText::encode(ReplaceText(text, QStringLiteral("\"\""), QStringLiteral("\""), false)
                            + QStringLiteral("\r\n"));
}

QString newFilePath(const QString &storeDir)
{
    QString stem = newFileStem();
    QString path = storeDir + QLatin1Char('/') + stem + QStringLiteral(".htm");
    for (int counter = 0; QFileInfo::exists(path); ++counter) {
        stem += QString::number(counter);
        path = storeDir + QLatin1Char('/') + stem + QStringLiteral(".htm");
    }
    return path;
}

QString freePath(const QString &storeDir, const QString &fileName)
{
    QString candidate = storeDir + QLatin1Char('/') + fileName;
    for (int counter = 0; QFileInfo::exists(candidate); ++counter) {
        const QFileInfo info(candidate);
        const QString name = info.fileName();
        const int dot = name.lastIndexOf(QLatin1Char('.'));
        const QString stem = dot < 0 ? name : name.left(dot);
        const QString extension = dot < 0 ? QString() : name.mid(dot);
        candidate = storeDir + QLatin1Char('/') + stem + QString::number(counter) + extension;
    }
    return candidate;
}

QString copyIn(const QString &storeDir, const QString &sourcePath)
{
    const QFileInfo source(sourcePath);
    if (!source.isFile() || !QDir().mkpath(storeDir))
        return QString();
    const QString target = freePath(storeDir, source.fileName());
    return CopyFileOver(sourcePath, target) ? target : QString();
}

} // namespace DescriptionStore
