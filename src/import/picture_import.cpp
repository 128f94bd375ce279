#include "picture_import.h"

#include "base/file_copy.h"
#include "base/file_names.h"
#include "csv/shop_formats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace PictureImport {

namespace {

void copyOver(const QString &source, const QString &target)
{
    CopyFileOver(source, target); // a missing or unreadable picture is skipped silently
}

QString withoutExtension(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

} // namespace

QStringList importTaobao(const QString &pictureList, int formatCode, const QString &sourceDir,
                         const QString &storeDir)
{
    if (QDir().mkpath(storeDir)) {
        for (const QString &name : PictureListNames(pictureList)) {
            if (!IsPlainFileName(name))
                continue;
            copyOver(sourceDir + QLatin1Char('/') + name + QStringLiteral(".tbi"),
                     storeDir + QLatin1Char('/') + name + QStringLiteral(".jpg"));
        }
    }
    return PictureListNamesOfKind(pictureList, formatCode == 2 ? 1 : 0);
}

QString importPaipai(const QString &value, const QString &sourceDir, const QString &storeDir)
{
    const QString name = FileNamePart(value);
    if (IsPlainFileName(name) && QDir().mkpath(storeDir))
        copyOver(sourceDir + QLatin1Char('/') + name, storeDir + QLatin1Char('/') + name);
    return withoutExtension(name);
}

} // namespace PictureImport
