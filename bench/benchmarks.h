// The figures the benchmark program prints; each returns true when it is within its limit.
#pragma once

namespace bench {

bool TreeRebuildBenchmark();
bool NoteFileBenchmark();
bool PictureInsertionBenchmark();
bool AnimatedGifCpuBenchmark();

}  // namespace bench
