// Still pictures loaded by name and drawn through IViewObject into a memory DC.
#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include "images/image_ole.h"
#include "tests/images/image_component.h"
#include "tests/images/test_pictures.h"
#include "tests/support/temp_dir.h"

using namespace images_test;
using testing_support::TempDir;
using testing_support::WriteTestFile;

namespace {

constexpr COLORREF kRed = RGB(0xe0, 0x10, 0x10);
constexpr COLORREF kGreen = RGB(0x10, 0xc0, 0x20);
constexpr COLORREF kBlue = RGB(0x20, 0x30, 0xe0);
constexpr COLORREF kYellow = RGB(0xf0, 0xe0, 0x10);
constexpr COLORREF kBackground = RGB(0x80, 0x80, 0x80);

// 64 x 64 in four quadrants; the borders fall on JPEG block edges, so the centres keep their colours.
COLORREF Quadrants(UINT x, UINT y) {
  if (y < 32) return x < 32 ? kRed : kGreen;
  return x < 32 ? kBlue : kYellow;
}

struct StillCase {
  const char* name;
  GUID container;
  const char* extension;
  int tolerance;
};

class StillPicture : public ::testing::TestWithParam<StillCase> {
protected:
  void SetUp() override {
    std::string bytes = EncodePicture(GetParam().container, 64, 64, Quadrants);
    ASSERT_FALSE(bytes.empty());
    path_ = dir_.Path() + "\\图片" + GetParam().extension;
    WriteTestFile(path_, bytes);
    object_ = CreateAnimator();
    ASSERT_TRUE(object_);
    ASSERT_EQ(LoadFromFile(object_.Get(), path_), S_OK);
  }
  void ExpectQuadrants(const Canvas& canvas, RECT at) {
    const int w = at.right - at.left, h = at.bottom - at.top;
    const struct {
      int x, y;
      COLORREF color;
    } probes[] = {{w / 4, h / 4, kRed}, {3 * w / 4, h / 4, kGreen}, {w / 4, 3 * h / 4, kBlue}, {3 * w / 4, 3 * h / 4, kYellow}};
    for (const auto& probe : probes) {
      COLORREF actual = canvas.Pixel(at.left + probe.x, at.top + probe.y);
      EXPECT_TRUE(Near(actual, probe.color, GetParam().tolerance))
          << GetParam().name << " at " << probe.x << "," << probe.y << ": " << ColorText(actual);
    }
    // Outside the bounds nothing is touched.
    EXPECT_EQ(canvas.Pixel(at.left - 1, at.top - 1), kBackground);
    EXPECT_EQ(canvas.Pixel(at.right, at.bottom), kBackground);
  }

  TempDir dir_;
  std::string path_;
  ComPtr<IDispatch> object_;
};

TEST_P(StillPicture, DrawsItsColoursAtNaturalSizeAndStretched) {
  Canvas canvas(200, 200, kBackground);
  RECT natural = {10, 10, 74, 74};
  ASSERT_EQ(DrawInto(object_.Get(), canvas, natural), S_OK);
  ExpectQuadrants(canvas, natural);

  RECT stretched = {80, 20, 80 + 100, 20 + 150};
  ASSERT_EQ(DrawInto(object_.Get(), canvas, stretched), S_OK);
  ExpectQuadrants(canvas, stretched);
}

TEST_P(StillPicture, ReportsItsSizeInHimetricAndItsFile) {
  ComPtr<IOleObject> ole;
  ASSERT_EQ(object_.As(&ole), S_OK);
  SIZEL extent = {};
  ASSERT_EQ(ole->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
  EXPECT_EQ(extent.cx, MulDiv(64, 2540, 96));
  EXPECT_EQ(extent.cy, MulDiv(64, 2540, 96));
  ComPtr<IViewObject2> view;
  ASSERT_EQ(object_.As(&view), S_OK);
  SIZEL viewExtent = {};
  ASSERT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &viewExtent), S_OK);
  EXPECT_EQ(viewExtent.cx, extent.cx);

  VARIANT path;
  VariantInit(&path);
  ASSERT_EQ(CallByName(object_.Get(), L"GetFilePath", {}, &path), S_OK);
  ASSERT_EQ(path.vt, VT_BSTR);
  char ansi[MAX_PATH] = {};
  WideCharToMultiByte(CP_ACP, 0, path.bstrVal, -1, ansi, MAX_PATH, nullptr, nullptr);
  EXPECT_EQ(std::string(ansi), path_);
  VariantClear(&path);

  // A still picture has no next frame.
  EXPECT_FALSE(TriggerFrameChange(object_.Get()));
}

INSTANTIATE_TEST_SUITE_P(Formats, StillPicture,
                         ::testing::Values(StillCase{"bmp", GUID_ContainerFormatBmp, ".bmp", 0},
                                           StillCase{"png", GUID_ContainerFormatPng, ".png", 0},
                                           StillCase{"jpeg", GUID_ContainerFormatJpeg, ".jpg", 24}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EmptyObject, ShowsAnEmptyFrameOfSixtyFourPixels) {
  ComPtr<IDispatch> object = CreateAnimator();
  ASSERT_TRUE(object);
  ComPtr<IOleObject> ole;
  ASSERT_EQ(object.As(&ole), S_OK);
  SIZEL extent = {};
  ASSERT_EQ(ole->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
  EXPECT_EQ(extent.cx, MulDiv(64, 2540, 96));
  EXPECT_EQ(extent.cy, MulDiv(64, 2540, 96));

  Canvas canvas(100, 100, RGB(0xff, 0xff, 0xff));
  ASSERT_EQ(DrawInto(object.Get(), canvas, RECT{10, 10, 74, 74}), S_OK);
  EXPECT_NE(canvas.Pixel(10, 40), RGB(0xff, 0xff, 0xff));  // the outline
  EXPECT_EQ(canvas.Pixel(40, 40), RGB(0xff, 0xff, 0xff));  // an empty inside

  VARIANT path;
  VariantInit(&path);
  ASSERT_EQ(CallByName(object.Get(), L"GetFilePath", {}, &path), S_OK);
  EXPECT_EQ(SysStringLen(path.bstrVal), 0u);
  VariantClear(&path);
}

}  // namespace

namespace {

int DifferingPixels(const Canvas& a, const Canvas& b, int width, int height) {
  int count = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) count += a.Pixel(x, y) != b.Pixel(x, y);
  }
  return count;
}

VARIANT Text(const wchar_t* text) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocString(text);
  return value;
}

TEST(ShowText, WritesTheTextOverTheFrameAndAnEmptyTextRemovesIt) {
  ComPtr<IDispatch> object = CreateAnimator();
  ASSERT_TRUE(object);
  Canvas plain(120, 40, RGB(0xff, 0xff, 0xff));
  ASSERT_EQ(DrawInto(object.Get(), plain, RECT{0, 0, 120, 40}), S_OK);

  VARIANT text = Text(L"图片 picture");
  ASSERT_EQ(CallByName(object.Get(), L"ShowText", {text}), S_OK);
  VariantClear(&text);
  Canvas withText(120, 40, RGB(0xff, 0xff, 0xff));
  ASSERT_EQ(DrawInto(object.Get(), withText, RECT{0, 0, 120, 40}), S_OK);
  EXPECT_GT(DifferingPixels(plain, withText, 120, 40), 20);

  VARIANT empty = Text(L"");
  ASSERT_EQ(CallByName(object.Get(), L"ShowText", {empty}), S_OK);
  VariantClear(&empty);
  Canvas cleared(120, 40, RGB(0xff, 0xff, 0xff));
  ASSERT_EQ(DrawInto(object.Get(), cleared, RECT{0, 0, 120, 40}), S_OK);
  EXPECT_EQ(DifferingPixels(plain, cleared, 120, 40), 0);
}

}  // namespace
