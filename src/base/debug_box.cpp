// Tracing in debug mode: a modal message box per traced value.
#include "base/debug_box.h"

#include "base/shell_state.h"
#include "base/system_message.h"
#include "base/text.h"

void DebugBox(const char* text, const char* caption) {
    if (g_shell.debug) MessageBoxA(nullptr, text, caption, 0);
}

void DebugBoxError(const char* subject, DWORD error, const char* caption) {
    if (!g_shell.debug) return;
    enum : int { kTextSize = 2 * kPathSize + 20 };
    char text[kTextSize];
    TextCopy(text, kPathSize, subject);
    TextAppend(text, kTextSize, "\r\nError ");
    TextAppendInt(text, kTextSize, static_cast<int>(error));
    TextAppend(text, kTextSize, ": ");
    AppendSystemMessage(text, kTextSize, error);
    DebugBox(text, caption);
}
