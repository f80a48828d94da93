#include "richedit/rich_edit_helper.h"

#include <objbase.h>
#include <richedit.h>

#include "ole/storage_ref.h"
#include "runtime/window.h"

namespace richedit {
namespace {

constexpr DWORD kRootStorageMode = STGM_TRANSACTED | STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE;

}  // namespace

RichEditHelper::~RichEditHelper() {
  if (rootStorage_) {
    ole::StorageRef root;
    root.Attach(rootStorage_);
    root.Release();
    rootStorage_ = nullptr;
  }
  editorOle_.Clear();
}

HWND RichEditHelper::Editor() const { return rt::ControlHandle(windowId_, controlId_); }

bool RichEditHelper::Attach(int windowId, int controlId) {
  if (editorHandle_) return false;
  editorHandle_ = rt::ControlHandle(windowId, controlId);
  windowId_ = windowId;
  controlId_ = controlId;
  rootStorage_ = nullptr;

  callbackBlock_.table = ole::CallbackTableAddress();
  callbackBlock_.refCount = 0;
  callbackBlock_.storageCounter = 0;

  IStorage* root = nullptr;
  HRESULT hr = StgCreateDocfile(nullptr, kRootStorageMode, 0, &root);
  if (FAILED(hr) || !root) return false;
  rootStorage_ = root;
  callbackBlock_.rootStorage = rootStorage_;

  if (SetOleCallback(&callbackBlock_)) return true;

  ole::StorageRef storage;
  storage.Attach(rootStorage_);
  storage.Release();
  rootStorage_ = nullptr;
  return false;
}

bool RichEditHelper::SetUndoLimit(int limit) {
  SendMessageA(Editor(), EM_SETTEXTMODE, TM_MULTILEVELUNDO, 0);
  return SendMessageA(Editor(), EM_SETUNDOLIMIT, static_cast<WPARAM>(limit), 0) == limit;
}

void RichEditHelper::Redo() { SendMessageA(Editor(), EM_REDO, 0, 0); }

bool RichEditHelper::CanRedo() { return SendMessageA(Editor(), EM_CANREDO, 0, 0) != 0; }

int RichEditHelper::GetOleInterface(rt::ComObject& object) {
  void** slot = object.ReceiveSlot();
  return static_cast<int>(SendMessageA(Editor(), EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(slot)));
}

bool RichEditHelper::SetOleCallback(void* callbackObject) {
  return SendMessageA(Editor(), EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(callbackObject)) != 0;
}

}  // namespace richedit
