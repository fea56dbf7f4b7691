// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/tree_helpers.h"

#include <QApplication>
#include <QStyle>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace velora {
namespace {

// a (b (c), d), e (f)
class TreeHelpersTest : public ::testing::Test {
protected:
    void SetUp() override {
        a = new QTreeWidgetItem(&tree, QStringList("a"));
        b = new QTreeWidgetItem(a, QStringList("b"));
        c = new QTreeWidgetItem(b, QStringList("c"));
        d = new QTreeWidgetItem(a, QStringList("d"));
        e = new QTreeWidgetItem(&tree, QStringList("e"));
        f = new QTreeWidgetItem(e, QStringList("f"));
    }

    QTreeWidget tree;
    QTreeWidgetItem *a, *b, *c, *d, *e, *f;
};

TEST_F(TreeHelpersTest, ItemPathsJoinTheRealNamesFromTheTop) {
    c->setText(0, "Shown");
    c->setData(0, kItemNameRole, "RealName");
    EXPECT_EQ(GetItemPath(c), "a/b/RealName");
    EXPECT_EQ(GetItemPath(e), "e");
    EXPECT_EQ(GetItemPath(nullptr), "");
    EXPECT_EQ(ItemName(c), "RealName");
    EXPECT_EQ(ItemName(d), "d");
}

TEST_F(TreeHelpersTest, ExpandAndCollapseAllWalkSiblingsAndChildren) {
    ExpandAll(&tree);
    EXPECT_TRUE(a->isExpanded());
    EXPECT_TRUE(b->isExpanded());
    EXPECT_TRUE(e->isExpanded());
    EXPECT_FALSE(c->isExpanded()) << "an item without children stays as it is";
    CollapseAll(&tree, b);
    EXPECT_FALSE(b->isExpanded());
    EXPECT_TRUE(a->isExpanded()) << "only from the item given on";
    CollapseAll(&tree);
    EXPECT_FALSE(a->isExpanded());
    EXPECT_FALSE(e->isExpanded());
    ExpandItem(&tree, e);
    EXPECT_TRUE(e->isExpanded());
    ExpandItem(&tree, f);
    EXPECT_FALSE(f->isExpanded());
}

TEST_F(TreeHelpersTest, CheckStatesSpreadDownOrUp) {
    SetCheckTree(a, Qt::Checked);
    for (QTreeWidgetItem* item : {a, b, c, d}) EXPECT_EQ(item->checkState(0), Qt::Checked);
    EXPECT_EQ(e->data(0, Qt::CheckStateRole), QVariant()) << "a sibling is untouched";
    SetCheckUp(c, Qt::Unchecked);
    for (QTreeWidgetItem* item : {a, b, c}) EXPECT_EQ(item->checkState(0), Qt::Unchecked);
    EXPECT_EQ(d->checkState(0), Qt::Checked);
}

TEST(FolderIconsTest, EightIconsWithTheFoldersAtSixAndSeven) {
    const QList<QIcon> icons = LoadFolderIcons(QApplication::style());
    ASSERT_EQ(icons.size(), 8);
    for (const QIcon& icon : icons) EXPECT_FALSE(icon.isNull());
    const QStyle* style = QApplication::style();
    const auto image = [](const QIcon& icon) { return icon.pixmap(16).toImage(); };
    EXPECT_EQ(image(icons[kClosedFolderIcon]),
              image(style->standardIcon(QStyle::SP_DirClosedIcon)));
    EXPECT_EQ(image(icons[kOpenFolderIcon]), image(style->standardIcon(QStyle::SP_DirOpenIcon)));
}

}  // namespace
}  // namespace velora
