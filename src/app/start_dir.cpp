// Finding the start directory in the upper-cased command line.
#include "app/start_dir.h"

#include "base/text.h"

static bool IsNameStart(const char* text, const char* at) {
    if (at == text) return true;
    char before = at[-1];
    return before == '"' || before == '\\' || before == '/' || before == ':';
}

static bool IsNameEnd(char after) {
    return after == '\0' || after == '"' || after == ' ' || after == '\t';
}

StartDirFound FindStartDir(const char* text, const char* name, char* out, int size) {
    if (size > 0) out[0] = '\0';
    int nameLen = TextLen(name);
    if (nameLen == 0) return StartDirFound::kNo;
    for (const char* at = TextFind(text, name); at != nullptr; at = TextFind(at + 1, name)) {
        if (!IsNameStart(text, at) || !IsNameEnd(at[nameLen])) continue;
        const char* begin = text[0] == '"' ? text + 1 : text;
        if (at <= begin || at[-1] == '"') return StartDirFound::kBareName;
        // The separator in front of the name is not part of the directory; a colon is.
        const char* end = at[-1] == ':' ? at : at - 1;
        TextCopyN(out, size, begin, static_cast<int>(end - begin));
        return StartDirFound::kWithDirectory;
    }
    return StartDirFound::kNo;
}
