// Watching the program while it runs.
#include "harness/concurrent.h"

namespace harness {

namespace {

void Serve() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace

BackgroundRun::BackgroundRun(const std::string& commandLine, RunOptions options)
    : done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this, commandLine, options] {
        result_ = RunProgram(commandLine, options);
        SetEvent(done_);
    });
}

BackgroundRun::~BackgroundRun() {
    if (thread_.joinable()) Wait();
    CloseHandle(done_);
}

RunResult BackgroundRun::Wait() {
    if (thread_.joinable()) {
        // The run may wait for a window of this thread's, or broadcast to it.
        while (MsgWaitForMultipleObjects(1, &done_, FALSE, INFINITE, QS_ALLINPUT) !=
               WAIT_OBJECT_0) {
            Serve();
        }
        thread_.join();
    }
    return result_;
}

TitledWindow::TitledWindow(const std::string& title, bool visible) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarnwickTestWindow";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 20, 20, 300,
                              100, nullptr, nullptr, wc.hInstance, nullptr);
    if (window_ != nullptr && visible) ShowWindow(window_, SW_SHOWNORMAL);
}

TitledWindow::~TitledWindow() { Close(); }

void TitledWindow::Close() {
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        Serve();
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

namespace {

std::string ImagePathOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return "";
    char path[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameA(process, 0, path, &size)) path[0] = '\0';
    CloseHandle(process);
    return path;
}

}  // namespace

HWND FindWindowOf(const std::string& exePath, const char* className, const char* title) {
    for (HWND window = FindWindowExA(nullptr, nullptr, className, title); window != nullptr;
         window = FindWindowExA(nullptr, window, className, title)) {
        if (lstrcmpiA(ImagePathOf(window).c_str(), exePath.c_str()) == 0) return window;
    }
    return nullptr;
}

HWND FindStatusWindow(const std::string& exePath) { return FindWindowOf(exePath, "LANTHORN"); }

bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result,
                DWORD timeoutMs) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &answer)) {
        return false;
    }
    if (result != nullptr) *result = static_cast<LRESULT>(answer);
    return true;
}

}  // namespace harness
