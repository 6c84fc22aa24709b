// Type 1 commands from a user's side: programs started from the disc one after another, the
// wait for a hand-off installer's window, the debug boxes, and the waits answering broadcasts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "harness/concurrent.h"
#include "harness/harness.h"
#include "harness/records.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

// The boxes every debug run shows before the first command.
const size_t kStartBoxes = 5;

std::vector<Box> CommandBoxes(const RunResult& run) {
    if (run.boxes.size() < kStartBoxes) return {};
    return std::vector<Box>(run.boxes.begin() + kStartBoxes, run.boxes.end());
}

// A disc with the exe and the given helpers on it, and the script written there with "$LOG"
// standing for the disc's log.txt; returns the exe's path.
std::string PrepareDisc(const Disc& disc, const std::vector<std::string>& helpers,
                        const std::string& script) {
    std::string exe = disc.InstallExe();
    for (const std::string& helper : helpers) InstallHelper(disc, helper);
    disc.WriteScript(ForThisTest(script, {{"$LOG", disc.Path("log.txt")}}));
    return exe;
}

}  // namespace

TEST(RunProgram, CommandsRunOneAfterAnother) {
    Disc disc('E', CaseName());
    // The middle one under a status window, the last one exiting with an error code.
    std::string exe = PrepareDisc(disc, {"sleeper"}, R"(
[tarnwick]
NUMBEROFCOMMANDS=3
[COMMAND1]
COMMANDLINE=sleeper.exe 400 0 $LOG first
[COMMAND2]
COMMANDSHOWSTATUS=1
COMMANDLINE=sleeper.exe 400 0 $LOG second
[COMMAND3]
COMMANDLINE=sleeper.exe 400 7 $LOG third
)");
    RunOptions options;
    options.currentDir = TempDir();  // not the disc: the program's own folder is searched first
    RunResult run = RunProgram("\"" + exe + "\"", options);
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u) << run.Describe();
    std::vector<Record> records = ReadRecords(disc.Path("log.txt"));
    ASSERT_EQ(records.size(), 3u) << "programs named without a folder are found beside the exe: "
                                  << Describe(records);
    const char* names[] = {"first", "second", "third"};
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].name, names[i]) << Describe(records);
        if (i > 0) {
            EXPECT_LE(records[i - 1].end, records[i].start)
                << records[i].name << " started before " << records[i - 1].name
                << " ended: " << Describe(records);
        }
    }
}

// A program named without a folder is taken from the disc first, then from the system folders,
// and from the current directory only after those: an elevated run started from a prompt in a
// downloads folder must not run what lies there under a system program's name.
TEST(RunProgram, SystemProgramsComeBeforeTheCurrentDirectory) {
    Disc disc('D', CaseName());
    Disc downloads('E', CaseName());
    InstallHelper(downloads, "sleeper", "cmd");
    std::string made = TestTempDir();
    RemoveTree(made);
    // hostname.exe lies in the system directory too: the disc's own comes first.
    std::string exe = PrepareDisc(disc, {},
                                  ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=2
[COMMAND1]
COMMANDLINE=cmd.exe /c md "$MADE"
[COMMAND2]
COMMANDLINE=hostname 0 0 $LOG disc
)",
                                              {{"$MADE", made}}));
    InstallHelper(disc, "sleeper", "hostname");
    RunOptions options;
    options.currentDir = downloads.Path();
    RunResult run = RunProgram("\"" + exe + "\"", options);
    bool systemRan = DirExists(made);
    RemoveTree(made);
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(systemRan) << "cmd.exe of the current directory ran, not the system's";
    std::vector<Record> records = ReadRecords(disc.Path("log.txt"));
    EXPECT_EQ(FindRecord(records, "disc").name, "disc")
        << "the system's hostname ran, not the disc's: " << Describe(records);
}

// A hand-off installer's window already gone: the next command starts after the 2-second pause.
// During it the program serves what reaches its window at once (a broadcast from the installer's
// second process would otherwise wait out the whole pause): a repaint, a posted message, a sent
// one; and messages that keep coming do not make the pause start over.
TEST(RunProgram, HandOffPauseLastsTwoSecondsAndAnswersMessages) {
    Disc disc('D', CaseName());
    std::string exe = PrepareDisc(disc, {"sleeper"}, R"(
[tarnwick]
NUMBEROFCOMMANDS=2
[COMMAND1]
COMMANDSHOWSTATUS=1
COMMANDISHIELD=1
COMMANDWINTITLE=Tarnwick No Such Window
COMMANDLINE=sleeper.exe 0 0 $LOG installer
[COMMAND2]
COMMANDLINE=sleeper.exe 0 0 $LOG next
)");
    std::string log = disc.Path("log.txt");
    BackgroundRun background("\"" + exe + "\"");
    HWND status = nullptr;
    bool pausing = WaitUntil([&] {
        status = FindStatusWindow(exe);
        return status != nullptr && !FindRecord(ReadRecords(log), "installer").name.empty();
    });
    bool repainted = false, posted = false, answered = false, ended = false;
    if (pausing) {
        // The first two are watched without sending anything to the program (which would wake
        // it), until they are seen or the window has gone with the pause. Each comes once the
        // program has had time to settle into its wait (after the installer's end, and after
        // the paint, which counts as done as soon as it begins).
        auto seen = [&](const std::function<bool()>& done) {
            return WaitUntil([&] { return !IsWindow(status) || done(); }) && IsWindow(status);
        };
        Sleep(300);
        InvalidateRect(status, nullptr, TRUE);
        repainted = seen([&] { return !GetUpdateRect(status, nullptr, FALSE); });
        Sleep(300);
        PostMessageA(status, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        posted = seen([&] { return IsIconic(status) != FALSE; });
        answered = SendWithin(status, WM_NULL, 0, 0, nullptr, 1000);
        ended = WaitUntil([&] { return !SendWithin(status, WM_NULL, 0, 0, nullptr, 1000); }, 15000);
    }
    RunResult run = background.Wait();
    ASSERT_TRUE(run.finished) << run.Describe();
    std::vector<Record> records = ReadRecords(log);
    ASSERT_EQ(records.size(), 2u) << Describe(records);
    EXPECT_EQ(records[0].name, "installer") << Describe(records);
    EXPECT_EQ(records[1].name, "next") << Describe(records);
    EXPECT_GE(records[1].start - records[0].end, 1900u)
        << "no 2-second pause: " << Describe(records);
    EXPECT_TRUE(pausing) << "no status window while the installer ran";
    EXPECT_TRUE(repainted) << "the window was not repainted during the pause";
    EXPECT_TRUE(posted) << "a posted message waited for the end of the pause";
    EXPECT_TRUE(answered) << "a message sent during the pause waited more than a second";
    EXPECT_TRUE(ended) << "with messages coming all along, the pause did not end in 15 seconds";
}

// COMMANDLINE holds up to 255 characters: a line of that length reaches the program whole, a
// longer one is cut there.
TEST(RunProgram, CommandLineOf255Characters) {
    for (size_t length : {255, 300}) {
        SCOPED_TRACE(length);
        Disc disc('D', CaseName());
        // The record's name is the line's last word, ending in a character of its own.
        std::string front = "sleeper.exe 0 0 " + disc.Path("log.txt") + " ";
        std::string name = std::string(length - front.size() - 1, 'n') + "z";
        std::string exe = PrepareDisc(disc, {"sleeper"},
                                      ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=1
[COMMAND1]
COMMANDLINE=sleeper.exe 0 0 $LOG $NAME
)",
                                                  {{"$NAME", name}}));
        RunResult run = RunProgram("\"" + exe + "\"");
        ASSERT_TRUE(run.finished) << run.Describe();
        std::vector<Record> records = ReadRecords(disc.Path("log.txt"));
        ASSERT_EQ(records.size(), 1u) << Describe(records);
        EXPECT_EQ(records[0].name, name.substr(0, 255 - front.size()));
    }
}

TEST(RunProgram, HandOffWaitsUntilTheWindowCloses) {
    struct Case {
        const char* name;
        const char* visible;
        const char* appTitle;  // the status window's title
    };
    const Case cases[] = {
        {"visible window", "1", ""},
        {"hidden window", "0", ""},
        // Our own status window carries the awaited title too: it is not waited for.
        {"status window of the same title", "1", "Tarnwick Hand-Off Setup"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Disc disc('D', CaseName());
        // The hand-off installer exits at once; its second process keeps a window open longer
        // than the pause after the first one ended. The title is matched regardless of case.
        std::string exe =
            PrepareDisc(disc, {"sleeper", "handoff", "title_window"},
                        ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=2
APPTITLE=$TITLE
[COMMAND1]
COMMANDSHOWSTATUS=1
COMMANDISHIELD=1
COMMANDWINTITLE=tarnwick hand-off setup
COMMANDLINE=handoff.exe $LOG handoff title_window.exe "Tarnwick Hand-Off Setup" $VISIBLE 4000 $LOG window
[COMMAND2]
COMMANDLINE=sleeper.exe 0 0 $LOG next
)",
                                    {{"$TITLE", c.appTitle}, {"$VISIBLE", c.visible}}));
        RunResult run = RunProgram("\"" + exe + "\"");
        ASSERT_TRUE(run.finished) << run.Describe();
        std::vector<Record> records = ReadRecords(disc.Path("log.txt"));
        ASSERT_EQ(records.size(), 3u) << Describe(records);
        Record handoff = FindRecord(records, "handoff");
        Record window = FindRecord(records, "window");
        Record next = FindRecord(records, "next");
        ASSERT_FALSE(handoff.name.empty() || window.name.empty() || next.name.empty())
            << Describe(records);
        EXPECT_LT(handoff.end, window.end)
            << "the hand-off program should end first: " << Describe(records);
        // The window's record ends just before it closes.
        EXPECT_LE(window.end, next.start)
            << "the next command began while the window was open: " << Describe(records);
    }
}

TEST(RunProgram, HandOffWithoutWindowTitleSkipsTheSearch) {
    // An untitled window stays open all along: a search for an empty title would find it and
    // never end.
    TitledWindow untitled("", true);
    ASSERT_NE(untitled.handle(), nullptr);
    Disc disc('D', CaseName());
    std::string exe = PrepareDisc(disc, {"sleeper"}, R"(
[tarnwick]
NUMBEROFCOMMANDS=2
[COMMAND1]
COMMANDISHIELD=1
COMMANDWINTITLE=
COMMANDLINE=sleeper.exe 0 0 $LOG installer
[COMMAND2]
COMMANDLINE=sleeper.exe 0 0 $LOG next
)");
    RunOptions options;
    options.timeoutMs = 30000;
    BackgroundRun background("\"" + exe + "\"", options);
    RunResult run = background.Wait();
    ASSERT_TRUE(run.finished) << run.Describe();
    std::vector<Record> records = ReadRecords(disc.Path("log.txt"));
    EXPECT_EQ(records.size(), 2u) << Describe(records);
}

TEST(RunProgram, ProgramThatCannotStartIsReportedAndNotWaitedFor) {
    // The window to wait for stays open all along: had the search been entered, the run would
    // not end.
    TitledWindow stays("Tarnwick Never Closes", false);
    ASSERT_NE(stays.handle(), nullptr);
    Disc disc('D', CaseName());
    std::string exe = PrepareDisc(disc, {}, R"(
[tarnwick]
NUMBEROFCOMMANDS=1
[COMMAND1]
COMMANDSHOWSTATUS=1
COMMANDISHIELD=1
COMMANDWINTITLE=Tarnwick Never Closes
COMMANDLINE=nosuchprogram.exe -s
)");
    RunOptions options;
    options.timeoutMs = 30000;
    BackgroundRun background("\"" + exe + "\" /d", options);
    RunResult run = background.Wait();
    ASSERT_TRUE(run.finished) << run.Describe();
    std::vector<Box> boxes = CommandBoxes(run);
    ASSERT_GE(boxes.size(), 4u) << run.Describe();
    EXPECT_EQ(boxes[2], (Box{"szTempBuffer", "nosuchprogram.exe -s"})) << run.Describe();
    EXPECT_EQ(boxes[3].caption, "Program not started") << run.Describe();
    // The command line, then the platform's reason on a line of its own.
    EXPECT_EQ(boxes[3].text.rfind("nosuchprogram.exe -s\r\n", 0), 0u) << run.Describe();
    EXPECT_GT(boxes[3].text.size(), std::string("nosuchprogram.exe -s\r\n").size())
        << "no reason given: " << run.Describe();
}

TEST(RunProgram, DebugBoxesOfACommand) {
    struct Case {
        const char* name;
        const char* keys;
        std::vector<Box> boxes;
    };
    const Case cases[] = {
        {"command line",
         "COMMANDCAPTION=Copying\nCOMMANDLINE=sleeper.exe 0 0 x.log one",
         {{"szWindowCaption", "Copying"}, {"szTempBuffer", "sleeper.exe 0 0 x.log one"}}},
        {"no command line",
         "COMMANDCAPTION=Nothing to run",
         {{"szWindowCaption", "Nothing to run"}}},
        {"hand-off with window title",
         "COMMANDISHIELD=1\nCOMMANDWINTITLE=Gone\nCOMMANDLINE=sleeper.exe 0 0 x.log b",
         {{"szWindowCaption", ""}, {"szTempBuffer", "sleeper.exe 0 0 x.log b"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Disc disc('D', CaseName());
        std::string exe = PrepareDisc(disc, {"sleeper"},
                                      ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=1
APPTITLE=Driver Setup
[COMMAND1]
$LINES
)",
                                                  {{"$LINES", c.keys}}));
        RunOptions options;
        options.currentDir = disc.Path();
        RunResult run = RunProgram("\"" + exe + "\" /d", options);
        ASSERT_TRUE(run.finished) << run.Describe();
        EXPECT_EQ(CommandBoxes(run), c.boxes) << run.Describe();
    }
}

// Commands under a status window show its title too; the boxes after the window has gone still
// wait for the user.
TEST(RunProgram, BoxesAfterAStatusWindowStillWaitForTheUser) {
    Disc disc('D', CaseName());
    std::string exe = PrepareDisc(disc, {"sleeper"}, R"(
[tarnwick]
NUMBEROFCOMMANDS=3
APPTITLE=Driver Setup
[COMMAND1]
COMMANDCAPTION=one
COMMANDSHOWSTATUS=1
COMMANDLINE=sleeper.exe 300 0 x.log one
[COMMAND2]
COMMANDCAPTION=two
COMMANDSHOWSTATUS=1
[COMMAND3]
COMMANDCAPTION=three
)");
    // A box that closes by itself would be gone before it was answered. By the third command's
    // box, each status window has gone with its command.
    std::vector<std::string> closedByThemselves;
    bool windowLeft = false;
    RunOptions options;
    options.currentDir = disc.Path();
    options.onBox = [&](const Box& box) {
        if (box.text == "three") windowLeft = FindStatusWindow(exe) != nullptr;
        Sleep(300);
        if (FindWindowOf(exe, "#32770", box.caption.c_str()) == nullptr) {
            closedByThemselves.push_back(box.caption + ": " + box.text);
        }
    };
    RunResult run = RunProgram("\"" + exe + "\" /d", options);
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(CommandBoxes(run), (std::vector<Box>{{"szWindowCaption", "one"},
                                                   {"szTempString - AppTitle", "Driver Setup"},
                                                   {"szTempBuffer", "sleeper.exe 300 0 x.log one"},
                                                   {"szWindowCaption", "two"},
                                                   {"szTempString - AppTitle", "Driver Setup"},
                                                   {"szWindowCaption", "three"}}))
        << run.Describe();
    EXPECT_TRUE(closedByThemselves.empty())
        << "boxes that did not wait: " << testing::PrintToString(closedByThemselves);
    EXPECT_FALSE(windowLeft) << "a status window outlived its command";
}

TEST(RunProgram, BroadcastFromAStartedProgramIsAnswered) {
    struct Case {
        const char* name;
        const char* keys;
    };
    const Case cases[] = {
        // The broadcast comes while the program is waited for.
        {"during the wait", "COMMANDLINE=broadcaster.exe $LOG direct"},
        // It comes from the hand-off installer's second process, while its window is searched
        // for (or, on a slow machine, during the pause before the search).
        {"during the window search",
         "COMMANDISHIELD=1\nCOMMANDWINTITLE=Tarnwick Broadcasting Setup\n"
         "COMMANDLINE=handoff.exe $LOG handoff broadcaster.exe $LOG direct "
         "\"Tarnwick Broadcasting Setup\" 2500"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Disc disc('D', CaseName());
        // The status window is a top-level window, so the broadcast goes to it too.
        std::string exe = PrepareDisc(disc, {"handoff", "broadcaster"},
                                      ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=1
[COMMAND1]
COMMANDSHOWSTATUS=1
$LINES
)",
                                                  {{"$LINES", c.keys}}));
        RunOptions options;
        options.timeoutMs = 40000;
        BackgroundRun background("\"" + exe + "\"", options);
        RunResult run = background.Wait();
        EXPECT_TRUE(run.finished) << run.Describe();
        std::vector<Record> records = ReadRecords(disc.Path("log.txt"));
        EXPECT_EQ(FindRecord(records, "direct").name, "direct")
            << "the broadcast was not answered: " << Describe(records);
    }
}

// An NSIS uninstaller (built during the test run) hands its work to a copy of itself in the
// temporary folder and exits at once. The next command copies the file the copy leaves as its
// last step: only a wait for the whole process tree lets it find that file.
TEST(Installers, WaitTreeOutlastsAnNsisUninstallersCopy) {
    struct Case {
        const char* name;
        const char* waitTree;
        bool copiedByNext;
    };
    const Case cases[] = {{"the program only", "0", false}, {"the process tree", "1", true}};
    const char* built = std::getenv("TARNWICK_INSTALLERS");
    ASSERT_NE(built, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Disc disc('D', CaseName());
        ASSERT_TRUE(
            CopyFileA(ToWindowsPath(std::string(built) + "/uninstaller_handoff.exe").c_str(),
                      disc.Path("uninstaller_handoff.exe").c_str(), FALSE));
        RemoveTree(TestTempDir());
        CreateDirectoryA(TestTempDir().c_str(), nullptr);
        std::string product = TestTempDir() + "\\product";
        std::string exe = PrepareDisc(disc, {},
                                      ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=3
[COMMAND1]
COMMANDLINE=uninstaller_handoff.exe /S /D=$PRODUCT
[COMMAND2]
COMMANDSHOWSTATUS=1
COMMANDWAITTREE=$TREE
COMMANDLINE=$PRODUCT\uninst.exe /S
[COMMAND3]
COMMANDTYPE=11
SOURCEFILENAME=%TEMP%\$CASE\product.removed
DESTFILENAME=%TEMP%\$CASE\seen-by-next-command
)",
                                                  {{"$PRODUCT", product}, {"$TREE", c.waitTree}}));
        RunResult run = RunProgram("\"" + exe + "\" /e");
        ASSERT_TRUE(run.finished) << run.Describe();
        bool copied = FileExists(TestTempDir() + "\\seen-by-next-command");
        // Either way the uninstaller's copy does its work to the end.
        EXPECT_TRUE(WaitUntil([&] { return FileExists(product + ".removed"); }))
            << "the uninstaller's copy never finished";
        EXPECT_FALSE(DirExists(product)) << "the uninstaller's copy did not remove the product";
        EXPECT_EQ(copied, c.copiedByNext)
            << (c.copiedByNext ? "the next command started while the uninstaller's copy worked"
                               : "the next command waited for a process it should not");
        EXPECT_EQ(run.exitCode, c.copiedByNext ? 0u : static_cast<DWORD>(ERROR_FILE_NOT_FOUND))
            << "the copy's result";
    }
    RemoveTree(TestTempDir());
}

namespace {

// Ends the process that owns the top-level window `title`, if any; whether there was one.
bool EndWindowsProcess(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr) return false;
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process != nullptr) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }
    return true;
}

}  // namespace

// A program that never ends, a tree that never empties and a hand-off window that never closes:
// under COMMANDTIMEOUT the command gives up waiting after the limit with ERROR_TIMEOUT, the list
// goes on, and what it waited for is left running.
TEST(RunProgram, TimeLimitEndsTheWaitAndLeavesTheProgramRunning) {
    struct Case {
        const char* name;
        const char* keys;
        const char* logged;  // the wait's own line in the log
        bool testsWindow;    // the window is the test's own, open all along; the program ends
    };
    const Case cases[] = {
        {"program", "COMMANDLINE=title_window.exe \"$TITLE\" 0 600000 $LOG forever",
         "time limit of 4 s passed", false},
        {"process tree",
         "COMMANDWAITTREE=1\n"
         "COMMANDLINE=handoff.exe $LOG handoff title_window.exe \"$TITLE\" 0 600000 $LOG forever",
         "waited for the process tree", false},
        {"hand-off window",
         "COMMANDISHIELD=1\nCOMMANDWINTITLE=$TITLE\nCOMMANDLINE=sleeper.exe 0 0 $LOG installer",
         "seen, still open", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string title = "Tarnwick Never Ends " + std::string(c.name);
        EndWindowsProcess(title.c_str());  // left over from an earlier run
        std::optional<TitledWindow> window;
        if (c.testsWindow) window.emplace(title, false);
        Disc disc('D', CaseName());
        std::string exe = PrepareDisc(disc, {"sleeper", "handoff", "title_window"},
                                      ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=2
[COMMAND1]
COMMANDSHOWSTATUS=1
COMMANDTIMEOUT=4
$LINES
[COMMAND2]
COMMANDLINE=sleeper.exe 0 0 $LOG next
)",
                                                  {{"$LINES", c.keys}, {"$TITLE", title}}));
        std::string log = TempDir() + "\\" + CaseName() + ".log";
        DeleteFileA(log.c_str());
        DWORD before = GetTickCount();
        RunResult run = BackgroundRun("\"" + exe + "\" /e /l:" + log).Wait();
        bool leftRunning = c.testsWindow || EndWindowsProcess(title.c_str());
        ASSERT_TRUE(run.finished) << run.Describe();
        Record next = FindRecord(ReadRecords(disc.Path("log.txt")), "next");
        ASSERT_EQ(next.name, "next") << "the list did not go on after the limit";
        EXPECT_GE(next.start - before, 4000u) << "the next command began before the limit";
        EXPECT_TRUE(leftRunning) << "the program waited for was ended, or never ran";
        EXPECT_EQ(run.exitCode, static_cast<DWORD>(ERROR_TIMEOUT)) << run.Describe();
        std::string text = ReadFile(log).value_or("");
        for (const char* part : {c.logged, "time limit of 4 s passed; left running\r\n",
                                 "command 1 failed: result 1460 ("}) {
            EXPECT_NE(text.find(part), std::string::npos) << part << " not in:\n" << text;
        }
        DeleteFileA(log.c_str());
    }
}
