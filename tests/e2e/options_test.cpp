// The program started from a disc with options: which debug boxes it shows, in which order and
// with which texts, where it finds its start directory and what "%CURRENTDRIVE%" stands for.
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

const char kVersion[] = "Version 2.0 RT3.1 Quillon CD Release (8/14/99 1:36AM)";
const Box kLocateError = {"Error", "Error in locating starting directory"};

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

Box Located(const std::string& startDir) { return {"StringOut", startDir}; }

// The debug boxes of the start-up, in order: version, command line, "Vorn", then the start
// directory's box (or the error box), the temporary directory's box with /t, and the drive.
std::vector<Box> StartUp(const std::string& cmd, const Box& located, const std::string& drive,
                         bool tempBox = false) {
    std::vector<Box> boxes = {{"Version", kVersion}, {"lpCmdLine", cmd}, {"Vorn", cmd}, located};
    if (tempBox) boxes.push_back({"TempPath", TempDir()});
    boxes.push_back({"szDriveLetter", drive});
    return boxes;
}

void ExpectBoxes(const RunResult& run, const std::vector<Box>& expected) {
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u) << run.Describe();
    EXPECT_EQ(run.boxes, expected) << run.Describe();
}

}  // namespace

TEST(Options, DebugBoxSequences) {
    Disc disc('D', CaseName());
    std::string exe = Quoted(disc.InstallExe("TARNWICK.EXE"));
    std::string setup = Quoted(disc.InstallExe("SETUP.EXE"));
    std::string mine = Quoted(disc.InstallExe("MYTARNWICK.EXE"));
    // No script on this disc: a missing script is no error. A script where the name
    // MYTARNWICK.EXE, matched inside the file name, would point: it must not be found.
    disc.MakeDir("M");
    disc.WriteFile("M\\tarnwick.cfg", "[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    Box here = Located(Upper(disc.Path()));
    std::string temp = TempDir();

    struct Case {
        const char* name;
        std::string cmd;
        Box located;
        std::string drive;
        bool tempBox;
    };
    const Case cases[] = {
        {"/d alone", exe + " /d", here, "D:", false},
        {"/D with /t", exe + " /D /t", here, temp, true},
        {"stored as SETUP.EXE", setup + " /d", kLocateError, "D:", false},
        {"stored as SETUP.EXE with /t", setup + " /d/T", kLocateError, temp, true},
        {"stored as MYTARNWICK.EXE", mine + " /d", kLocateError, "D:", false},
        {"/cd: at the very end", exe + " /d /cd:", here, "", false},
        {"/t with /CD:G:", exe + " /t /CD:G: /d", here, "G:", true},
        {"/cd:e followed by a blank", exe + " /cd:e /d", here, "E ", false},
        // A tab ends the unquoted program path as a blank does.
        {"unquoted, a tab before /d", disc.Path("TARNWICK.EXE") + "\t/d", here, "D:", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectBoxes(RunProgram(c.cmd), StartUp(c.cmd, c.located, c.drive, c.tempBox));
    }
}

// Stored under another name the program has no start directory, and reads no script: neither
// the one beside it (also the current directory) nor one in the root of the drive. (The root of
// G: belongs to this test alone.)
TEST(Options, UnknownNameReadsNoScript) {
    Disc disc('G', "");
    disc.MakeDir("setup");
    std::string setup = Quoted(disc.InstallExe("setup\\SETUP.EXE"));
    std::string script = R"(
[tarnwick]
NUMBEROFCOMMANDS=1
[COMMAND1]
COMMANDTYPE=2
REGKEY=$KEY\$WHERE
)";
    disc.WriteFile("tarnwick.cfg", ForThisTest(script, {{"$WHERE", "root"}}));
    disc.WriteFile("setup\\tarnwick.cfg", ForThisTest(script, {{"$WHERE", "beside"}}));
    DeleteHklmTree(TestKey());
    RunOptions options;
    options.currentDir = disc.Path("setup");
    ExpectBoxes(RunProgram(setup, options), {kLocateError});
    EXPECT_FALSE(HklmKeyExists(TestKey() + "\\beside")) << "the script beside it was read";
    EXPECT_FALSE(HklmKeyExists(TestKey() + "\\root")) << "the script in the root was read";
    DeleteHklmTree(TestKey());
}

// The quoted F:\TARNWICK.EXE started from the root of a drive, with /cd:e:. (The root of F:
// belongs to this test alone.)
TEST(Options, DriveRootWithCdOption) {
    Disc disc('F', "");
    std::string cmd = Quoted(disc.InstallExe()) + " /cd:e: /d";
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    ExpectBoxes(RunProgram(cmd), StartUp(cmd, Located("F:"), "E:"));
}

// No options, no boxes. Options are looked for after the program's own path only: a path
// written with forward slashes holds "/d", "/T" or "/x" without any option having been given.
TEST(Options, ProgramPathIsNoOption) {
    for (const char* folder : {"dtest", "xtest"}) {
        SCOPED_TRACE(folder);
        Disc disc('D', folder);
        std::string exe = disc.InstallExe();
        disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
        std::string slashed = exe;
        for (char& c : slashed) {
            if (c == '\\') c = '/';
        }
        // No debug mode, no temporary drive, and the program is not deleted; no boxes without
        // options either way.
        ExpectBoxes(RunProgram(exe), {});
        ExpectBoxes(RunProgram(Quoted(slashed)), {});
        EXPECT_TRUE(FileExists(exe)) << "deleted without /x";
        std::string cmd = Quoted(slashed) + " /d";
        ExpectBoxes(RunProgram(cmd), StartUp(cmd, Located("D:/" + Upper(folder)), "D:"));
    }
}

// Typed at a prompt: by its bare name in its own folder, the current directory is the start
// directory; by a relative path, the path's directory. Either way the drive is the current
// directory's, in upper case whatever case the directory was given in.
TEST(Options, StartedFromAPrompt) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    disc.MakeDir("sub");
    std::string inSub = disc.InstallExe("sub\\TARNWICK.EXE");
    std::string lower = "d" + disc.Path().substr(1);
    struct Case {
        const char* name;
        std::string app;
        std::string cmd;
        std::string currentDir;
        std::string startDir;
    };
    const Case cases[] = {
        {"bare name", exe, "tarnwick.exe /d", disc.Path(), disc.Path()},
        {"bare name, current directory in lower case", exe, "tarnwick.exe /d", lower, lower},
        {"relative path", inSub, "sub\\tarnwick.exe /d", disc.Path(), "SUB"},
        {"relative path, current directory in lower case", inSub, "sub\\tarnwick.exe /d", lower,
         "SUB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunOptions options;
        options.applicationName = c.app;
        options.currentDir = c.currentDir;
        ExpectBoxes(RunProgram(c.cmd, options), StartUp(c.cmd, Located(c.startDir), "D:"));
    }
}

// By its bare name where the current directory cannot be taken (longer than the program's
// paths, as a directory of multi-byte names can be in the ANSI code page), the program has no
// start directory: it reads no script at all, least of all the one in the root of the current
// drive.
TEST(Options, BareNameWithoutUsableCurrentDirectoryReadsNoScript) {
    GTEST_SKIP() << "Wine starts no process in a current directory longer than MAX_PATH, and its "
                    "ANSI code page here is single-byte: the program always has one to take";
}

// A command line far longer than the program's copy of it is cut, never overrun.
TEST(Options, VeryLongCommandLineIsCut) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    std::string cmd = Quoted(exe) + " /d " + std::string(5000, 'x');
    std::string kept = cmd.substr(0, 1299);
    ExpectBoxes(RunProgram(cmd), StartUp(kept, Located(Upper(disc.Path())), "D:"));
}
