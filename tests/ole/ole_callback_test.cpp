#include <windows.h>
#include <ole2.h>
#include <richedit.h>
#include <richole.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ole/interface_call.h"
#include "ole/ole_callback.h"
#include "tests/support/temp_dir.h"

namespace {

using ole::ArgumentWord;
using ole::OleCallbackBlock;

constexpr IID kIidIRichEditOleCallback = {0x00020D03, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

ArgumentWord Word(const void* p) { return reinterpret_cast<ArgumentWord>(p); }

// Calls the block's entries by slot, as the editor does.
class OleCallbackTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ole::CreateCallbackTable();
    ole::BuildOleCallbackTable();
  }
  static void TearDownTestSuite() { ole::FreeCallbackTable(); }
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    block.table = ole::CallbackTableAddress();
  }
  void TearDown() override { OleUninitialize(); }

  std::int32_t Call(int slot, std::vector<ArgumentWord> parameters = {}) {
    parameters.insert(parameters.begin(), Word(&block));
    return ole::CallInterfaceSlot(block.table, slot, parameters);
  }

  OleCallbackBlock block;
};

TEST_F(OleCallbackTest, TableHasThirteenEntriesBeforeAnyWindow) {
  ASSERT_NE(block.table, nullptr);
  for (int i = 0; i < ole::kCallbackEntries; ++i) EXPECT_NE(block.table[i], nullptr) << "entry " << i;
}

TEST_F(OleCallbackTest, QueryInterfaceAddRefAndReleaseKeepTheCount) {
  for (const IID& iid : {IID_IUnknown, kIidIRichEditOleCallback}) {
    void* out = nullptr;
    EXPECT_EQ(Call(0, {Word(&iid), Word(&out)}), S_OK);
    EXPECT_EQ(out, &block);
  }
  EXPECT_EQ(block.refCount, 2);

  for (const IID& iid : {IID_IOleObject, IID_IRichEditOle, IID_IDispatch}) {
    void* out = &block;
    EXPECT_EQ(Call(0, {Word(&iid), Word(&out)}), ole::kENoInterface);
    EXPECT_EQ(out, nullptr);
  }
  EXPECT_EQ(block.refCount, 2);

  EXPECT_EQ(Call(1), 3);
  EXPECT_EQ(Call(2), 2);
  EXPECT_EQ(Call(2), 1);
  EXPECT_EQ(Call(2), 0);
  // Below zero nothing is freed; the count simply goes on.
  EXPECT_EQ(Call(2), -1);
  EXPECT_EQ(block.table, ole::CallbackTableAddress());
}

TEST_F(OleCallbackTest, FixedEntriesAnswerWithoutTouchingTheirParameters) {
  auto sentinel = reinterpret_cast<void*>(0x5A5A);
  void* frame = sentinel;
  void* document = sentinel;
  HMENU menu = static_cast<HMENU>(sentinel);
  void* dataObject = sentinel;
  DWORD effect = 7;
  CHARRANGE range{1, 2};
  EXPECT_EQ(Call(4, {Word(&frame), Word(&document), Word(sentinel)}), S_OK);
  EXPECT_EQ(Call(5, {TRUE}), S_OK);
  EXPECT_EQ(Call(7, {Word(sentinel)}), S_OK);
  EXPECT_EQ(Call(8, {Word(sentinel), Word(sentinel), RECO_PASTE, TRUE, 0}), S_OK);
  EXPECT_EQ(Call(9, {FALSE}), S_OK);
  EXPECT_EQ(Call(10, {Word(&range), RECO_COPY, Word(&dataObject)}), ole::kENoInterface);
  EXPECT_EQ(Call(11, {TRUE, MK_LBUTTON, Word(&effect)}), S_OK);
  EXPECT_EQ(Call(12, {SEL_TEXT, 0, Word(&range), Word(&menu)}), S_OK);
  EXPECT_EQ(frame, sentinel);
  EXPECT_EQ(document, sentinel);
  EXPECT_EQ(menu, sentinel);
  EXPECT_EQ(dataObject, sentinel);
  EXPECT_EQ(effect, 7u);
  EXPECT_EQ(block.refCount, 0);
}

struct InsertVerdict {
  const char* what;
  CLSID clsid;
  HRESULT expected;
};

TEST_F(OleCallbackTest, QueryInsertObjectAdmitsOnlyPicturesAndTheImageComponent) {
  const InsertVerdict verdicts[] = {
      {"image component", {0x06ADA938, 0x0FB0, 0x4BC0, {0xB1, 0x9B, 0x0A, 0x38, 0xAB, 0x17, 0xF1, 0x82}}, S_OK},
      {"static metafile", {0x00000315, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}, S_OK},
      {"static DIB", {0x00000316, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}, S_OK},
      {"static enhanced metafile", {0x00000319, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}, S_OK},
      {"no class (picture read from RTF)", CLSID_NULL, S_OK},
      {"package / other server", {0x0003000C, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}, S_FALSE},
      {"script dictionary", {0xEE09B103, 0x97E0, 0x11CF, {0x97, 0x8F, 0x00, 0xA0, 0x24, 0x29, 0x43, 0xD9}}, S_FALSE},
      {"image component, one byte off", {0x06ADA938, 0x0FB0, 0x4BC0, {0xB1, 0x9B, 0x0A, 0x38, 0xAB, 0x17, 0xF1, 0x83}},
       S_FALSE},
  };
  for (const InsertVerdict& v : verdicts)
    EXPECT_EQ(Call(6, {Word(&v.clsid), 0, static_cast<ArgumentWord>(REO_CP_SELECTION)}), v.expected) << v.what;
  EXPECT_EQ(Call(6, {0, 0, 0}), S_FALSE) << "no class id at all";
}

std::vector<std::wstring> ElementNames(IStorage* storage) {
  std::vector<std::wstring> names;
  IEnumSTATSTG* elements = nullptr;
  if (FAILED(storage->EnumElements(0, nullptr, 0, &elements))) return names;
  STATSTG stat{};
  while (elements->Next(1, &stat, nullptr) == S_OK) {
    names.push_back(stat.pwcsName);
    CoTaskMemFree(stat.pwcsName);
  }
  elements->Release();
  return names;
}

TEST_F(OleCallbackTest, NewStoragesCountAcrossCallsAndSkipAFailedNumber) {
  testing_support::TempDir dir;
  std::wstring folder(dir.Path().begin(), dir.Path().end());
  constexpr DWORD kMode = STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE;
  IStorage* root = nullptr;
  ASSERT_EQ(StgCreateDocfile(nullptr, kMode | STGM_TRANSACTED, 0, &root), S_OK);
  // A second compound file opened read-only: creating anything in it fails.
  IStorage* readOnly = nullptr;
  std::wstring other = folder + L"\\other.stg";
  IStorage* writer = nullptr;
  ASSERT_EQ(StgCreateDocfile(other.c_str(), kMode, 0, &writer), S_OK);
  writer->Release();
  ASSERT_EQ(StgOpenStorage(other.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &readOnly), S_OK);

  block.rootStorage = root;
  IStorage* sub = nullptr;
  ASSERT_EQ(Call(3, {Word(&sub)}), S_OK);
  ASSERT_NE(sub, nullptr);
  sub->Release();

  block.rootStorage = readOnly;
  sub = nullptr;
  EXPECT_TRUE(FAILED(Call(3, {Word(&sub)})));
  EXPECT_EQ(sub, nullptr);

  block.rootStorage = root;
  ASSERT_EQ(Call(3, {Word(&sub)}), S_OK);
  sub->Release();
  EXPECT_EQ(block.storageCounter, 3);
  std::vector<std::wstring> names = ElementNames(root);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"REOLEStorage1", L"REOLEStorage3"}));
  EXPECT_EQ(ole::SubStorageName(12), "REOLEStorage12");

  readOnly->Release();
  root->Release();
}

}  // namespace
