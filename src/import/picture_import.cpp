#include "picture_import.h"

#include "base/file_copy.h"
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

bool isSafeName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && name != QLatin1String(".") && !name.contains(QLatin1String("..")) && !name.contains(QChar(0));
}

QString fileNamePart(const QString &value)
{
    const int cut = std::max(value.lastIndexOf(QLatin1Char('\\')), value.lastIndexOf(QLatin1Char('/')));
    return value.mid(cut + 1);
}

QStringList importTaobao(const QString &pictureList, int formatCode, const QString &sourceDir,
                         const QString &storeDir)
{
    if (QDir().mkpath(storeDir)) {
        for (const QString &name : PictureListNames(pictureList)) {
            if (!isSafeName(name))
                continue;
            copyOver(sourceDir + QLatin1Char('/') + name + QStringLiteral(".tbi"),
                     storeDir + QLatin1Char('/') + name + QStringLiteral(".jpg"));
        }
    }
    return PictureListNamesOfKind(pictureList, formatCode == 2 ? 1 : 0);
}

QString importPaipai(const QString &value, const QString &sourceDir, const QString &storeDir)
{
    const QString name = fileNamePart(value);
    if (isSafeName(name) && QDir().mkpath(storeDir))
        copyOver(sourceDir + QLatin1Char('/') + name, storeDir + QLatin1Char('/') + name);
    return withoutExtension(name);
}

} // namespace PictureImport
