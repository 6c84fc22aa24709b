// Command types 6, 7 and 11 end to end: directories made and removed, a driver file copied from
// a read-only disc to the temporary directory.
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

// Each test works in a folder of its own in the temporary directory, wiped before and after.
class FileCommands : public ::testing::Test {
  protected:
    void SetUp() override { RemoveTree(TestTempDir()); }
    void TearDown() override { RemoveTree(TestTempDir()); }
};

const char kDriverText[] = "[Version]\r\nSignature=\"$Windows 95$\"\r\nClass=Display\r\n";

// Whether the platform refuses to open a read-only file for writing. Windows does; Wine run as
// root does not, since it leaves that check to the Unix permissions, which root passes.
bool ReadOnlyIsEnforced(const std::string& dir) {
    const std::string probe = dir + "\\probe.txt";
    WriteFile(probe, "probe");
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    RemoveTree(probe);
    return file == INVALID_HANDLE_VALUE;
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace

// The disc's root is drive E: itself, so that %CURRENTDRIVE%\drivers\disp.inf names the file on
// it; this is the only test that uses drive E: and %TEMP%\disp.inf.
TEST_F(FileCommands, CopiesDriverFileFromDiscToTemp) {
    CreateDirectoryA(TestTempDir().c_str(), nullptr);
    // What Windows does, with the rows this platform cannot show declared here.
    struct Case {
        const char* name;
        const char* earlierCopy;  // content of %TEMP%\disp.inf before the run, or nullptr
        bool earlierReadOnly;
        const char* expected;  // content afterwards
        bool readOnlyChecked;  // the copy is read-only like its source
        const char* notShownBecause;
    };
    const char* inPlace =
        UnderWine() ? "Wine 8 overwrites in place and keeps the attributes" : nullptr;
    const char* rootWrites =
        ReadOnlyIsEnforced(TestTempDir()) ? nullptr : "Wine run as root writes read-only files";
    const Case cases[] = {
        {"no earlier copy", nullptr, false, kDriverText, true, nullptr},
        {"writable older copy is replaced", "old", false, kDriverText, false, nullptr},
        {"the replaced copy takes the source's attributes", "old", false, kDriverText, true,
         inPlace},
        {"read-only copy of an earlier run stays", "old", true, "old", true, rootWrites},
    };
    std::string notShown;
    const std::string dest = TempDir() + "\\disp.inf";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.notShownBecause != nullptr) {
            notShown += std::string(c.name) + ": " + c.notShownBecause + ". ";
            continue;
        }
        Disc disc('E', "");
        disc.MakeDir("drivers");
        disc.WriteFile("drivers\\disp.inf", kDriverText);
        RemoveTree(dest);
        if (c.earlierCopy != nullptr) {
            WriteFile(dest, c.earlierCopy);
            if (c.earlierReadOnly) SetFileAttributesA(dest.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        RunResult run = RunScript(disc, R"(
[tarnwick]
NUMBEROFCOMMANDS=1
[COMMAND1]
COMMANDTYPE=11
SOURCEFILENAME=%CURRENTDRIVE%\drivers\disp.inf
DESTFILENAME=%TEMP%\disp.inf
)");
        ASSERT_TRUE(run.finished) << run.Describe();
        EXPECT_TRUE(run.boxes.empty()) << run.Describe();
        EXPECT_EQ(ReadFile(dest).value_or("(missing)"), c.expected);
        // Under Wine the attribute is the Unix file's missing write bits, reported as read-only
        // even to root.
        DWORD attributes = Attributes(dest);
        EXPECT_TRUE(!c.readOnlyChecked || (attributes != INVALID_FILE_ATTRIBUTES &&
                                           (attributes & FILE_ATTRIBUTE_READONLY)))
            << "not read-only";
        RemoveTree(dest);
    }
    if (!notShown.empty()) GTEST_SKIP() << notShown;
}

// Absent keys give empty paths: each operation fails silently.
TEST_F(FileCommands, MissingSourceOrNoKeysMakeNothing) {
    Disc disc('D', CaseName());
    CreateDirectoryA(TestTempDir().c_str(), nullptr);
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=5
[COMMAND1]
COMMANDTYPE=11
SOURCEFILENAME=%CURRENTDRIVE%\$CASE\absent.inf
DESTFILENAME=%TEMP%\$CASE\absent.inf
[COMMAND2]
COMMANDTYPE=11
[COMMAND3]
COMMANDTYPE=11
DESTFILENAME=%TEMP%\$CASE\nosource.inf
[COMMAND4]
COMMANDTYPE=6
[COMMAND5]
COMMANDTYPE=7
)"));
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u) << run.Describe();
    EXPECT_FALSE(FileExists(TestTempDir() + "\\absent.inf"));
    EXPECT_FALSE(FileExists(TestTempDir() + "\\nosource.inf"));
}

// One level per command: a directory whose parent is missing is not made (nor its parent).
TEST_F(FileCommands, DirectoryChainTakesOneCommandPerLevel) {
    Disc disc('D', CaseName());
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=5
[COMMAND1]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE
[COMMAND2]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE\X\Y
[COMMAND3]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE\A
[COMMAND4]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE\A\B
[COMMAND5]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE\A
)"));
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << "an existing directory passes silently: " << run.Describe();
    EXPECT_TRUE(DirExists(TestTempDir() + "\\A\\B"));
    EXPECT_FALSE(DirExists(TestTempDir() + "\\X")) << "a missing parent was made";
}

TEST_F(FileCommands, RemovesOnlyEmptyDirectories) {
    Disc disc('D', CaseName());
    const std::string dir = TestTempDir();
    for (const char* sub : {"", "\\full", "\\empty", "\\A", "\\A\\B"}) {
        CreateDirectoryA((dir + sub).c_str(), nullptr);
    }
    WriteFile(dir + "\\full\\setup.log", "kept");
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=5
[COMMAND1]
COMMANDTYPE=7
DIRNAME=%TEMP%\$CASE\full
[COMMAND2]
COMMANDTYPE=7
DIRNAME=%TEMP%\$CASE\empty
[COMMAND3]
COMMANDTYPE=7
DIRNAME=%TEMP%\$CASE\A
[COMMAND4]
COMMANDTYPE=7
DIRNAME=%TEMP%\$CASE\A\B
[COMMAND5]
COMMANDTYPE=7
DIRNAME=%TEMP%\$CASE\absent
)"));
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    EXPECT_TRUE(DirExists(dir + "\\full")) << "a directory holding a file stays";
    EXPECT_EQ(ReadFile(dir + "\\full\\setup.log").value_or("(missing)"), "kept");
    EXPECT_FALSE(DirExists(dir + "\\empty"));
    EXPECT_TRUE(DirExists(dir + "\\A")) << "A still held B when command 3 ran";
    EXPECT_FALSE(DirExists(dir + "\\A\\B"));
}
