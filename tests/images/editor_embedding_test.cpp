// The component inside a real RichEdit, inserted as the program inserts it: the editor draws it,
// the animation plays on the editor's window, and the RTF the editor writes holds a picture.
#include <windows.h>
#include <richedit.h>
#include <richole.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "runtime/rich_edit_box.h"
#include "tests/images/image_component.h"
#include "tests/images/test_pictures.h"
#include "tests/support/program.h"
#include "tests/support/temp_dir.h"

using namespace images_test;
using testing_support::TempDir;
using testing_support::WriteTestFile;

namespace {

constexpr COLORREF kRed = RGB(0xff, 0, 0);
constexpr COLORREF kGreen = RGB(0, 0xff, 0);

TEST(EditorEmbedding, AnimatesInsideTheEditorAndWritesAPictureToRtf) {
  TempDir dir;
  GifFrame red = SolidFrame(0, 0, 40, 40, 0);
  red.delayHundredths = 15;
  GifFrame green = SolidFrame(0, 0, 40, 40, 1);
  green.delayHundredths = 15;
  const std::string path = dir.Path() + "\\动画.gif";
  WriteTestFile(path, MakeGif(40, 40, {kRed, kGreen}, {red, green}));
  ComPtr<IDispatch> object = CreateAnimator();
  ASSERT_TRUE(object);
  ASSERT_EQ(LoadFromFile(object.Get(), path), S_OK);

  ASSERT_TRUE(LoadLibraryA("riched20.dll"));
  HWND editor = CreateWindowExA(0, "RichEdit20A", "", WS_OVERLAPPEDWINDOW | ES_MULTILINE, 0, 0, 300, 200, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(editor);
  ComPtr<IRichEditOle> richEditOle;
  ASSERT_TRUE(SendMessageA(editor, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(richEditOle.GetAddressOf())));

  ComPtr<ILockBytes> lockBytes;
  ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &lockBytes), S_OK);
  ComPtr<IStorage> storage;
  ASSERT_EQ(StgCreateDocfileOnILockBytes(lockBytes.Get(), STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE, 0, &storage),
            S_OK);
  ComPtr<IOleClientSite> site;
  richEditOle->GetClientSite(&site);
  ComPtr<IOleObject> ole;
  ASSERT_EQ(object.As(&ole), S_OK);
  OleSetContainedObject(ole.Get(), TRUE);
  REOBJECT reobject = {};
  reobject.cbStruct = sizeof(REOBJECT);
  reobject.cp = REO_CP_SELECTION;
  ASSERT_EQ(ole->GetUserClassID(&reobject.clsid), S_OK);
  reobject.poleobj = ole.Get();
  reobject.pstg = storage.Get();
  reobject.polesite = site.Get();
  reobject.dvaspect = DVASPECT_CONTENT;
  reobject.dwFlags = REO_BELOWBASELINE;
  ASSERT_EQ(richEditOle->InsertObject(&reobject), S_OK);
  ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site.Get(), 0, editor, nullptr);
  ole->DoVerb(OLEIVERB_SHOW, nullptr, site.Get(), 0, editor, nullptr);
  ShowWindow(editor, SW_SHOWNOACTIVATE);
  UpdateWindow(editor);

  // Both frames appear where the editor put the object.
  std::set<COLORREF> seen;
  for (int i = 0; i < 40; ++i) {
    testing_support::ServeMessagesFor(50);
    HDC dc = GetDC(editor);
    seen.insert(GetPixel(dc, 20, 20));
    ReleaseDC(editor, dc);
  }
  EXPECT_TRUE(seen.count(kRed)) << "first frame not shown";
  EXPECT_TRUE(seen.count(kGreen)) << "second frame not shown";

  std::string rtf = rt::GetContent(editor);
  EXPECT_NE(rtf.find("\\pict"), std::string::npos) << rtf.substr(0, 400);

  richEditOle.Reset();
  DestroyWindow(editor);
}

}  // namespace
