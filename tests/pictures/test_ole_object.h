// Small COM objects of the test's own, with reference counts the test can read: an embeddable
// object (IOleObject) that records the verbs it is given, and one without IOleObject. They never
// free themselves; the test keeps them alive longer than any editor that holds them.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <richole.h>

#include <vector>

namespace pictures_test {

class CountedUnknown : public IUnknown {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }
  ULONG References() const { return references_; }

private:
  ULONG references_ = 0;
};

struct VerbCall {
  LONG verb;
  IOleClientSite* site;
  HWND parent;
};

class TestOleObject : public IOleObject {
public:
  // The image component's class: the only embeddable class the editor's callback accepts.
  static constexpr CLSID kImageClassId = {0x06ADA938, 0x0FB0, 0x4BC0, {0xB1, 0x9B, 0x0A, 0x38, 0xAB, 0x17, 0xF1, 0x82}};
  // A class the editor refuses.
  static constexpr CLSID kForeignClassId = {0x5A1E0C01, 0x2B3C, 0x4D5E, {0x8F, 0x90, 0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6}};

  // What GetUserClassID answers.
  HRESULT userClassIdResult = S_OK;
  CLSID classId = kImageClassId;
  std::vector<VerbCall> verbs;
  ULONG References() const { return references_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Close(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

private:
  ULONG references_ = 0;
};

// The reference count of an interface: one AddRef and one Release, with what AddRef answered
// minus the one it added.
ULONG ReferenceCount(IUnknown* p);

// The objects an editor holds: IRichEditOle::GetObjectCount is not answered everywhere, so the
// count is how many GetObject finds.
LONG CountObjects(IRichEditOle* reole);

// Bytes in use on the process heap (where OLE keeps storages and memory blocks).
size_t HeapBytesInUse();

}  // namespace pictures_test
