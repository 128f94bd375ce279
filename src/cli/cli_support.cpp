#include "cli_support.h"

#include "base/home.h"
#include "store/data_module.h"

int usage(const CliContext &context, const QString &problem, const QString &synopsis)
{
    if (!problem.isEmpty())
        context.err << problem << '\n';
    context.err << QStringLiteral("用法：rowshift-cli [--home DIR] ") << synopsis << Qt::endl;
    return ExitUsage;
}

bool openStore(const CliContext &context, const Home &home, TDm &dm)
{
    QString error;
    if (!home.ensureRoot(&error) || !BringUpStore(dm, home.databasePath(), error)) {
        context.err << error << Qt::endl;
        return false;
    }
    return true;
}
