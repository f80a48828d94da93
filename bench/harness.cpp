#include "bench/harness.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "runtime/text.h"

namespace bench {
namespace {

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

double FastestMs(int rounds, const std::function<void()>& fn, const std::function<void()>& prepare) {
  double best = 1e300;
  for (int i = 0; i < rounds; ++i) {
    if (prepare) prepare();
    double start = NowMs();
    fn();
    best = std::min(best, NowMs() - start);
  }
  return best;
}

bool Report(const std::string& figure, double measuredMs, double baselineMs, double limit) {
  double ratio = baselineMs > 0 ? measuredMs / baselineMs : 0;
  bool within = ratio <= limit;
  std::printf("%-44s %8.1f ms / baseline %8.1f ms = %5.2fx (limit %.2fx) %s\n", figure.c_str(), measuredMs,
              baselineMs, ratio, limit, within ? "ok" : "OVER");
  std::fflush(stdout);
  return within;
}

ScratchDirectory::ScratchDirectory() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  for (int n = 0;; ++n) {
    path_ = std::string(base) + "xwbench_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(n);
    if (CreateDirectoryA(path_.c_str(), nullptr)) break;
  }
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(rt::AnsiToWide(path_)), ignored);
}

}  // namespace bench
