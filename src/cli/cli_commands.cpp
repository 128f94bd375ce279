#include "cli_commands.h"

#include "base/home.h"
#include "store/data_module.h"

#include <QSqlQuery>

namespace {

bool openStore(const CliContext &context, TDm &dm)
{
    QString error;
    if (!context.home.ensureRoot(&error) || !BringUpStore(dm, context.home.databasePath(), error)) {
        context.err << error << Qt::endl;
        return false;
    }
    return true;
}

} // namespace

int runCategories(const CliContext &context, const QStringList &args)
{
    if (!args.isEmpty()) {
        context.err << QStringLiteral("用法：rowshift-cli [--home DIR] categories") << Qt::endl;
        return ExitUsage;
    }
    TDm dm;
    if (!openStore(context, dm))
        return ExitFailure;
    try {
        QSqlQuery &q = dm.exec(QStringLiteral(
            "select c.cID, c.pID, c.isVisible, (select count(*) from BaseData b where b.cID = c.cID), "
            "c.cName, c.cImPath from Category c order by c.cID"));
        while (q.next()) {
            const QString visible = q.value(2).toInt() != 0 ? QStringLiteral("1") : QStringLiteral("0");
            context.out << q.value(0).toLongLong() << '\t' << q.value(1).toLongLong() << '\t' << visible << '\t'
                        << q.value(3).toLongLong() << '\t' << q.value(4).toString() << '\t' << q.value(5).toString()
                        << '\n';
        }
        q.finish();
    } catch (const StoreError &e) {
        context.err << e.message() << Qt::endl;
        return ExitFailure;
    }
    context.out.flush();
    return ExitOk;
}
