// RichEditHelper::InsertObject: embeds an OLE object at the editor's selection.
#include <windows.h>
#include <ole2.h>
#include <richedit.h>
#include <richole.h>

#include "ole/interface_call.h"
#include "ole/lock_bytes_ref.h"
#include "ole/ole_object_ref.h"
#include "richedit/rich_edit_helper.h"

namespace richedit {
namespace {

// Bringing the caret into view: the rich edit header's own value (WM_USER + 49), and the common
// edit message EM_SCROLLCARET (0xB7) for controls that understand only that one (Wine's does).
constexpr UINT kRichEditScrollCaret = WM_USER + 49;
constexpr UINT kEditScrollCaret = 0x00B7;

// Drops the one reference the insertion owns to an interface pointer when it leaves, whichever
// way it leaves; a null pointer is skipped without a call.
class OwnedReference {
public:
  OwnedReference() = default;
  OwnedReference(const OwnedReference&) = delete;
  OwnedReference& operator=(const OwnedReference&) = delete;
  ~OwnedReference() {
    ole::LockBytesRef releaser;
    releaser.Attach(pointer_);
    releaser.Release();
  }
  void* get() const { return pointer_; }
  // Where a creating call writes the new pointer.
  template <typename T>
  T** receive() { return reinterpret_cast<T**>(&pointer_); }

private:
  void* pointer_ = nullptr;
};

}  // namespace

HRESULT RichEditHelper::InsertObject(rt::ComObject& object) {
  // The editor's IRichEditOle: fetched at the first insertion and kept for the helper's life.
  if (editorOle_.Empty()) {
    HWND editor = Editor();
    LRESULT got = editor ? SendMessageA(editor, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(editorOle_.ReceiveSlot()))
                         : 0;
    if (got == 0 || editorOle_.Empty()) {
      editorOle_.Clear();
      return ole::kENoInterface;
    }
    oleRef_.Attach(editorOle_);
  }

  ole::OleObjectRef oleObject;  // its reference to the object's IOleObject goes with it
  if (!oleObject.Attach(object)) return ole::kENoInterface;

  // Declared in the reverse of their release order: lock bytes, then storage, then site.
  OwnedReference site;
  OwnedReference storage;
  OwnedReference lockBytes;

  // A growing memory block, freed with the last release of the lock bytes.
  HRESULT hr = CreateILockBytesOnHGlobal(nullptr, TRUE, lockBytes.receive<ILockBytes>());
  if (FAILED(hr)) return hr;
  hr = StgCreateDocfileOnILockBytes(static_cast<ILockBytes*>(lockBytes.get()),
                                    STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE, 0,
                                    storage.receive<IStorage>());
  if (FAILED(hr)) return hr;

  oleRef_.GetClientSite(site.receive<void>());
  OleSetContainedObject(static_cast<IUnknown*>(oleObject.GetPointer()), TRUE);

  // The platform's own layout of the structure: on x64 its pointers are 8 bytes wide.
  REOBJECT reobject{};
  reobject.cbStruct = sizeof(REOBJECT);
  hr = oleObject.GetUserClassID(&reobject.clsid);
  if (FAILED(hr)) return hr;
  reobject.cp = REO_CP_SELECTION;
  reobject.dvaspect = DVASPECT_CONTENT;
  reobject.dwFlags = REO_BELOWBASELINE;
  reobject.poleobj = static_cast<IOleObject*>(oleObject.GetPointer());
  reobject.polesite = static_cast<IOleClientSite*>(site.get());
  reobject.pstg = static_cast<IStorage*>(storage.get());
  // A refusal leaves nothing inserted; the caller learns nothing of it, as with every picture.
  oleRef_.InsertObject(&reobject);

  SendMessageA(Editor(), kRichEditScrollCaret, 0, 0);
  SendMessageA(Editor(), kEditScrollCaret, 0, 0);
  // The editor never hands the object its window or site itself; the verbs carry them.
  oleObject.DoVerb(OLEIVERB_UIACTIVATE, nullptr, site.get(), 0, editorHandle_, nullptr);
  oleObject.DoVerb(OLEIVERB_SHOW, nullptr, site.get(), 0, editorHandle_, nullptr);
  RedrawWindow(Editor(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
  return S_OK;
}

}  // namespace richedit
