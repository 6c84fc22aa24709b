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
    if (!CreateProcessA(app, line.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd, &startup,
                        &process)) {
        return result;
    }
    result.started = true;

    std::set<HWND> answered;
    DWORD start = GetTickCount();
    for (;;) {
        DWORD wait = WaitForSingleObject(process.hProcess, 10);
        if (wait == WAIT_OBJECT_0) {
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
    GetExitCodeProcess(process.hProcess, &result.exitCode);
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
