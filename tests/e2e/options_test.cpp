// The program started from a disc with options: which debug boxes it shows, in which order and
// with which texts, where it finds its start directory and what "%CURRENTDRIVE%" stands for.
#include <gtest/gtest.h>

#include "harness/harness.h"

using namespace harness;

namespace {

const char kVersion[] = "Version 2.0 RT3.1 Quillon CD Release (8/14/99 1:36AM)";
const char kLocateError[] = "Error in locating starting directory";

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

void ExpectBoxes(const std::string& name, const RunResult& run, const std::vector<Box>& expected) {
    ASSERT_TRUE(run.finished) << name << ": " << run.Describe();
    EXPECT_EQ(run.exitCode, 0u) << name << ": " << run.Describe();
    ASSERT_EQ(run.boxes.size(), expected.size()) << name << ": " << run.Describe();
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(run.boxes[i].caption, expected[i].caption) << name << ", box " << i;
        EXPECT_EQ(run.boxes[i].text, expected[i].text) << name << ", box " << i;
    }
}

}  // namespace

TEST(Options, DebugBoxSequences) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe("TARNWICK.EXE");
    std::string setup = disc.InstallExe("SETUP.EXE");
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    std::string startDir = Upper(disc.Path());
    std::string temp = TempDir();

    struct Case {
        const char* name;
        std::string cmdLine;
        std::vector<Box> expected;
    };
    std::string plain = Quoted(exe) + " /d";
    std::string withT = Quoted(exe) + " /D /t";
    std::string stored = Quoted(setup) + " /d";
    std::string storedT = Quoted(setup) + " /d/T";
    std::string cdEnd = Quoted(exe) + " /d /cd:";
    std::string tAndCd = Quoted(exe) + " /t /CD:G: /d";
    std::string cdBlank = Quoted(exe) + " /cd:e /d";
    const Case cases[] = {
        {"/d alone",
         plain,
         {{"Version", kVersion},
          {"lpCmdLine", plain},
          {"Vorn", plain},
          {"StringOut", startDir},
          {"szDriveLetter", "D:"}}},
        {"/D with /t",
         withT,
         {{"Version", kVersion},
          {"lpCmdLine", withT},
          {"Vorn", withT},
          {"StringOut", startDir},
          {"TempPath", temp},
          {"szDriveLetter", temp}}},
        {"stored as SETUP.EXE",
         stored,
         {{"Version", kVersion},
          {"lpCmdLine", stored},
          {"Vorn", stored},
          {"Error", kLocateError},
          {"szDriveLetter", "D:"}}},
        {"stored as SETUP.EXE with /t",
         storedT,
         {{"Version", kVersion},
          {"lpCmdLine", storedT},
          {"Vorn", storedT},
          {"Error", kLocateError},
          {"TempPath", temp},
          {"szDriveLetter", temp}}},
        {"/cd: at the very end",
         cdEnd,
         {{"Version", kVersion},
          {"lpCmdLine", cdEnd},
          {"Vorn", cdEnd},
          {"StringOut", startDir},
          {"szDriveLetter", ""}}},
        {"/t with /CD:G:",
         tAndCd,
         {{"Version", kVersion},
          {"lpCmdLine", tAndCd},
          {"Vorn", tAndCd},
          {"StringOut", startDir},
          {"TempPath", temp},
          {"szDriveLetter", "G:"}}},
        {"/cd:e followed by a blank",
         cdBlank,
         {{"Version", kVersion},
          {"lpCmdLine", cdBlank},
          {"Vorn", cdBlank},
          {"StringOut", startDir},
          {"szDriveLetter", "E "}}},
    };
    for (const Case& c : cases) ExpectBoxes(c.name, RunProgram(c.cmdLine), c.expected);
}

TEST(Options, MissingScriptRunsNothing) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    std::string cmd = Quoted(exe) + " /d";
    ExpectBoxes("no tarnwick.cfg", RunProgram(cmd),
                {{"Version", kVersion},
                 {"lpCmdLine", cmd},
                 {"Vorn", cmd},
                 {"StringOut", Upper(disc.Path())},
                 {"szDriveLetter", "D:"}});
}

TEST(Options, NoOptionsShowNoBoxes) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    ExpectBoxes("no options", RunProgram(Quoted(exe)), {});
    ExpectBoxes("unquoted, no options", RunProgram(exe), {});
}

// The quoted F:\TARNWICK.EXE started from the root of a drive, with /cd:e:. (The root of F:
// belongs to this test alone.)
TEST(Options, DriveRootWithCdOption) {
    Disc disc('F', "");
    std::string exe = disc.InstallExe();
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    std::string cmd = Quoted(exe) + " /cd:e: /d";
    ExpectBoxes("F:\\TARNWICK.EXE /cd:e:", RunProgram(cmd),
                {{"Version", kVersion},
                 {"lpCmdLine", cmd},
                 {"Vorn", cmd},
                 {"StringOut", "F:"},
                 {"szDriveLetter", "E:"}});
}

// Options are looked for after the program's own path only: a path written with forward
// slashes holds "/T" or "/D" without any option having been given.
TEST(Options, ProgramPathIsNoOption) {
    Disc disc('D', "dtest");
    std::string exe = disc.InstallExe();
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    std::string slashed = exe;
    for (char& c : slashed) {
        if (c == '\\') c = '/';
    }
    // D:/dtest/TARNWICK.EXE holds "/d" and "/T": neither debug mode nor the temporary drive.
    ExpectBoxes("forward slashes, no options", RunProgram(Quoted(slashed)), {});
    std::string cmd = Quoted(slashed) + " /d";
    ExpectBoxes("forward slashes with /d", RunProgram(cmd),
                {{"Version", kVersion},
                 {"lpCmdLine", cmd},
                 {"Vorn", cmd},
                 {"StringOut", "D:/DTEST"},
                 {"szDriveLetter", "D:"}});
}

// The name counts only as a whole file name: MYTARNWICK.EXE is not tarnwick.exe.
TEST(Options, NameMustBeWholeFileName) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe("MYTARNWICK.EXE");
    disc.MakeDir("M");
    disc.WriteFile("M\\tarnwick.cfg", "[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    ExpectBoxes("MYTARNWICK.EXE", RunProgram(Quoted(exe)), {{"Error", kLocateError}});
}

// Started by its bare name from a prompt in its own folder: the current directory is the start
// directory, and its drive is the current drive.
TEST(Options, BareNameUsesCurrentDirectory) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    RunOptions options;
    options.applicationName = exe;
    options.currentDir = disc.Path();
    std::string cmd = "tarnwick.exe /d";
    ExpectBoxes("tarnwick.exe /d", RunProgram(cmd, options),
                {{"Version", kVersion},
                 {"lpCmdLine", cmd},
                 {"Vorn", cmd},
                 {"StringOut", disc.Path()},
                 {"szDriveLetter", "D:"}});
}

// A relative path typed at a prompt: the drive is that of the current directory, not the
// path's first letter.
TEST(Options, RelativePathTakesCurrentDrive) {
    Disc disc('D', CaseName());
    disc.MakeDir("sub");
    std::string exe = disc.InstallExe("sub\\TARNWICK.EXE");
    RunOptions options;
    options.applicationName = exe;
    options.currentDir = disc.Path();
    std::string cmd = "sub\\tarnwick.exe /d";
    ExpectBoxes("sub\\tarnwick.exe /d", RunProgram(cmd, options),
                {{"Version", kVersion},
                 {"lpCmdLine", cmd},
                 {"Vorn", cmd},
                 {"StringOut", "SUB"},
                 {"szDriveLetter", "D:"}});
}

// A command line far longer than the program's copy of it is cut, never overrun.
TEST(Options, VeryLongCommandLineIsCut) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    std::string cmd = Quoted(exe) + " /d " + std::string(5000, 'x');
    std::string kept = cmd.substr(0, 1299);
    ExpectBoxes("5,000 characters", RunProgram(cmd),
                {{"Version", kVersion},
                 {"lpCmdLine", kept},
                 {"Vorn", kept},
                 {"StringOut", Upper(disc.Path())},
                 {"szDriveLetter", "D:"}});
}
