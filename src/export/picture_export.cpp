#include "picture_export.h"

#include "base/file_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString joined(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name;
}

QString withoutExtension(const QString &path)
{
    const int separator = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > separator ? path.left(dot) : path;
}

} // namespace

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
        if (CopyFileOver(joined(sourceDir, name + from), target))
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
    if (CopyFileOver(sourcePath, destinationPath))
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
