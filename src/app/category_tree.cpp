#include "category_tree.h"

#include "store/data_module.h"

#include <QComboBox>
#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

// Suspends a widget's repainting for the life of the object.
class UpdatesSuspended
{
public:
    explicit UpdatesSuspended(QWidget *widget)
        : m_widget(widget)
        , m_wasEnabled(widget->updatesEnabled())
    {
        m_widget->setUpdatesEnabled(false);
    }
    ~UpdatesSuspended() { m_widget->setUpdatesEnabled(m_wasEnabled); }

private:
    QWidget *m_widget;
    bool m_wasEnabled;
};

// Sets a flag false for the life of the object and true afterwards.
class NotReady
{
public:
    explicit NotReady(bool &flag)
        : m_flag(flag)
    {
        m_flag = false;
    }
    ~NotReady() { m_flag = true; }

private:
    bool &m_flag;
};

void attachNode(QTreeWidget *tree, QTreeWidgetItem *parent, CategoryNode *node)
{
    if (parent)
        parent->addChild(node);
    else
        tree->addTopLevelItem(node);
}

} // namespace

CategoryNode::CategoryNode(const TCategory &category)
    : QTreeWidgetItem(UserType)
    , record(category)
{
    setText(0, CategoryDisplayText(record.cName, record.cImPath));
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
}

TCategory *CategoryOf(QTreeWidgetItem *node)
{
    if (!node || node->type() != QTreeWidgetItem::UserType)
        return nullptr;
    return &static_cast<CategoryNode *>(node)->record;
}

namespace {

// The visible categories by parent, each level in cID order: read in one statement, so a
// tree of a thousand categories does not cost a thousand statements.
QHash<qint64, QList<CategoryRow>> visibleLevels(TDm &dm)
{
    QHash<qint64, QList<CategoryRow>> levels;
    QSqlQuery &q = dm.exec(QStringLiteral("select cID,pID,cName,cImPath,tID from Category "
                                          "where isVisible=-1 order by cID"));
    while (q.next()) {
        const CategoryRow row{q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(),
                              q.value(3).toString(), q.value(4).toInt()};
        levels[row.pID].append(row);
    }
    q.finish();
    return levels;
}

// Adds the children of a node from the levels; a hidden category is in no level, so its
// subtree is never reached. A parent loop in a damaged table cannot recurse endlessly:
// a category is added once.
qint64 addLevel(const QHash<qint64, QList<CategoryRow>> &levels, QTreeWidget *tree, QTreeWidgetItem *parent,
                QSet<qint64> &added)
{
    const TCategory *parentRecord = CategoryOf(parent);
    const qint64 parentId = parentRecord ? parentRecord->cID : 0;
    const QList<CategoryRow> rows = levels.value(parentId);
    QVector<qint64> ancestors = parentRecord ? parentRecord->ancestors : QVector<qint64>();
    ancestors.append(parentId);
    qint64 first = 0;
    for (const CategoryRow &row : rows) {
        if (added.contains(row.cID))
            continue;
        added.insert(row.cID);
        auto *node = new CategoryNode({row.cID, row.cName, row.cImPath, row.tID, ancestors});
        attachNode(tree, parent, node);
        if (!first)
            first = row.cID;
        addLevel(levels, tree, node, added);
    }
    return first;
}

} // namespace

qint64 LoadCategoryLevel(TDm &dm, QTreeWidget *tree, QTreeWidgetItem *parent)
{
    QSet<qint64> added;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (const TCategory *record = CategoryOf(*it))
            added.insert(record->cID);
    return addLevel(visibleLevels(dm), tree, parent, added);
}

qint64 FillCategoryTree(TDm &dm, QTreeWidget *tree, bool &ready)
{
    NotReady notReady(ready);
    UpdatesSuspended suspended(tree);
    tree->clear();
    const qint64 firstRoot = LoadCategoryLevel(dm, tree, nullptr);
    tree->expandAll();
    return firstRoot;
}

void EmptyCategoryTree(QTreeWidget *tree, bool &ready)
{
    NotReady notReady(ready);
    UpdatesSuspended suspended(tree);
    tree->clear();
}

qint64 AddCategoryNode(TDm &dm, const QString &name, QTreeWidget *tree, QTreeWidgetItem *parent)
{
    UpdatesSuspended suspended(tree);
    const TCategory *parentRecord = CategoryOf(parent);
    // Made by hand: an empty (not a missing) import path.
    TCategory record{0, name, QStringLiteral(""), 1, {}};
    record.cID = InsertCategory(dm, name, record.cImPath, parentRecord ? parentRecord->cID : 0, 1, true);
    auto *node = new CategoryNode(record);
    node->setText(0, name);
    attachNode(tree, parent, node);
    if (parent)
        parent->setExpanded(true);
    return record.cID;
}

void RenameCategoryNode(TDm &dm, qint64 cID, const QString &name, QTreeWidget *tree)
{
    TCategory *record = CategoryOf(tree->currentItem());
    if (!record)
        return;
    // The import path stays stored: a later import of the same path still finds this category.
    UpdateCategory(dm, cID, name, record->cImPath, 1);
    record->cName = name;
    tree->currentItem()->setText(0, CategoryDisplayText(record->cName, record->cImPath));
}

QTreeWidgetItem *CategoryNodeById(QTreeWidget *tree, qint64 cID)
{
    // Tree order: each node before its children, siblings in order.
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const TCategory *record = CategoryOf(*it);
        if (record && record->cID == cID)
            return *it;
    }
    return nullptr;
}

void SelectCategoryById(qint64 cID, QTreeWidget *tree, bool &ready)
{
    NotReady notReady(ready);
    if (QTreeWidgetItem *node = CategoryNodeById(tree, cID))
        tree->setCurrentItem(node);
}

bool FindCategoryNode(QTreeWidget *tree, qint64 cID)
{
    QTreeWidgetItem *node = CategoryNodeById(tree, cID);
    if (node)
        tree->setCurrentItem(node);
    return node != nullptr;
}

void DisposeChildNodes(QTreeWidgetItem *node)
{
    for (int i = node->childCount() - 1; i >= 0; --i) {
        QTreeWidgetItem *child = node->child(i);
        DisposeChildNodes(child);
        delete child;
    }
}

void FillCategoryCombo(TDm &dm, QComboBox *combo, bool addAll, bool rootsOnly)
{
    const QList<TObjCat> categories = VisibleCategoriesForCombo(dm, rootsOnly);
    UpdatesSuspended suspended(combo);
    for (const TObjCat &category : categories)
        combo->addItem(CategoryDisplayText(category.cName, category.cImPath), QVariant::fromValue(category));
    if (addAll)
        combo->addItem(QStringLiteral("全部分类"), QVariant::fromValue(TObjCat{0, QStringLiteral("全部分类"), QString()}));
}

TObjCat ComboCategory(const QComboBox *combo, int index)
{
    if (index < 0 || index >= combo->count())
        return {};
    return combo->itemData(index).value<TObjCat>();
}
