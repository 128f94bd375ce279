#include "description_store.h"

#include "base/ansi_text.h"
#include "base/file_copy.h"
#include "settings/text_replace.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace DescriptionStore {

namespace {

QString newFileStem()
{
    const QUuid id = QUuid::createUuid();
    if (!id.isNull())
        return id.toString(QUuid::WithBraces).toUpper();
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmsszzz"));
}

} // namespace

QString writeNew(const QString &storeDir, const QString &text, QString &error)
{
    if (!QDir().mkpath(storeDir)) {
        error = QStringLiteral("无法创建描述文件目录：") + QDir::toNativeSeparators(storeDir);
        return QString();
    }
    const QByteArray bytes = AnsiText::encode(
        ReplaceText(text, QStringLiteral("\"\""), QStringLiteral("\""), false) + QStringLiteral("\r\n"));
    // A fresh GUID is free in practice: open without looking first, and extend the name
    // (name0, name01, ...) only when the file turns out to exist.
    QString stem = newFileStem();
    for (int counter = 0;; ++counter) {
        const QString path = storeDir + QLatin1Char('/') + stem + QStringLiteral(".htm");
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.write(bytes) == bytes.size() && file.flush())
                return path;
            error = file.errorString();
            file.close();
            file.remove();
            return QString();
        }
        if (!QFileInfo::exists(path)) {
            error = file.errorString();
            return QString();
        }
        stem += QString::number(counter);
    }
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
