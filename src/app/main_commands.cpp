#include "main_commands.h"

#include <QAction>

namespace {

CommandDef command(const char *name, const char *caption, const char *shortcut, bool acts = true,
                   const char *hint = "", bool enabled = true)
{
    return {QString::fromUtf8(name), QString::fromUtf8(caption), QString::fromUtf8(hint),
            QKeySequence(QString::fromUtf8(shortcut), QKeySequence::PortableText), acts, enabled};
}

QVector<CommandDef> makeCommands()
{
    constexpr bool nothing = false;
    return {
        command("actCatAdd", "添加(&A)", "Alt+A", true, "添加分类"),
        command("ActCatEdit", "修改(&E)", "Alt+E", true, "修改分类"),
        command("ActCatCopy", "复制(&C)", "Alt+C", true, "复制分类"),
        command("ActCatDel", "删除(&D)", "Alt+D", true, "删除分类"),
        command("actCheckDelete", "删除勾选的数据(&K)", "Ctrl+K", nothing),
        command("actExportDat", "导出数据(&D)", "Ctrl+D"),
        command("actImportTB", "导入淘宝CSV文件(&B)", "Ctrl+B"),
        command("actImportPP", "导入拍拍CSV文件(&P)", "Ctrl+P"),
        // Youa files are not offered: the command and its entries are disabled.
        command("actImportYA", "导入有啊CSV文件(&Y)", "Ctrl+S", nothing, "", false),
        command("actSelectAll", "全选(&A)", "Ctrl+A"),
        command("actCheck", "勾选(&O)", "Ctrl+O"),
        command("actCanCheck", "取消勾选(&U)", "Ctrl+U"),
        command("actRevCheck", "反向勾选(&U)", "Space"),
        command("actCanAllCheck", "取消所有勾选(&I)", "Ctrl+I"),
        command("ActCatChild", "添加子分类(&Z)", "Alt+Z", true, "添加子分类"),
        command("ActOption", "选项(&O)", "Ctrl+O", nothing),
        command("actImportES", "导入EcShop数据文件(&E)", "Ctrl+E", nothing),
        command("actExit", "&X退出", ""),
        command("actMini", "&M最小化", ""),
        command("ActSetDb", "数据库配置(&S)", "Ctrl+S"),
        command("ActDbBak", "备份数据库(&B)", "Ctrl+B", nothing),
        command("ActDbRes", "还原数据库(&R)", "", nothing),
        command("ActAbout", "关于(&A)...", ""),
        command("ActSysExit", "退出(&X)", "Ctrl+X"),
        command("actRefreshData", "&R刷新数据", ""),
        command("actMode", "&M编辑模式", "", nothing),
        command("actWinCut", "剪切(&X)", "Ctrl+X", nothing),
        command("actWinCopy", "复制(&C)", "Ctrl+C", nothing),
        command("actWinPaste", "粘帖(&P)", "Ctrl+V", nothing),
        command("actWinDelete", "删除(&D)", "Del", nothing),
        command("actWinSelAll", "全选(&A)", "Ctrl+A", nothing),
        command("actExportDIM", "导出信息(&E)", "Ctrl+E", nothing, "", false),
        command("actClearDIM", "清空信息(&L)", "Ctrl+L", nothing, "", false),
        command("actAllClearDIM", "全部清空(&R)", "Ctrl+R", nothing, "", false),
        command("actBrowseTB", "浏览淘宝数据(&L)", "Ctrl+L"),
        command("actBrowsePP", "浏览拍拍数据(&R)", "Ctrl+R"),
        command("actBrowseYA", "浏览有啊数据(&Y)", "Ctrl+Y", nothing, "", false),
        command("actBrowseBase", "浏览通用数据格式(&U)", "Ctrl+U"),
        command("ActHelp", "使用帮助(&H)", ""),
        command("actSys", "系统(&S)", "", nothing),
        command("actOper", "操作(&O)", "", nothing),
        command("actRedact", "编辑(&E)", "", nothing),
        command("actView", "视图(&V)", "", nothing),
        command("actTool", "工具(&T)", "", nothing),
        command("actMenuHelp", "帮助(&H)", "", nothing),
        command("ActUpdate", "软件升级(&C)", ""),
        command("ActWebsite", "访问岚石网站", ""),
        command("ActCatClear", "清空数据(&Q)", "Alt+Q", true, "清空数据"),
    };
}

} // namespace

const QVector<CommandDef> &MainCommands()
{
    static const QVector<CommandDef> commands = makeCommands();
    return commands;
}

QKeySequence EffectiveShortcut(const QString &commandName)
{
    const QVector<CommandDef> &commands = MainCommands();
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [&](const CommandDef &c) { return c.name == commandName; });
    if (it == commands.end() || it->shortcut.isEmpty())
        return QKeySequence();
    const CommandDef *owner = nullptr;
    for (const CommandDef &c : commands) {
        if (c.shortcut != it->shortcut)
            continue;
        if (!owner || (c.acts && !owner->acts))
            owner = &c;
    }
    return owner == &*it ? it->shortcut : QKeySequence();
}

QHash<QString, QAction *> CreateCommandActions(QObject *parent)
{
    QHash<QString, QAction *> actions;
    for (const CommandDef &c : MainCommands()) {
        auto *action = new QAction(c.caption, parent);
        action->setObjectName(c.name);
        action->setShortcut(EffectiveShortcut(c.name));
        action->setEnabled(c.enabled);
        if (!c.hint.isEmpty()) {
            action->setToolTip(c.hint);
            action->setStatusTip(c.hint);
        }
        actions.insert(c.name, action);
    }
    return actions;
}
