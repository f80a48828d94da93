#include "ole/ole_callback.h"

#include <objbase.h>

#include <array>
#include <cstring>
#include <memory>

#include "ole/interface_call.h"
#include "ole/storage_ref.h"
#include "runtime/text.h"

namespace ole {
namespace {

using Table = std::array<const void*, kCallbackEntries>;

std::unique_ptr<Table> g_table;
const void* const* g_tableAddress = nullptr;

constexpr DWORD kSubStorageMode = STGM_TRANSACTED | STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE;

constexpr IID kIidIUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidIRichEditOleCallback = {0x00020D03, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The classes a note may bring into the editor: the image component's own objects, and the
// static pictures the editor makes of plain pictures. Anything else could start an arbitrary COM
// server from a note or a document, so it is refused and only the text loads.
constexpr CLSID kInsertableClasses[] = {
    {0x06ADA938, 0x0FB0, 0x4BC0, {0xB1, 0x9B, 0x0A, 0x38, 0xAB, 0x17, 0xF1, 0x82}},  // the image component
    {0x00000315, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}},  // static metafile picture
    {0x00000316, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}},  // static device-independent bitmap
    {0x00000319, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}},  // static enhanced metafile
    {0x00000000, 0x0000, 0x0000, {0, 0, 0, 0, 0, 0, 0, 0}},        // a picture without a class (Wine)
};

bool SameId(const GUID& a, const GUID& b) { return memcmp(&a, &b, sizeof(GUID)) == 0; }

// The count is a 32-bit signed value, kept in a pointer-sized word.
ULONG AddToCount(OleCallbackBlock* self, int delta) {
  auto count = static_cast<std::int32_t>(self->refCount) + delta;
  self->refCount = count;
  return static_cast<ULONG>(count);
}

}  // namespace

void CreateCallbackTable() {
  g_table = std::make_unique<Table>();
  g_tableAddress = nullptr;
}

int BuildOleCallbackTable() {
  if (!g_table) CreateCallbackTable();
  Table& t = *g_table;
  t[0] = reinterpret_cast<const void*>(&CallbackQueryInterface);
  t[1] = reinterpret_cast<const void*>(&CallbackAddRef);
  t[2] = reinterpret_cast<const void*>(&CallbackRelease);
  t[3] = reinterpret_cast<const void*>(&CallbackGetNewStorage);
  t[4] = reinterpret_cast<const void*>(&CallbackGetInPlaceContext);
  t[5] = reinterpret_cast<const void*>(&CallbackShowContainerUI);
  t[6] = reinterpret_cast<const void*>(&CallbackQueryInsertObject);
  t[7] = reinterpret_cast<const void*>(&CallbackDeleteObject);
  t[8] = reinterpret_cast<const void*>(&CallbackQueryAcceptData);
  t[9] = reinterpret_cast<const void*>(&CallbackContextSensitiveHelp);
  t[10] = reinterpret_cast<const void*>(&CallbackGetClipboardData);
  t[11] = reinterpret_cast<const void*>(&CallbackGetDragDropEffect);
  t[12] = reinterpret_cast<const void*>(&CallbackGetContextMenu);
  g_tableAddress = t.data();
  return 0;
}

void FreeCallbackTable() {
  g_tableAddress = nullptr;
  g_table.reset();
}

const void* const* CallbackTableAddress() { return g_tableAddress; }

std::string SubStorageName(std::intptr_t n) { return "REOLEStorage" + rt::ToDecimal(n); }

HRESULT STDMETHODCALLTYPE CallbackQueryInterface(OleCallbackBlock* self, const IID* iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!iid || !(SameId(*iid, kIidIUnknown) || SameId(*iid, kIidIRichEditOleCallback))) return kENoInterface;
  *out = self;
  AddToCount(self, 1);
  return S_OK;
}

ULONG STDMETHODCALLTYPE CallbackAddRef(OleCallbackBlock* self) { return AddToCount(self, 1); }

ULONG STDMETHODCALLTYPE CallbackRelease(OleCallbackBlock* self) { return AddToCount(self, -1); }

HRESULT STDMETHODCALLTYPE CallbackGetNewStorage(OleCallbackBlock* self, void** storage) {
  // The number advances before the call, so a failed number is never used again.
  self->storageCounter = static_cast<std::int32_t>(self->storageCounter) + 1;
  StorageRef root;
  root.Attach(self->rootStorage);
  return root.CreateStorage(SubStorageName(self->storageCounter), kSubStorageMode, 0, 0, storage);
}

HRESULT STDMETHODCALLTYPE CallbackGetInPlaceContext(OleCallbackBlock*, void**, void**, void*) { return S_OK; }

HRESULT STDMETHODCALLTYPE CallbackShowContainerUI(OleCallbackBlock*, BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE CallbackQueryInsertObject(OleCallbackBlock*, const CLSID* clsid, void*, LONG) {
  if (!clsid) return S_FALSE;
  for (const CLSID& allowed : kInsertableClasses)
    if (SameId(*clsid, allowed)) return S_OK;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE CallbackDeleteObject(OleCallbackBlock*, void*) { return S_OK; }

HRESULT STDMETHODCALLTYPE CallbackQueryAcceptData(OleCallbackBlock*, void*, void*, DWORD, BOOL, HGLOBAL) {
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CallbackContextSensitiveHelp(OleCallbackBlock*, BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE CallbackGetClipboardData(OleCallbackBlock*, void*, DWORD, void**) {
  return kENoInterface;
}

HRESULT STDMETHODCALLTYPE CallbackGetDragDropEffect(OleCallbackBlock*, BOOL, DWORD, DWORD*) { return S_OK; }

HRESULT STDMETHODCALLTYPE CallbackGetContextMenu(OleCallbackBlock*, WORD, void*, void*, HMENU*) { return S_OK; }

}  // namespace ole
