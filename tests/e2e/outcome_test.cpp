// How a run ends, for the deployment tools that start tarnwick: the exit code under /e, the log
// written with /l:, and nothing of either without the options. Real installers of other engines
// are run at the end.
#include <gtest/gtest.h>

#include <cstdlib>

#include "harness/harness.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

// The log's lines as written: each must end with CRLF.
std::vector<std::string> LogLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = ReadFile(path).value_or("");
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "a line without CRLF: " << text.substr(at);
        if (end == std::string::npos) break;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// The first line that holds `part`, or "" when none does.
std::string LineWith(const std::vector<std::string>& lines, const std::string& part) {
    for (const std::string& line : lines) {
        if (line.find(part) != std::string::npos) return line;
    }
    return "";
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}

// A type 1 command that runs the sleeper helper, which ends at once with `code`.
std::string Exits(int n, unsigned long code) {
    return "[COMMAND" + std::to_string(n) + "]\nCOMMANDLINE=sleeper.exe 0 " + std::to_string(code) +
           " $REC s" + std::to_string(n) + "\n";
}

}  // namespace

TEST(Outcome, ExitCodeSaysHowTheRunWent) {
    // Commands that leave what they ask for in place, so nothing fails.
    const std::string settled =
        "[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=$TEMP\n"          // there already
        "[COMMAND2]\nCOMMANDTYPE=7\nDIRNAME=$TEMP\\absent\n"  // gone already
        "[COMMAND3]\nCOMMANDTYPE=5\nREGKEY=$KEY\\Absent\nREGVALUENAME=v\n"
        "[COMMAND4]\nCOMMANDTYPE=3\nREGKEY=$KEY\\Absent\n"
        "[COMMAND5]\nCOMMANDTYPE=9\n";
    const std::string missingCopy =
        "\nCOMMANDTYPE=11\nSOURCEFILENAME=%CURRENTDRIVE%\\absent.txt\nDESTFILENAME=$TEMP\\x\n";
    struct Case {
        const char* name;
        std::string commands;  // the command sections; NUMBEROFCOMMANDS is their count
        const char* options;
        DWORD exitCode;
    };
    const Case cases[] = {
        {"without /e a failure still ends with 0", "[COMMAND1]" + missingCopy + Exits(2, 1603), "",
         0},
        {"states that already hold are success", settled, "/e", 0},
        {"1707 is success", Exits(1, 1707), "/e", 0},
        {"3010 asks for a restart", Exits(1, 0) + Exits(2, 3010), "/E", 3010},
        {"1641 wins over 3010", Exits(1, 3010) + Exits(2, 1641) + Exits(3, 0), "/e", 1641},
        {"the first failure wins", Exits(1, 3010) + Exits(2, 1603) + "[COMMAND3]" + missingCopy,
         "/e", 1603},
        {"a copy's failure", "[COMMAND1]" + missingCopy + Exits(2, 0), "/e", ERROR_FILE_NOT_FOUND},
        {"a program that cannot start", "[COMMAND1]\nCOMMANDLINE=absent.exe\n", "/e",
         ERROR_FILE_NOT_FOUND},
        {"a log option without a path", Exits(1, 0), "/e /l:", ERROR_INVALID_PARAMETER},
    };
    Disc disc('D', CaseName());
    InstallHelper(disc, "sleeper");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveTree(TestTempDir());
        CreateDirectoryA(TestTempDir().c_str(), nullptr);
        int count = 0;
        for (size_t at = c.commands.find("[COMMAND"); at != std::string::npos;
             at = c.commands.find("[COMMAND", at + 1))
            ++count;
        std::string script =
            "[tarnwick]\nNUMBEROFCOMMANDS=" + std::to_string(count) + "\n" + c.commands;
        RunResult run = RunScript(
            disc,
            ForThisTest(script, {{"$REC", TestTempDir() + "\\rec.txt"}, {"$TEMP", TestTempDir()}}),
            c.options);
        ASSERT_TRUE(run.finished) << run.Describe();
        EXPECT_TRUE(run.boxes.empty()) << run.Describe();
        EXPECT_EQ(run.exitCode, c.exitCode);
        // Nothing of the program's own is written without /l:.
        std::set<std::string> left = Entries(TestTempDir());
        left.erase("rec.txt");
        EXPECT_TRUE(left.empty()) << *left.begin();
    }
    RemoveTree(TestTempDir());
    DeleteHklmTree(TestKey());
}

// The program's own failures under /e: no script (2), no start directory (3).
TEST(Outcome, ProgramsOwnFailures) {
    Disc disc('D', CaseName());
    disc.InstallExe();
    RunResult noScript = RunProgram("\"" + disc.Path("TARNWICK.EXE") + "\" /e");
    ASSERT_TRUE(noScript.finished) << noScript.Describe();
    EXPECT_EQ(noScript.exitCode, static_cast<DWORD>(ERROR_FILE_NOT_FOUND)) << "no script";

    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    std::string other = disc.InstallExe("SETUP.EXE");
    RunResult noStartDir = RunProgram("\"" + other + "\" /e");
    ASSERT_TRUE(noStartDir.finished) << noStartDir.Describe();
    EXPECT_EQ(Captions(noStartDir), std::vector<std::string>{"Error"});
    EXPECT_EQ(noStartDir.exitCode, static_cast<DWORD>(ERROR_PATH_NOT_FOUND)) << "no start dir";
}

// Every step in the log, each line handed to the file before the next step, appended run after
// run; a path with blanks given in quotes.
TEST(Outcome, LogTellsEachStep) {
    Disc disc('D', CaseName());
    InstallHelper(disc, "sleeper");
    disc.WriteFile("payload.txt", "x");
    RemoveTree(TestTempDir());
    const std::string folder = TestTempDir() + "\\Setup Logs";
    ASSERT_TRUE(CreateDirectoryA(TestTempDir().c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string log = folder + "\\setup.log";
    const std::string script = ForThisTest(R"([tarnwick]
NUMBEROFCOMMANDS=5
[COMMAND1]
COMMANDTYPE=11
SOURCEFILENAME=%CURRENTDRIVE%\$CASE\payload.txt
DESTFILENAME=$TEMP\copy.txt
[COMMAND2]
COMMANDTYPE=4
REGKEY=$KEY
REGVALUENAME=Path
REGVALUE=%TEMP%\x.inf
[COMMAND3]
COMMANDTYPE=7
DIRNAME=%CURRENTDRIVE%\$CASE
[COMMAND4]
COMMANDLINE=sleeper.exe 0 3010 $TEMP\rec.txt s
COMMANDISHIELD=1
COMMANDWINTITLE=No Such Window
[COMMAND5]
COMMANDTYPE=8
)",
                                           {{"$TEMP", TestTempDir()}});
    const std::string options = "/e /l:\"" + log + "\"";
    RunResult first = RunScript(disc, script, options);
    ASSERT_TRUE(first.finished) << first.Describe();
    RunResult second = RunScript(disc, script, options);
    ASSERT_TRUE(second.finished) << second.Describe();
    // Removing the disc's folder fails: it holds files. That failure comes first.
    EXPECT_EQ(second.exitCode, 145u) << "ERROR_DIR_NOT_EMPTY";

    std::vector<std::string> lines = LogLines(log);
    SCOPED_TRACE(Joined(lines));
    int runs = 0;
    for (const std::string& line : lines) runs += line.find("==== tarnwick ") != std::string::npos;
    EXPECT_EQ(runs, 2) << "each run is appended";
    const std::string disk = disc.Path();
    const std::string expected[] = {
        std::string("==== tarnwick ") + TARNWICK_VERSION + ", run of ",
        "command line: \"" + disk + "\\TARNWICK.EXE\" " + options,
        "script: " + disk + "\\tarnwick.cfg",
        "options: /E /L:; %CURRENTDRIVE% is D:",
        "command 1, type 11 (copy a file): SOURCEFILENAME=\"D:\\" + CaseName() +
            "\\payload.txt\" DESTFILENAME=\"" + TestTempDir() + "\\copy.txt\"",
        "command 1 ended: result 0 (",
        "command 2, type 4 (set a registry string value): REGKEY=\"" + TestKey() +
            "\" REGVALUENAME=\"Path\" REGVALUE=\"" + TempDir() + "\\x.inf\"",
        "command 3 failed: result 145 (",
        "command 4, type 1 (run a program and wait for it): COMMANDLINE=\"sleeper.exe 0 3010 " +
            TestTempDir() + "\\rec.txt s\" COMMANDWINTITLE=\"No Such Window\"",
        "hand-off: window COMMANDWINTITLE=\"No Such Window\" not seen, waited 2.",
        "command 4 ended: exit code 3010 (success, restart needed",
        "command 5, type 8 (does nothing):",
        "run ends: exit code 145 (failure)",
    };
    for (const std::string& part : expected) EXPECT_NE(LineWith(lines, part), "") << part;
    // Every line after the header's first carries the local time.
    for (const std::string& line : lines) {
        EXPECT_TRUE(line.size() > 9 && line[2] == ':' && line[5] == ':' && line[8] == ' ') << line;
    }
    RemoveTree(TestTempDir());
    DeleteHklmTree(TestKey());
}

// The value of /l: is no option, though it holds /d, /t and /x (and no /r, which would restart
// the test's prefix should the value be read as options); a log that cannot be opened stops
// nothing, and in debug mode a box says why.
TEST(Outcome, LogOptionValues) {
    Disc disc('D', CaseName());
    const std::string folder = "C:\\" + CaseName();
    RemoveTree(folder);
    for (const char* level : {"", "\\d", "\\d\\t", "\\d\\t\\x"})
        ASSERT_TRUE(CreateDirectoryA((folder + level).c_str(), nullptr)) << level;
    const std::string script = ForThisTest(R"([tarnwick]
NUMBEROFCOMMANDS=1
[COMMAND1]
COMMANDTYPE=4
REGKEY=$KEY
REGVALUENAME=Drive
REGVALUE=%CURRENTDRIVE%
)");
    RunResult run = RunScript(disc, script, "/l:C:/" + CaseName() + "/d/t/x/log.txt");
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << "no /d: " << run.Describe();
    EXPECT_EQ(ReadHklmString(TestKey(), "Drive").value_or("(missing)"), "D:") << "no /t";
    EXPECT_TRUE(FileExists(disc.Path("TARNWICK.EXE"))) << "no /x";
    EXPECT_NE(LineWith(LogLines(folder + "\\d\\t\\x\\log.txt"), "options: /L:;"), "");

    DeleteHklmTree(TestKey());
    const std::string missing = folder + "\\absent\\log.txt";
    run = RunScript(disc, script, "/d /l:" + missing);
    ASSERT_TRUE(run.finished) << run.Describe();
    bool told = false;
    for (const Box& box : run.boxes)
        told |= box.caption == "Log not opened" && box.text.find(missing + "\r\nError 3: ") == 0;
    EXPECT_TRUE(told) << run.Describe();
    EXPECT_EQ(ReadHklmString(TestKey(), "Drive").value_or("(missing)"), "D:") << "the run went on";
    RemoveTree(folder);
    DeleteHklmTree(TestKey());
}

// Installers built during the test run by engines no one here wrote: a Windows Installer package
// installed by the platform's msiexec and one whose launch condition fails, and an NSIS installer
// that asks for a restart. Their codes reach the exit code and the log as they are.
TEST(Installers, ExitCodesOfRealEngines) {
    Disc disc('D', CaseName());
    const char* built = std::getenv("TARNWICK_INSTALLERS");
    ASSERT_NE(built, nullptr);
    for (const char* name : {"product.msi", "refused.msi", "restart3010.exe"}) {
        ASSERT_TRUE(CopyFileA(ToWindowsPath(std::string(built) + "/" + name).c_str(),
                              disc.Path(name).c_str(), FALSE))
            << name;
    }
    RemoveTree(TestTempDir());
    ASSERT_TRUE(CreateDirectoryA(TestTempDir().c_str(), nullptr));
    struct Case {
        const char* name;
        std::string commandLine;
        DWORD exitCode;
        const char* logged;
    };
    const Case cases[] = {
        {"msiexec installs", "msiexec /i $DISC\\product.msi /qn /norestart", 0,
         "exit code 0 (success"},
        {"msiexec removes", "msiexec /x $DISC\\product.msi /qn /norestart", 0,
         "exit code 0 (success"},
        {"a false launch condition", "msiexec /i $DISC\\refused.msi /qn /norestart", 1603,
         "exit code 1603 (failure: "},
        {"NSIS asks for a restart", "restart3010.exe /S", 3010,
         "exit code 3010 (success, restart needed: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string log = TestTempDir() + "\\" + std::to_string(&c - cases) + ".log";
        RunResult run = RunScript(
            disc,
            ForThisTest("[tarnwick]\nNUMBEROFCOMMANDS=1\n[COMMAND1]\nCOMMANDLINE=" + c.commandLine,
                        {{"$DISC", disc.Path()}}),
            "/e /l:" + log);
        ASSERT_TRUE(run.finished) << run.Describe();
        EXPECT_EQ(run.exitCode, c.exitCode);
        std::vector<std::string> lines = LogLines(log);
        EXPECT_NE(LineWith(lines, "command 1 ended: " + std::string(c.logged)), "")
            << Joined(lines);
    }
    RemoveTree(TestTempDir());
}
