// The platform's own words for a Windows error number.
#include "base/system_message.h"

#include "base/sizes.h"
#include "base/text.h"

int AppendSystemMessage(char* out, int size, DWORD code) {
    char text[kPathSize];
    DWORD len = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                               code, 0, text, kPathSize, nullptr);
    if (len >= static_cast<DWORD>(kPathSize)) len = 0;
    // The text ends with a line end; a log line or a box puts its own.
    while (len > 0 && (text[len - 1] == '\r' || text[len - 1] == '\n' || text[len - 1] == ' '))
        --len;
    text[len] = '\0';
    return TextAppend(out, size, text);
}
