#pragma once

#include "base/home.h"
#include "store/data_module.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// Shared by the fault and hostile-file tests: a store at a chosen home, checks that a store is
// whole, a small tmpfs for a full or read-only disk, and the command-line program.

// A store brought up like the programs do, at a home the test chooses.
class StoreAt
{
public:
    explicit StoreAt(const QString &root);
    const Home &home() const { return m_home; }
    TDm &dm() { return m_dm; }
    bool isOpen() const { return m_open; }
    QString error() const { return m_error; }

    QVariant value(const QString &sql, const QVariantList &values = {});
    qint64 count(const QString &sql, const QVariantList &values = {}) { return value(sql, values).toLongLong(); }

private:
    Home m_home;
    TDm m_dm;
    bool m_open = false;
    QString m_error;
};

namespace StoreCheck {
// "ok" when the database file passes PRAGMA integrity_check; read through a fresh connection,
// which also rolls back what a killed process left in a hot journal.
QString integrity(const QString &databasePath);
// Empty when the links between generic and native rows are whole: each generic row has at most
// one row per native table and at least one in all, each link leads to a generic row, no
// category's native rows are half converted, and the 5.x staging table is empty; else what is wrong.
QString conversionProblems(const QString &databasePath);
} // namespace StoreCheck

// A tmpfs mounted on a fresh folder for the life of the object (root only; isMounted() tells).
class TmpfsMount
{
public:
    TmpfsMount(const QString &folder, const QString &size);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool isMounted() const { return m_mounted; }
    QString error() const { return m_error; }
    QString path() const { return m_folder; }
    // Mounts it again read-only or writable, with a new size.
    bool remount(bool readOnly, const QString &size);

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_error;
};

// Runs rowshift-cli with the arguments; exit code -1 when it did not finish in time.
struct CliResult
{
    int exitCode = -1;
    QString out;
    QString err;
};
CliResult RunCli(const QStringList &args, int timeoutMs = 120000);
QString CliPath();

// Files under a folder, relative to it, with "/" between the parts (symbolic links not followed).
QStringList FilesUnder(const QString &folder);

// Peak resident memory since ResetPeakMemory(), in MB (the whole run's peak when it cannot be reset).
void ResetPeakMemory();
double PeakMemoryMbSinceReset();
