// The browse views of the main window: loading a category's items, the browse commands,
// re-reading, and the description pane.
#include "main_window.h"

#include "category_tree.h"
#include "description_browser.h"
#include "group_by_box.h"
#include "item_grid_level.h"
#include "item_grid_model.h"
#include "store/conversions.h"
#include "store/data_module.h"
#include "store/item_queries.h"
#include "store/item_tables.h"

#include <QStackedWidget>
#include <QTreeWidget>

TCategory *TMainFrm::SelectedCategory() const
{
    return CategoryOf(m_tree->currentItem());
}

ItemGridLevel *TMainFrm::ActiveLevel() const
{
    return qobject_cast<ItemGridLevel *>(m_grid->currentWidget());
}

ItemGridLevel *TMainFrm::Level(int viewType) const
{
    switch (viewType) {
    case 1: return m_base;
    case 2: return m_baby;
    case 3: return m_pp;
    default: return nullptr;
    }
}

void TMainFrm::OnCategorySelected()
{
    if (!m_treeReady || m_tree->topLevelItemCount() == 0)
        return;
    try {
        OpenSelectedItems();
    } catch (const StoreError &e) {
        ShowError(e.message());
    }
}

void TMainFrm::OpenSelectedItems()
{
    const TCategory *category = SelectedCategory();
    if (!category)
        return;
    OpenCategoryItems(m_dm, QString::number(category->cID), 0, AllQueries);
    m_base->openQuery(m_dm.AdqBase);
    m_baby->openQuery(m_dm.AdqBaby);
    m_pp->openQuery(m_dm.AdqPP);
}

void TMainFrm::RereadItems()
{
    ItemGridLevel *active = ActiveLevel();
    RereadItems(active ? active->currentKey() : 0);
}

void TMainFrm::RereadItems(qint64 locateValue)
{
    try {
        RequeryItems(m_dm, locateValue, AllQueries);
        // Every view stays on the row it stood on (by its own table's key), not only the active one.
        for (ItemGridLevel *level : {m_base, m_baby, m_pp})
            level->reread();
    } catch (const StoreError &e) {
        ShowError(e.message());
    }
}

void TMainFrm::BrowseAs(int formatCode, int viewType, ItemGridLevel *level)
{
    TCategory *category = SelectedCategory();
    if (!category)
        return;
    try {
        if (!NativeRowsExist(m_dm, formatCode, category->cID)) {
            // The first time a category is shown in a native form, its generic rows are turned into it.
            QString error;
            if (formatCode != FormatGeneric
                && !ConvertBaseToNative(m_dm, formatCode, QString::number(category->cID), error))
                m_lastError = error;
            RereadItems();
        }
    } catch (const StoreError &e) {
        ShowError(e.message());
    }
    category->tID = viewType;
    m_grid->setCurrentWidget(level);
    ShowDescription(level);
}

void TMainFrm::ShowDescription(ItemGridLevel *level)
{
    const TCategory *category = SelectedCategory();
    if (!category || category->tID != level->def().viewType)
        return; // the pane keeps what it shows
    m_browser->showFile(level->currentValue(level->def().descriptionColumn).toString());
}

void TMainFrm::ShowGrouping()
{
    const ItemGridLevel *level = ActiveLevel();
    const int column = level ? level->model()->groupColumn() : -1;
    m_groupBy->showGrouping(column >= 0 ? level->def().columns[column].name : QString());
}
