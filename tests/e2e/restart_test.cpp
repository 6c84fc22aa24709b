// The restart request (/r). Under Wine it never touches the host: it sends the end-session
// messages to every top-level window of the prefix and ends those processes, so these tests run
// in a prefix of their own.
#include <gtest/gtest.h>

#include "harness/harness.h"

using namespace harness;

namespace {

const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

bool WaitForRecord(const std::string& path, const std::string& line, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50)) {
        auto text = ReadFile(path);
        if (text && text->find(line) != std::string::npos) return true;
    }
    return false;
}

// Whether the shutdown privilege is enabled in the token of the program that has ended: Windows
// NT refuses a restart to a program that has not enabled it. (Wine restarts either way, and
// keeps an ended process's token for as long as a handle to the process is open.)
bool ShutdownPrivilegeEnabled(HANDLE process) {
    HANDLE token;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return false;
    alignas(TOKEN_PRIVILEGES) char buffer[4096];
    DWORD size = 0;
    bool enabled = false;
    LUID shutdown;
    if (GetTokenInformation(token, TokenPrivileges, buffer, sizeof(buffer), &size) &&
        LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &shutdown)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer);
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& entry = privileges->Privileges[i];
            if (entry.Luid.LowPart == shutdown.LowPart && entry.Luid.HighPart == shutdown.HighPart)
                enabled = (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

}  // namespace

TEST(Restart, RequestReachesEveryWindow) {
    struct Case {
        const char* name;
        const char* options;
        DWORD exitCode;
    };
    const Case cases[] = {
        {"/r", " /r", 0},
        {"/R combined without blank", " /d/R", 0},
        // The run's own restart, taken by the system: "restart started".
        {"/r with /e", " /r /e", ERROR_SUCCESS_REBOOT_INITIATED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Disc disc('D', CaseName());
        std::string exe = disc.InstallExe();
        disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
        std::string record = disc.Path("record.txt");
        std::string line = HelperPath("endsession_recorder") + " " + record;
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION recorder = {};
        ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &recorder));
        ASSERT_TRUE(WaitForRecord(record, "ready", 30000)) << "recorder not ready";

        // Under Wine only a restart, not a log-off, runs what RunOnce holds (and removes it). The
        // prefix is a fresh copy for every run of the tests.
        std::string marker = HelperPath("sleeper") + " 0 0 " + record + " runonce";
        SetHklmString(kRunOnce, "TarnwickRestartTest", marker);

        bool privileged = false;
        RunOptions options;
        options.onEnd = [&](HANDLE process) { privileged = ShutdownPrivilegeEnabled(process); };
        RunResult run = RunProgram("\"" + exe + "\"" + c.options, options);
        ASSERT_TRUE(run.finished) << run.Describe();
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(privileged) << "the restart was asked for without the shutdown privilege";
        EXPECT_TRUE(WaitForRecord(record, "WM_QUERYENDSESSION", 30000))
            << "no end-session message reached the recorder's window";
        EXPECT_TRUE(WaitForRecord(record, "runonce", 30000)) << "RunOnce did not run: no restart";
        TerminateProcess(recorder.hProcess, 0);
        CloseHandle(recorder.hThread);
        CloseHandle(recorder.hProcess);
    }
}
