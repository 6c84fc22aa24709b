// The text substitution behind the path macros "%TEMP%" and "%CURRENTDRIVE%".
#include "script/substitute_macros.h"

#include "base/sizes.h"
#include "base/text.h"

namespace {

// `out` = `text` with the first `macro` in it replaced by `replacement`, cut to fit.
void ReplaceFirst(const char* text, const char* macro, const char* replacement, char* out,
                  int size) {
    const char* found = TextFind(text, macro);
    if (found == nullptr) {
        TextCopy(out, size, text);
        return;
    }
    TextCopyN(out, size, text, static_cast<int>(found - text));
    TextAppend(out, size, replacement);
    TextAppend(out, size, found + TextLen(macro));
}

}  // namespace

void SubstituteMacros(const char* input, const char* tempDir, const char* driveLetter, char* out,
                      int size) {
    char working[kExpandedSize];
    ReplaceFirst(input, "%TEMP%", tempDir, working, kExpandedSize);
    ReplaceFirst(working, "%CURRENTDRIVE%", driveLetter, out, size);
}
