#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/menu.h"
#include "runtime/scoped_win.h"

TEST(Shortcut, ParsesModifiersAndKeys) {
  ACCEL a{};
  ASSERT_TRUE(rt::ParseShortcut("Ctrl+Z", a));
  EXPECT_EQ(a.fVirt, FVIRTKEY | FCONTROL);
  EXPECT_EQ(a.key, 'Z');
  ASSERT_TRUE(rt::ParseShortcut("Ctrl+Shift+F5", a));
  EXPECT_EQ(a.fVirt, FVIRTKEY | FCONTROL | FSHIFT);
  EXPECT_EQ(a.key, VK_F5);
  EXPECT_FALSE(rt::ParseShortcut("Hyper+Q", a));
  EXPECT_FALSE(rt::ParseShortcut("", a));
}

TEST(MenuBar, ShowsShortcutsAfterATab) {
  std::vector<rt::MenuDesign> design = {
      {0, "Top", "", {{7, "Item", "Ctrl+S", {}}, {0, "Sub", "", {{8, "Leaf", "", {}}}}}}};
  rt::ScopedMenu bar(rt::BuildMenuBar(design));
  HMENU top = GetSubMenu(bar.get(), 0);
  ASSERT_NE(top, nullptr);
  char text[64] = {};
  GetMenuStringA(top, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Item\tCtrl+S");
  EXPECT_EQ(GetMenuItemID(top, 0), 7u);
  HMENU sub = GetSubMenu(top, 1);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(GetMenuItemID(sub, 0), 8u);

  rt::ScopedAccel accel(rt::BuildAccelerators(design));
  ACCEL entries[4] = {};
  ASSERT_EQ(CopyAcceleratorTableA(accel.get(), entries, 4), 1);
  EXPECT_EQ(entries[0].cmd, 7);
  EXPECT_EQ(entries[0].key, 'S');
}
