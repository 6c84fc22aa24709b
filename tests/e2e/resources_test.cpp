// What a long run holds: the program's handles and GDI objects do not grow with the number of
// commands it has carried out, and no handle is closed that is not open.
#include <gtest/gtest.h>

#include <tuple>

#include "harness/concurrent.h"
#include "harness/harness.h"
#include "harness/records.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

const int kRounds = 16;

// One round of commands that obtain and release handles: a program started and waited for under
// the status window (process, thread, a device context for each step), and a registry key made,
// written, emptied and deleted.
const char kRound[] = R"(
[COMMAND$1]
COMMANDSHOWSTATUS=1
COMMANDLINE=sleeper.exe 150 0 $LOG round
[COMMAND$2]
COMMANDTYPE=2
REGKEY=$KEY\k
[COMMAND$3]
COMMANDTYPE=4
REGKEY=$KEY\k
REGVALUENAME=v
REGVALUE=x
[COMMAND$4]
COMMANDTYPE=5
REGKEY=$KEY\k
REGVALUENAME=v
[COMMAND$5]
COMMANDTYPE=3
REGKEY=$KEY\k
)";

// Holds the run, under its status window, until the test closes the window of that title.
const char kHold[] = R"(
[COMMAND$1]
COMMANDSHOWSTATUS=1
COMMANDISHIELD=1
COMMANDWINTITLE=Tarnwick Resources $NAME
COMMANDLINE=sleeper.exe 0 0 $LOG $NAME
)";

// `text` with $1, $2, ... numbered on from `next`, and the fills given.
std::string Numbered(std::string text, int& next, std::vector<Fill> fills = {}) {
    for (char digit = '1'; text.find(std::string("$") + digit) != std::string::npos; ++digit) {
        fills.push_back({std::string("$") + digit, std::to_string(next++)});
    }
    return ForThisTest(text, fills);
}

// The handles process `pid` holds, from the system's list of every open handle (Wine's
// GetProcessHandleCount reports 0 for any process); -1 when the list cannot be had.
int HandleCount(DWORD pid) {
    struct Entry {
        ULONG ownerPid;
        BYTE type;
        BYTE flags;
        USHORT value;
        PVOID object;
        ACCESS_MASK access;
    };
    using Query = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> list(4 << 20);
    const int kSystemHandleInformation = 16;
    if (query == nullptr ||
        query(kSystemHandleInformation, list.data(), static_cast<ULONG>(list.size()), nullptr) < 0)
        return -1;
    ULONG count = *reinterpret_cast<ULONG*>(list.data());
    const auto* entries = reinterpret_cast<const Entry*>(list.data() + sizeof(ULONG_PTR));
    int held = 0;
    for (ULONG i = 0; i < count; ++i) held += entries[i].ownerPid == pid ? 1 : 0;
    return held;
}

struct Held {
    int handles = -1;
    DWORD gdiObjects = 0;
};

struct LongRun {
    Held before;  // after one round
    Held after;   // after kRounds more
    RunResult run;
};

// Runs one round, holds the run to count what it holds, runs kRounds more and counts again.
LongRun RunManyCommands() {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    InstallHelper(disc, "sleeper");
    std::string log = disc.Path("log.txt");
    int next = 1;
    std::string commands = Numbered(kRound, next, {{"$LOG", log}}) +
                           Numbered(kHold, next, {{"$LOG", log}, {"$NAME", "before"}});
    for (int i = 0; i < kRounds; ++i) commands += Numbered(kRound, next, {{"$LOG", log}});
    commands += Numbered(kHold, next, {{"$LOG", log}, {"$NAME", "after"}});
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=" + std::to_string(next - 1) + "\n" + commands);
    DeleteHklmTree(TestKey());

    LongRun result;
    TitledWindow before("Tarnwick Resources before", false);
    TitledWindow after("Tarnwick Resources after", false);
    RunOptions options;
    options.underDebugger = true;
    BackgroundRun background("\"" + exe + "\"", options);
    for (auto [name, window, held] : {std::make_tuple("before", &before, &result.before),
                                      std::make_tuple("after", &after, &result.after)}) {
        // The program has ended and closed what it started; it now waits for the window.
        HWND status = nullptr;
        if (WaitUntil([&] {
                status = FindStatusWindow(exe);
                return status != nullptr && !FindRecord(ReadRecords(log), name).name.empty();
            })) {
            DWORD pid = 0;
            GetWindowThreadProcessId(status, &pid);
            HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
            held->handles = HandleCount(pid);
            held->gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
            CloseHandle(process);
        }
        window->Close();
    }
    result.run = background.Wait();
    DeleteHklmTree(TestKey());
    return result;
}

}  // namespace

TEST(Resources, HandlesStayFlatOverManyCommands) {
    LongRun run = RunManyCommands();
    ASSERT_TRUE(run.run.finished) << run.run.Describe();
    ASSERT_GE(run.before.handles, 0) << "no count taken";
    ASSERT_GE(run.after.handles, 0) << "no count taken";
    // A handle kept per program or per key would add one for each of the rounds.
    EXPECT_LT(run.after.handles - run.before.handles, kRounds / 2)
        << "handles held after one round: " << run.before.handles << ", after " << kRounds
        << " more: " << run.after.handles;
    EXPECT_EQ(run.run.invalidHandleCloses, 0) << "handles closed that were not open";
}

TEST(Resources, GdiObjectsStayFlatOverManyStatusSteps) {
    if (GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) == 0) {
        GTEST_SKIP() << "Wine reports no GDI object count (GetGuiResources gives 0): a device "
                        "context kept by each status step cannot be seen here";
    }
    LongRun run = RunManyCommands();
    ASSERT_TRUE(run.run.finished) << run.run.Describe();
    // Each round draws the status text at least once through a device context of its own.
    EXPECT_LT(static_cast<int>(run.after.gdiObjects) - static_cast<int>(run.before.gdiObjects),
              kRounds / 2)
        << "GDI objects after one round: " << run.before.gdiObjects << ", after " << kRounds
        << " more: " << run.after.gdiObjects;
}
