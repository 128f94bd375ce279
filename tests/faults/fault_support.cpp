#include "fault_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/resource.h>

StoreAt::StoreAt(const QString &root)
    : m_home(root)
{
    m_open = m_home.ensureRoot(&m_error) && BringUpStore(m_dm, m_home.databasePath(), m_error);
}

QVariant StoreAt::value(const QString &sql, const QVariantList &values)
{
    return m_dm.scalar(sql, values);
}

namespace StoreCheck {

namespace {

// A connection of its own for one check, closed again afterwards.
template <typename Work>
QString withConnection(const QString &databasePath, Work work)
{
    static int counter = 0;
    const QString name = QStringLiteral("store-check-%1").arg(++counter);
    QString result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        result = db.open() ? work(db) : db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

qint64 number(QSqlDatabase &db, const QString &sql, QString &problem)
{
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next()) {
        problem += sql + QStringLiteral(": ") + q.lastError().text() + QLatin1Char('\n');
        return -1;
    }
    return q.value(0).toLongLong();
}

} // namespace

QString integrity(const QString &databasePath)
{
    return withConnection(databasePath, [](QSqlDatabase &db) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA integrity_check")))
            return q.lastError().text();
        QStringList lines;
        while (q.next())
            lines << q.value(0).toString();
        return lines.join(QLatin1Char('\n'));
    });
}

QString conversionProblems(const QString &databasePath)
{
    return withConnection(databasePath, [](QSqlDatabase &db) {
        QString problem;
        if (number(db, QStringLiteral("select count(*) from BabyNewData"), problem) != 0)
            problem += QStringLiteral("the 5.x staging table holds rows\n");
        // A generic row stands for an item that some native table holds.
        const qint64 orphans = number(db, QStringLiteral(
            "select count(*) from BaseData b where not exists (select 1 from BabyData n where n.bID=b.bID)"
            " and not exists (select 1 from PPData n where n.bID=b.bID)"), problem);
        if (orphans != 0)
            problem += QStringLiteral("%1 generic rows have no native row\n").arg(orphans);
        for (const char *table : {"BabyData", "PPData"}) {
            const QString t = QString::fromLatin1(table);
            const qint64 dangling = number(db, QStringLiteral(
                "select count(*) from %1 n where n.bID is not null and not exists"
                " (select 1 from BaseData b where b.bID=n.bID)").arg(t), problem);
            if (dangling != 0)
                problem += QStringLiteral("%1 rows of %2 link to no generic row\n").arg(dangling).arg(t);
            const qint64 doubles = number(db, QStringLiteral(
                "select count(*) from (select bID from %1 where bID is not null group by bID having count(*) > 1)")
                .arg(t), problem);
            if (doubles != 0)
                problem += QStringLiteral("%1 generic rows have two rows in %2\n").arg(doubles).arg(t);
            // A category's rows are converted all together or not at all.
            const qint64 halves = number(db, QStringLiteral(
                "select count(*) from (select cID from %1 group by cID"
                " having sum(bID is null) > 0 and sum(bID is not null) > 0)").arg(t), problem);
            if (halves != 0)
                problem += QStringLiteral("%1 categories of %2 are half converted\n").arg(halves).arg(t);
        }
        return problem;
    });
}

} // namespace StoreCheck

TmpfsMount::TmpfsMount(const QString &folder, const QString &size)
    : m_folder(folder)
{
    QDir().mkpath(folder);
    const QByteArray options = "size=" + size.toLatin1();
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) == 0)
        m_mounted = true;
    else
        m_error = QString::fromLocal8Bit(std::strerror(errno));
}

TmpfsMount::~TmpfsMount()
{
    if (!m_mounted)
        return;
    const QByteArray path = QFile::encodeName(m_folder);
    if (::umount2(path.constData(), 0) != 0)
        ::umount2(path.constData(), MNT_DETACH); // a file still open: let it go when closed
}

bool TmpfsMount::remount(bool readOnly, const QString &size)
{
    const QByteArray options = "size=" + size.toLatin1();
    const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
    if (::mount("tmpfs", QFile::encodeName(m_folder).constData(), "tmpfs", flags, options.constData()) == 0)
        return true;
    m_error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

QString CliPath()
{
    return QStringLiteral(ROWSHIFT_CLI);
}

CliResult RunCli(const QStringList &args, int timeoutMs)
{
    QProcess p;
    p.start(CliPath(), args);
    CliResult r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QStringList FilesUnder(const QString &folder)
{
    QStringList files;
    const QDir base(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << base.relativeFilePath(it.next());
    files.sort();
    return files;
}

void ResetPeakMemory()
{
    // Writing 5 to clear_refs sets the peak resident size back to the current one (Linux).
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double PeakMemoryMbSinceReset()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}
