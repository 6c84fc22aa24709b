// Benchmark (a): the bare directory calls, 1,000 folders created and then removed, no script.
#include <windows.h>

#include "bench_names.h"

extern "C" void WINAPI BenchStart() {
    char dir[32];
    for (int i = 1; i <= kBenchDirs; ++i) {
        BenchDirName(dir, i);
        /* ok = */ CreateDirectoryA(dir, nullptr);
    }
    for (int i = 1; i <= kBenchDirs; ++i) {
        BenchDirName(dir, i);
        /* ok = */ RemoveDirectoryA(dir);
    }
    ExitProcess(0);
}
