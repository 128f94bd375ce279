#pragma once

#include "store/data_module.h"
#include "../testing/test_support.h"

#include <QString>
#include <QUrl>
#include <QList>
#include <QObject>

// A store in a temporary home with helpers that file categories and items into it. The
// fixture's own connection arranges and checks; the window under test opens its own.
class StoreFixture
{
    TempHome m_home; // first: the store lives inside it

public:
    StoreFixture();

    const Home &home() const { return m_home.home(); }
    TDm dm;

    qint64 category(const QString &name, qint64 parent = 0, bool visible = true, const QString &path = QString());
    // A generic item; with the flags also its Taobao and Paipai forms, linked by bID.
    qint64 item(qint64 cID, const QString &name, bool withBaby = false, bool withPP = false);
    qint64 babyRow(qint64 cID, const QVariant &bID, const QString &name);
    qint64 ppRow(qint64 cID, const QVariant &bID, const QString &name);

    qint64 count(const QString &table, qint64 cID);
    // The tick of an item's row in a table (-1 or 0); -2 when the table has no row of the item.
    int tick(const QString &table, qint64 bID);
    QString path(const QString &relative) const { return m_home.path(relative); }
};

// Records the web pages that the program hands to the desktop instead of opening them.
class PageRecorder : public QObject
{
    Q_OBJECT
public:
    PageRecorder();
    ~PageRecorder() override;
    QList<QUrl> pages;

public slots:
    void open(const QUrl &url) { pages.append(url); }
};
