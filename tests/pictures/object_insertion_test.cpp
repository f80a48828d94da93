// RichEditHelper::InsertObject on a real RichEdit in a real window, with objects of the test's own.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <richole.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "richedit/rich_edit_helper.h"
#include "runtime/com_object.h"
#include "runtime/window.h"
#include "tests/pictures/test_ole_object.h"

using Microsoft::WRL::ComPtr;
using pictures_test::CountedUnknown;
using pictures_test::ReferenceCount;
using pictures_test::TestOleObject;

namespace {

constexpr int kWindow = 90;
constexpr int kEditor = 1;
constexpr int kPlainEdit = 2;
constexpr HRESULT kENoInterface = static_cast<HRESULT>(0x80004002);

rt::WindowDesign EditorWindowDesign() {
  rt::WindowDesign d;
  d.caption = "object insertion";
  d.left = 40;
  d.top = 40;
  d.width = 500;
  d.height = 400;
  d.controls = {
      {kEditor, rt::ControlKind::RichEdit, "editor", 0, 0, 480, 300, "", WS_VSCROLL | ES_AUTOVSCROLL},
      {kPlainEdit, rt::ControlKind::EditBox, "plain", 0, 310, 480, 40},
  };
  return d;
}

LRESULT CALLBACK CountOleInterfaceRequests(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR counter) {
  if (msg == EM_GETOLEINTERFACE) ++*reinterpret_cast<int*>(counter);
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// A fresh editor window and a fresh helper bound to it for every test. The test objects are
// declared first, so that the editor (which may still hold them) goes before they do.
class ObjectInsertion : public ::testing::Test {
protected:
  void SetUp() override {
    window_ = std::make_unique<rt::Window>(kWindow, EditorWindowDesign());
    ASSERT_TRUE(window_->Create());
    ASSERT_TRUE(helper_->Attach(kWindow, kEditor));
    // The test's own view of the editor, taken before the helper's requests are counted.
    SendMessageA(Editor(), EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(reole_.GetAddressOf()));
    ASSERT_TRUE(reole_);
    SetWindowSubclass(Editor(), CountOleInterfaceRequests, 1, reinterpret_cast<DWORD_PTR>(&oleRequests_));
  }
  void TearDown() override {
    if (Editor()) RemoveWindowSubclass(Editor(), CountOleInterfaceRequests, 1);
    reole_.Reset();
    window_.reset();
    helper_.reset();
  }

  HWND Editor() const { return window_ ? window_->Control(kEditor) : nullptr; }
  LONG ObjectCount() { return pictures_test::CountObjects(reole_.Get()); }
  HRESULT Insert(IUnknown* object) {
    rt::ComObject held = rt::ComObject::Share(object);
    return helper_->InsertObject(held);
  }

  TestOleObject object_;
  TestOleObject secondObject_;
  CountedUnknown notEmbeddable_;
  std::unique_ptr<richedit::RichEditHelper> helper_ = std::make_unique<richedit::RichEditHelper>();
  std::unique_ptr<rt::Window> window_;
  ComPtr<IRichEditOle> reole_;
  int oleRequests_ = 0;
};

TEST_F(ObjectInsertion, PutsTheObjectAtTheSelectionScrollsToItAndActivatesIt) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
  SetWindowTextA(Editor(), text.c_str());
  LONG cp = static_cast<LONG>(SendMessageA(Editor(), EM_LINEINDEX, 150, 0)) + 2;
  SendMessageA(Editor(), EM_SETSEL, cp, cp);
  SendMessageA(Editor(), WM_VSCROLL, SB_TOP, 0);
  ASSERT_EQ(SendMessageA(Editor(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);

  ASSERT_EQ(Insert(&object_), S_OK);

  ASSERT_EQ(ObjectCount(), 1);
  REOBJECT reo{};
  reo.cbStruct = sizeof reo;
  ASSERT_EQ(reole_->GetObject(0, &reo, REO_GETOBJ_ALL_INTERFACES), S_OK);
  EXPECT_EQ(reo.cp, cp);
  EXPECT_TRUE(IsEqualCLSID(reo.clsid, TestOleObject::kImageClassId));
  EXPECT_EQ(reo.poleobj, static_cast<IOleObject*>(&object_));
  EXPECT_EQ(reo.dvaspect, static_cast<DWORD>(DVASPECT_CONTENT));
  EXPECT_TRUE(reo.dwFlags & REO_BELOWBASELINE);
  ASSERT_NE(reo.pstg, nullptr);
  ASSERT_NE(reo.polesite, nullptr);
  // The editor's reference and the one GetObject just gave us: the insertion kept none.
  EXPECT_EQ(ReferenceCount(reo.pstg), 2u);
  EXPECT_EQ(ReferenceCount(reo.polesite), 2u);
  ULONG objectReferencesWithOurs = object_.References();

  EXPECT_GT(SendMessageA(Editor(), EM_GETFIRSTVISIBLELINE, 0, 0), 100) << "the view was not scrolled to the object";

  ASSERT_EQ(object_.verbs.size(), 2u);
  EXPECT_EQ(object_.verbs[0].verb, OLEIVERB_UIACTIVATE);
  EXPECT_EQ(object_.verbs[1].verb, OLEIVERB_SHOW);
  for (const auto& call : object_.verbs) {
    EXPECT_EQ(call.parent, Editor());
    EXPECT_EQ(call.site, reo.polesite);
  }
  reo.poleobj->Release();
  reo.pstg->Release();
  reo.polesite->Release();
  EXPECT_EQ(object_.References(), objectReferencesWithOurs - 1);
  EXPECT_EQ(object_.References(), 1u) << "the editor's own reference";

  // Once the editor and the helper have gone, as at the program's end, nobody holds it any more.
  RemoveWindowSubclass(Editor(), CountOleInterfaceRequests, 1);
  reole_.Reset();
  window_.reset();
  helper_.reset();
  EXPECT_EQ(object_.References(), 0u);
}

TEST_F(ObjectInsertion, AsksTheEditorForItsOleInterfaceOncePerRun) {
  ASSERT_EQ(Insert(&object_), S_OK);
  ASSERT_EQ(Insert(&secondObject_), S_OK);
  ASSERT_EQ(Insert(&object_), S_OK);
  EXPECT_EQ(oleRequests_, 1);
  EXPECT_EQ(ObjectCount(), 3);
}

TEST_F(ObjectInsertion, AFailureInsertsNothingAndGivesBackEveryReference) {
  struct Case {
    const char* name;
    IUnknown* object;
    HRESULT expected;
  };
  object_.userClassIdResult = E_UNEXPECTED;
  const Case cases[] = {
      {"empty object", nullptr, kENoInterface},
      {"object without IOleObject", &notEmbeddable_, kENoInterface},
      {"class id refused", &object_, E_UNEXPECTED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Insert(c.object), c.expected);
    EXPECT_EQ(ObjectCount(), 0);
  }
  EXPECT_EQ(notEmbeddable_.References(), 0u);
  EXPECT_EQ(object_.References(), 0u);
  EXPECT_TRUE(object_.verbs.empty());

  // The lock bytes, the storage on them and the client site are given back on the failure path:
  // repeating it does not make the heap grow by anything like one storage a time.
  for (int i = 0; i < 20; ++i) Insert(&object_);
  size_t before = pictures_test::HeapBytesInUse();
  constexpr int kRepeats = 300;
  for (int i = 0; i < kRepeats; ++i) Insert(&object_);
  size_t after = pictures_test::HeapBytesInUse();
  EXPECT_LT(after > before ? after - before : 0, kRepeats * 64u) << "heap grew from " << before << " to " << after;
  EXPECT_EQ(object_.References(), 0u);
}

TEST_F(ObjectInsertion, AnObjectTheEditorRefusesStillAnswersSuccess) {
  // The editor's callback turns away classes other than the image component's.
  object_.classId = TestOleObject::kForeignClassId;
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
  SetWindowTextA(Editor(), text.c_str());
  LONG cp = static_cast<LONG>(SendMessageA(Editor(), EM_LINEINDEX, 150, 0));
  SendMessageA(Editor(), EM_SETSEL, cp, cp);
  SendMessageA(Editor(), WM_VSCROLL, SB_TOP, 0);

  EXPECT_EQ(Insert(&object_), S_OK);
  EXPECT_EQ(ObjectCount(), 0);
  // Nothing went in, so only the insertion's own request scrolled the view to the caret.
  EXPECT_GT(SendMessageA(Editor(), EM_GETFIRSTVISIBLELINE, 0, 0), 100);
  // Activated and shown all the same; every reference given back.
  EXPECT_EQ(object_.verbs.size(), 2u);
  EXPECT_EQ(object_.References(), 0u);
}

TEST_F(ObjectInsertion, WithoutTheEditorsOleInterfaceNothingIsTouched) {
  // A helper bound to a plain edit control: the control answers no IRichEditOle.
  richedit::RichEditHelper plain;
  plain.Attach(kWindow, kPlainEdit);
  rt::ComObject held = rt::ComObject::Share(static_cast<IOleObject*>(&object_));
  EXPECT_EQ(plain.InsertObject(held), kENoInterface);
  // A helper bound to nothing at all.
  richedit::RichEditHelper unbound;
  EXPECT_EQ(unbound.InsertObject(held), kENoInterface);
  held.Clear();
  EXPECT_EQ(object_.References(), 0u);
  EXPECT_EQ(ObjectCount(), 0);
}

}  // namespace
