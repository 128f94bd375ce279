// The commands on the rows of the active view: tick, untick, reverse, untick all, delete.
// Each changes the shown table's rows and then, through the items' bID, the same items'
// rows in the other linked tables, inside one transaction so that every form of an item
// keeps the same tick and the same existence.
#include "main_window.h"

#include "category_tree.h"
#include "item_grid_level.h"
#include "item_grid_model.h"
#include "message_boxes.h"
#include "store/data_module.h"
#include "store/item_queries.h"

#include <QSet>

#include <algorithm>

namespace {

// Long selections go in slices, so no single statement grows without bound.
constexpr int IdsPerStatement = 10000;

// Runs a linked statement over a list of identifiers, a slice at a time; false at the first failure.
template <typename Statement>
bool forEachSlice(const QVector<qint64> &ids, Statement statement)
{
    for (int from = 0; from < ids.size(); from += IdsPerStatement) {
        QStringList slice;
        for (int i = from; i < ids.size() && i < from + IdsPerStatement; ++i)
            slice << QString::number(ids[i]);
        if (!statement(slice.join(QLatin1Char(','))))
            return false;
    }
    return true;
}

} // namespace

QVector<qint64> TMainFrm::LinkedIds(ItemGridLevel *level, const QVector<qint64> &keys) const
{
    // A row without bID has no forms in the other tables: there is nothing to link it to.
    QSet<qint64> seen;
    QVector<qint64> ids;
    const QVariantList values = level->model()->columnOf(keys, QStringLiteral("bID"));
    for (const QVariant &value : values) {
        bool ok = false;
        const qint64 id = value.toLongLong(&ok);
        if (!value.isNull() && ok && !seen.contains(id)) {
            seen.insert(id);
            ids.append(id);
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

void TMainFrm::ChangeShownAndLinked(ItemGridLevel *level, const QVector<qint64> &keys,
                                    const std::function<void()> &changeShown,
                                    const std::function<bool(const QString &bidList)> &changeLinked)
{
    bool linked = true;
    m_dm.beginWork();
    try {
        const QVector<qint64> ids = LinkedIds(level, keys);
        changeShown();
        if (SelectedCategory())
            linked = forEachSlice(ids, changeLinked);
        if (linked && m_dm.commitWork(&m_lastError)) {
            RereadItems();
            return;
        }
    } catch (const StoreError &e) {
        m_dm.rollbackWork();
        ShowError(e.message());
        RereadItems();
        return;
    }
    if (!linked)
        m_dm.rollbackWork();
    RereadItems(); // the rows as the database holds them after the failure
}

void TMainFrm::SetTickOfSelection(int mode)
{
    ItemGridLevel *level = ActiveLevel();
    if (!level)
        return;
    const QVector<qint64> keys = level->model()->keysOf(level->selectedRows());
    if (keys.isEmpty())
        return;
    // The linked statements skip the table whose rows were changed here: the shown one.
    const int shownFormat = level->def().formatCode;
    ChangeShownAndLinked(
        level, keys, [&] { level->model()->writeTicks(keys, mode); },
        [&](const QString &list) { return SetTickByLink(m_dm, shownFormat, list, mode, m_lastError); });
}

void TMainFrm::UntickAll()
{
    const TCategory *category = SelectedCategory();
    if (!category)
        return;
    m_dm.beginWork();
    if (UntickCategory(m_dm, QString::number(category->cID), m_lastError) && m_dm.commitWork(&m_lastError)) {
        RereadItems();
        return;
    }
    m_dm.rollbackWork();
}

void TMainFrm::DeleteSelectedRows()
{
    if (MessageBoxes::show(this, QMessageBox::Information, Caption(), QStringLiteral("您确定要删除选中的数据吗？"),
                           QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    ItemGridLevel *level = ActiveLevel();
    if (!level)
        return;
    const QVector<qint64> keys = level->model()->keysOf(level->selectedRows());
    if (keys.isEmpty())
        return;
    const int shownFormat = level->def().formatCode;
    ChangeShownAndLinked(
        level, keys, [&] { level->model()->deleteRows(keys); },
        [&](const QString &list) { return DeleteByLink(m_dm, shownFormat, list, m_lastError); });
}
