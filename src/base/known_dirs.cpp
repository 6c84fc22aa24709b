// The platform places the program takes its own from.
#include "base/known_dirs.h"

#include <windows.h>

#include "base/sizes.h"

void FetchTempDir(char* out) {
    DWORD len = GetTempPathA(kPathSize, out);
    if (len == 0 || len >= static_cast<DWORD>(kPathSize)) len = 0;
    out[len > 0 ? len - 1 : 0] = '\0';
}

void FetchCurrentDir(char* out) {
    DWORD len = GetCurrentDirectoryA(kPathSize, out);
    if (len == 0 || len >= static_cast<DWORD>(kPathSize)) len = 0;
    out[len] = '\0';
    // A drive's root comes with its separator ("C:\"); no other directory does.
    if (len > 0 && out[len - 1] == '\\') out[len - 1] = '\0';
}

bool FetchOwnPath(char* out) {
    // A path cut to fit is not terminated by every Windows, and would name another file.
    DWORD len = GetModuleFileNameA(nullptr, out, kPathSize);
    bool whole = len > 0 && len < static_cast<DWORD>(kPathSize);
    out[whole ? len : 0] = '\0';
    return whole;
}
