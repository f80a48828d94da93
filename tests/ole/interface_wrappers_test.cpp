#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ole/interface_call.h"
#include "ole/lock_bytes_ref.h"
#include "ole/ole_object_ref.h"
#include "ole/rich_edit_ole_ref.h"
#include "ole/storage_ref.h"
#include "ole/text_to_utf16.h"
#include "runtime/com_object.h"
#include "tests/ole/test_objects.h"
#include "tests/support/temp_dir.h"

namespace {

using ole::ArgumentWord;
using ole::kENoInterface;
using testing_support::CountedUnknown;
using testing_support::RecordingOleObject;
using testing_support::RefCount;

class ComApartment : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }
};

// An interface object whose slots record every argument word they were called with.
struct RecordingInterface {
  const void* const* table;
  std::vector<ArgumentWord> seen;
};

ArgumentWord __stdcall TwelveWords(ArgumentWord a0, ArgumentWord a1, ArgumentWord a2, ArgumentWord a3,
                                   ArgumentWord a4, ArgumentWord a5, ArgumentWord a6, ArgumentWord a7,
                                   ArgumentWord a8, ArgumentWord a9, ArgumentWord a10, ArgumentWord a11) {
  auto* self = reinterpret_cast<RecordingInterface*>(a0);
  self->seen = {a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11};
  return 0x7FFF0000u + 12;
}

ArgumentWord __stdcall OneWord(ArgumentWord a0) {
  reinterpret_cast<RecordingInterface*>(a0)->seen = {a0};
  return 0xFFFFFFFF80004002ull;  // a negative HRESULT, sign-extended by the callee
}

ArgumentWord g_noArgumentCalls = 0;
ArgumentWord __stdcall NoWord() { return ++g_noArgumentCalls; }

TEST(InterfaceCall, PassesEveryWordInOrderAndReturnsTheLow32Bits) {
  const void* table[] = {nullptr, reinterpret_cast<const void*>(&OneWord), nullptr,
                         reinterpret_cast<const void*>(&TwelveWords)};
  RecordingInterface object{table, {}};
  auto self = reinterpret_cast<ArgumentWord>(&object);

  // Word 0 is the interface; high halves of 64-bit words arrive intact.
  ole::ArgumentBlock twelve{self, 1, 2, 3, 0x123456789ull, 5, 6, 7, 8, 9, 10, ~ArgumentWord{0}};
  EXPECT_EQ(ole::CallInterfaceSlot(table, 3, twelve), 0x7FFF0000 + 12);
  EXPECT_EQ(object.seen, twelve);

  EXPECT_EQ(ole::CallInterfaceSlot(table, 1, {self}), kENoInterface);
  EXPECT_EQ(object.seen, std::vector<ArgumentWord>{self});

  // The thunk itself: no words, and a block longer than it can pass (no call is made).
  EXPECT_EQ(ole::InterfaceCallThunk(reinterpret_cast<const void*>(&NoWord), nullptr, 0), 1);
  std::vector<ArgumentWord> tooMany(ole::kMaxArgumentWords + 1, 0);
  EXPECT_EQ(ole::InterfaceCallThunk(reinterpret_cast<const void*>(&NoWord), tooMany.data(), tooMany.size()),
            E_INVALIDARG);
  EXPECT_EQ(g_noArgumentCalls, 1u);
}

TEST(TextToUtf16, ConvertsFromCodePage936WithTheTerminator) {
  std::vector<wchar_t> name = ole::TextToUtf16("REOLEStorage1");
  EXPECT_EQ(name.size() * sizeof(wchar_t), 28u);
  EXPECT_EQ(name.back(), L'\0');
  EXPECT_EQ(std::wstring(name.data()), L"REOLEStorage1");

  // 笔记 in GBK bytes, whatever this process's ANSI code page is.
  std::vector<wchar_t> gbk = ole::TextToUtf16("\xB1\xCA\xBC\xC7");
  EXPECT_EQ(std::wstring(gbk.data()), L"\u7B14\u8BB0");
  EXPECT_EQ(ole::TextToUtf16("").size(), 1u);
}

TEST_F(ComApartment, EmptyWrappersAnswerWithoutACall) {
  ole::StorageRef storage;
  void* out = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(storage.CreateStorage("x", 0, 0, 0, &out), kENoInterface);
  EXPECT_EQ(out, reinterpret_cast<void*>(0x1));
  EXPECT_EQ(storage.Attach(nullptr), 0);
  EXPECT_EQ(storage.MethodTable(), nullptr);

  ole::LockBytesRef bytes;
  EXPECT_EQ(bytes.Release(), 0);
  EXPECT_EQ(bytes.Attach(nullptr), 0);
  EXPECT_EQ(bytes.Release(), 0);

  ole::RichEditOleRef editorOle;
  EXPECT_EQ(editorOle.GetClientSite(&out), kENoInterface);
  EXPECT_EQ(editorOle.InsertObject(&out), kENoInterface);

  ole::OleObjectRef object;
  CLSID clsid{};
  EXPECT_EQ(object.DoVerb(-1, nullptr, nullptr, 0, nullptr, nullptr), kENoInterface);
  EXPECT_EQ(object.GetUserClassID(&clsid), kENoInterface);
  EXPECT_EQ(object.GetPointer(), nullptr);
}

TEST_F(ComApartment, ReleaseThroughAnyWrapperGivesTheObjectsCounts) {
  ILockBytes* lockBytes = nullptr;
  ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &lockBytes), S_OK);
  lockBytes->AddRef();
  lockBytes->AddRef();
  ole::LockBytesRef ref;
  ASSERT_EQ(ref.Attach(lockBytes), 1);
  EXPECT_EQ(ref.Release(), 2);
  EXPECT_EQ(ref.Release(), 1);
  EXPECT_EQ(ref.Release(), 0);  // the memory block goes with the last reference

  CountedUnknown counted;
  ref.Attach(&counted);
  EXPECT_EQ(ref.Release(), 0u);
  EXPECT_EQ(counted.refs, 0u);
}

TEST_F(ComApartment, StorageRefCreatesNamedSubStoragesInARealCompoundFile) {
  testing_support::TempDir dir;
  std::wstring path = std::wstring(dir.Path().begin(), dir.Path().end()) + L"\\root.stg";
  IStorage* root = nullptr;
  ASSERT_EQ(StgCreateDocfile(path.c_str(), STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE, 0, &root), S_OK);

  ole::StorageRef ref;
  ASSERT_EQ(ref.Attach(root), 1);
  EXPECT_EQ(ref.MethodTable(), *reinterpret_cast<void**>(root));
  void* sub = nullptr;
  ASSERT_EQ(ref.CreateStorage("图片1", STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE, 0, 0, &sub), S_OK);
  ASSERT_NE(sub, nullptr);
  static_cast<IStorage*>(sub)->Release();

  IEnumSTATSTG* elements = nullptr;
  ASSERT_EQ(root->EnumElements(0, nullptr, 0, &elements), S_OK);
  STATSTG stat{};
  ULONG fetched = 0;
  ASSERT_EQ(elements->Next(1, &stat, &fetched), S_OK);
  EXPECT_EQ(std::wstring(stat.pwcsName), L"\u56FE\u7247" L"1");
  EXPECT_EQ(stat.type, static_cast<DWORD>(STGTY_STORAGE));
  CoTaskMemFree(stat.pwcsName);
  elements->Release();

  // The wrapper borrowed: the caller's one reference is still there to release.
  EXPECT_EQ(ref.Release(), 0);
}

TEST_F(ComApartment, OleObjectRefOwnsExactlyOneReference) {
  RecordingOleObject object;
  rt::ComObject held = rt::ComObject::Share(&object);
  ASSERT_EQ(object.refs, 2u);
  {
    ole::OleObjectRef ref;
    ASSERT_EQ(ref.Attach(held), 1);
    ASSERT_EQ(ref.Attach(held), 1);
    EXPECT_EQ(object.refs, 3u);  // the caller's two and the wrapper's one
    EXPECT_EQ(ref.GetPointer(), static_cast<IOleObject*>(&object));

    CLSID clsid{};
    EXPECT_EQ(ref.GetUserClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, object.classId));
    object.userClassResult = E_FAIL;
    EXPECT_EQ(ref.GetUserClassID(&clsid), E_FAIL);

    RECT rect{1, 2, 3, 4};
    MSG message{};
    auto* site = reinterpret_cast<IOleClientSite*>(0x5000);
    auto parent = reinterpret_cast<HWND>(0x6000);
    EXPECT_EQ(ref.DoVerb(OLEIVERB_UIACTIVATE, &message, site, 7, parent, &rect), 0x00040123);
    EXPECT_EQ(object.doVerb.verb, OLEIVERB_UIACTIVATE);
    EXPECT_EQ(object.doVerb.message, &message);
    EXPECT_EQ(object.doVerb.site, site);
    EXPECT_EQ(object.doVerb.index, 7);
    EXPECT_EQ(object.doVerb.parent, parent);
    EXPECT_EQ(object.doVerb.rect, &rect);

    // A refused attach keeps what the wrapper held.
    CountedUnknown other;
    EXPECT_EQ(ref.Attach(rt::ComObject::Share(&other)), 0);
    EXPECT_EQ(ref.GetPointer(), static_cast<IOleObject*>(&object));
    EXPECT_EQ(ref.Attach(rt::ComObject()), 0);
    EXPECT_EQ(object.refs, 3u);
  }
  EXPECT_EQ(object.refs, 2u);

  // A fresh wrapper that is refused stays empty.
  CountedUnknown plain;
  ole::OleObjectRef fresh;
  EXPECT_EQ(fresh.Attach(rt::ComObject::Share(&plain)), 0);
  EXPECT_EQ(fresh.GetPointer(), nullptr);
  EXPECT_EQ(fresh.DoVerb(OLEIVERB_SHOW, nullptr, nullptr, 0, nullptr, nullptr), kENoInterface);
  EXPECT_EQ(plain.refs, 1u);
}

TEST_F(ComApartment, ComObjectCopiesTakeTheirOwnReference) {
  CountedUnknown object;
  {
    rt::ComObject a = rt::ComObject::Share(&object);
    rt::ComObject b = a;
    EXPECT_EQ(object.refs, 3u);
    rt::ComObject c = std::move(b);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(object.refs, 3u);
    // The interface slot: emptied (released) before it is handed out.
    void** slot = c.ReceiveSlot();
    EXPECT_EQ(object.refs, 2u);
    *slot = &object;  // as EM_GETOLEINTERFACE would, with a reference it gives away
    object.AddRef();
    EXPECT_EQ(c.Get(), &object);
  }
  EXPECT_EQ(object.refs, 1u);
}

TEST_F(ComApartment, ComObjectCreatesByProgIdAndCallsByName) {
  rt::ComObject dictionary;
  ASSERT_EQ(dictionary.Create("Scripting.Dictionary"), S_OK);
  EXPECT_EQ(dictionary.Call("Add", {"键", 42}), S_OK);
  rt::Variant count;
  ASSERT_EQ(dictionary.GetProperty("Count", count), S_OK);
  EXPECT_EQ(count.AsNumber(), 1.0);
  rt::Variant item;
  ASSERT_EQ(dictionary.Call("Item", {"键"}, &item), S_OK);
  EXPECT_EQ(item.AsNumber(), 42.0);
  rt::Variant exists;
  ASSERT_EQ(dictionary.Call("Exists", {"无"}, &exists), S_OK);
  EXPECT_EQ(exists.AsNumber(), 0.0);

  // Writing a property, and what a failed late-bound call looks like.
  ASSERT_EQ(dictionary.Call("RemoveAll"), S_OK);
  EXPECT_EQ(dictionary.PutProperty("CompareMode", 1), S_OK);
  rt::Variant mode;
  ASSERT_EQ(dictionary.GetProperty("CompareMode", mode), S_OK);
  EXPECT_EQ(mode.AsNumber(), 1.0);
  rt::Variant none = 5;
  EXPECT_EQ(dictionary.GetProperty("NoSuchMember", none), DISP_E_UNKNOWNNAME);
  EXPECT_TRUE(none.IsEmpty());

  rt::ComObject missing;
  EXPECT_TRUE(FAILED(missing.Create("No.Such.ProgId")));
  EXPECT_TRUE(missing.Empty());
  EXPECT_TRUE(FAILED(missing.Call("Anything")));
}

}  // namespace
