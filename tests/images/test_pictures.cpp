#include "tests/images/test_pictures.h"

#include <ole2.h>
#include <wincodec.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace images_test {

std::string EncodePicture(const GUID& container, UINT width, UINT height, const std::function<COLORREF(UINT, UINT)>& color) {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
      FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) || FAILED(factory->CreateEncoder(container, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(frame->SetSize(width, height))) {
    return {};
  }
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(frame->SetPixelFormat(&format)) || !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) return {};
  const UINT stride = (width * 3 + 3) & ~3u;
  std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      const COLORREF c = color(x, y);
      BYTE* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  }
  if (FAILED(frame->WritePixels(height, stride, static_cast<UINT>(pixels.size()), pixels.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return {};
  }
  HGLOBAL memory = nullptr;
  GetHGlobalFromStream(stream.Get(), &memory);
  STATSTG status = {};
  stream->Stat(&status, STATFLAG_NONAME);
  const char* bytes = static_cast<const char*>(GlobalLock(memory));
  std::string result(bytes, static_cast<size_t>(status.cbSize.QuadPart));
  GlobalUnlock(memory);
  return result;
}

namespace {

void PutWord(std::string& out, UINT value) {
  out.push_back(static_cast<char>(value & 0xff));
  out.push_back(static_cast<char>((value >> 8) & 0xff));
}

// LZW data with a 2-bit minimum code size that never lets the code table grow: a clear code after
// every two pixels keeps every code 3 bits wide, which any decoder reads.
std::string LzwImageData(const std::vector<uint8_t>& indices) {
  constexpr UINT kClear = 4, kEnd = 5, kWidth = 3;
  std::string packed;
  uint32_t buffer = 0;
  UINT bits = 0;
  auto emit = [&](UINT code) {
    buffer |= code << bits;
    bits += kWidth;
    while (bits >= 8) {
      packed.push_back(static_cast<char>(buffer & 0xff));
      buffer >>= 8;
      bits -= 8;
    }
  };
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i % 2 == 0) emit(kClear);
    emit(indices[i]);
  }
  emit(kEnd);
  if (bits > 0) packed.push_back(static_cast<char>(buffer & 0xff));

  std::string out(1, '\x02');  // minimum code size
  for (size_t at = 0; at < packed.size(); at += 255) {
    const size_t length = std::min<size_t>(255, packed.size() - at);
    out.push_back(static_cast<char>(length));
    out.append(packed, at, length);
  }
  out.push_back('\0');
  return out;
}

}  // namespace

std::string MakeGif(UINT width, UINT height, const std::vector<COLORREF>& palette, const std::vector<GifFrame>& frames,
                    int loops) {
  std::string out = "GIF89a";
  PutWord(out, width);
  PutWord(out, height);
  out.push_back('\xf1');  // global colour table of 4 entries, 8 bits a channel
  out.push_back('\0');    // background index
  out.push_back('\0');    // aspect ratio
  for (size_t i = 0; i < 4; ++i) {
    const COLORREF c = i < palette.size() ? palette[i] : RGB(0, 0, 0);
    out.push_back(static_cast<char>(GetRValue(c)));
    out.push_back(static_cast<char>(GetGValue(c)));
    out.push_back(static_cast<char>(GetBValue(c)));
  }
  if (loops >= 0) {
    out += "\x21\xff\x0bNETSCAPE2.0\x03\x01";
    PutWord(out, static_cast<UINT>(loops));
    out.push_back('\0');
  }
  for (const GifFrame& frame : frames) {
    out += "\x21\xf9\x04";
    const bool transparent = frame.transparentIndex >= 0;
    out.push_back(static_cast<char>((frame.disposal << 2) | (transparent ? 1 : 0)));
    PutWord(out, frame.delayHundredths);
    out.push_back(static_cast<char>(transparent ? frame.transparentIndex : 0));
    out.push_back('\0');
    out.push_back(',');
    PutWord(out, frame.left);
    PutWord(out, frame.top);
    PutWord(out, frame.width);
    PutWord(out, frame.height);
    out.push_back('\0');  // no local colour table, not interlaced
    out += LzwImageData(frame.indices);
  }
  out.push_back(';');
  return out;
}

GifFrame SolidFrame(UINT left, UINT top, UINT width, UINT height, uint8_t index, UINT disposal) {
  GifFrame frame;
  frame.left = left;
  frame.top = top;
  frame.width = width;
  frame.height = height;
  frame.disposal = disposal;
  frame.indices.assign(static_cast<size_t>(width) * height, index);
  return frame;
}

}  // namespace images_test
