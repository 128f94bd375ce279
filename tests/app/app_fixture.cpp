#include "app_fixture.h"

#include "store/category_store.h"

#include <QDesktopServices>

StoreFixture::StoreFixture()
{
    QString error;
    if (!BringUpStore(dm, m_home.home().databasePath(), error))
        qFatal("The test store could not be brought up: %s", qUtf8Printable(error));
}

qint64 StoreFixture::category(const QString &name, qint64 parent, bool visible, const QString &path)
{
    return InsertCategory(dm, name, path, parent, 1, visible);
}

qint64 StoreFixture::item(qint64 cID, const QString &name, bool withBaby, bool withPP)
{
    dm.exec(QStringLiteral("insert into BaseData(商品名称,cID,商品数量) values(?,?,1)"), {name, cID});
    const qint64 bID = dm.scalar(QStringLiteral("select max(bID) from BaseData")).toLongLong();
    if (withBaby)
        babyRow(cID, bID, name);
    if (withPP)
        ppRow(cID, bID, name);
    return bID;
}

qint64 StoreFixture::babyRow(qint64 cID, const QVariant &bID, const QString &name)
{
    dm.exec(QStringLiteral("insert into BabyData(宝贝名称,cID,bID) values(?,?,?)"), {name, cID, bID});
    return dm.scalar(QStringLiteral("select max(ID) from BabyData")).toLongLong();
}

qint64 StoreFixture::ppRow(qint64 cID, const QVariant &bID, const QString &name)
{
    dm.exec(QStringLiteral("insert into PPData(商品名称,cID,bID,id) values(?,?,?,-1)"), {name, cID, bID});
    return dm.scalar(QStringLiteral("select max(pID) from PPData")).toLongLong();
}

qint64 StoreFixture::count(const QString &table, qint64 cID)
{
    return dm.scalar(QStringLiteral("select count(*) from ") + table + QStringLiteral(" where cID=?"), {cID}).toLongLong();
}

int StoreFixture::tick(const QString &table, qint64 bID)
{
    const QVariant value = dm.scalar(QStringLiteral("select 选择 from ") + table + QStringLiteral(" where bID=?"), {bID});
    return value.isNull() ? -2 : value.toInt();
}

PageRecorder::PageRecorder()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
}

PageRecorder::~PageRecorder()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}
