#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "runtime/tree_view.h"

namespace {

class TreeViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    tree_ = CreateWindowExA(0, WC_TREEVIEWA, "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 300, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(tree_, nullptr);
  }
  void TearDown() override {
    if (tree_) DestroyWindow(tree_);
  }
  HWND tree_ = nullptr;
};

TEST_F(TreeViewTest, IndexesFollowTheWalkOfTheWholeTree) {
  // Built out of walk order: the second child of "a" goes in after "b" exists.
  EXPECT_EQ(rt::TreeAddItem(tree_, -1, "a", true), 0);
  EXPECT_EQ(rt::TreeAddItem(tree_, 0, "a1", false), 1);
  EXPECT_EQ(rt::TreeAddItem(tree_, -1, "b", true), 2);
  EXPECT_EQ(rt::TreeAddItem(tree_, 2, "b1", false), 3);
  EXPECT_EQ(rt::TreeAddItem(tree_, 0, "a2", false), 2);
  EXPECT_EQ(rt::TreeAddItem(tree_, 1, "a1x", false), 2);

  const char* walk[] = {"a", "a1", "a1x", "a2", "b", "b1"};
  const int parents[] = {-1, 0, 1, 0, -1, 4};
  ASSERT_EQ(rt::TreeItemCount(tree_), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(rt::TreeItemText(tree_, i), walk[i]) << i;
    EXPECT_EQ(rt::TreeParentItem(tree_, i), parents[i]) << i;
  }
  EXPECT_TRUE(rt::TreeHasChildren(tree_, 0));
  EXPECT_FALSE(rt::TreeHasChildren(tree_, 3));
  EXPECT_EQ(rt::TreeItemText(tree_, 6), "");
  EXPECT_EQ(rt::TreeItemText(tree_, -1), "");
  EXPECT_EQ(rt::TreeParentItem(tree_, -1), -1);
  EXPECT_FALSE(rt::TreeHasChildren(tree_, -1));
  EXPECT_EQ(rt::TreeAddItem(tree_, 17, "nowhere", false), -1);

  rt::TreeSelectItem(tree_, 3);
  EXPECT_EQ(rt::TreeSelectedItem(tree_), 3);
  rt::TreeExpand(tree_, 0);
  EXPECT_TRUE(TreeView_GetItemState(tree_, TreeView_GetRoot(tree_), TVIS_EXPANDED) & TVIS_EXPANDED);

  rt::TreeClear(tree_);
  EXPECT_EQ(rt::TreeItemCount(tree_), 0);
  EXPECT_EQ(rt::TreeSelectedItem(tree_), -1);
}

TEST_F(TreeViewTest, ItemsAddedBehindItsBackAreFound) {
  rt::TreeAddItem(tree_, -1, "a", true);
  TVINSERTSTRUCTA insert{};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_FIRST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>("first");
  SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
  EXPECT_EQ(rt::TreeItemText(tree_, 0), "first");
  EXPECT_EQ(rt::TreeItemText(tree_, 1), "a");
  EXPECT_EQ(rt::TreeAddItem(tree_, 0, "child", false), 1);
}

TEST_F(TreeViewTest, DestroyedTreeAnswersCalmly) {
  rt::TreeAddItem(tree_, -1, "a", true);
  DestroyWindow(tree_);
  HWND gone = std::exchange(tree_, nullptr);
  EXPECT_EQ(rt::TreeItemCount(gone), 0);
  EXPECT_EQ(rt::TreeAddItem(gone, -1, "b", false), -1);
  EXPECT_EQ(rt::TreeItemText(gone, 0), "");
  EXPECT_EQ(rt::TreeSelectedItem(gone), -1);
  rt::TreeClear(gone);
  rt::TreeExpand(gone, 0);
}

}  // namespace
