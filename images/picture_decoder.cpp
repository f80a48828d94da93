#include "images/picture_decoder.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <new>
#include <string>

#include "images/gif_compositor.h"
#include "runtime/scoped_win.h"

using Microsoft::WRL::ComPtr;

namespace images {
namespace {

bool WithinLimits(UINT width, UINT height, uint64_t maxPixels = kMaxPixels) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         static_cast<uint64_t>(width) * height <= maxPixels;
}

// Reads a whole-number metadata item, whatever integer type the codec stored it as.
UINT ReadNumber(IWICMetadataQueryReader* reader, const wchar_t* name, UINT fallback) {
  if (!reader) return fallback;
  PROPVARIANT value;
  PropVariantInit(&value);
  UINT result = fallback;
  if (SUCCEEDED(reader->GetMetadataByName(name, &value))) {
    switch (value.vt) {
      case VT_UI1: result = value.bVal; break;
      case VT_UI2: result = value.uiVal; break;
      case VT_UI4: result = value.ulVal; break;
      case VT_I2: result = static_cast<UINT>(value.iVal); break;
      case VT_I4: result = static_cast<UINT>(value.lVal); break;
      case VT_BOOL: result = value.boolVal ? 1 : 0; break;
      default: break;
    }
  }
  PropVariantClear(&value);
  return result;
}

std::vector<uint8_t> ReadBytes(IWICMetadataQueryReader* reader, const wchar_t* name) {
  std::vector<uint8_t> bytes;
  if (!reader) return bytes;
  PROPVARIANT value;
  PropVariantInit(&value);
  if (SUCCEEDED(reader->GetMetadataByName(name, &value)) && value.vt == (VT_VECTOR | VT_UI1)) {
    bytes.assign(value.caub.pElems, value.caub.pElems + value.caub.cElems);
  }
  PropVariantClear(&value);
  return bytes;
}

// The looping extension: absent, the animation plays once; a count of 0 loops without end; otherwise
// it plays once and then repeats that many times.
UINT ReadPlays(IWICMetadataQueryReader* reader) {
  std::vector<uint8_t> application = ReadBytes(reader, L"/appext/Application");
  const std::string name(application.begin(), application.end());
  if (name != "NETSCAPE2.0" && name != "ANIMEXTS1.0") return 1;
  std::vector<uint8_t> data = ReadBytes(reader, L"/appext/Data");
  UINT count;
  if (data.size() >= 4 && data[0] == 3 && data[1] == 1) {
    count = data[2] | (data[3] << 8);
  } else if (data.size() >= 3 && data[0] == 1) {
    count = data[1] | (data[2] << 8);
  } else {
    return 0;
  }
  return count == 0 ? 0 : count + 1;
}

UINT FrameDelayMs(UINT hundredths) {
  const UINT ms = hundredths * 10;
  return ms < kMinimumDelayMs ? kFlooredDelayMs : ms;
}

HRESULT ConvertToPremultiplied(IWICImagingFactory* factory, IWICBitmapSource* source, ComPtr<IWICBitmapSource>* out) {
  ComPtr<IWICFormatConverter> converter;
  HRESULT hr = factory->CreateFormatConverter(&converter);
  if (FAILED(hr)) return hr;
  hr = converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                             WICBitmapPaletteTypeCustom);
  if (FAILED(hr)) return hr;
  *out = converter;
  return S_OK;
}

HRESULT DecodeStill(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, bool mayBeTransparent, Picture* picture) {
  ComPtr<IWICBitmapFrameDecode> frame;
  HRESULT hr = decoder->GetFrame(0, &frame);
  if (FAILED(hr)) return hr;
  UINT width = 0, height = 0;
  hr = frame->GetSize(&width, &height);
  if (FAILED(hr)) return hr;
  if (!WithinLimits(width, height)) return WINCODEC_ERR_IMAGESIZEOUTOFRANGE;
  ComPtr<IWICBitmapSource> pixels;
  hr = ConvertToPremultiplied(factory, frame.Get(), &pixels);
  if (FAILED(hr)) return hr;
  FrameBitmap bitmap = FrameBitmap::Create(width, height);
  if (!bitmap) return E_OUTOFMEMORY;
  hr = pixels->CopyPixels(nullptr, bitmap.Stride(), static_cast<UINT>(bitmap.ByteSize()), bitmap.Bits());
  if (FAILED(hr)) return hr;
  // A JPEG has no alpha: its scan would only cost time on large photographs.
  if (mayBeTransparent) {
    bitmap.UpdateTransparency();
  } else {
    bitmap.MarkOpaque();
  }
  picture->width = width;
  picture->height = height;
  picture->frames.clear();
  picture->frames.push_back(PictureFrame{std::move(bitmap), kFlooredDelayMs});
  picture->plays = 1;
  return S_OK;
}

HRESULT DecodeGif(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, Picture* picture) {
  UINT frameCount = 0;
  HRESULT hr = decoder->GetFrameCount(&frameCount);
  if (FAILED(hr)) return hr;
  if (frameCount == 0) return WINCODEC_ERR_FRAMEMISSING;
  if (frameCount > kMaxFrames) return WINCODEC_ERR_IMAGESIZEOUTOFRANGE;

  ComPtr<IWICMetadataQueryReader> global;
  decoder->GetMetadataQueryReader(&global);
  UINT width = ReadNumber(global.Get(), L"/logscrdesc/Width", 0);
  UINT height = ReadNumber(global.Get(), L"/logscrdesc/Height", 0);
  if (width == 0 || height == 0) {
    ComPtr<IWICBitmapFrameDecode> first;
    hr = decoder->GetFrame(0, &first);
    if (FAILED(hr)) return hr;
    hr = first->GetSize(&width, &height);
    if (FAILED(hr)) return hr;
  }
  const uint64_t maxPixels = frameCount > 1 ? kMaxAnimationPixels : kMaxPixels;
  if (!WithinLimits(width, height, maxPixels)) return WINCODEC_ERR_IMAGESIZEOUTOFRANGE;

  const uint64_t frameBytes = static_cast<uint64_t>(width) * height * 4;
  const UINT kept = static_cast<UINT>(std::max<uint64_t>(1, std::min<uint64_t>(frameCount, kMaxFrameCacheBytes / frameBytes)));

  Picture result;
  result.width = width;
  result.height = height;
  result.plays = ReadPlays(global.Get());
  GifCompositor compositor(width, height);
  std::vector<uint8_t> framePixels;
  for (UINT index = 0; index < kept; ++index) {
    ComPtr<IWICBitmapFrameDecode> frame;
    hr = decoder->GetFrame(index, &frame);
    if (FAILED(hr)) return hr;
    UINT frameWidth = 0, frameHeight = 0;
    hr = frame->GetSize(&frameWidth, &frameHeight);
    if (FAILED(hr)) return hr;
    if (!WithinLimits(frameWidth, frameHeight, maxPixels)) return WINCODEC_ERR_IMAGESIZEOUTOFRANGE;
    ComPtr<IWICMetadataQueryReader> metadata;
    frame->GetMetadataQueryReader(&metadata);

    ComPtr<IWICBitmapSource> pixels;
    hr = ConvertToPremultiplied(factory, frame.Get(), &pixels);
    if (FAILED(hr)) return hr;
    framePixels.resize(static_cast<size_t>(frameWidth) * frameHeight * 4);
    hr = pixels->CopyPixels(nullptr, frameWidth * 4, static_cast<UINT>(framePixels.size()), framePixels.data());
    if (FAILED(hr)) return hr;

    GifFrameImage image{framePixels.data(),
                        frameWidth,
                        frameHeight,
                        static_cast<int>(ReadNumber(metadata.Get(), L"/imgdesc/Left", 0)),
                        static_cast<int>(ReadNumber(metadata.Get(), L"/imgdesc/Top", 0)),
                        ReadNumber(metadata.Get(), L"/grctlext/Disposal", kDisposalNone)};
    compositor.Compose(image);
    FrameBitmap bitmap = FrameBitmap::Create(width, height);
    if (!bitmap) return E_OUTOFMEMORY;
    compositor.CopyTo(bitmap);
    bitmap.UpdateTransparency();
    result.frames.push_back(PictureFrame{std::move(bitmap), FrameDelayMs(ReadNumber(metadata.Get(), L"/grctlext/Delay", 0))});
  }
  *picture = std::move(result);
  return S_OK;
}

HRESULT Decode(const std::vector<uint8_t>& bytes, Picture* picture) {
  if (bytes.empty()) return WINCODEC_ERR_UNKNOWNIMAGEFORMAT;
  if (bytes.size() > kMaxFileBytes) return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);

  ComPtr<IWICImagingFactory> factory;
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
  if (FAILED(hr)) return hr;
  ComPtr<IWICStream> stream;
  hr = factory->CreateStream(&stream);
  if (FAILED(hr)) return hr;
  hr = stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  if (FAILED(hr)) return hr;
  ComPtr<IWICBitmapDecoder> decoder;
  hr = factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder);
  if (FAILED(hr)) return hr;
  GUID container = {};
  hr = decoder->GetContainerFormat(&container);
  if (FAILED(hr)) return hr;

  if (IsEqualGUID(container, GUID_ContainerFormatGif)) return DecodeGif(factory.Get(), decoder.Get(), picture);
  if (IsEqualGUID(container, GUID_ContainerFormatJpeg)) return DecodeStill(factory.Get(), decoder.Get(), false, picture);
  if (IsEqualGUID(container, GUID_ContainerFormatBmp) || IsEqualGUID(container, GUID_ContainerFormatPng)) {
    return DecodeStill(factory.Get(), decoder.Get(), true, picture);
  }
  return WINCODEC_ERR_UNKNOWNIMAGEFORMAT;
}

}  // namespace

HRESULT DecodePicture(const std::vector<uint8_t>& bytes, Picture* picture) {
  try {
    return Decode(bytes, picture);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace images

namespace images {

HRESULT ReadPictureFile(const wchar_t* path, std::vector<uint8_t>* bytes) {
  rt::ScopedFile file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return HRESULT_FROM_WIN32(GetLastError());
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.get(), &size)) return HRESULT_FROM_WIN32(GetLastError());
  if (static_cast<uint64_t>(size.QuadPart) > kMaxFileBytes) return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
  try {
    bytes->resize(static_cast<size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  size_t done = 0;
  while (done < bytes->size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes->data() + done, static_cast<DWORD>(bytes->size() - done), &read, nullptr)) {
      return HRESULT_FROM_WIN32(GetLastError());
    }
    if (read == 0) break;  // the file shrank while being read
    done += read;
  }
  bytes->resize(done);
  return S_OK;
}

}  // namespace images
