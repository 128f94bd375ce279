// The category commands of the main window: add, add a child, rename, copy, delete, clear.
#include "main_window.h"

#include "TEditCatFrm.h"
#include "category_tree.h"
#include "item_grid_level.h"
#include "message_boxes.h"
#include "store/category_store.h"
#include "store/data_module.h"
#include "store/item_queries.h"

#include <QTreeWidget>

namespace {

const QString kNoticeCaption = QStringLiteral("提示");

} // namespace

bool TMainFrm::RunCategoryDialog(const QString &caption, const QString &name, const QString &path, QString &result)
{
    TEditCatFrm dialog(this);
    dialog.setWindowTitle(caption);
    dialog.setCategory(name, path);
    if (MessageBoxes::runModal(dialog) != QDialog::Accepted)
        return false;
    result = dialog.name();
    return true;
}

bool TMainFrm::AddCategoryUnder(QTreeWidgetItem *parent, const QString &caption, const QString &errorTitle)
{
    QString name;
    if (!RunCategoryDialog(caption, QString(), QString(), name))
        return false;
    try {
        AddCategoryNode(m_dm, name, m_tree, parent);
        return true;
    } catch (const StoreError &e) {
        MessageBoxes::inform(this, Caption(), errorTitle + e.message());
        return false;
    }
}

void TMainFrm::AddCategory()
{
    // Beside the selected category: under its parent, or at the top level.
    QTreeWidgetItem *selected = m_tree->currentItem();
    AddCategoryUnder(selected ? selected->parent() : nullptr, QStringLiteral("添加数据分类"),
                     QStringLiteral("添加数据分类失败，原因："));
}

void TMainFrm::AddChildCategory()
{
    QTreeWidgetItem *selected = m_tree->currentItem();
    if (!CategoryOf(selected))
        return;
    if (selected->parent() && selected->parent()->parent()) {
        MessageBoxes::inform(this, Caption(), QStringLiteral("很抱歉，只能添加两层子分类！"));
        return;
    }
    AddCategoryUnder(selected, QStringLiteral("添加子分类"), QStringLiteral("添加子分类失败，原因："));
}

void TMainFrm::EditCategory()
{
    const TCategory *category = SelectedCategory();
    if (!category)
        return;
    QString name;
    if (!RunCategoryDialog(QStringLiteral("修改数据分类"), category->cName, category->cImPath, name))
        return;
    try {
        RenameCategoryNode(m_dm, category->cID, name, m_tree);
    } catch (const StoreError &e) {
        MessageBoxes::inform(this, Caption(), QStringLiteral("修改数据分类失败，原因：") + e.message());
    }
}

void TMainFrm::CopyCategory()
{
    const TCategory *category = SelectedCategory();
    if (!category)
        return;
    // The copy starts empty: neither items nor child categories come along.
    TCategory copy{0, category->cName, category->cImPath, category->tID, {}};
    try {
        copy.cID = InsertCategoryCopy(m_dm, copy.cName, copy.cImPath, copy.tID);
    } catch (const StoreError &e) {
        MessageBoxes::inform(this, Caption(), QStringLiteral("复制数据分类失败，原因：") + e.message());
        return;
    }
    m_tree->addTopLevelItem(new CategoryNode(copy));
}

void TMainFrm::DeleteCategory()
{
    QTreeWidgetItem *node = m_tree->currentItem();
    const TCategory *category = CategoryOf(node);
    if (!category)
        return;
    if (!MessageBoxes::ask(this, kNoticeCaption, QStringLiteral("是否删除选中的数据分类？")))
        return;
    ItemGridLevel *active = ActiveLevel();
    const qint64 current = active ? active->currentKey() : 0;
    m_tree->setUpdatesEnabled(false);
    m_dm.beginWork();
    try {
        // Hidden descendants (left by a failed import) go with the visible ones.
        DeleteCategories(m_dm, CategoryAndDescendants(m_dm, category->cID));
        QString error;
        if (!m_dm.commitWork(&error))
            throw StoreError(error);
        DisposeChildNodes(node);
        delete node;
    } catch (const StoreError &e) {
        m_dm.rollbackWork();
        ShowError(e.message());
    }
    m_tree->setUpdatesEnabled(true);
    RereadItems(current);
}

void TMainFrm::ClearCategory()
{
    const TCategory *category = SelectedCategory();
    if (!category)
        return;
    if (!MessageBoxes::ask(this, kNoticeCaption, QStringLiteral("是否清中选中的分类的所有数据？")))
        return;
    m_dm.beginWork();
    try {
        DeleteCategoryItems(m_dm, QString::number(category->cID));
        QString error;
        if (!m_dm.commitWork(&error))
            throw StoreError(error);
    } catch (const StoreError &e) {
        m_dm.rollbackWork();
        ShowError(e.message());
        return;
    }
    RereadItems();
}
