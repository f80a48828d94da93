// The figures the benchmark program prints; each returns true when it is within its limit.
#pragma once

namespace bench {

bool TreeRebuildBenchmark();
bool NoteFileBenchmark();

}  // namespace bench
