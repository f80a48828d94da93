// "插入图片" in a real MainWindow of this process: the dialog answered as a user would, the
// component registered and created, and the pictures drawn on the screen.
#include <windows.h>
#include <richedit.h>
#include <richole.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <future>
#include <set>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/ids.h"
#include "app/main_window.h"
#include "ole/picture_insertion.h"
#include "runtime/files.h"
#include "runtime/rich_edit_box.h"
#include "tests/pictures/open_dialog_driver.h"
#include "tests/pictures/picture_files.h"
#include "tests/pictures/screen.h"
#include "tests/pictures/test_ole_object.h"
#include "tests/support/program.h"
#include "tests/support/temp_dir.h"

using Microsoft::WRL::ComPtr;
using namespace pictures_test;

namespace {

constexpr char kPictureFilterEntry[] = "图片文件(*.bmp;*.jpg;*.jpeg;*.gif)";

// Runs the menu command's body while a second thread answers the dialog.
DialogVisit InsertThroughDialog(const std::string& path, int filterIndex = -1) {
  auto answer = std::async(std::launch::async, AnswerPictureDialog, path, filterIndex, 15000);
  ole::InsertPictureFromFile(app::kMainWindow, app::kPictureDialog, app::kMainWindow, app::kEditor);
  return answer.get();
}

void Pump(DWORD ms) {
  testing_support::WaitFor([] { return false; }, ms);
}

bool ProgIdRegistered() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "ImageOle.GifAnimator\\CLSID", 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class PictureInsertion : public ::testing::Test {
protected:
  // One MainWindow for every suite of the run, as in the program: the editor helper binds once.
  static void SetUpTestSuite() {
    if (app::MainWindow().Handle()) return;
    ASSERT_TRUE(app::MainWindow().Create());
    // Start-up step 2: the component is beside this test program already.
    ole::EnsureImageComponent();
  }

  void SetUp() override {
    SetForegroundWindow(app::MainWindow().Handle());
    SetWindowTextA(Editor(), "");
    if (!reole_) SendMessageA(Editor(), EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(reole_.GetAddressOf()));
    ASSERT_TRUE(reole_);
  }

  HWND Editor() { return app::MainWindow().Control(app::kEditor); }
  LONG ObjectCount() { return CountObjects(reole_.Get()); }

  // Writes a picture file into the temporary directory.
  std::string Picture(const std::string& name, const std::string& bytes) {
    std::string path = dir_.Path() + "\\" + name;
    testing_support::WriteTestFile(path, bytes);
    return path;
  }

  testing_support::TempDir dir_;
  static inline ComPtr<IRichEditOle> reole_;
};

TEST_F(PictureInsertion, EmbedsTheChosenPictureAtTheCaretAndRemembersItsPath) {
  std::string first = Picture("第一.png", EncodeWithWic(ColourBands(30, 20), GUID_ContainerFormatPng));
  std::string second = Picture("second.bmp", EncodeWithWic(ColourBands(30, 20), GUID_ContainerFormatBmp));
  SetWindowTextA(Editor(), "before after");
  SendMessageA(Editor(), EM_SETSEL, 7, 7);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "ImageOle.GifAnimator");

  DialogVisit visit = InsertThroughDialog(first);
  ASSERT_TRUE(visit.found) << "no dialog titled 请选择图片位置！";
  EXPECT_EQ(visit.filterCount, 2);
  EXPECT_EQ(visit.firstFilter, kPictureFilterEntry);

  // Registered by this insertion, created by ProgID, loaded and embedded at the caret.
  EXPECT_TRUE(ProgIdRegistered());
  ASSERT_EQ(ObjectCount(), 1);
  REOBJECT reo{};
  reo.cbStruct = sizeof reo;
  ASSERT_EQ(reole_->GetObject(0, &reo, REO_GETOBJ_NO_INTERFACES), S_OK);
  EXPECT_EQ(reo.cp, 7);
  EXPECT_TRUE(IsEqualCLSID(reo.clsid, TestOleObject::kImageClassId));
  // A note saved now keeps a picture in its RTF.
  EXPECT_NE(rt::GetContent(Editor()).find("\\pict"), std::string::npos);

  // The second use starts at the file chosen the first time.
  visit = InsertThroughDialog(second);
  ASSERT_TRUE(visit.found);
  EXPECT_NE(visit.initialFileName.find("第一.png"), std::string::npos) << visit.initialFileName;
  EXPECT_EQ(ObjectCount(), 2);
}

TEST_F(PictureInsertion, CancellingRegistersCreatesAndInsertsNothing) {
  SetWindowTextA(Editor(), "text");
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "ImageOle.GifAnimator");
  DialogVisit visit = InsertThroughDialog("");
  ASSERT_TRUE(visit.found);
  EXPECT_FALSE(ProgIdRegistered());
  EXPECT_EQ(ObjectCount(), 0);
  EXPECT_EQ(testing_support::WindowText(Editor()), "text");
}

// The picture's bands as drawn on the screen: each band where it belongs and at its size.
struct StillCase {
  const char* name;
  GUID container;
  int tolerance;  // JPEG is lossy
};

class StillPictures : public PictureInsertion, public ::testing::WithParamInterface<StillCase> {};

TEST_P(StillPictures, AreDrawnWithTheirColours) {
  const StillCase& c = GetParam();
  constexpr int kWidth = 90, kHeight = 60;
  std::string path = Picture(std::string("bands.") + c.name, EncodeWithWic(ColourBands(kWidth, kHeight), c.container));
  ASSERT_TRUE(InsertThroughDialog(path).found);
  ASSERT_EQ(ObjectCount(), 1);
  Pump(300);

  Pixels shot = CaptureClient(Editor());
  const std::uint32_t bands[] = {0xFF0000, 0x00FF00, 0x0000FF};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    ColourArea area = FindColour(shot, bands[i], c.tolerance);
    EXPECT_GE(area.count, (kWidth / 3) * kHeight * 9 / 10);
    EXPECT_NEAR(area.Width(), kWidth / 3, 2);
    EXPECT_NEAR(area.Height(), kHeight, 2);
    // Side by side, in order.
    if (i > 0) {
      EXPECT_NEAR(area.box.left, FindColour(shot, bands[i - 1], c.tolerance).box.left + kWidth / 3, 2);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, StillPictures,
                         ::testing::Values(StillCase{"bmp", GUID_ContainerFormatBmp, 8},
                                           StillCase{"jpg", GUID_ContainerFormatJpeg, 48},
                                           StillCase{"png", GUID_ContainerFormatPng, 8}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PictureInsertion, AnAnimatedGifShowsItsCompositedFramesInTurn) {
  constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
  // Frame 1 fills the picture; frame 2 adds a green patch at an offset and keeps the rest;
  // frame 3 is a patch whose left half is transparent, over the green patch and the red.
  GifFrame whole{0, 0, Solid(120, 80, kRed), 25, 1};
  GifFrame green{20, 20, Solid(40, 40, kGreen), 25, 1};
  GifFrame blue{40, 30, Solid(40, 40, kBlue), 25, 2};
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 20; ++x) blue.pixels.at(x, y) = kTransparent;
  std::string path = Picture("animated.gif", EncodeGif(120, 80, {whole, green, blue}));
  ASSERT_TRUE(InsertThroughDialog(path).found);
  ASSERT_EQ(ObjectCount(), 1);
  Pump(200);

  // Where the picture is: red shows at its corners in every frame.
  ColourArea picture = FindColour(CaptureClient(Editor()), kRed, 8);
  ASSERT_EQ(picture.Width(), 120);
  ASSERT_EQ(picture.Height(), 80);
  auto sample = [&](const Pixels& shot, int x, int y) { return shot.at(picture.box.left + x, picture.box.top + y); };

  // Points: (30,30) only under the green patch; (50,50) under green, then under the transparent
  // half of the blue patch; (70,50) under the blue half; (5,5) red in every frame.
  struct State {
    std::uint32_t at30, at50, at70;
  };
  const State states[] = {{kRed, kRed, kRed}, {kGreen, kGreen, kRed}, {kGreen, kGreen, kBlue}};
  std::set<int> seen;
  for (int i = 0; i < 60; ++i) {
    Pump(50);
    Pixels shot = CaptureClient(Editor());
    ASSERT_TRUE(Near(sample(shot, 5, 5), kRed, 8)) << "the frame was not composited onto the previous ones";
    int match = -1;
    for (int s = 0; s < 3; ++s)
      if (Near(sample(shot, 30, 30), states[s].at30, 8) && Near(sample(shot, 50, 50), states[s].at50, 8) &&
          Near(sample(shot, 70, 50), states[s].at70, 8))
        match = s;
    ASSERT_NE(match, -1) << "a picture that is none of the composited frames, at capture " << i;
    seen.insert(match);
  }
  EXPECT_EQ(seen.size(), 3u) << "not every frame was shown within 3 s";
}

}  // namespace
