// The object's identity, its automation methods, its animation and its drawing.
#include "images/gif_animator.h"

#include <new>
#include <utility>

#include "images/module.h"
#include "images/picture_decoder.h"
#include "images/picture_painter.h"

using Microsoft::WRL::ComPtr;

namespace images {

GifAnimator::GifAnimator() : timer_(&GifAnimator::OnTimer, this) { AddModuleReference(); }

GifAnimator::~GifAnimator() {
  timer_.Stop();
  ReleaseModuleReference();
}

HRESULT GifAnimator::Create(REFIID iid, void** object) {
  auto* animator = new (std::nothrow) GifAnimator();
  if (!animator) return E_OUTOFMEMORY;
  HRESULT hr = animator->QueryInterface(iid, object);
  animator->Release();
  return hr;
}

HRESULT GifAnimator::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kAnimatorIid)) {
    *object = static_cast<IGifAnimator*>(this);
  } else if (IsEqualIID(iid, IID_IOleObject)) {
    *object = static_cast<IOleObject*>(this);
  } else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2)) {
    *object = static_cast<IViewObject2*>(this);
  } else if (IsEqualIID(iid, IID_IDataObject)) {
    *object = static_cast<IDataObject*>(this);
  } else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStorage)) {
    *object = static_cast<IPersistStorage*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG GifAnimator::AddRef() { return ++references_; }

ULONG GifAnimator::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

// --- IDispatch -------------------------------------------------------------------------------

HRESULT GifAnimator::EnsureTypeInfo() {
  if (typeInfo_) return S_OK;
  ComPtr<ITypeLib> library;
  HRESULT hr = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) return hr;
  ComPtr<ITypeInfo> info;
  hr = library->GetTypeInfoOfGuid(kAnimatorIid, &info);
  if (FAILED(hr)) return hr;
  // A dual interface is found as its dispatch description; calls go through its vtable half.
  HREFTYPE vtableHalf = 0;
  ComPtr<ITypeInfo> vtableInfo;
  if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableHalf)) &&
      SUCCEEDED(info->GetRefTypeInfo(vtableHalf, &vtableInfo))) {
    info = vtableInfo;
  }
  typeInfo_ = info;
  return S_OK;
}

HRESULT GifAnimator::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT GifAnimator::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  HRESULT hr = EnsureTypeInfo();
  if (FAILED(hr)) return hr;
  return typeInfo_.CopyTo(info);
}

HRESULT GifAnimator::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  HRESULT hr = EnsureTypeInfo();
  if (FAILED(hr)) return hr;
  return DispGetIDsOfNames(typeInfo_.Get(), names, count, ids);
}

HRESULT GifAnimator::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO* exception, UINT* argumentError) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  HRESULT hr = EnsureTypeInfo();
  if (FAILED(hr)) return hr;
  return typeInfo_->Invoke(static_cast<IGifAnimator*>(this), id, flags, params, result, exception, argumentError);
}

// --- IGifAnimator ----------------------------------------------------------------------------

HRESULT GifAnimator::LoadFromFile(BSTR fileName) {
  if (!fileName || !*fileName) return E_INVALIDARG;
  std::vector<uint8_t> bytes;
  HRESULT hr = ReadPictureFile(fileName, &bytes);
  if (FAILED(hr)) return hr;
  Picture picture;
  hr = DecodePicture(bytes, &picture);
  if (FAILED(hr)) return hr;  // the picture shown so far stays
  ShowPicture(std::move(picture), std::move(bytes));
  path_ = fileName;
  return S_OK;
}

HRESULT GifAnimator::TriggerFrameChange(VARIANT_BOOL* changed) {
  if (!changed) return E_POINTER;
  *changed = VARIANT_FALSE;
  if (!picture_.Animated()) return S_OK;
  current_ = (current_ + 1) % picture_.frames.size();
  if (current_ == 0) playsDone_ = 0;
  finished_ = false;
  const bool wasRunning = timer_.Running();
  timer_.Stop();
  if (wasRunning) timer_.Start(container_, picture_.frames[current_].delayMs);
  Invalidate();
  *changed = VARIANT_TRUE;
  return S_OK;
}

HRESULT GifAnimator::GetFilePath(BSTR* filePath) {
  if (!filePath) return E_POINTER;
  *filePath = SysAllocStringLen(path_.data(), static_cast<UINT>(path_.size()));
  return *filePath ? S_OK : E_OUTOFMEMORY;
}

HRESULT GifAnimator::ShowText(BSTR text) {
  text_ = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  Invalidate();
  return S_OK;
}

// --- Picture and animation -------------------------------------------------------------------

void GifAnimator::ShowPicture(Picture picture, std::vector<uint8_t> bytes) {
  timer_.Stop();
  picture_ = std::move(picture);
  bytes_ = std::move(bytes);
  current_ = 0;
  playsDone_ = 0;
  finished_ = false;
  dirty_ = true;
  Invalidate();
  NotifyDataChanged();
}

const FrameBitmap* GifAnimator::CurrentFrame() const {
  return picture_.Empty() ? nullptr : &picture_.frames[current_].bitmap;
}

SIZEL GifAnimator::NaturalExtent() const {
  const UINT width = picture_.Empty() ? kEmptyFrameSide : picture_.width;
  const UINT height = picture_.Empty() ? kEmptyFrameSide : picture_.height;
  rt::ScopedGetDC screen(nullptr);
  return SIZEL{MulDiv(static_cast<int>(width), 2540, GetDeviceCaps(screen.get(), LOGPIXELSX)),
               MulDiv(static_cast<int>(height), 2540, GetDeviceCaps(screen.get(), LOGPIXELSY))};
}

void GifAnimator::OnTimer(void* self) {
  auto* animator = static_cast<GifAnimator*>(self);
  animator->AddRef();  // whatever the container does in between, the object outlives its tick
  animator->Tick();
  animator->Release();
}

void GifAnimator::Tick() {
  // Not drawn since the last frame: the picture is scrolled away, hidden or covered. The animation
  // rests until the container draws it again.
  if (!drawnSinceTick_ || !picture_.Animated()) return;
  size_t next = current_ + 1;
  if (next == picture_.frames.size()) {
    ++playsDone_;
    if (picture_.plays != 0 && playsDone_ >= picture_.plays) {
      finished_ = true;  // the last frame stays
      return;
    }
    next = 0;
  }
  current_ = next;
  drawnSinceTick_ = false;
  Invalidate();
  timer_.Start(container_, picture_.frames[current_].delayMs);
}

void GifAnimator::StartTimerIfDue() {
  if (picture_.Animated() && !finished_ && container_ && !timer_.Running()) {
    timer_.Start(container_, picture_.frames[current_].delayMs);
  }
}

void GifAnimator::Invalidate() {
  if (container_ && drawn_) InvalidateRect(container_, &lastDrawn_, FALSE);
  if (viewSink_ && (viewAspects_ & DVASPECT_CONTENT)) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}

void GifAnimator::AdoptContainer(HWND window) {
  if (!window || window == container_) return;
  timer_.Stop();
  container_ = window;
  drawn_ = false;
}

void GifAnimator::AdoptSiteWindow(IOleClientSite* site) {
  if (container_ || !site) return;
  ComPtr<IOleInPlaceSite> inPlace;
  HWND window = nullptr;
  if (SUCCEEDED(site->QueryInterface(IID_PPV_ARGS(&inPlace))) && SUCCEEDED(inPlace->GetWindow(&window))) {
    AdoptContainer(window);
  }
}

void GifAnimator::NoteDrawn(HDC dc, const RECT& bounds) {
  const DWORD kind = GetObjectType(dc);
  if (kind == OBJ_DC) {
    HWND window = WindowFromDC(dc);
    if (!container_) AdoptContainer(window);
    if (!window || window != container_) return;
  } else if (kind != OBJ_MEMDC || !container_) {
    // Metafiles, printers and off-screen drawing of a container we do not know are not the screen.
    return;
  }
  RECT device = bounds;
  LPtoDP(dc, reinterpret_cast<POINT*>(&device), 2);
  if (device.left > device.right) std::swap(device.left, device.right);
  if (device.top > device.bottom) std::swap(device.top, device.bottom);
  lastDrawn_ = device;
  drawn_ = true;
  drawnSinceTick_ = true;
  StartTimerIfDue();
}

// --- IViewObject2 ----------------------------------------------------------------------------

HRESULT GifAnimator::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                          BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT && aspect != DVASPECT_DOCPRINT) return DV_E_DVASPECT;
  if (!dc || !bounds) return E_INVALIDARG;
  const RECT area = {bounds->left, bounds->top, bounds->right, bounds->bottom};
  PaintFrame(dc, area, CurrentFrame(), text_);
  NoteDrawn(dc, area);
  return S_OK;
}

HRESULT GifAnimator::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
  if (colors) *colors = nullptr;
  return S_FALSE;
}

HRESULT GifAnimator::Freeze(DWORD, LONG, void*, DWORD*) { return E_NOTIMPL; }
HRESULT GifAnimator::Unfreeze(DWORD) { return E_NOTIMPL; }

HRESULT GifAnimator::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  viewSink_ = sink;
  viewAspects_ = aspects;
  viewFlags_ = flags;
  return S_OK;
}

HRESULT GifAnimator::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects) *aspects = viewAspects_;
  if (flags) *flags = viewFlags_;
  if (sink) {
    *sink = viewSink_.Get();
    if (*sink) (*sink)->AddRef();
  }
  return S_OK;
}

HRESULT GifAnimator::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT && aspect != DVASPECT_DOCPRINT) return DV_E_DVASPECT;
  *size = NaturalExtent();
  return S_OK;
}

}  // namespace images
