// The path macros of script values: "%TEMP%" and "%CURRENTDRIVE%".
#include "script/expand_macros.h"

#include "base/shell_state.h"
#include "base/known_dirs.h"
#include "base/text.h"
#include "script/substitute_macros.h"

void ExpandMacros(const char* input, char (&output)[kExpandedSize]) {
    char tempDir[kPathSize] = "";
    // The platform is asked only when the value uses the macro, and afresh each time.
    if (TextFind(input, "%TEMP%") != nullptr) FetchTempDir(tempDir);
    SubstituteMacros(input, tempDir, g_shell.szDriveLetter, output, kExpandedSize);
}
