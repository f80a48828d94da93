// A fresh directory under the temporary directory, removed with everything in it at the end.
#pragma once
#include <string>

namespace testing_support {

class TempDir {
public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  // ANSI path without a trailing backslash.
  const std::string& Path() const { return path_; }

private:
  std::string path_;
};

// Writes bytes to a file, creating missing directories; fails the test when it cannot.
void WriteTestFile(const std::string& path, const std::string& bytes);

}  // namespace testing_support
