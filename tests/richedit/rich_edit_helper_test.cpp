#include <windows.h>
#include <ole2.h>
#include <richedit.h>
#include <richole.h>

#include <gtest/gtest.h>

#include "ole/ole_callback.h"
#include "tests/ole/test_objects.h"
#include "tests/richedit/editor_fixture.h"

namespace richedit_test {
namespace {

using AttachTest = EditorFixture;

TEST_F(AttachTest, BindsOnceWithARootStorageAndTheCallback) {
  EXPECT_EQ(editor_->EditorHandle(), Box());
  EXPECT_EQ(editor_->WindowId(), kTestWindow);
  EXPECT_EQ(editor_->ControlId(), kTestEditor);
  const ole::OleCallbackBlock& block = editor_->CallbackBlock();
  EXPECT_EQ(block.table, ole::CallbackTableAddress());
  ASSERT_NE(editor_->RootStorage(), nullptr);
  EXPECT_EQ(block.rootStorage, editor_->RootStorage());
  EXPECT_EQ(block.storageCounter, 0);
  // The editor keeps the callback object.
  EXPECT_GE(block.refCount, 1);

  void* root = editor_->RootStorage();
  EXPECT_FALSE(editor_->Attach(kTestWindow, kTestEditor));
  EXPECT_FALSE(editor_->Attach(12345, 6));
  EXPECT_EQ(editor_->RootStorage(), root);
  EXPECT_EQ(editor_->CallbackBlock().rootStorage, root);
  EXPECT_EQ(editor_->WindowId(), kTestWindow);
  EXPECT_EQ(editor_->EditorHandle(), Box());
}

TEST_F(AttachTest, AnEditorThatRefusesTheCallbackLeavesNoStorage) {
  richedit::RichEditHelper helper;
  // No such control: the callback cannot be installed, so the storage is given back.
  EXPECT_FALSE(helper.Attach(kTestWindow, 999));
  EXPECT_EQ(helper.RootStorage(), nullptr);
}

TEST_F(AttachTest, UndoGoesBackAHundredEditsAndNoFurther) {
  for (int i = 0; i < 101; ++i) {
    SendMessageA(Box(), EM_SETSEL, -1, -1);
    SendMessageA(Box(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
  }
  ASSERT_EQ(Text(), std::string(101, 'x'));
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(SendMessageA(Box(), EM_CANUNDO, 0, 0)) << "undo " << i;
    SendMessageA(Box(), EM_UNDO, 0, 0);
    ASSERT_EQ(Text().size(), 100u - i) << "undo " << i;
  }
  EXPECT_FALSE(SendMessageA(Box(), EM_CANUNDO, 0, 0));
  SendMessageA(Box(), EM_UNDO, 0, 0);
  EXPECT_EQ(Text(), "x");

  // Redo brings the last undone edit back.
  EXPECT_TRUE(editor_->CanRedo());
  editor_->Redo();
  EXPECT_EQ(Text(), "xx");
}

TEST_F(AttachTest, GetOleInterfaceReleasesWhatTheVariableHeld) {
  testing_support::CountedUnknown previous;
  rt::ComObject variable = rt::ComObject::Share(&previous);
  EXPECT_NE(editor_->GetOleInterface(variable), 0);
  EXPECT_EQ(previous.refs, 1u);
  ASSERT_FALSE(variable.Empty());
  rt::ComObject richEditOle;
  EXPECT_EQ(variable.Query(IID_IRichEditOle, richEditOle), S_OK);
}

TEST(HelperLifetime, NeverBoundHelperReleasesNothing) {
  richedit::RichEditHelper helper;
  EXPECT_EQ(helper.EditorHandle(), nullptr);
  EXPECT_EQ(helper.RootStorage(), nullptr);
  EXPECT_EQ(helper.CallbackBlock().table, nullptr);
}

}  // namespace
}  // namespace richedit_test
