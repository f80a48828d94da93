#include <windows.h>
#include <ole2.h>
#include <richedit.h>
#include <richole.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ole/ole_callback.h"
#include "runtime/rich_edit_box.h"
#include "tests/richedit/editor_fixture.h"

namespace richedit_test {
namespace {

// A 2 × 2 device-independent bitmap as RTF picture data.
std::string DibPictureHex() {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = 2;
  header.biHeight = 2;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  std::vector<unsigned char> bytes(reinterpret_cast<unsigned char*>(&header),
                                   reinterpret_cast<unsigned char*>(&header) + sizeof header);
  const unsigned char pixels[] = {0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};  // rows of 8 bytes
  bytes.insert(bytes.end(), std::begin(pixels), std::end(pixels));
  std::string hex;
  char two[3];
  for (unsigned char b : bytes) {
    std::snprintf(two, sizeof two, "%02x", b);
    hex += two;
  }
  return hex;
}

using EditorObjectsTest = EditorFixture;

LONG ObjectCount(richedit::RichEditHelper& helper) {
  rt::ComObject editorOle;
  helper.GetOleInterface(editorOle);
  rt::ComObject richEditOle;
  if (FAILED(editorOle.Query(IID_IRichEditOle, richEditOle))) return -1;
  return static_cast<IRichEditOle*>(static_cast<void*>(richEditOle.Get()))->GetObjectCount();
}

std::string PictureRtf() {
  return "{\\rtf1\\ansi before {\\pict\\dibitmap0\\picw2\\pich2\\picwgoal300\\pichgoal300 " + DibPictureHex() +
         "} after}";
}

std::vector<CLSID> g_asked;
bool g_refuseAll = false;

// The program's own verdict, with a record of what the editor asked.
HRESULT STDMETHODCALLTYPE RecordingQueryInsertObject(ole::OleCallbackBlock* self, const CLSID* clsid, void* storage,
                                                     LONG cp) {
  g_asked.push_back(clsid ? *clsid : CLSID{0xFFFFFFFF, 0, 0, {}});
  return g_refuseAll ? S_FALSE : ole::CallbackQueryInsertObject(self, clsid, storage, cp);
}

TEST_F(EditorObjectsTest, TheEditorAsksTheCallbackBeforeItTakesAPicture) {
  // The program's callback table with entry 6 recording, installed on a block of this test.
  std::vector<const void*> table(ole::CallbackTableAddress(), ole::CallbackTableAddress() + ole::kCallbackEntries);
  table[6] = reinterpret_cast<const void*>(&RecordingQueryInsertObject);
  ole::OleCallbackBlock block{table.data(), 0, editor_->RootStorage(), 0};
  ASSERT_TRUE(editor_->SetOleCallback(&block));

  g_asked.clear();
  g_refuseAll = false;
  rt::SetContent(Box(), PictureRtf());
  EXPECT_EQ(ObjectCount(*editor_), 1);
  ASSERT_FALSE(g_asked.empty());
  EXPECT_EQ(ole::CallbackQueryInsertObject(&block, &g_asked.back(), nullptr, 0), S_OK)
      << "the class the editor gives a plain picture is one the program admits";

  // A refusal keeps the object out and the text in.
  g_refuseAll = true;
  rt::SetContent(Box(), PictureRtf());
  EXPECT_EQ(ObjectCount(*editor_), 0);
  EXPECT_EQ(Text().substr(0, 7), "before ");

  // Back to the helper's own callback object before this block goes.
  editor_->SetOleCallback(const_cast<ole::OleCallbackBlock*>(&editor_->CallbackBlock()));
  rt::SetContent(Box(), PictureRtf());
  EXPECT_EQ(ObjectCount(*editor_), 1);
}

TEST_F(EditorObjectsTest, AForeignEmbeddedObjectDoesNotStopTheTextFromLoading) {
  // An embedded object of another class (a packager object): the editor asks the callback,
  // which refuses it; the text around it loads all the same.
  std::string rtf =
      "{\\rtf1\\ansi before {\\object\\objemb{\\*\\objclass Package}\\objw300\\objh300"
      "{\\*\\objdata 01050000020000000800000050616b6167650000000000000000000400000000000000}"
      "{\\result {\\pict\\dibitmap0\\picw2\\pich2 " +
      DibPictureHex() + "}}} after}";
  rt::SetContent(Box(), rtf);
  std::string text = Text();
  EXPECT_EQ(text.substr(0, 7), "before ");
  EXPECT_EQ(text.substr(text.size() - 6), " after");
}

}  // namespace
}  // namespace richedit_test
