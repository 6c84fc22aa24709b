// Libraries loaded at run time: by full path from the system directory, and entry points typed
// from the system's own declarations.
#pragma once

#include <windows.h>

// Loads `fileName` (such as "comctl32.dll") from the system directory by its full path, never
// through the search order, which starts in the program's own folder: a library of that name
// planted beside the program must not run in its process. nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* fileName);

// An entry point of `module`, or nullptr (also when `module` is nullptr).
FARPROC FindEntryPoint(HMODULE module, const char* name);

// The entry point `name` of `module`, typed as the system's headers declare `name`, so that a
// wrong signature or calling convention does not compile.
#define TYPED_ENTRY_POINT(module, name) \
    reinterpret_cast<decltype(&::name)>(reinterpret_cast<void (*)()>(FindEntryPoint(module, #name)))
