// The object as an OLE embedding: IOleObject, its data for copying and saving (IDataObject) and
// its place in a compound document (IPersistStorage).
#include <shlobj.h>

#include <cstring>

#include "images/data_formats.h"
#include "images/gif_animator.h"
#include "images/picture_decoder.h"

using Microsoft::WRL::ComPtr;

namespace images {
namespace {

// The stream inside the object's storage that holds the picture file's bytes unchanged.
constexpr wchar_t kPictureStream[] = L"Picture";

constexpr FORMATETC kOfferedFormats[] = {
    {CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF},
    {CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
};

HRESULT CheckFormat(const FORMATETC* format) {
  if (!format) return E_POINTER;
  if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (format->lindex != -1) return DV_E_LINDEX;
  for (const FORMATETC& offered : kOfferedFormats) {
    if (format->cfFormat == offered.cfFormat) return (format->tymed & offered.tymed) ? S_OK : DV_E_TYMED;
  }
  return DV_E_FORMATETC;
}

}  // namespace

// --- IOleObject ------------------------------------------------------------------------------

HRESULT GifAnimator::SetClientSite(IOleClientSite* site) {
  site_ = site;
  if (!site) {
    // The container lets go of the object: no more drawing for it.
    timer_.Stop();
    container_ = nullptr;
    drawn_ = false;
    return S_OK;
  }
  AdoptSiteWindow(site);
  return S_OK;
}

HRESULT GifAnimator::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  return site_.CopyTo(site);
}

HRESULT GifAnimator::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

HRESULT GifAnimator::Close(DWORD) {
  timer_.Stop();
  if (oleAdvise_) oleAdvise_->SendOnClose();
  return S_OK;
}

HRESULT GifAnimator::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT GifAnimator::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT GifAnimator::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT GifAnimator::GetClipboardData(DWORD, IDataObject** data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

// The editor that embeds the object never hands it a site through SetClientSite, so the verbs
// that show the object are where it learns its container's window.
HRESULT GifAnimator::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT) {
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_OPEN:
    case OLEIVERB_UIACTIVATE:
    case OLEIVERB_INPLACEACTIVATE:
      if (site && !site_) site_ = site;
      if (parent && IsWindow(parent)) AdoptContainer(parent);
      AdoptSiteWindow(site);
      return S_OK;
    case OLEIVERB_HIDE:
      timer_.Stop();
      return S_OK;
    case OLEIVERB_DISCARDUNDOSTATE:
      return S_OK;
    default:
      return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
  }
}

HRESULT GifAnimator::EnumVerbs(IEnumOLEVERB** verbs) {
  if (verbs) *verbs = nullptr;
  return OLEOBJ_E_NOVERBS;
}

HRESULT GifAnimator::Update() { return S_OK; }
HRESULT GifAnimator::IsUpToDate() { return S_OK; }

HRESULT GifAnimator::GetUserClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = kClassId;
  return S_OK;
}

HRESULT GifAnimator::GetUserType(DWORD, LPOLESTR* type) {
  if (!type) return E_POINTER;
  const size_t bytes = sizeof(kClassName);
  *type = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
  if (!*type) return E_OUTOFMEMORY;
  std::memcpy(*type, kClassName, bytes);
  return S_OK;
}

HRESULT GifAnimator::SetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  extent_ = *size;
  return S_OK;
}

HRESULT GifAnimator::GetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = (extent_.cx > 0 && extent_.cy > 0) ? extent_ : NaturalExtent();
  return S_OK;
}

HRESULT GifAnimator::Advise(IAdviseSink* sink, DWORD* connection) {
  if (!oleAdvise_) {
    HRESULT hr = CreateOleAdviseHolder(&oleAdvise_);
    if (FAILED(hr)) return hr;
  }
  return oleAdvise_->Advise(sink, connection);
}

HRESULT GifAnimator::Unadvise(DWORD connection) {
  return oleAdvise_ ? oleAdvise_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT GifAnimator::EnumAdvise(IEnumSTATDATA** advises) {
  if (!advises) return E_POINTER;
  *advises = nullptr;
  return oleAdvise_ ? oleAdvise_->EnumAdvise(advises) : S_OK;
}

HRESULT GifAnimator::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE;
  return S_OK;
}

HRESULT GifAnimator::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// --- IDataObject -----------------------------------------------------------------------------

HRESULT GifAnimator::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!medium) return E_POINTER;
  HRESULT hr = CheckFormat(format);
  if (FAILED(hr)) return hr;
  medium->pUnkForRelease = nullptr;
  if (format->cfFormat == CF_ENHMETAFILE) {
    SIZEL extent = NaturalExtent();
    medium->hEnhMetaFile = MakeEnhMetafile(CurrentFrame(), extent);
    if (!medium->hEnhMetaFile) return E_OUTOFMEMORY;
    medium->tymed = TYMED_ENHMF;
    return S_OK;
  }
  medium->hGlobal = MakeDib(CurrentFrame());
  if (!medium->hGlobal) return E_OUTOFMEMORY;
  medium->tymed = TYMED_HGLOBAL;
  return S_OK;
}

HRESULT GifAnimator::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT GifAnimator::QueryGetData(FORMATETC* format) { return CheckFormat(format); }

HRESULT GifAnimator::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) {
  if (!in || !out) return E_POINTER;
  *out = *in;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT GifAnimator::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT GifAnimator::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (!formats) return E_POINTER;
  *formats = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  return SHCreateStdEnumFmtEtc(ARRAYSIZE(kOfferedFormats), kOfferedFormats, formats);
}

HRESULT GifAnimator::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) {
  if (!dataAdvise_) {
    HRESULT hr = CreateDataAdviseHolder(&dataAdvise_);
    if (FAILED(hr)) return hr;
  }
  return dataAdvise_->Advise(static_cast<IDataObject*>(this), format, flags, sink, connection);
}

HRESULT GifAnimator::DUnadvise(DWORD connection) {
  return dataAdvise_ ? dataAdvise_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT GifAnimator::EnumDAdvise(IEnumSTATDATA** advises) {
  if (!advises) return E_POINTER;
  *advises = nullptr;
  return dataAdvise_ ? dataAdvise_->EnumAdvise(advises) : OLE_E_ADVISENOTSUPPORTED;
}

void GifAnimator::NotifyDataChanged() {
  if (dataAdvise_) dataAdvise_->SendOnDataChange(static_cast<IDataObject*>(this), 0, 0);
}

// --- IPersistStorage -------------------------------------------------------------------------

HRESULT GifAnimator::GetClassID(CLSID* clsid) { return GetUserClassID(clsid); }

HRESULT GifAnimator::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

HRESULT GifAnimator::InitNew(IStorage* storage) { return storage ? S_OK : E_POINTER; }

HRESULT GifAnimator::Load(IStorage* storage) {
  if (!storage) return E_POINTER;
  ComPtr<IStream> stream;
  HRESULT hr = storage->OpenStream(kPictureStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
  if (FAILED(hr)) return hr;
  STATSTG status = {};
  hr = stream->Stat(&status, STATFLAG_NONAME);
  if (FAILED(hr)) return hr;
  if (status.cbSize.QuadPart > kMaxFileBytes) return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(static_cast<size_t>(status.cbSize.QuadPart));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  ULONG read = 0;
  if (!bytes.empty()) {
    hr = stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    if (FAILED(hr)) return hr;
    bytes.resize(read);
  }
  // A picture that this machine cannot decode keeps its bytes, so that saving the document again
  // loses nothing; it shows as the empty frame meanwhile.
  Picture picture;
  if (!bytes.empty() && FAILED(DecodePicture(bytes, &picture))) picture = Picture();
  ShowPicture(std::move(picture), std::move(bytes));
  path_.clear();
  dirty_ = false;
  return S_OK;
}

HRESULT GifAnimator::Save(IStorage* storage, BOOL) {
  if (!storage) return E_POINTER;
  ComPtr<IStream> stream;
  HRESULT hr = storage->CreateStream(kPictureStream, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream);
  if (FAILED(hr)) return hr;
  ULONG written = 0;
  if (!bytes_.empty()) {
    hr = stream->Write(bytes_.data(), static_cast<ULONG>(bytes_.size()), &written);
    if (FAILED(hr)) return hr;
    if (written != bytes_.size()) return STG_E_MEDIUMFULL;
  }
  dirty_ = false;
  return S_OK;
}

HRESULT GifAnimator::SaveCompleted(IStorage*) { return S_OK; }
HRESULT GifAnimator::HandsOffStorage() { return S_OK; }

}  // namespace images
