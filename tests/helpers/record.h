// What the helper programs share: the record of their run that tests read back, and a wait that
// answers messages the way a well-behaved program does.
#pragma once

#include <windows.h>

#include <stdio.h>
#include <string.h>

// Appends "name start end" (GetTickCount values) as one line to the log file.
inline void AppendRecord(const char* log, const char* name, DWORD start, DWORD end) {
    char line[512];
    int len = snprintf(line, sizeof(line), "%s %lu %lu\r\n", name,
                       static_cast<unsigned long>(start), static_cast<unsigned long>(end));
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(len), &written, nullptr);
    CloseHandle(file);
}

// Lets `ms` pass while answering whatever is sent or posted to the thread.
inline void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        DWORD waited = GetTickCount() - start;
        if (waited >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - waited, QS_ALLEVENTS | QS_SENDMESSAGE);
    }
}

// A top-level window with the given title, of a plain class registered here.
inline HWND MakeTitledWindow(const char* title, bool visible) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarnwickTestHelperWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    if (window != nullptr && visible) ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

// The command line of a child, rebuilt from argv[first...], quoting what holds blanks.
inline void JoinArguments(int argc, char** argv, int first, char* out, size_t size) {
    out[0] = '\0';
    for (int i = first; i < argc; ++i) {
        bool quote = strchr(argv[i], ' ') != nullptr;
        size_t used = strlen(out);
        snprintf(out + used, size - used, "%s%s%s%s", i > first ? " " : "", quote ? "\"" : "",
                 argv[i], quote ? "\"" : "");
    }
}
