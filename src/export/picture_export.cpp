#include "picture_export.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString joined(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name;
}

// A plain copy. QFile::copy syncs every file to disk, which makes an export of thousands of
// pictures take minutes; a copy that a crash cuts short is simply made again next time.
bool copyContents(const QString &sourcePath, const QString &destinationPath)
{
    QFile in(sourcePath);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QFile out(destinationPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block;
    while (!(block = in.read(256 * 1024)).isEmpty()) {
        if (out.write(block) != block.size())
            break;
    }
    const bool ok = in.error() == QFileDevice::NoError && in.atEnd() && out.flush();
    out.close();
    if (!ok)
        out.remove();
    return ok;
}

QString withoutExtension(const QString &path)
{
    const int separator = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > separator ? path.left(dot) : path;
}

} // namespace

bool IsPlainFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char(':'))
        && !name.contains(QChar(0));
}

QString FileNamePart(const QString &path)
{
    int cut = -1;
    for (const QChar c : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')})
        cut = qMax(cut, path.lastIndexOf(c));
    return path.mid(cut + 1);
}

void CopyPictureList(const QStringList &names, const QString &sourceDir, const QString &destinationDir,
                     PictureDirection direction, QString &lastCopied)
{
    lastCopied.clear();
    if (destinationDir.isEmpty() || !QDir().mkpath(destinationDir))
        return;
    const bool exporting = direction == PictureDirection::Export;
    const QString from = exporting ? QStringLiteral(".jpg") : QStringLiteral(".tbi");
    const QString to = exporting ? QStringLiteral(".tbi") : QStringLiteral(".jpg");
    for (const QString &name : names) {
        if (!IsPlainFileName(name))
            continue;
        const QString target = joined(destinationDir, name + to);
        QFile::remove(target);
        if (copyContents(joined(sourceDir, name + from), target))
            lastCopied = target;
    }
}

void CopyOneFile(const QString &sourcePath, const QString &destinationPath, QString &result)
{
    result.clear();
    if (sourcePath.isEmpty() || destinationPath.isEmpty() || !QFileInfo(sourcePath).isFile())
        return;
    if (QFileInfo(sourcePath).absoluteFilePath() == QFileInfo(destinationPath).absoluteFilePath()) {
        result = destinationPath; // already in place; removing it first would lose it
        return;
    }
    QFile::remove(destinationPath);
    if (!QDir().mkpath(QFileInfo(destinationPath).absolutePath()))
        return;
    if (copyContents(sourcePath, destinationPath))
        result = destinationPath;
}

void PictureFolderFor(int mode, const QString &folder, const QString &givenFolder, const QString &name,
                      bool keepName, QString &result)
{
    switch (mode) {
    case PictureFolderImages:
        result = joined(folder, QStringLiteral("images"));
        break;
    case PictureFolderGiven:
        result = givenFolder;
        break;
    default:
        result = keepName ? joined(folder, name) : PathWithoutExtension(joined(folder, name));
        break;
    }
}

QString PathWithoutExtension(const QString &path)
{
    const QString folder = withoutExtension(path);
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    return folder;
}

QString JoinAndCreateFolder(const QString &folder, const QString &name)
{
    const QString path = folder + name;
    if (!path.isEmpty())
        QDir().mkpath(path);
    return path;
}
