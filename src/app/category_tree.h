#pragma once

#include "store/category_store.h"

#include <QMetaType>
#include <QTreeWidgetItem>

class QComboBox;
class QTreeWidget;
class TDm;

// A node of the category tree; it owns its category record.
class CategoryNode : public QTreeWidgetItem
{
public:
    explicit CategoryNode(const TCategory &record);
    TCategory record;
};

// The record of a node; null for a node that is not a category node (or no node).
TCategory *CategoryOf(QTreeWidgetItem *node);

// Empties the tree and rebuilds it from the visible categories, every node expanded.
// The readiness flag is false while the tree changes and true afterwards, also after an error.
// Returns the cID of the first root category, 0 when there is none. Store errors rise as StoreError.
qint64 FillCategoryTree(TDm &dm, QTreeWidget *tree, bool &ready);
// Adds the visible children of a parent node (the top level for none) and their subtrees.
// Returns the cID of the level's first category, 0 for an empty level.
qint64 LoadCategoryLevel(TDm &dm, QTreeWidget *tree, QTreeWidgetItem *parent);
void EmptyCategoryTree(QTreeWidget *tree, bool &ready);

// Stores a new visible category under the parent (the top level for none) and adds its node.
qint64 AddCategoryNode(TDm &dm, const QString &name, QTreeWidget *tree, QTreeWidgetItem *parent);
// Renames the selected node's category; the stored import path is kept.
void RenameCategoryNode(TDm &dm, qint64 cID, const QString &name, QTreeWidget *tree);

// Selects the first node, in tree order, of the category, with the flag false meanwhile.
void SelectCategoryById(qint64 cID, QTreeWidget *tree, bool &ready);
// Selects the node of the category, leaving the flag alone; false when no node has it.
bool FindCategoryNode(QTreeWidget *tree, qint64 cID);
// The node of a category, or null.
QTreeWidgetItem *CategoryNodeById(QTreeWidget *tree, qint64 cID);
// Deletes every descendant node of the node, last child first.
void DisposeChildNodes(QTreeWidgetItem *node);

// Appends the visible categories (or only the top level) to a combo box, each with its TObjCat,
// and with add-all a last entry "全部分类" for cID 0. Existing entries stay.
void FillCategoryCombo(TDm &dm, QComboBox *combo, bool addAll, bool rootsOnly);
// The TObjCat of a combo entry (cID 0 and empty texts for an index out of range).
TObjCat ComboCategory(const QComboBox *combo, int index);

Q_DECLARE_METATYPE(TObjCat)
