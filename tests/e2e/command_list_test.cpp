// A script whose middle commands all fail: every command after them still runs.
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "harness/script_run.h"

using namespace harness;

TEST(CommandList, FailingCommandsNeverStopTheRest) {
    Disc disc('D', CaseName());
    DeleteHklmTree(TestKey());
    RemoveTree(TestTempDir());
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=10
[COMMAND1]
COMMANDTYPE=4
REGKEY=$KEY
REGVALUENAME=first
REGVALUE=ran
[COMMAND2]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE\no\parent
[COMMAND3]
COMMANDTYPE=11
SOURCEFILENAME=%CURRENTDRIVE%\absent.inf
DESTFILENAME=%TEMP%\$CASE.inf
[COMMAND4]
COMMANDTYPE=5
REGKEY=$KEY\Missing
REGVALUENAME=x
[COMMAND5]
COMMANDTYPE=3
REGKEY=$KEY\Missing
[COMMAND6]
COMMANDTYPE=7
DIRNAME=%TEMP%\$CASE\absent
[COMMAND7]
COMMANDTYPE=9
[COMMAND8]
COMMANDTYPE=12
[COMMAND9]
COMMANDTYPE=6
DIRNAME=%TEMP%\$CASE
[COMMAND10]
COMMANDTYPE=4
REGKEY=$KEY
REGVALUENAME=last
REGVALUE=ran
)"));
    bool dirMade = DirExists(TestTempDir());
    std::string first = ReadHklmString(TestKey(), "first").value_or("(missing)");
    std::string last = ReadHklmString(TestKey(), "last").value_or("(missing)");
    DeleteHklmTree(TestKey());
    RemoveTree(TestTempDir());
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    EXPECT_EQ(first, "ran") << "command 1 ran";
    EXPECT_TRUE(dirMade) << "command 9 ran";
    EXPECT_EQ(last, "ran") << "command 10 ran";
}
