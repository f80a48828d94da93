#include "tests/pictures/picture_files.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <map>

using Microsoft::WRL::ComPtr;

namespace pictures_test {

Pixels Solid(int width, int height, std::uint32_t rgb) {
  Pixels p{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * height, rgb)};
  return p;
}

Pixels ColourBands(int width, int height) {
  Pixels p = Solid(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p.at(x, y) = x < width / 3 ? 0xFF0000 : x < 2 * width / 3 ? 0x00FF00 : 0x0000FF;
  return p;
}

std::string EncodeWithWic(const Pixels& picture, const GUID& container) {
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
    return {};
  ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  ComPtr<IWICBitmapEncoder> encoder;
  if (FAILED(factory->CreateEncoder(container, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)))
    return {};
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  if (FAILED(encoder->CreateNewFrame(&frame, &options)) || FAILED(frame->Initialize(options.Get()))) return {};
  frame->SetSize(picture.width, picture.height);
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  frame->SetPixelFormat(&format);
  std::vector<BYTE> rows(static_cast<size_t>(picture.width) * 3 * picture.height);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      std::uint32_t c = picture.at(x, y);
      BYTE* px = &rows[(static_cast<size_t>(y) * picture.width + x) * 3];
      px[0] = c & 0xFF;
      px[1] = (c >> 8) & 0xFF;
      px[2] = (c >> 16) & 0xFF;
    }
  if (format == GUID_WICPixelFormat24bppBGR) {
    if (FAILED(frame->WritePixels(picture.height, picture.width * 3, static_cast<UINT>(rows.size()), rows.data())))
      return {};
  } else {
    // The encoder wants another layout: convert through a bitmap of ours.
    ComPtr<IWICBitmap> source;
    factory->CreateBitmapFromMemory(picture.width, picture.height, GUID_WICPixelFormat24bppBGR, picture.width * 3,
                                    static_cast<UINT>(rows.size()), rows.data(), &source);
    WICRect all{0, 0, picture.width, picture.height};
    if (!source || FAILED(frame->WriteSource(source.Get(), &all))) return {};
  }
  if (FAILED(frame->Commit()) || FAILED(encoder->Commit())) return {};
  HGLOBAL memory = nullptr;
  GetHGlobalFromStream(stream.Get(), &memory);
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  const char* bytes = static_cast<const char*>(GlobalLock(memory));
  std::string result(bytes, static_cast<size_t>(stat.cbSize.QuadPart));
  GlobalUnlock(memory);
  return result;
}

namespace {

void PutWord(std::string& out, int value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

// LZW data with 8-bit codes that never lets the code table grow past 9 bits: a clear code
// every 250 literals. Larger than real GIF data, but every decoder reads it.
std::string LzwLiterals(const std::vector<BYTE>& indices) {
  std::string bytes;
  std::uint32_t buffer = 0;
  int bits = 0;
  auto emit = [&](int code) {
    buffer |= static_cast<std::uint32_t>(code) << bits;
    bits += 9;
    while (bits >= 8) {
      bytes += static_cast<char>(buffer & 0xFF);
      buffer >>= 8;
      bits -= 8;
    }
  };
  constexpr int kClear = 256, kEnd = 257;
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i % 250 == 0) emit(kClear);
    emit(indices[i]);
  }
  emit(kEnd);
  if (bits > 0) bytes += static_cast<char>(buffer & 0xFF);
  std::string blocks;
  blocks += static_cast<char>(8);  // minimum code size
  for (size_t at = 0; at < bytes.size(); at += 255) {
    size_t n = std::min<size_t>(255, bytes.size() - at);
    blocks += static_cast<char>(n);
    blocks.append(bytes, at, n);
  }
  blocks += '\0';
  return blocks;
}

}  // namespace

std::string EncodeGif(int width, int height, const std::vector<GifFrame>& frames) {
  std::string out = "GIF89a";
  PutWord(out, width);
  PutWord(out, height);
  out += '\0';  // no global colour table
  out += '\0';  // background index
  out += '\0';  // aspect
  // Loop for ever.
  out += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
  PutWord(out, 0);
  out += '\0';
  for (const GifFrame& f : frames) {
    std::map<std::uint32_t, int> palette;
    std::vector<BYTE> indices;
    constexpr int kTransparentIndex = 255;
    for (std::uint32_t c : f.pixels.rgb) {
      if (c == kTransparent) {
        indices.push_back(kTransparentIndex);
        continue;
      }
      auto found = palette.find(c);
      if (found == palette.end()) found = palette.emplace(c, static_cast<int>(palette.size())).first;
      indices.push_back(static_cast<BYTE>(found->second));
    }
    // Graphic control: disposal, transparency on index 255, delay.
    out += "\x21\xF9\x04";
    out += static_cast<char>((f.disposal << 2) | 1);
    PutWord(out, f.delayCentiseconds);
    out += static_cast<char>(kTransparentIndex);
    out += '\0';
    // Image descriptor with a local table of 256 entries.
    out += '\x2C';
    PutWord(out, f.left);
    PutWord(out, f.top);
    PutWord(out, f.pixels.width);
    PutWord(out, f.pixels.height);
    out += static_cast<char>(0x80 | 7);
    std::string table(256 * 3, '\0');
    for (auto [c, i] : palette) {
      table[i * 3] = static_cast<char>((c >> 16) & 0xFF);
      table[i * 3 + 1] = static_cast<char>((c >> 8) & 0xFF);
      table[i * 3 + 2] = static_cast<char>(c & 0xFF);
    }
    out += table;
    out += LzwLiterals(indices);
  }
  out += '\x3B';
  return out;
}

}  // namespace pictures_test
