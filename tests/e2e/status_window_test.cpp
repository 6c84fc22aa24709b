// The status window as the user and other programs see it: class, title, size and place on the
// screen, and the progress bar read through the control's own messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "harness/concurrent.h"
#include "harness/harness.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

const UINT kStatusStep = WM_USER + 55;

HWND ProgressBarOf(HWND window) { return FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr); }

// The bar's position, or -1 when the window does not answer.
int BarPosition(HWND window) {
    LRESULT pos = -1;
    if (!SendWithin(ProgressBarOf(window), PBM_GETPOS, 0, 0, &pos)) return -1;
    return static_cast<int>(pos);
}

}  // namespace

TEST(StatusWindow, CentredWithItsTitleAndAnsweringDuringTheSearch) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "the cases assume a 1024 x 768 desktop";
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768) << "the cases assume a 1024 x 768 desktop";
    struct Case {
        const char* name;
        const char* appTitleLine;
        const char* title;
    };
    const Case cases[] = {{"with APPTITLE", "APPTITLE=Driver Setup", "Driver Setup"},
                          {"without APPTITLE", "", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Disc disc('D', CaseName());
        std::string exe = disc.InstallExe();
        InstallHelper(disc, "sleeper");
        // The run ends only when this window closes, so the status window stays for the test
        // to look at, while the program searches for the window and serves its messages.
        TitledWindow handOff("Tarnwick Status Test Setup", false);
        disc.WriteScript(ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=1
$APPTITLE
[COMMAND1]
COMMANDTYPE=1
COMMANDCAPTION=Installing...
COMMANDSHOWSTATUS=1
COMMANDISHIELD=1
COMMANDWINTITLE=Tarnwick Status Test Setup
COMMANDLINE=sleeper.exe 0 0 x.log a
)",
                                     {{"$APPTITLE", c.appTitleLine}}));
        RunOptions options;
        options.currentDir = disc.Path();
        BackgroundRun background("\"" + exe + "\"", options);

        HWND status = nullptr;
        // The title is set after the window is made; the search comes after both.
        bool titled = WaitUntil([&] {
            status = FindStatusWindow(exe);
            return status != nullptr && WindowText(status) == c.title && ProgressBarOf(status);
        });
        EXPECT_TRUE(titled) << "no status window titled '" << c.title << "'";
        if (titled) {
            EXPECT_EQ(WindowClass(status), "LANTHORN");
            RECT rect;
            GetWindowRect(status, &rect);
            EXPECT_EQ(rect.left, 337);
            EXPECT_EQ(rect.top, 321);
            EXPECT_EQ(rect.right - rect.left, 350);
            EXPECT_EQ(rect.bottom - rect.top, 125);
            EXPECT_EQ(GetParent(status), nullptr) << "should be top-level";
            // No heartbeat during the search: each step sent moves the bar by exactly one.
            int before = BarPosition(status);
            EXPECT_GE(before, 0) << "no answer during the window search";
            for (int i = 1; i <= 3 && before >= 0; ++i) {
                EXPECT_TRUE(SendWithin(status, kStatusStep, 0, 0, nullptr))
                    << "step " << i << " not answered";
                EXPECT_EQ(BarPosition(status), (before + i) % 101) << "step " << i;
            }
            // Alt+F4 asks the window to close: it stays until its command ends.
            EXPECT_TRUE(SendWithin(status, WM_CLOSE, 0, 0, nullptr));
            EXPECT_TRUE(IsWindow(status)) << "closed at the user's request";
        }
        handOff.Close();
        RunResult run = background.Wait();
        EXPECT_TRUE(run.finished) << run.Describe();
        EXPECT_EQ(FindStatusWindow(exe), nullptr) << "the window outlived its command";
    }
}

// The bar moves while the program runs. The common-controls library that draws it is no known
// DLL of the system: one planted beside the exe (a disc image copied to a downloads folder, a
// writable share) would run in the elevated program if it were looked for there. Wine prefers its
// built-in library wherever it is asked for; "comctl32=n,b", set for this test by CTest, makes it
// search as Windows does.
TEST(StatusWindow, BarMovesWithCommonControlsFromTheSystemDirectory) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    InstallHelper(disc, "sleeper");
    std::string planted = std::string(std::getenv("TARNWICK_HELPERS")) + "/planted_dll.dll";
    ASSERT_TRUE(
        CopyFileA(ToWindowsPath(planted).c_str(), disc.Path("comctl32.dll").c_str(), FALSE));
    disc.WriteScript(R"(
[tarnwick]
NUMBEROFCOMMANDS=1
[COMMAND1]
COMMANDTYPE=1
COMMANDSHOWSTATUS=1
COMMANDLINE=sleeper.exe 4000 0 x.log a
)");
    const char* overrides = std::getenv("WINEDLLOVERRIDES");
    ASSERT_TRUE(overrides != nullptr &&
                std::string(overrides).find("comctl32=n,b") != std::string::npos)
        << "Wine would not look for comctl32 beside the exe";
    RunOptions options;
    options.currentDir = disc.Path();
    BackgroundRun background("\"" + exe + "\"", options);
    std::vector<int> seen;
    bool moved = WaitUntil([&] {
        HWND status = FindStatusWindow(exe);
        int pos = status != nullptr ? BarPosition(status) : -1;
        if (pos >= 0 && (seen.empty() || seen.back() != pos)) seen.push_back(pos);
        return seen.size() >= 3;
    });
    RunResult run = background.Wait();
    EXPECT_TRUE(moved) << "positions seen: " << testing::PrintToString(seen);
    EXPECT_TRUE(run.finished) << run.Describe();
    EXPECT_FALSE(FileExists(disc.Path("planted.txt"))) << "the planted library was loaded";
}

// On Windows 98 SE, ME and 2000 a file or folder "<exe>.local" beside the program makes even a
// library named by its full path load from the program's folder. With one there the program
// loads no library of its own, and its window comes without the bar. (Wine does not redirect;
// what it shows is that the program loads nothing then.)
TEST(StatusWindow, NoLibraryLoadedBesideADotLocal) {
    for (bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "a folder" : "a file");
        Disc disc('D', CaseName());
        std::string exe = disc.InstallExe();
        InstallHelper(disc, "sleeper");
        if (folder) {
            disc.MakeDir("TARNWICK.EXE.local");
        } else {
            disc.WriteFile("TARNWICK.EXE.local", "");
        }
        disc.WriteScript(R"(
[tarnwick]
NUMBEROFCOMMANDS=1
APPTITLE=Dot Local
[COMMAND1]
COMMANDTYPE=1
COMMANDSHOWSTATUS=1
COMMANDLINE=sleeper.exe 2000 0 x.log a
)");
        BackgroundRun background("\"" + exe + "\"");
        HWND status = nullptr;
        // The title is set once the window and its bar have been made.
        bool shown = WaitUntil([&] {
            status = FindStatusWindow(exe);
            return status != nullptr && WindowText(status) == "Dot Local";
        });
        bool bar = shown && ProgressBarOf(status) != nullptr;
        RunResult run = background.Wait();
        EXPECT_TRUE(shown) << "no status window";
        EXPECT_FALSE(bar) << "the common-controls library was loaded";
        EXPECT_TRUE(run.finished) << run.Describe();
    }
}

TEST(StatusWindow, StepsWrapAfterHundredAndGoOnInTheNextWindow) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    // Two windows with nothing to run: no heartbeat, every step comes from the test, sent
    // while the program shows its title's debug box.
    disc.WriteScript(R"(
[tarnwick]
NUMBEROFCOMMANDS=2
[COMMAND1]
COMMANDTYPE=1
COMMANDSHOWSTATUS=1
[COMMAND2]
COMMANDTYPE=1
COMMANDSHOWSTATUS=1
)");
    std::vector<std::string> failures;
    std::vector<HWND> windows;
    RunOptions options;
    options.onBox = [&](const Box& box) {
        if (box.caption != "szTempString - AppTitle") return;
        HWND status = FindStatusWindow(exe);
        windows.push_back(status);
        std::string which = "window " + std::to_string(windows.size());
        if (status == nullptr) {
            failures.push_back(which + ": not found");
            return;
        }
        if (BarPosition(status) != 0) failures.push_back(which + ": a new bar should show 0");
        int steps = windows.size() == 1 ? 104 : 1;
        // The count goes 1 .. 100, 0, 1, ... and the second window carries it on.
        int expected = windows.size() == 1 ? 0 : 3;
        for (int i = 1; i <= steps; ++i) {
            expected = expected == 100 ? 0 : expected + 1;
            SendWithin(status, kStatusStep, 0, 0, nullptr);
            int pos = BarPosition(status);
            if (pos != expected) {
                failures.push_back(which + ", step " + std::to_string(i) + ": " +
                                   std::to_string(pos) + " instead of " + std::to_string(expected));
            }
        }
    };
    RunResult run = RunProgram("\"" + exe + "\" /d", options);
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(windows.size(), 2u) << run.Describe();
    EXPECT_TRUE(failures.empty()) << testing::PrintToString(failures);
}
