// The platform's temporary-files directory, as the program uses it.
#include "app/temp_dir.h"

#include <windows.h>

#include "app/sizes.h"

void FetchTempDir(char* out) {
    DWORD len = GetTempPathA(kPathSize, out);
    if (len == 0 || len >= static_cast<DWORD>(kPathSize)) len = 0;
    out[len > 0 ? len - 1 : 0] = '\0';
}
