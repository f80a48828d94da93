// The four exports of the component and its module state.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <atomic>

#include "images/class_factory.h"
#include "images/image_ole.h"
#include "images/module.h"
#include "images/registration.h"

namespace images {
namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_references{0};

}  // namespace

HMODULE ModuleHandle() { return g_module; }

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void AddModuleReference() { ++g_references; }
void ReleaseModuleReference() { --g_references; }
bool ModuleInUse() { return g_references.load() != 0; }

}  // namespace images

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    images::g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, images::kClassId)) return CLASS_E_CLASSNOTAVAILABLE;
  return images::GetClassFactory(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return images::ModuleInUse() ? S_FALSE : S_OK; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  const std::wstring path = images::ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  return images::RegisterComponent(path);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return images::UnregisterComponent(); }
