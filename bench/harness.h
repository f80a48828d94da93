// The benchmark harness: each figure is the time of the program's own operation divided by the
// time of a bare baseline doing the same work, both measured in the same run.
#pragma once
#include <functional>
#include <string>

namespace bench {

// The fastest of `rounds` runs of fn, in milliseconds; `prepare` runs untimed before each.
double FastestMs(int rounds, const std::function<void()>& fn, const std::function<void()>& prepare = {});

// Prints one figure and returns true when the ratio is within the limit.
bool Report(const std::string& figure, double measuredMs, double baselineMs, double limit);

// A fresh directory under the temporary directory, removed with everything in it at the end.
class ScratchDirectory {
public:
  ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  ~ScratchDirectory();
  const std::string& Path() const { return path_; }

private:
  std::string path_;
};

}  // namespace bench
