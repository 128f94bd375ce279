#include "dialog_entry.h"

#include "TExportDataFrm.h"
#include "TImportDataFrm.h"
#include "TSetDBFrm.h"
#include "message_boxes.h"

#include "store/item_tables.h"

QString ImportDialogCaption(int formatCode)
{
    return formatCode == FormatPaipai ? QStringLiteral("导入数据选项—>请选择拍拍助理CSV文件(目录)导入")
                                      : QStringLiteral("导入数据选项—>请选择淘宝助理CSV文件(目录)导入");
}

void RunImportDialog(TMainFrm &owner, int formatCode, const QString &caption)
{
    TImportDataFrm dialog(owner, formatCode, caption);
    MessageBoxes::runModal(dialog);
}

void RunExportDialog(TMainFrm &owner)
{
    TExportDataFrm dialog(owner);
    MessageBoxes::runModal(dialog);
}

bool RunDatabaseDialog(TMainFrm &owner)
{
    TSetDBFrm dialog(owner);
    dialog.setMode(1);
    return MessageBoxes::runModal(dialog) == QDialog::Accepted;
}
