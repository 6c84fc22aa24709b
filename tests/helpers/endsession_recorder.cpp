// Test helper: a top-level window that records the end-session messages it receives, one line
// each, in the file named on its command line, and answers that the session may end.
// usage: endsession_recorder.exe RECORDFILE
#include <windows.h>

static char g_record[MAX_PATH];

static void Record(const char* line) {
    HANDLE file = CreateFileA(g_record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
}

static LRESULT CALLBACK RecorderProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_QUERYENDSESSION:
            Record("WM_QUERYENDSESSION");
            return TRUE;
        case WM_ENDSESSION:
            Record(wp ? "WM_ENDSESSION ending" : "WM_ENDSESSION cancelled");
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
    lstrcpynA(g_record, args, MAX_PATH);
    WNDCLASSA cls = {};
    cls.lpfnWndProc = RecorderProc;
    cls.hInstance = instance;
    cls.lpszClassName = "EndSessionRecorder";
    RegisterClassA(&cls);
    HWND hwnd = CreateWindowA("EndSessionRecorder", "end session recorder", WS_OVERLAPPEDWINDOW, 0,
                              0, 100, 100, nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    Record("ready");
    MSG msg;
    // Ends by itself after a minute at the latest, so that a failed test leaves nothing behind.
    SetTimer(hwnd, 1, 60000, nullptr);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) break;
        DispatchMessageA(&msg);
    }
    return 0;
}
