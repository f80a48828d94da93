// The component's self-registration as the registry of the test prefix holds it.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "images/image_ole.h"
#include "images/registration.h"
#include "runtime/files.h"
#include "runtime/scoped_win.h"
#include "tests/images/image_component.h"

using images_test::CallComponentExport;
using images_test::ComPtr;

namespace {

std::optional<std::wstring> ReadText(HKEY root, const std::wstring& path, const wchar_t* name) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  DWORD type = 0;
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_ANY, &type, buffer, &size) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ) return std::nullopt;
  return std::wstring(buffer);
}

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size())) - 1);
  return wide;
}

const wchar_t kClassKey[] = L"CLSID\\{06ADA938-0FB0-4BC0-B19B-0A38AB17F182}";

class Registration : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_EQ(CallComponentExport("DllRegisterServer"), S_OK); }
  // Wine's COM reads the machine-wide classes, so that is where the entries must be.
  HKEY machineClasses_ = nullptr;
  void TearDown() override {
    if (machineClasses_) RegCloseKey(machineClasses_);
  }
  HKEY MachineClasses() {
    if (!machineClasses_) RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes", 0, KEY_READ, &machineClasses_);
    return machineClasses_;
  }
};

TEST_F(Registration, WritesProgIdsClassAndServerUnderTheMachineClasses) {
  // Paths are built again here because the table holds pointers into temporaries.
  const std::wstring cls = kClassKey;
  const struct {
    std::wstring key;
    const wchar_t* name;
    std::wstring value;
  } expected[] = {
      {L"ImageOle.GifAnimator", nullptr, L"GifAnimator Class"},
      {L"ImageOle.GifAnimator\\CLSID", nullptr, L"{06ADA938-0FB0-4BC0-B19B-0A38AB17F182}"},
      {L"ImageOle.GifAnimator\\CurVer", nullptr, L"ImageOle.GifAnimator.1"},
      {L"ImageOle.GifAnimator.1", nullptr, L"GifAnimator Class"},
      {L"ImageOle.GifAnimator.1\\CLSID", nullptr, L"{06ADA938-0FB0-4BC0-B19B-0A38AB17F182}"},
      {cls, nullptr, L"GifAnimator Class"},
      {cls + L"\\ProgID", nullptr, L"ImageOle.GifAnimator.1"},
      {cls + L"\\VersionIndependentProgID", nullptr, L"ImageOle.GifAnimator"},
      {cls + L"\\InprocServer32", nullptr, Wide(images_test::ComponentPath())},
      {cls + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {cls + L"\\TypeLib", nullptr, L"{710993A2-4F87-41D7-B6FE-F5A20368465F}"},
      {cls + L"\\Version", nullptr, L"1.0"},
      {L"TypeLib\\{710993A2-4F87-41D7-B6FE-F5A20368465F}\\1.0", nullptr, L"ImageOle 1.0 Type Library"},
      {L"TypeLib\\{710993A2-4F87-41D7-B6FE-F5A20368465F}\\1.0\\0\\win64", nullptr, Wide(images_test::ComponentPath())},
      {L"Interface\\{0C1CF2DF-05A3-4FEF-8CD4-F5CFC4355A16}", nullptr, L"IGifAnimator"},
  };
  for (const auto& entry : expected) {
    std::optional<std::wstring> value = ReadText(MachineClasses(), entry.key, entry.name);
    ASSERT_TRUE(value.has_value()) << "missing: " << std::string(entry.key.begin(), entry.key.end());
    EXPECT_EQ(_wcsicmp(value->c_str(), entry.value.c_str()), 0) << std::string(entry.key.begin(), entry.key.end());
  }
  for (const wchar_t* marker : {L"\\Programmable", L"\\Control", L"\\Insertable"}) {
    EXPECT_TRUE(KeyExists(MachineClasses(), cls + marker));
  }
  EXPECT_TRUE(KeyExists(MachineClasses(), L"ImageOle.GifAnimator\\Insertable"));
  EXPECT_TRUE(KeyExists(MachineClasses(), L"ImageOle.GifAnimator.1\\Insertable"));
}

TEST_F(Registration, CreatesTheObjectByEitherProgIdWithItsInterfaces) {
  for (const wchar_t* progId : {L"ImageOle.GifAnimator", L"ImageOle.GifAnimator.1"}) {
    CLSID clsid = {};
    ASSERT_EQ(CLSIDFromProgID(progId, &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, images::kClassId));
    ComPtr<IUnknown> object;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object)), S_OK);
    for (const IID& iid : {IID_IDispatch, images::kAnimatorIid, IID_IOleObject, IID_IViewObject2, IID_IDataObject,
                           IID_IPersistStorage}) {
      ComPtr<IUnknown> part;
      EXPECT_EQ(object->QueryInterface(iid, &part), S_OK);
    }
    ComPtr<IOleObject> ole;
    ASSERT_EQ(object.As(&ole), S_OK);
    CLSID user = {};
    EXPECT_EQ(ole->GetUserClassID(&user), S_OK);
    EXPECT_TRUE(IsEqualCLSID(user, images::kClassId));
  }
}

TEST_F(Registration, TypeLibraryDescribesTheDualInterface) {
  ComPtr<IDispatch> object = images_test::CreateAnimator();
  ASSERT_TRUE(object);
  const struct {
    const wchar_t* name;
    DISPID id;
  } methods[] = {{L"LoadFromFile", 1}, {L"TriggerFrameChange", 2}, {L"GetFilePath", 3}, {L"ShowText", 4},
                 {L"loadfromfile", 1}};
  for (const auto& method : methods) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(method.name)};
    DISPID id = 0;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, method.id);
  }
  LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Play")};
  DISPID id = 0;
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);

  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadRegTypeLib(images::kTypeLibraryId, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
  BSTR name = nullptr;
  ASSERT_EQ(library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr), S_OK);
  EXPECT_STREQ(name, L"ImageOleLib");
  SysFreeString(name);
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(library->GetTypeInfoOfGuid(images::kAnimatorIid, &info), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
  info->ReleaseTypeAttr(attributes);
}

TEST_F(Registration, UnregisterRemovesTheEntriesAndRegisterRestoresThem) {
  ASSERT_EQ(CallComponentExport("DllUnregisterServer"), S_OK);
  EXPECT_FALSE(KeyExists(MachineClasses(), L"ImageOle.GifAnimator"));
  EXPECT_FALSE(KeyExists(MachineClasses(), L"ImageOle.GifAnimator.1"));
  EXPECT_FALSE(KeyExists(MachineClasses(), kClassKey));
  CLSID clsid = {};
  EXPECT_NE(CLSIDFromProgID(L"ImageOle.GifAnimator", &clsid), S_OK);

  ASSERT_EQ(CallComponentExport("DllRegisterServer"), S_OK);
  EXPECT_EQ(CLSIDFromProgID(L"ImageOle.GifAnimator", &clsid), S_OK);
  // Registering twice leaves one consistent set of entries.
  ASSERT_EQ(CallComponentExport("DllRegisterServer"), S_OK);
  EXPECT_EQ(ReadText(MachineClasses(), L"ImageOle.GifAnimator\\CurVer", nullptr), L"ImageOle.GifAnimator.1");
}

// Where the classes root refuses writes (a user without administrator rights on Windows), the same
// entries go to the user's own classes key. Wine's registry refuses nothing, so this writes them
// under a scratch key as the fallback would and reads them back.
TEST(RegistrationUnderAUserKey, WritesAndRemovesTheSameEntries) {
  const wchar_t kBase[] = L"Software\\xwnotes-tests\\user-classes";
  RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
  HKEY raw = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kBase, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr),
            ERROR_SUCCESS);
  rt::ScopedKey user(raw);

  HKEY used = nullptr;
  EXPECT_EQ(images::WriteClassEntriesWithFallback(user.get(), nullptr, L"C:\\程序\\Images.dll", &used), ERROR_SUCCESS);
  EXPECT_EQ(used, user.get());
  EXPECT_EQ(ReadText(user.get(), std::wstring(kClassKey) + L"\\InprocServer32", nullptr), L"C:\\程序\\Images.dll");
  EXPECT_EQ(ReadText(user.get(), std::wstring(kClassKey) + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(ReadText(user.get(), L"ImageOle.GifAnimator.1\\CLSID", nullptr), L"{06ADA938-0FB0-4BC0-B19B-0A38AB17F182}");

  EXPECT_EQ(images::RemoveClassEntries(user.get()), ERROR_SUCCESS);
  EXPECT_FALSE(KeyExists(user.get(), L"ImageOle.GifAnimator"));
  EXPECT_FALSE(KeyExists(user.get(), L"ImageOle.GifAnimator.1"));
  EXPECT_FALSE(KeyExists(user.get(), kClassKey));
  // Removing what is not there is no failure.
  EXPECT_EQ(images::RemoveClassEntries(user.get()), ERROR_SUCCESS);
  RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
}

}  // namespace
