#include "cli_commands.h"

#include "base/home.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <map>

namespace {

QString usage()
{
    return QStringLiteral(
        "用法：rowshift-cli [--home DIR] COMMAND [ARGS]\n"
        "命令：\n"
        "  categories                 列出所有分类\n"
        "  import FILE [--from taobao|paipai] [--pictures DIR] [--into CID [--rename]]\n"
        "                             导入一个CSV文件，输出目标分类编号\n"
        "  import-dir DIR [--from taobao|paipai] [--range all|main|sub] [--prefix P] [--suffix S]\n"
        "             [--pictures same|images|none|DIR] [--into CID [--rename]]\n"
        "                             导入整个目录\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rowshift"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = app.arguments().mid(1);
    QString homeDir;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--home") && !args.isEmpty()) {
            homeDir = args.takeFirst();
        } else if (option == QLatin1String("--help")) {
            out << usage();
            return ExitOk;
        } else {
            err << usage();
            return ExitUsage;
        }
    }
    if (args.isEmpty()) {
        err << usage();
        return ExitUsage;
    }

    const Home home = Home::resolve(homeDir);
    const CliContext context{home, out, err};
    const QString command = args.takeFirst();
    const std::map<QString, std::function<int(const CliContext &, const QStringList &)>> commands = {
        {QStringLiteral("categories"), runCategories},
        {QStringLiteral("import"), runImport},
        {QStringLiteral("import-dir"), runImportDir},
    };
    const auto it = commands.find(command);
    if (it == commands.end()) {
        err << usage();
        return ExitUsage;
    }
    return it->second(context, args);
}
