// Pictures: the cost of an animated GIF on screen, against the same program idle, and inserting
// a large JPEG, against decoding it with WIC alone.
#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/ids.h"
#include "app/main_window.h"
#include "bench/benchmarks.h"
#include "bench/harness.h"
#include "ole/ole_callback.h"
#include "ole/picture_insertion.h"
#include "runtime/files.h"
#include "tests/pictures/open_dialog_driver.h"
#include "tests/pictures/picture_files.h"
#include "tests/support/program.h"

using Microsoft::WRL::ComPtr;

namespace bench {
namespace {

// Under Wine a program is a Linux process whose command line holds its path; the kernel's count
// of its user and system time is exact, where Wine's GetProcessTimes for another process is not.
// Nothing (a negative value) when no such process is found, as on Windows.
double LinuxCpuMs(const std::string& runDirectory) {
  std::string unique = runDirectory.substr(runDirectory.find_last_of('\\') + 1);
  WIN32_FIND_DATAA entry{};
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return -1;
  double result = -1;
  do {
    if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9') continue;
    std::string dir = std::string("Z:\\proc\\") + entry.cFileName;
    std::string commandLine = rt::ReadWholeFile(dir + "\\cmdline").value_or("");
    if (commandLine.find(unique) == std::string::npos || commandLine.find("xwnotes.exe") == std::string::npos) continue;
    std::string stat = rt::ReadWholeFile(dir + "\\stat").value_or("");
    // Fields after the parenthesised name: state is field 3; utime and stime are fields 14 and 15.
    size_t at = stat.rfind(')');
    if (at == std::string::npos) continue;
    std::vector<std::string> fields;
    size_t pos = at + 2;
    while (pos < stat.size()) {
      size_t end = stat.find(' ', pos);
      if (end == std::string::npos) end = stat.size();
      fields.push_back(stat.substr(pos, end - pos));
      pos = end + 1;
    }
    if (fields.size() < 13) continue;
    // Kernel clock ticks are 100 a second on Linux as built for these machines.
    result = (std::stod(fields[11]) + std::stod(fields[12])) * 10.0;
    break;
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return result;
}

// User and kernel time of a process so far, in milliseconds.
double CpuMs(const testing_support::ProgramUnderTest& program) {
  double fromLinux = LinuxCpuMs(program.RunDirectory());
  if (fromLinux >= 0) return fromLinux;
  HWND window = program.MainWindow();
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return 0;
  FILETIME created, exited, kernel, user;
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  CloseHandle(process);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

void Serve(DWORD ms) { testing_support::WaitFor([] { return false; }, ms); }

}  // namespace

bool AnimatedGifCpuBenchmark() {
  const DWORD kWindowMs = GetEnvironmentVariableA("XW_BENCH_SMALL", nullptr, 0) ? 5000 : 20000;
  // Ten frames of 120 × 80 at 10 per second, each a different colour.
  std::vector<pictures_test::GifFrame> frames;
  for (int i = 0; i < 10; ++i)
    frames.push_back({0, 0, pictures_test::Solid(120, 80, 0x1A0000u * static_cast<unsigned>(i) + 0x0000FFu), 10, 1});

  // The same program twice at once: one idle, one showing the animation on top.
  testing_support::ProgramUnderTest idle, animating;
  std::string gif = animating.RunDirectory() + "\\animation.gif";
  testing_support::WriteTestFile(gif, pictures_test::EncodeGif(120, 80, frames));
  if (!idle.Start() || !animating.Start()) {
    std::printf("animated GIF: the program did not start\n");
    return false;
  }
  PostMessageA(animating.MainWindow(), WM_COMMAND, app::kCmdInsertPicture, 0);
  if (!pictures_test::AnswerPictureDialog(gif).found) {
    std::printf("animated GIF: no picture dialog\n");
    return false;
  }
  SetForegroundWindow(animating.MainWindow());
  Serve(1000);

  double idleStart = CpuMs(idle), animatingStart = CpuMs(animating);
  Serve(kWindowMs);
  double idleCpu = CpuMs(idle) - idleStart;
  double animatingCpu = CpuMs(animating) - animatingStart;
  std::printf("animated GIF: program %.1f ms CPU, same program idle %.1f ms, over %lu ms\n", animatingCpu, idleCpu,
              kWindowMs);
  idle.Close();
  animating.Close();
  // The extra CPU time as a share of one core over the window.
  return Report("animated GIF 120x80 @10fps, extra share of a core", animatingCpu - idleCpu, kWindowMs, 0.01);
}

bool PictureInsertionBenchmark() {
  ScratchDirectory scratch;
  std::string jpeg = scratch.Path() + "\\large.jpg";
  pictures_test::Pixels bands = pictures_test::ColourBands(4000, 3000);
  if (!rt::WriteWholeFile(jpeg, pictures_test::EncodeWithWic(bands, GUID_ContainerFormatJpeg))) return false;

  // Baseline: the file decoded by WIC into a bitmap of 32-bit pixels of its own, nothing else.
  ComPtr<IWICImagingFactory> factory;
  CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
  std::wstring widePath(jpeg.begin(), jpeg.end());
  double decodeMs = FastestMs(5, [&] {
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    ComPtr<IWICBitmap> bitmap;
    factory->CreateDecoderFromFilename(widePath.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                       &decoder);
    decoder->GetFrame(0, &frame);
    factory->CreateFormatConverter(&converter);
    converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                          WICBitmapPaletteTypeCustom);
    factory->CreateBitmapFromSource(converter.Get(), WICBitmapCacheOnLoad, &bitmap);
  });

  // The program's insertion into its editor, drawn once, from the component beside this program.
  app::CreateGlobals();
  ole::BuildOleCallbackTable();
  app::MainWindow().Create();
  ole::EnsureImageComponent();
  HWND editor = app::MainWindow().Control(app::kEditor);
  // The figure is the command's own work; the first paint of the picture, which the editor does
  // afterwards from its message loop, is printed beside it.
  double insertMs = FastestMs(
      5, [&] { ole::InsertPicture(jpeg, app::kMainWindow, app::kEditor); }, [&] { SetWindowTextA(editor, ""); });
  double paintMs = FastestMs(
      5, [&] { UpdateWindow(editor); },
      [&] {
        SetWindowTextA(editor, "");
        ole::InsertPicture(jpeg, app::kMainWindow, app::kEditor);
      });
  std::printf("insert 4000x3000 JPEG: first paint of the picture afterwards %.1f ms\n", paintMs);
  app::MainWindow().Close();
  app::ReleaseGlobals();
  return Report("insert 4000x3000 JPEG vs WIC decode", insertMs, decodeMs, 1.5);
}

}  // namespace bench
