// Libraries loaded at run time: by full path from the system directory, entry points typed from
// the system's own declarations, and the search for libraries narrowed at entry.
#pragma once

#include <windows.h>

// Loads `fileName` (such as "comctl32.dll") from the system directory by its full path, never
// through the search order, which starts in the program's own folder: a library of that name
// planted beside the program must not run in its process. nullptr when it cannot be loaded, and
// always while "<program>.local" redirects libraries to the program's folder.
HMODULE LoadSystemLibrary(const char* fileName);

// Called at entry: libraries that Windows loads into the process by name are looked for in the
// system directory only where Windows can be told so, else (Windows XP SP1 to 7) not in the
// current directory. Windows 95, 98, ME, NT 4 and 2000 cannot be told either.
void NarrowLibrarySearch();

// An entry point of `module`, or nullptr (also when `module` is nullptr).
FARPROC FindEntryPoint(HMODULE module, const char* name);

// The entry point `name` of `module`, typed as the system's headers declare `name`, so that a
// wrong signature or calling convention does not compile.
#define TYPED_ENTRY_POINT(module, name) \
    reinterpret_cast<decltype(&::name)>(reinterpret_cast<void (*)()>(FindEntryPoint(module, #name)))
