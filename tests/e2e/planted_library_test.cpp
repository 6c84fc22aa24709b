// A library planted beside the program under the name of a system library (a disc image copied
// to a downloads folder, a writable share) must never be loaded: the program runs elevated, and
// the library's code would run with it before any of the program's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "harness/concurrent.h"
#include "harness/harness.h"

using namespace harness;

namespace {

// Restores an environment variable of the test's process when it goes.
class EnvironmentOverride {
  public:
    EnvironmentOverride(const char* name, const std::string& value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_) old_ = old;
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~EnvironmentOverride() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }
    std::string old() const { return old_; }

  private:
    const char* name_;
    bool had_;
    std::string old_;
};

}  // namespace

// Wine prefers its own built-in comctl32 wherever it is asked for; "comctl32=n,b" makes it
// search for the library as Windows does, starting in the program's folder.
TEST(PlantedLibrary, CommonControlsComeFromTheSystemDirectory) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    InstallHelper(disc, "sleeper");
    std::string planted =
        ToWindowsPath(std::string(std::getenv("TARNWICK_HELPERS")) + "/planted_dll.dll");
    ASSERT_TRUE(CopyFileA(planted.c_str(), disc.Path("comctl32.dll").c_str(), FALSE)) << planted;
    disc.WriteScript(
        "[tarnwick]\nNUMBEROFCOMMANDS=1\n[COMMAND1]\nCOMMANDTYPE=1\nCOMMANDSHOWSTATUS=1\n"
        "COMMANDLINE=sleeper.exe 3000 0 x.log a\n");
    const char* overrides = std::getenv("WINEDLLOVERRIDES");
    EnvironmentOverride searchAsWindows("WINEDLLOVERRIDES",
                                        std::string(overrides ? overrides : "") + ";comctl32=n,b");

    RunOptions options;
    options.currentDir = disc.Path();
    BackgroundRun background("\"" + exe + "\"", options);
    bool barShown = WaitUntil([&] {
        HWND status = FindStatusWindow(exe);
        return status != nullptr &&
               FindWindowExA(status, nullptr, PROGRESS_CLASSA, nullptr) != nullptr;
    });
    RunResult run = background.Wait();
    EXPECT_TRUE(run.finished) << run.Describe();
    EXPECT_FALSE(FileExists(disc.Path("planted.txt"))) << "the planted library was loaded";
    EXPECT_TRUE(barShown) << "no status window with its progress bar";
}
