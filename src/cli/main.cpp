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
        "                             导入整个目录\n"
        "  export CID --to tb4|tb5|paipai|generic -o FILE [--ticked] [--pictures same|images|none]\n"
        "             [--existing overwrite|merge|fail]\n"
        "                             导出一个分类\n"
        "  export-tree CID[,CID...] --to tb4|tb5|paipai|generic -o DIR [--range all|main|sub]\n"
        "             [--prefix P] [--suffix S] [--pictures same|images|none|DIR]\n"
        "             [--existing overwrite|merge|ignore|fail]\n"
        "                             导出多个分类（含子分类）到目录\n"
        "  convert FILE --to tb4|tb5|paipai -o OUT [--from taobao|paipai] [--pictures DIR]\n"
        "                             把一个文件转换为另一种格式\n");
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
        {QStringLiteral("export"), runExport},
        {QStringLiteral("export-tree"), runExportTree},
        {QStringLiteral("convert"),
         [&](const CliContext &c, const QStringList &a) { return runConvert(c, a, !homeDir.isEmpty()); }},
    };
    const auto it = commands.find(command);
    if (it == commands.end()) {
        err << usage();
        return ExitUsage;
    }
    return it->second(context, args);
}
