// The path macros of script values: "%TEMP%" and "%CURRENTDRIVE%".
#include "script/expand_macros.h"

#include "app/shell_state.h"
#include "app/text.h"
#include "script/substitute_macros.h"

namespace {

// The temporary directory less its last character (its trailing separator); empty when the
// platform gives none, or one too long for the buffer (it then fills in nothing).
void FetchTempDir(char* out) {
    out[0] = '\0';
    DWORD len = GetTempPathA(kPathSize, out);
    if (len < 2 || len >= static_cast<DWORD>(kPathSize)) {
        out[0] = '\0';
        return;
    }
    out[len - 1] = '\0';
}

}  // namespace

void ExpandMacros(const char* input, char (&output)[kExpandedSize]) {
    char tempDir[kPathSize] = "";
    // The platform is asked only when the value uses the macro, and afresh each time.
    if (TextFind(input, "%TEMP%") != nullptr) FetchTempDir(tempDir);
    SubstituteMacros(input, tempDir, g_shell.szDriveLetter, output, kExpandedSize);
}
