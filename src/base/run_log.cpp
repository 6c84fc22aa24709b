// The run's log, written only with option /l:PATH.
#include "base/run_log.h"

#include <stdarg.h>

#include "base/shell_state.h"
#include "base/system_message.h"
#include "base/text.h"

bool OpenRunLog() {
    HANDLE file = CreateFileA(g_shell.LogPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    g_shell.log = file;
    return true;
}

static void AddFormatted(const char* format, va_list args) {
    // wvsprintfA writes at most 1,024 bytes, its zero included.
    char text[1024];
    /* len = */ wvsprintfA(text, format, args);
    TextAppend(g_shell.LogLine, kLogLineSize, text);
}

void LogAdd(const char* format, ...) {
    if (g_shell.log == nullptr) return;
    va_list args;
    va_start(args, format);
    AddFormatted(format, args);
    va_end(args);
}

void LogBegin(const char* format, ...) {
    if (g_shell.log == nullptr) return;
    if (g_shell.LogLine[0] != '\0') LogWrite();
    SYSTEMTIME now;
    GetLocalTime(&now);
    LogAdd("%02u:%02u:%02u ", now.wHour, now.wMinute, now.wSecond);
    va_list args;
    va_start(args, format);
    AddFormatted(format, args);
    va_end(args);
}

void LogAddText(const char* text) {
    if (g_shell.log != nullptr) TextAppend(g_shell.LogLine, kLogLineSize, text);
}

void LogAddValue(const char* key, const char* value) {
    LogAdd(" %s=\"", key);
    LogAddText(value);
    LogAdd("\"");
}

void LogAddSystemMessage(DWORD code) {
    if (g_shell.log != nullptr) AppendSystemMessage(g_shell.LogLine, kLogLineSize, code);
}

void LogWrite() {
    if (g_shell.log == nullptr) return;
    // A line too long for the array is cut, never its line end.
    int len = TextLen(g_shell.LogLine);
    if (len > kLogLineSize - 3) len = kLogLineSize - 3;
    g_shell.LogLine[len++] = '\r';
    g_shell.LogLine[len++] = '\n';
    // Another run may append to the same file meanwhile: each line goes to its end.
    /* pos = */ SetFilePointer(g_shell.log, 0, nullptr, FILE_END);
    DWORD written;
    /* ok = */ WriteFile(g_shell.log, g_shell.LogLine, static_cast<DWORD>(len), &written, nullptr);
    g_shell.LogLine[0] = '\0';
}

void LogFlush() {
    if (g_shell.log != nullptr) /* ok = */
        FlushFileBuffers(g_shell.log);
}
