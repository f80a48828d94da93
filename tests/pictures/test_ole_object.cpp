#include "tests/pictures/test_ole_object.h"

namespace pictures_test {

HRESULT CountedUnknown::QueryInterface(REFIID iid, void** out) {
  *out = nullptr;
  if (iid != IID_IUnknown) return E_NOINTERFACE;
  *out = this;
  AddRef();
  return S_OK;
}

HRESULT TestOleObject::QueryInterface(REFIID iid, void** out) {
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IOleObject) return E_NOINTERFACE;
  *out = static_cast<IOleObject*>(this);
  AddRef();
  return S_OK;
}

HRESULT TestOleObject::GetClientSite(IOleClientSite** site) {
  *site = nullptr;
  return E_FAIL;
}

HRESULT TestOleObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT) {
  verbs.push_back({verb, site, parent});
  return S_OK;
}

HRESULT TestOleObject::GetUserClassID(CLSID* clsid) {
  if (FAILED(userClassIdResult)) return userClassIdResult;
  *clsid = classId;
  return S_OK;
}

HRESULT TestOleObject::GetExtent(DWORD, SIZEL* size) {
  size->cx = 1000;  // HIMETRIC: 1 cm by 5 mm
  size->cy = 500;
  return S_OK;
}

HRESULT TestOleObject::GetMiscStatus(DWORD, DWORD* status) {
  *status = 0;
  return S_OK;
}

ULONG ReferenceCount(IUnknown* p) {
  ULONG count = p->AddRef() - 1;
  p->Release();
  return count;
}

LONG CountObjects(IRichEditOle* reole) {
  LONG n = 0;
  for (;; ++n) {
    REOBJECT reo{};
    reo.cbStruct = sizeof reo;
    if (reole->GetObject(n, &reo, REO_GETOBJ_NO_INTERFACES) != S_OK) return n;
  }
}

size_t HeapBytesInUse() {
  HANDLE heap = GetProcessHeap();
  size_t total = 0;
  HeapLock(heap);
  PROCESS_HEAP_ENTRY entry{};
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
  HeapUnlock(heap);
  return total;
}

}  // namespace pictures_test
