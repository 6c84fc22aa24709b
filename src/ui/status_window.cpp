// The status window: its class, creation, painting and the progress counter it shows.
#include "ui/status_window.h"

#include <commctrl.h>
// The common-controls header maps this name onto its own status-bar function; ours is meant.
#undef CreateStatusWindow

#include "base/shell_state.h"
#include "base/system_library.h"
#include "res/resource.h"

enum : int {
    kWidth = 350,
    kHeight = 125,
    kCaptionTop = 10,  // the status text starts this far below the client area's top
    kBarMargin = 30,
    kBarTop = 60,
    kBarHeight = 20,
    kStepsPerRound = 100,  // the bar's default range is 0 to 100
};

// The progress bar's class comes from the common-controls library, which is no known DLL of the
// system: it is loaded from the system directory by full path when the first window needs it,
// so that a library of that name beside the program is never loaded. Should it be missing (or
// not to be loaded at all), the window goes without its bar.
static void LoadCommonControls() {
    if (g_shell.commonControls != nullptr) return;
    g_shell.commonControls = LoadSystemLibrary("comctl32.dll");
    auto initCommonControls = TYPED_ENTRY_POINT(g_shell.commonControls, InitCommonControls);
    if (initCommonControls != nullptr) initCommonControls();
}

static void DrawCaption(HWND window, HDC dc) {
    RECT area;
    GetClientRect(window, &area);
    area.top += kCaptionTop;
    /* previous = */ SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, g_shell.szWindowCaption, -1, &area, DT_CENTER);
}

static void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    DrawCaption(window, dc);
    EndPaint(window, &paint);
}

// Each step draws the status text afresh, then moves the bar on. The counter belongs to the run,
// not to one window: a second window's bar goes on from where the previous one stopped.
static void OnStatusStep(HWND window) {
    HDC dc = GetDC(window);
    if (dc != nullptr) {
        DrawCaption(window, dc);
        ReleaseDC(window, dc);
    }
    ++g_shell.ProgressStep;
    if (g_shell.ProgressStep > kStepsPerRound) g_shell.ProgressStep = 0;
    SendMessageA(g_shell.progressBar, PBM_SETPOS, static_cast<WPARAM>(g_shell.ProgressStep), 0);
}

static LRESULT CALLBACK StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint(window);
            return 0;
        case WM_STATUSSTEP:
            OnStatusStep(window);
            return 0;
        case WM_MOUSEMOVE:
            return 0;
        case WM_CLOSE:
            // The window goes when its command ends, not at the user's request (Alt+F4).
            return 0;
        case WM_DESTROY:
            // No quit message: the run has no message loop to end, and a pending quit would make
            // every later message box close by itself.
            g_shell.statusWindow = nullptr;
            g_shell.progressBar = nullptr;
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

// A repeated registration fails harmlessly; the first one stays in force.
static void RegisterStatusClass() {
    WNDCLASSEXA wc;
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = StatusWndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = g_shell.instance;
    wc.hIcon = nullptr;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = g_shell.windowClassName;
    // The program carries no icon 108, so the window shows the platform's default.
    wc.hIconSm = LoadIconA(g_shell.instance, MAKEINTRESOURCEA(IDI_SMALL_ICON));
    /* atom = */ RegisterClassExA(&wc);
}

void CreateStatusWindow() {
    LoadCommonControls();
    LoadStringA(g_shell.instance, IDS_WINDOW_TITLE, g_shell.windowTitle, kResStringSize);
    LoadStringA(g_shell.instance, IDS_WINDOW_CLASS, g_shell.windowClassName, kResStringSize);
    RegisterStatusClass();

    HWND desktop = GetDesktopWindow();
    RECT screen;
    GetClientRect(desktop, &screen);
    int x = (screen.right - screen.left - kWidth) / 2;
    int y = (screen.bottom - screen.top - kHeight) / 2;
    HWND window = CreateWindowExA(0, g_shell.windowClassName, g_shell.windowTitle, 0, x, y, kWidth,
                                  kHeight, desktop, nullptr, g_shell.instance, nullptr);
    if (window == nullptr) return;
    g_shell.statusWindow = window;
    ShowWindow(window, g_shell.showCommand);
    UpdateWindow(window);

    // Without the library no bar is asked for: Windows (and Wine) would load the library by its
    // name for a window of its class, through the search this program avoids.
    if (g_shell.commonControls != nullptr) {
        RECT client;
        GetClientRect(window, &client);
        g_shell.progressBar = CreateWindowExA(
            0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE, client.left + kBarMargin, kBarTop,
            client.right - 2 * kBarMargin, kBarHeight, window, nullptr, g_shell.instance, nullptr);
    }
    InvalidateRect(window, nullptr, TRUE);
}

void SetStatusTitle(const char* title) {
    if (g_shell.statusWindow != nullptr) SetWindowTextA(g_shell.statusWindow, title);
}

void StepStatusWindow() {
    if (g_shell.statusWindow != nullptr) SendMessageA(g_shell.statusWindow, WM_STATUSSTEP, 0, 0);
}

void DestroyStatusWindow() {
    if (g_shell.statusWindow != nullptr) DestroyWindow(g_shell.statusWindow);
}
