// Files that are not pictures, are broken, or claim sizes far beyond a screen: LoadFromFile fails
// calmly with an HRESULT, and the object keeps showing what it showed before.
#include <windows.h>
#include <psapi.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <random>

#include "tests/images/image_component.h"
#include "tests/images/test_pictures.h"
#include "tests/support/temp_dir.h"

using namespace images_test;
using testing_support::TempDir;
using testing_support::WriteTestFile;

namespace {

void PutLittle(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// A BMP header of 30000 x 30000 pixels followed by a few bytes of data.
std::string HugeBmp() {
  std::string out = "BM";
  PutLittle(out, 54 + 64, 4);
  PutLittle(out, 0, 4);
  PutLittle(out, 54, 4);
  PutLittle(out, 40, 4);
  PutLittle(out, 30000, 4);
  PutLittle(out, 30000, 4);
  PutLittle(out, 1, 2);
  PutLittle(out, 24, 2);
  PutLittle(out, 0, 4);
  PutLittle(out, 0, 4);
  PutLittle(out, 2835, 4);
  PutLittle(out, 2835, 4);
  PutLittle(out, 0, 4);
  PutLittle(out, 0, 4);
  out.append(64, '\x7f');
  return out;
}

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xffffffffu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void PutChunk(std::string& out, const std::string& type, const std::string& data) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<char>((data.size() >> (8 * i)) & 0xff));
  out += type + data;
  const uint32_t crc = Crc32(type + data);
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<char>((crc >> (8 * i)) & 0xff));
}

// A valid PNG signature and header for 100000 x 100000 pixels, with no image data worth the name.
std::string HugePng() {
  std::string out = "\x89PNG\r\n\x1a\n";
  std::string header;
  for (uint32_t side : {100000u, 100000u}) {
    for (int i = 3; i >= 0; --i) header.push_back(static_cast<char>((side >> (8 * i)) & 0xff));
  }
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8));
  PutChunk(out, "IEND", "");
  return out;
}

std::string RandomBytes(size_t count) {
  std::mt19937 random(20261211);
  std::string out(count, '\0');
  for (char& c : out) c = static_cast<char>(random() & 0xff);
  return out;
}

std::string GoodPng() {
  return EncodePicture(GUID_ContainerFormatPng, 40, 30, [](UINT, UINT) { return RGB(0, 0x80, 0xff); });
}

const std::vector<COLORREF> kPalette = {RGB(0xff, 0, 0), RGB(0, 0xff, 0), RGB(0, 0, 0xff), RGB(0xff, 0xff, 0xff)};

struct BadCase {
  const char* name;
  std::string (*bytes)();
  HRESULT expected = S_OK;  // S_OK: any failure will do
};

const BadCase kBadCases[] = {
    {"empty", [] { return std::string(); }},
    {"random_bytes", [] { return RandomBytes(4096); }},
    {"text_file", [] { return std::string("这是一个文本文件，不是图片。\r\nplain text\r\n"); }},
    {"truncated_png", [] { std::string png = GoodPng(); return png.substr(0, png.size() / 2); }},
    {"truncated_gif",
     [] {
       std::string gif = MakeGif(8, 8, kPalette, {SolidFrame(0, 0, 8, 8, 0), SolidFrame(0, 0, 8, 8, 1)});
       return gif.substr(0, gif.size() - 12);
     }},
    {"signature_only", [] { return std::string("GIF89a"); }},
    {"huge_bmp", HugeBmp, WINCODEC_ERR_IMAGESIZEOUTOFRANGE},
    {"huge_png", HugePng},
    {"huge_gif_screen", [] { return MakeGif(20000, 20000, kPalette, {SolidFrame(0, 0, 1, 1, 0)}); },
     WINCODEC_ERR_IMAGESIZEOUTOFRANGE},
    {"huge_animation_canvas",
     [] { return MakeGif(8000, 4000, kPalette, {SolidFrame(0, 0, 1, 1, 0), SolidFrame(0, 0, 1, 1, 1)}); },
     WINCODEC_ERR_IMAGESIZEOUTOFRANGE},
    {"huge_gif_frame_count",
     [] {
       std::vector<GifFrame> frames(5000, SolidFrame(0, 0, 1, 1, 0));
       return MakeGif(1, 1, kPalette, frames);
     },
     WINCODEC_ERR_IMAGESIZEOUTOFRANGE},
};

class BadPicture : public ::testing::TestWithParam<BadCase> {
protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_.Path() + "\\" + name;
    WriteTestFile(path, bytes);
    return path;
  }
  TempDir dir_;
};

TEST_P(BadPicture, FailsAndLeavesAnEmptyFrameOnAFreshObject) {
  const std::string path = Write(std::string(GetParam().name) + ".gif", GetParam().bytes());
  ComPtr<IDispatch> object = CreateAnimator();
  ASSERT_TRUE(object);
  const HRESULT hr = LoadFromFile(object.Get(), path);
  EXPECT_TRUE(FAILED(hr));
  if (GetParam().expected != S_OK) {
    EXPECT_EQ(hr, GetParam().expected);
  }
  // Refused before the memory was taken: the process stays far from the gigabytes the claims ask for.
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory));
  EXPECT_LT(memory.PeakPagefileUsage, 512u * 1024 * 1024);

  ComPtr<IOleObject> ole;
  ASSERT_EQ(object.As(&ole), S_OK);
  SIZEL extent = {};
  ASSERT_EQ(ole->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
  EXPECT_EQ(extent.cx, MulDiv(64, 2540, 96));
  EXPECT_EQ(extent.cy, MulDiv(64, 2540, 96));
  Canvas canvas(80, 80, RGB(0xff, 0xff, 0xff));
  EXPECT_EQ(DrawInto(object.Get(), canvas, RECT{8, 8, 72, 72}), S_OK);
  EXPECT_FALSE(TriggerFrameChange(object.Get()));
}

TEST_P(BadPicture, FailsAndKeepsThePictureLoadedBefore) {
  ComPtr<IDispatch> object = CreateAnimator();
  ASSERT_TRUE(object);
  const std::string good = Write("good.png", GoodPng());
  ASSERT_EQ(LoadFromFile(object.Get(), good), S_OK);
  EXPECT_TRUE(FAILED(LoadFromFile(object.Get(), Write(std::string(GetParam().name) + ".jpg", GetParam().bytes()))));

  Canvas canvas(40, 30, RGB(0, 0, 0));
  ASSERT_EQ(DrawInto(object.Get(), canvas, RECT{0, 0, 40, 30}), S_OK);
  EXPECT_EQ(canvas.Pixel(20, 15), RGB(0, 0x80, 0xff));
  VARIANT path;
  VariantInit(&path);
  ASSERT_EQ(CallByName(object.Get(), L"GetFilePath", {}, &path), S_OK);
  char ansi[MAX_PATH] = {};
  WideCharToMultiByte(CP_ACP, 0, path.bstrVal, -1, ansi, MAX_PATH, nullptr, nullptr);
  EXPECT_EQ(std::string(ansi), good);
  VariantClear(&path);
}

INSTANTIATE_TEST_SUITE_P(Files, BadPicture, ::testing::ValuesIn(kBadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BadPictureArguments, MissingFileEmptyNameAndNoArgumentFail) {
  ComPtr<IDispatch> object = CreateAnimator();
  ASSERT_TRUE(object);
  EXPECT_EQ(LoadFromFile(object.Get(), "C:\\no\\such\\picture.png"), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(FAILED(LoadFromFile(object.Get(), "")));
  EXPECT_TRUE(FAILED(CallByName(object.Get(), L"LoadFromFile", {})));  // the argument is not optional
}

}  // namespace
