// The steps after the last command: deleting the program's own file (/x).
#include <gtest/gtest.h>

#include "harness/harness.h"

using namespace harness;

namespace {

const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";

// Whether a deletion of `path` at the next restart has been registered.
bool DeletionPending(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char data[16384];
    DWORD size = sizeof(data);
    LONG rc = RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return false;
    std::string all(data, size);
    std::string upper = path;
    for (char& c : all) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return all.find(upper) != std::string::npos;
}

}  // namespace

// /x removes the program's own file after the last command: at once where the platform allows
// it, else at the next restart.
TEST(FinalSteps, DeleteRemovesOwnFile) {
    Disc disc('D', CaseName());
    struct Case {
        const char* name;
        bool quoted;
    };
    for (const Case& c : {Case{"quoted path", true}, Case{"unquoted path", false}}) {
        SCOPED_TRACE(c.name);
        std::string exe = disc.InstallExe();
        disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
        std::string cmd = (c.quoted ? "\"" + exe + "\"" : exe) + " /x /d";
        RunResult run = RunProgram(cmd);
        ASSERT_TRUE(run.finished) << run.Describe();
        EXPECT_EQ(run.exitCode, 0u);
        ASSERT_FALSE(run.boxes.empty()) << run.Describe();
        EXPECT_EQ(run.boxes.back().caption, "szTempString for Delete");
        EXPECT_EQ(run.boxes.back().text, exe);
        // Wine lets a running exe be deleted; Windows refuses, and the file goes at the restart.
        EXPECT_TRUE(!FileExists(exe) || DeletionPending(exe))
            << "neither deleted nor marked for deletion";
    }
}

// A launcher may start the program with a command line whose first word names another file
// (the application name given apart): /x deletes the file the program was loaded from, never
// the one its command line names.
TEST(FinalSteps, DeleteTakesTheLoadedFileNotTheCommandLine) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    std::string other = disc.Path("setup.exe");
    disc.WriteFile("setup.exe", "another program");
    RunOptions options;
    options.applicationName = exe;
    RunResult run = RunProgram("\"" + other + "\" /x", options);
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(FileExists(other)) << "the file named by the command line was deleted";
    EXPECT_TRUE(!FileExists(exe) || DeletionPending(exe))
        << "the program's own file was neither deleted nor marked for deletion";
}

// On a read-only disc nothing can be deleted, and nothing is left behind for the restart.
TEST(FinalSteps, DeleteOnReadOnlyDiscChangesNothing) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    SetFileAttributesA(exe.c_str(), FILE_ATTRIBUTE_READONLY);
    RunResult run = RunProgram("\"" + exe + "\" /x");
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    EXPECT_TRUE(FileExists(exe)) << "a read-only program file was deleted";
    EXPECT_FALSE(DeletionPending(exe)) << "a read-only file was marked for deletion";
    SetFileAttributesA(exe.c_str(), FILE_ATTRIBUTE_NORMAL);
}
