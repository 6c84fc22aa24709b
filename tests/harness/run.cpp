// Starting the real exe and answering its message boxes like a user at the keyboard.
#include <set>
#include <sstream>

#include "harness/harness.h"

namespace harness {

namespace {

struct BoxScan {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectBoxes(HWND hwnd, LPARAM param) {
    auto* scan = reinterpret_cast<BoxScan*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != scan->pid || !IsWindowVisible(hwnd)) return TRUE;
    if (WindowClass(hwnd) == "#32770") scan->found.push_back(hwnd);
    return TRUE;
}

std::string BoxText(HWND box) {
    char text[4096] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    return text;
}

// Serves the debug events of a run started under the debugger for up to `ms`: returns true when
// the program has ended. Every exception is left to the program's own handlers.
bool ServeDebugEvents(DWORD ms, RunResult& result) {
    DEBUG_EVENT event;
    while (WaitForDebugEvent(&event, ms)) {
        ms = 0;
        DWORD verdict = DBG_CONTINUE;
        if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT) {
            DWORD code = event.u.Exception.ExceptionRecord.ExceptionCode;
            if (code == EXCEPTION_INVALID_HANDLE && event.u.Exception.dwFirstChance)
                ++result.invalidHandleCloses;
            if (code != EXCEPTION_BREAKPOINT) verdict = DBG_EXCEPTION_NOT_HANDLED;
        }
        if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT)
            CloseHandle(event.u.CreateProcessInfo.hFile);
        if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT) CloseHandle(event.u.LoadDll.hFile);
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, verdict);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) return true;
    }
    return false;
}

}  // namespace

std::string WindowText(HWND window) {
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string WindowClass(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

RunResult RunProgram(const std::string& commandLine, const RunOptions& options) {
    RunResult result;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const char* cwd = options.currentDir.empty() ? nullptr : options.currentDir.c_str();
    const char* app = options.applicationName.empty() ? nullptr : options.applicationName.c_str();
    DWORD flags = options.underDebugger ? DEBUG_ONLY_THIS_PROCESS : 0;
    if (!CreateProcessA(app, line.data(), nullptr, nullptr, FALSE, flags, nullptr, cwd, &startup,
                        &process)) {
        return result;
    }
    result.started = true;

    std::set<HWND> answered;
    DWORD start = GetTickCount();
    for (;;) {
        bool ended = options.underDebugger
                         ? ServeDebugEvents(10, result)
                         : WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0;
        if (ended) {
            result.finished = true;
            break;
        }
        if (GetTickCount() - start > options.timeoutMs) {
            TerminateProcess(process.hProcess, 999);
            WaitForSingleObject(process.hProcess, 5000);
            break;
        }
        BoxScan scan{process.dwProcessId, {}};
        EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&scan));
        // A box answered before stays in the set until it has gone.
        for (auto it = answered.begin(); it != answered.end();) {
            it = IsWindow(*it) ? std::next(it) : answered.erase(it);
        }
        for (HWND box : scan.found) {
            if (answered.count(box)) continue;
            Box seen{WindowText(box), BoxText(box)};
            result.boxes.push_back(seen);
            if (options.onBox) options.onBox(seen);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            answered.insert(box);
        }
    }
    if (options.underDebugger) {
        // The debugger waits for the end it caused, or lets the program go.
        if (!result.finished) ServeDebugEvents(5000, result);
    }
    WaitForSingleObject(process.hProcess, 5000);
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    if (result.finished && options.onEnd) options.onEnd(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

std::string RunResult::Describe() const {
    std::ostringstream out;
    out << (started ? "" : "not started; ") << (finished ? "finished" : "did not finish")
        << ", exit code " << exitCode << ", " << boxes.size() << " box(es):";
    for (const Box& box : boxes) out << "\n  [" << box.caption << "] " << box.text;
    return out.str();
}

std::vector<std::string> Captions(const RunResult& result) {
    std::vector<std::string> captions;
    for (const Box& box : result.boxes) captions.push_back(box.caption);
    return captions;
}

}  // namespace harness
