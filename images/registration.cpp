#include "images/registration.h"

#include <oleauto.h>

#include "images/image_ole.h"
#include "runtime/scoped_win.h"

// The per-user type library registration of oleaut32 (Windows Vista and later); the headers here
// do not declare it.
extern "C" {
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* fullPath, OLECHAR* helpDirectory);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libraryId, WORD major, WORD minor, LCID lcid, SYSKIND kind);
}

namespace images {
namespace {

constexpr wchar_t kUserClasses[] = L"Software\\Classes";

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring ClassKey() { return L"CLSID\\" + GuidText(kClassId); }

LONG SetKey(HKEY root, const std::wstring& path, const wchar_t* valueName, const std::wstring* value) {
  HKEY raw = nullptr;
  LONG error = RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                               &raw, nullptr);
  if (error != ERROR_SUCCESS) return error;
  rt::ScopedKey key(raw);
  if (!value) return ERROR_SUCCESS;
  return RegSetValueExW(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                        static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
}

LONG CreateMarker(HKEY root, const std::wstring& path) { return SetKey(root, path, nullptr, nullptr); }

LONG DeleteTree(HKEY root, const std::wstring& path) {
  LONG error = RegDeleteTreeW(root, path.c_str());
  return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

bool IsRefusal(LONG error) { return error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD; }

}  // namespace

LONG WriteClassEntries(HKEY root, const std::wstring& serverPath) {
  const std::wstring name = kClassName;
  const std::wstring progId = kProgId;
  const std::wstring versioned = kVersionedProgId;
  const std::wstring clsid = GuidText(kClassId);
  const std::wstring classKey = ClassKey();
  const std::wstring threading = L"Apartment";
  const std::wstring libraryId = GuidText(kTypeLibraryId);
  const std::wstring version = L"1.0";

  struct Step {
    std::wstring path;
    const wchar_t* valueName;
    const std::wstring* value;  // null: the key alone is the mark
  };
  const Step steps[] = {
      {progId, nullptr, &name},
      {progId + L"\\CLSID", nullptr, &clsid},
      {progId + L"\\CurVer", nullptr, &versioned},
      {progId + L"\\Insertable", nullptr, nullptr},
      {versioned, nullptr, &name},
      {versioned + L"\\CLSID", nullptr, &clsid},
      {versioned + L"\\Insertable", nullptr, nullptr},
      {classKey, nullptr, &name},
      {classKey + L"\\ProgID", nullptr, &versioned},
      {classKey + L"\\VersionIndependentProgID", nullptr, &progId},
      {classKey + L"\\InprocServer32", nullptr, &serverPath},
      {classKey + L"\\InprocServer32", L"ThreadingModel", &threading},
      {classKey + L"\\Programmable", nullptr, nullptr},
      {classKey + L"\\Control", nullptr, nullptr},
      {classKey + L"\\Insertable", nullptr, nullptr},
      {classKey + L"\\TypeLib", nullptr, &libraryId},
      {classKey + L"\\Version", nullptr, &version},
  };
  for (const Step& step : steps) {
    LONG error = step.value ? SetKey(root, step.path, step.valueName, step.value) : CreateMarker(root, step.path);
    if (error != ERROR_SUCCESS) return error;
  }
  return ERROR_SUCCESS;
}

LONG RemoveClassEntries(HKEY root) {
  LONG result = ERROR_SUCCESS;
  for (const std::wstring& path : {std::wstring(kProgId), std::wstring(kVersionedProgId), ClassKey()}) {
    LONG error = DeleteTree(root, path);
    if (error != ERROR_SUCCESS) result = error;
  }
  return result;
}

LONG WriteClassEntriesWithFallback(HKEY primary, HKEY fallback, const std::wstring& serverPath, HKEY* used) {
  LONG error = WriteClassEntries(primary, serverPath);
  *used = primary;
  if (IsRefusal(error) && fallback) {
    error = WriteClassEntries(fallback, serverPath);
    *used = fallback;
  }
  return error;
}

HRESULT RegisterComponent(const std::wstring& serverPath) {
  HKEY raw = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kUserClasses, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                  &raw, nullptr);
  rt::ScopedKey userClasses(raw);

  HKEY used = nullptr;
  LONG error = WriteClassEntriesWithFallback(HKEY_CLASSES_ROOT, userClasses.get(), serverPath, &used);
  if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);

  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(serverPath.c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) return hr;
  std::wstring path = serverPath;  // the registration functions take a non-const text
  if (used == HKEY_CLASSES_ROOT) {
    hr = RegisterTypeLib(library, path.data(), nullptr);
    if (FAILED(hr)) hr = RegisterTypeLibForUser(library, path.data(), nullptr);
  } else {
    hr = RegisterTypeLibForUser(library, path.data(), nullptr);
  }
  library->Release();
  return hr;
}

HRESULT UnregisterComponent() {
  LONG machine = RemoveClassEntries(HKEY_CLASSES_ROOT);
  HKEY raw = nullptr;
  LONG user = ERROR_SUCCESS;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserClasses, 0, KEY_ALL_ACCESS, &raw) == ERROR_SUCCESS) {
    rt::ScopedKey userClasses(raw);
    user = RemoveClassEntries(userClasses.get());
  }
  // Either registration may be absent; only a library that is still registered and refuses counts.
  UnRegisterTypeLib(kTypeLibraryId, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
  UnRegisterTypeLibForUser(kTypeLibraryId, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
  if (machine != ERROR_SUCCESS && user != ERROR_SUCCESS) return HRESULT_FROM_WIN32(machine);
  return S_OK;
}

}  // namespace images
