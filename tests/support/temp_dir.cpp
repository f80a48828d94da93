#include "tests/support/temp_dir.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "runtime/text.h"

namespace testing_support {

TempDir::TempDir() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  for (;;) {
    path_ = std::string(base) + "xwtest_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(GetTickCount()) + "_" + std::to_string(++counter);
    if (CreateDirectoryA(path_.c_str(), nullptr)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(rt::AnsiToWide(path_)), ignored);
}

void WriteTestFile(const std::string& path, const std::string& bytes) {
  std::filesystem::path p(rt::AnsiToWide(path));
  std::error_code ignored;
  std::filesystem::create_directories(p.parent_path(), ignored);
  std::ofstream out(p, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

}  // namespace testing_support
