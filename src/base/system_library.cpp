// Libraries loaded at run time: by full path from the system directory, and the search for
// libraries narrowed at entry.
#include "base/system_library.h"

#include "base/known_dirs.h"
#include "base/sizes.h"
#include "base/text.h"

// Windows 98 SE, ME and 2000 load every library that is no known DLL, even one named by its full
// path, from the program's folder when a file or folder "<program>.local" lies beside the program.
// Its presence is taken as a planted redirection on every Windows, and the program then loads no
// library of its own: the version the program is told can be a compatibility setting's, Windows
// 95 and NT 4 would merely have ignored the file, and later Windows ignore it for a program with a
// manifest such as this one. All a disc loses is what the library gives (the status window's bar).
// A path that cannot be checked counts as redirected.
static bool LibrariesRedirected() {
    char path[kPathSize];
    if (!FetchOwnPath(path)) return true;
    int len = TextLen(path);
    if (TextAppend(path, kPathSize, ".local") != len + 6) return true;
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return true;
    DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

HMODULE LoadSystemLibrary(const char* fileName) {
    if (LibrariesRedirected()) return nullptr;
    char path[kPathSize];
    UINT len = GetSystemDirectoryA(path, kPathSize);
    if (len == 0 || len >= static_cast<UINT>(kPathSize)) return nullptr;
    TextAppend(path, kPathSize, "\\");
    // A path cut to fit would name another file.
    if (TextAppend(path, kPathSize, fileName) != static_cast<int>(len) + 1 + TextLen(fileName))
        return nullptr;
    return LoadLibraryA(path);
}

FARPROC FindEntryPoint(HMODULE module, const char* name) {
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

void NarrowLibrarySearch() {
    // Neither function is declared for the program's oldest Windows: both are typed here.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryAFn = BOOL(WINAPI*)(LPCSTR);
    enum : DWORD { kSearchSystem32 = 0x00000800 };  // LOAD_LIBRARY_SEARCH_SYSTEM32
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    // Windows 8 and later, and Vista and 7 with their security update for it: a library named
    // without a path is looked for in the system directory alone.
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void (*)()>(FindEntryPoint(kernel, "SetDefaultDllDirectories")));
    if (setDefault != nullptr && setDefault(kSearchSystem32)) return;
    // Windows XP SP1 and later without it: the current directory is no longer searched. This one
    // passes on to the programs the script starts (they then do not search their current
    // directory either), so it is made only where the first is missing.
    auto setDirectory = reinterpret_cast<SetDllDirectoryAFn>(
        reinterpret_cast<void (*)()>(FindEntryPoint(kernel, "SetDllDirectoryA")));
    if (setDirectory != nullptr) setDirectory("");
}
