#include "dialog_entry.h"

#include "store/item_tables.h"

QString ImportDialogCaption(int formatCode)
{
    return formatCode == FormatPaipai ? QStringLiteral("导入数据选项—>请选择拍拍助理CSV文件(目录)导入")
                                      : QStringLiteral("导入数据选项—>请选择淘宝助理CSV文件(目录)导入");
}

// The import, export and database connection dialogs are not part of the program yet:
// these entry points are where they open.
void RunImportDialog(TMainFrm &, int, const QString &) {}

void RunExportDialog(TMainFrm &) {}

bool RunDatabaseDialog(TMainFrm &)
{
    return false;
}
