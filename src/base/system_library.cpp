// Libraries loaded at run time: by full path from the system directory.
#include "base/system_library.h"

#include "base/sizes.h"
#include "base/text.h"

HMODULE LoadSystemLibrary(const char* fileName) {
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
