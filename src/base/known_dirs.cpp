// The two platform directories the program takes its places from.
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
