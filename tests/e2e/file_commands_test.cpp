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
    // Wine as root replaces a read-only destination too, where Windows refuses the copy.
    const bool enforced = ReadOnlyIsEnforced(TestTempDir());
    // Wine 8 overwrites an existing destination in place and keeps its attributes; Windows gives
    // it the source's, so there the replaced copy is read-only as well.
    const bool replacedTakesAttributes = !UnderWine();
    struct Case {
        const char* name;
        const char* earlierCopy;  // content of %TEMP%\disp.inf before the run, or nullptr
        bool earlierReadOnly;
        const char* expected;  // content afterwards
        bool readOnlyAfter;
    };
    const Case cases[] = {
        {"no earlier copy", nullptr, false, kDriverText, true},
        {"writable older copy is replaced", "old", false, kDriverText, replacedTakesAttributes},
        {"read-only copy of an earlier run stays", "old", true, enforced ? "old" : kDriverText,
         true},
    };
    const std::string dest = TempDir() + "\\disp.inf";
    for (const Case& c : cases) {
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
        ASSERT_TRUE(run.finished) << c.name << ": " << run.Describe();
        EXPECT_TRUE(run.boxes.empty()) << c.name << ": " << run.Describe();
        EXPECT_EQ(ReadFile(dest).value_or("(missing)"), c.expected) << c.name;
        // Under Wine the attribute is the Unix file's missing write bits, reported as read-only
        // even to root.
        DWORD attributes = Attributes(dest);
        EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << c.name;
        EXPECT_EQ((attributes & FILE_ATTRIBUTE_READONLY) != 0, c.readOnlyAfter) << c.name;
        RemoveTree(dest);
    }
}

TEST_F(FileCommands, CopyWithMissingSourceOrNoKeysMakesNothing) {
    Disc disc('D', CaseName());
    CreateDirectoryA(TestTempDir().c_str(), nullptr);
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=3
[COMMAND1]
COMMANDTYPE=11
SOURCEFILENAME=%CURRENTDRIVE%\$CASE\absent.inf
DESTFILENAME=%TEMP%\$CASE\absent.inf
[COMMAND2]
COMMANDTYPE=11
[COMMAND3]
COMMANDTYPE=11
DESTFILENAME=%TEMP%\$CASE\nosource.inf
)"));
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u) << run.Describe();
    EXPECT_FALSE(FileExists(TestTempDir() + "\\absent.inf"));
    EXPECT_FALSE(FileExists(TestTempDir() + "\\nosource.inf"));
}

TEST_F(FileCommands, DirectoryChainTakesOneCommandPerLevel) {
    Disc disc('D', CaseName());
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=4
[COMMAND1]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE
[COMMAND2]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE\A
[COMMAND3]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE\A\B
[COMMAND4]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE\A
)"));
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << "an existing directory passes silently: " << run.Describe();
    EXPECT_TRUE(DirExists(TestTempDir()));
    EXPECT_TRUE(DirExists(TestTempDir() + "\\A"));
    EXPECT_TRUE(DirExists(TestTempDir() + "\\A\\B"));
}

TEST_F(FileCommands, DirectoryWithMissingParentIsNotMade) {
    Disc disc('D', CaseName());
    CreateDirectoryA(TestTempDir().c_str(), nullptr);
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=2
[COMMAND1]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE\A\B
[COMMAND2]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE\C
)"));
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    EXPECT_FALSE(DirExists(TestTempDir() + "\\A")) << "no parent is made";
    EXPECT_FALSE(DirExists(TestTempDir() + "\\A\\B"));
    EXPECT_TRUE(DirExists(TestTempDir() + "\\C")) << "the next command still runs";
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

TEST_F(FileCommands, AbsentDirNameFailsSilently) {
    Disc disc('D', CaseName());
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=3
[COMMAND1]
COMMANDTYPE=6
[COMMAND2]
COMMANDTYPE=7
[COMMAND3]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE
)"));
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u) << run.Describe();
    EXPECT_TRUE(DirExists(TestTempDir())) << "the command after them still runs";
}
