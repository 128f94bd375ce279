#include "home.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

Home::Home(const QString &root)
    : m_root(QDir::cleanPath(QDir(root).absolutePath()))
{
}

static bool folderIsWritable(const QString &dir)
{
    if (!QFileInfo(dir).isDir())
        return false;
    // QFileInfo::isWritable is unreliable for root and ACLs: try a real file.
    QTemporaryFile probe(dir + QStringLiteral("/.rowshift-probe-XXXXXX"));
    return probe.open();
}

Home Home::resolve(const QString &explicitRoot)
{
    if (!explicitRoot.isEmpty())
        return Home(explicitRoot);
    const QString beside = QCoreApplication::applicationDirPath();
    if (!beside.isEmpty() && folderIsWritable(beside))
        return Home(beside);
    QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (perUser.isEmpty())
        perUser = QDir::homePath() + QStringLiteral("/.local/share/rowshift");
    return Home(perUser);
}

QString Home::databasePath() const { return m_root + QStringLiteral("/Data.db"); }
QString Home::imagesDir() const { return m_root + QStringLiteral("/images"); }
QString Home::descDir() const { return m_root + QStringLiteral("/desc"); }
QString Home::settingsDir() const { return m_root + QStringLiteral("/settings"); }

bool Home::ensureRoot(QString *error) const
{
    if (QDir().mkpath(m_root))
        return true;
    if (error)
        *error = QStringLiteral("无法创建数据目录：") + QDir::toNativeSeparators(m_root);
    return false;
}
