// The editor's OLE callback object: a global table of 13 IRichEditOleCallback entries, and the
// four-word block that is the callback object proper.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace ole {

// The callback object. The address of `table` is its identity: what the editor receives and
// what QueryInterface hands out. Four pointer-sized words; the block never frees itself.
struct OleCallbackBlock {
  const void* const* table = nullptr;  // word 0: the EditorOleCallback method table
  std::intptr_t refCount = 0;          // word 1: the reference count (32-bit arithmetic)
  void* rootStorage = nullptr;         // word 2: the root IStorage, borrowed from RichEditHelper
  std::intptr_t storageCounter = 0;    // word 3: the number of the last sub-storage asked for
};
static_assert(sizeof(OleCallbackBlock) == 4 * sizeof(void*));

constexpr int kCallbackEntries = 13;

// The callback table: created zero-filled with the global state, filled before any window exists.
void CreateCallbackTable();
// Fills the 13 entries and publishes the table's address. Returns 0.
int BuildOleCallbackTable();
void FreeCallbackTable();
// The published address of entry 0; null before BuildOleCallbackTable.
const void* const* CallbackTableAddress();

// Entries 0-12, in IRichEditOleCallback order, with the COM calling convention; the block is
// the object they run on.
HRESULT STDMETHODCALLTYPE CallbackQueryInterface(OleCallbackBlock* self, const IID* iid, void** out);
ULONG STDMETHODCALLTYPE CallbackAddRef(OleCallbackBlock* self);
ULONG STDMETHODCALLTYPE CallbackRelease(OleCallbackBlock* self);
HRESULT STDMETHODCALLTYPE CallbackGetNewStorage(OleCallbackBlock* self, void** storage);
HRESULT STDMETHODCALLTYPE CallbackGetInPlaceContext(OleCallbackBlock* self, void** frame, void** document,
                                                    void* frameInfo);
HRESULT STDMETHODCALLTYPE CallbackShowContainerUI(OleCallbackBlock* self, BOOL show);
HRESULT STDMETHODCALLTYPE CallbackQueryInsertObject(OleCallbackBlock* self, const CLSID* clsid, void* storage,
                                                    LONG cp);
HRESULT STDMETHODCALLTYPE CallbackDeleteObject(OleCallbackBlock* self, void* object);
HRESULT STDMETHODCALLTYPE CallbackQueryAcceptData(OleCallbackBlock* self, void* dataObject, void* format,
                                                  DWORD operation, BOOL really, HGLOBAL metafile);
HRESULT STDMETHODCALLTYPE CallbackContextSensitiveHelp(OleCallbackBlock* self, BOOL enterMode);
HRESULT STDMETHODCALLTYPE CallbackGetClipboardData(OleCallbackBlock* self, void* range, DWORD operation,
                                                   void** dataObject);
HRESULT STDMETHODCALLTYPE CallbackGetDragDropEffect(OleCallbackBlock* self, BOOL drag, DWORD keyState,
                                                    DWORD* effect);
HRESULT STDMETHODCALLTYPE CallbackGetContextMenu(OleCallbackBlock* self, WORD selectionType, void* object,
                                                 void* range, HMENU* menu);

// The name of the n-th sub-storage: "REOLEStorage" and n in decimal.
std::string SubStorageName(std::intptr_t n);

}  // namespace ole
