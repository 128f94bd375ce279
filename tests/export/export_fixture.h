#pragma once

#include "store/data_module.h"
#include "../testing/test_support.h"

#include <QString>
#include <QStringList>
#include <QMap>
#include <QVariantMap>

// A store in a temporary home with helpers to file categories and items directly.
class ExportFixture
{
public:
    ExportFixture();

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    TDm &dm() { return m_dm; }
    const Home &home() const { return m_home.home(); }
    QString path(const QString &relative) const { return m_home.path(relative); }

    qint64 addCategory(const QString &name, qint64 parent = 0);
    // Inserts one row into an item table; keys are column names.
    void insert(const QString &table, const QVariantMap &values);
    qint64 count(const QString &sql);

private:
    TempHome m_home;
    TDm m_dm;
    QString m_error;
};

// The text of a UTF-16LE file after its mark; empty when the mark is missing.
QString readShopFile(const QString &path);
// The records of a shop file split into fields, header lines left out.
QList<QStringList> recordsOf(const QString &text, bool withHeader = true);

// A shop file's records keyed by the names of its column header (quotes around names removed),
// split with quote parity, so quoted fields may hold TABs and line breaks. headerLine: 0-based.
QList<QMap<QString, QString>> recordsByName(const QString &text, int headerLine);
