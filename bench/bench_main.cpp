// Runs every benchmark and prints its figure; the exit code is 1 when a figure is over its limit.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "bench/benchmarks.h"

int main() {
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  bool ok = bench::TreeRebuildBenchmark();
  ok = bench::NoteFileBenchmark() && ok;
  ok = bench::PictureInsertionBenchmark() && ok;
  ok = bench::AnimatedGifCpuBenchmark() && ok;
  OleUninitialize();
  return ok ? 0 : 1;
}
