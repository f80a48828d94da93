// Animated GIFs: frames composited as browsers show them, stepped by name, and played by a timer on
// the container's window only while the window shows them.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/images/image_component.h"
#include "tests/images/test_pictures.h"
#include "tests/support/program.h"
#include "tests/support/temp_dir.h"

using namespace images_test;
using testing_support::TempDir;
using testing_support::WriteTestFile;

namespace {

constexpr COLORREF kRed = RGB(0xff, 0, 0);
constexpr COLORREF kGreen = RGB(0, 0xff, 0);
constexpr COLORREF kBlue = RGB(0, 0, 0xff);
constexpr COLORREF kWhite = RGB(0xff, 0xff, 0xff);
constexpr COLORREF kBackground = RGB(0x40, 0x40, 0x40);
const std::vector<COLORREF> kPalette = {kRed, kGreen, kBlue, kWhite};

// Eight by eight pixels in four frames that exercise offsets, every disposal and transparency.
std::string CompositingGif() {
  GifFrame full = SolidFrame(0, 0, 8, 8, 0);                        // red everywhere, kept
  GifFrame square = SolidFrame(2, 2, 4, 4, 1, 3);                   // green square, then restored
  GifFrame corner = SolidFrame(6, 6, 2, 2, 2, 2);                   // blue corner, then cleared
  GifFrame overlay = SolidFrame(0, 0, 8, 8, 3);                     // transparent but for one pixel
  overlay.transparentIndex = 3;
  overlay.indices[0] = 1;
  return MakeGif(8, 8, kPalette, {full, square, corner, overlay});
}

// Reads the picture's pixel (x, y) from a drawing scaled four times, at the pixel's centre.
COLORREF PixelOf(IUnknown* object, int x, int y) {
  Canvas canvas(32, 32, kBackground);
  EXPECT_EQ(DrawInto(object, canvas, RECT{0, 0, 32, 32}), S_OK);
  return canvas.Pixel(4 * x + 2, 4 * y + 2);
}

struct Probe {
  int x, y;
  COLORREF color;
};

class Animation : public ::testing::Test {
protected:
  ComPtr<IDispatch> Load(const std::string& bytes) {
    const std::string path = dir_.Path() + "\\anim.gif";
    WriteTestFile(path, bytes);
    ComPtr<IDispatch> object = CreateAnimator();
    EXPECT_EQ(LoadFromFile(object.Get(), path), S_OK);
    return object;
  }
  TempDir dir_;
};

TEST_F(Animation, ComposesFramesWithOffsetsDisposalAndTransparency) {
  ComPtr<IDispatch> object = Load(CompositingGif());
  ASSERT_TRUE(object);
  const std::vector<std::vector<Probe>> frames = {
      {{0, 0, kRed}, {3, 3, kRed}, {7, 7, kRed}},
      {{0, 0, kRed}, {2, 2, kGreen}, {5, 5, kGreen}, {6, 6, kRed}, {1, 1, kRed}},
      // The square went back to what was under it; the corner is drawn.
      {{3, 3, kRed}, {6, 6, kBlue}, {7, 7, kBlue}, {5, 5, kRed}},
      // The corner was cleared to transparent, and the overlay's transparent pixels keep what is below.
      {{0, 0, kGreen}, {3, 3, kRed}, {6, 6, kBackground}, {7, 7, kBackground}, {5, 6, kRed}},
      // Round again: the first frame covers everything.
      {{0, 0, kRed}, {6, 6, kRed}},
  };
  for (size_t frame = 0; frame < frames.size(); ++frame) {
    for (const Probe& probe : frames[frame]) {
      COLORREF actual = PixelOf(object.Get(), probe.x, probe.y);
      EXPECT_EQ(actual, probe.color) << "frame " << frame << " at " << probe.x << "," << probe.y << ": "
                                     << ColorText(actual);
    }
    EXPECT_TRUE(TriggerFrameChange(object.Get()));
  }
}

TEST_F(Animation, FramesReachingPastTheCanvasAreClipped) {
  GifFrame base = SolidFrame(0, 0, 4, 4, 0);
  GifFrame outside = SolidFrame(2, 2, 4, 4, 2);  // half of it lies beyond the 4 x 4 canvas
  ComPtr<IDispatch> object = Load(MakeGif(4, 4, kPalette, {base, outside}));
  ASSERT_TRUE(object);
  ASSERT_TRUE(TriggerFrameChange(object.Get()));
  Canvas canvas(16, 16, kBackground);
  ASSERT_EQ(DrawInto(object.Get(), canvas, RECT{0, 0, 16, 16}), S_OK);
  EXPECT_EQ(canvas.Pixel(1 * 4 + 2, 1 * 4 + 2), kRed);
  EXPECT_EQ(canvas.Pixel(3 * 4 + 2, 3 * 4 + 2), kBlue);
}

// A window that draws the object in its paint handler, as the editor does, and logs what it showed.
class PaintingWindow {
public:
  explicit PaintingWindow(IUnknown* object) : object_(object) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &PaintingWindow::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "xwImagesTestHost";
    RegisterClassA(&wc);
    window_ = CreateWindowA("xwImagesTestHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                            wc.hInstance, this);
  }
  ~PaintingWindow() { DestroyWindow(window_); }
  HWND handle() const { return window_; }
  // Colours seen at the picture's first pixel, one entry per paint that showed a change.
  std::vector<std::pair<DWORD, COLORREF>> shown;

  void Pump(DWORD ms) { testing_support::ServeMessagesFor(ms); }

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(
                                                   reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<PaintingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_PAINT && self) {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      ComPtr<IViewObject> view;
      self->object_->QueryInterface(IID_PPV_ARGS(&view));
      RECTL bounds = {10, 10, 42, 42};
      view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
      EndPaint(window, &paint);
      // What the screen now shows at the picture's first pixel.
      HDC screen = GetDC(window);
      COLORREF color = GetPixel(screen, 12, 12);
      ReleaseDC(window, screen);
      if (self->shown.empty() || self->shown.back().second != color) self->shown.emplace_back(GetTickCount(), color);
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  IUnknown* object_;
  HWND window_ = nullptr;
};

// The frame the object would hand to a copy, read without drawing it.
COLORREF CurrentFirstPixel(IUnknown* object) {
  ComPtr<IDataObject> data;
  object->QueryInterface(IID_PPV_ARGS(&data));
  FORMATETC format = {CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&format, &medium))) return CLR_INVALID;
  const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(medium.hGlobal));
  const BYTE* pixels = reinterpret_cast<const BYTE*>(header + 1);
  const UINT stride = (header->biWidth * 3 + 3) & ~3u;
  const BYTE* top = pixels + static_cast<size_t>(header->biHeight - 1) * stride;  // bottom-up rows
  COLORREF color = RGB(top[2], top[1], top[0]);
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);
  return color;
}

TEST_F(Animation, PlaysOnTheContainersTimerOnlyWhileTheWindowShowsIt) {
  // Red for 0 ms (shown as 100 ms, like browsers), green for 300 ms.
  GifFrame red = SolidFrame(0, 0, 8, 8, 0);
  red.delayHundredths = 0;
  GifFrame green = SolidFrame(0, 0, 8, 8, 1);
  green.delayHundredths = 30;
  ComPtr<IDispatch> object = Load(MakeGif(8, 8, kPalette, {red, green}));
  ASSERT_TRUE(object);
  PaintingWindow host(object.Get());
  ComPtr<IOleObject> ole;
  ASSERT_EQ(object.As(&ole), S_OK);
  // The editor names its window only through the verbs it has the object carry out.
  EXPECT_EQ(ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, nullptr, 0, host.handle(), nullptr), S_OK);
  EXPECT_EQ(ole->DoVerb(OLEIVERB_SHOW, nullptr, nullptr, 0, host.handle(), nullptr), S_OK);
  ShowWindow(host.handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(host.handle());

  host.Pump(1800);
  ASSERT_GE(host.shown.size(), 5u) << "the animation did not play";
  DWORD afterRed = 0, afterGreen = 0;
  int redCount = 0, greenCount = 0;
  for (size_t i = 1; i + 1 < host.shown.size(); ++i) {
    const DWORD lasted = host.shown[i + 1].first - host.shown[i].first;
    if (host.shown[i].second == kRed) {
      afterRed += lasted;
      ++redCount;
    } else {
      EXPECT_EQ(host.shown[i].second, kGreen);
      afterGreen += lasted;
      ++greenCount;
    }
  }
  ASSERT_GT(redCount, 0);
  ASSERT_GT(greenCount, 0);
  EXPECT_GE(afterRed / redCount, 80u);   // the 0 ms frame is held for 100 ms
  EXPECT_GT(afterGreen / greenCount, afterRed / redCount);

  // Hidden, the window paints nothing: the animation rests on its frame.
  ShowWindow(host.handle(), SW_HIDE);
  host.Pump(500);
  const COLORREF resting = CurrentFirstPixel(object.Get());
  host.Pump(900);
  EXPECT_EQ(CurrentFirstPixel(object.Get()), resting);

  // Shown again, it plays on.
  const size_t before = host.shown.size();
  ShowWindow(host.handle(), SW_SHOWNOACTIVATE);
  host.Pump(1000);
  EXPECT_GE(host.shown.size(), before + 2);
}

TEST_F(Animation, PlaysAsOftenAsItsLoopCountSays) {
  // Looping extension with count 1: shown twice, then the last frame stays.
  GifFrame red = SolidFrame(0, 0, 8, 8, 0);
  red.delayHundredths = 5;
  GifFrame green = SolidFrame(0, 0, 8, 8, 1);
  green.delayHundredths = 5;
  ComPtr<IDispatch> object = Load(MakeGif(8, 8, kPalette, {red, green}, 1));
  ASSERT_TRUE(object);
  PaintingWindow host(object.Get());
  ComPtr<IOleObject> ole;
  ASSERT_EQ(object.As(&ole), S_OK);
  ole->DoVerb(OLEIVERB_SHOW, nullptr, nullptr, 0, host.handle(), nullptr);
  ShowWindow(host.handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(host.handle());
  host.Pump(1200);
  ASSERT_EQ(host.shown.size(), 4u);  // red, green, red, green
  EXPECT_EQ(host.shown.back().second, kGreen);
  EXPECT_EQ(CurrentFirstPixel(object.Get()), kGreen);
}

}  // namespace
