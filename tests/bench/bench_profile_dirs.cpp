// Benchmark (b): the least a runner reading its script value by value can do: for each command
// the profile calls tarnwick's handlers make (COMMANDTYPE, then DIRNAME), then the directory call.
// The script's path is the whole argument text, so that the bench can pass the very path that
// tarnwick reads (its start directory, upper-cased, and "\tarnwick.cfg").
#include <windows.h>

#include "bench_names.h"

namespace {

// The text after the program's own (possibly quoted) path and the blanks that follow it.
const char* Arguments(const char* cmdLine) {
    if (*cmdLine == '"') {
        ++cmdLine;
        while (*cmdLine != '\0' && *cmdLine != '"') ++cmdLine;
        if (*cmdLine == '"') ++cmdLine;
    } else {
        while (*cmdLine != '\0' && *cmdLine != ' ' && *cmdLine != '\t') ++cmdLine;
    }
    while (*cmdLine == ' ' || *cmdLine == '\t') ++cmdLine;
    return cmdLine;
}

}  // namespace

extern "C" void WINAPI BenchStart() {
    const char* script = Arguments(GetCommandLineA());
    int count = static_cast<int>(GetPrivateProfileIntA("tarnwick", "NUMBEROFCOMMANDS", 0, script));
    for (int i = 1; i <= count; ++i) {
        char section[20];
        NumberedName(section, "COMMAND", i);
        UINT type = GetPrivateProfileIntA(section, "COMMANDTYPE", 1, script);
        char dir[260];
        /* len = */ GetPrivateProfileStringA(section, "DIRNAME", "", dir, sizeof(dir), script);
        if (type == 6) {
            /* ok = */ CreateDirectoryA(dir, nullptr);
        } else if (type == 7) {
            /* ok = */ RemoveDirectoryA(dir);
        }
    }
    ExitProcess(0);
}
