// The path macros end to end: each case is a REGVALUE of a type 4 command, read back from the
// registry after a run with the option that says where %CURRENTDRIVE% points.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/harness.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

class Macros : public ::testing::Test {
  protected:
    void SetUp() override { DeleteHklmTree(TestKey()); }
    void TearDown() override { DeleteHklmTree(TestKey()); }
};

struct Case {
    const char* name;
    std::string value;     // REGVALUE as written in the script
    std::string expected;  // the stored value
};

// One type 4 command per case, the value named after the case's index.
std::string ScriptFor(const std::vector<Case>& cases) {
    std::string script = "[tarnwick]\nNUMBEROFCOMMANDS=" + std::to_string(cases.size()) + "\n";
    for (size_t i = 0; i < cases.size(); ++i) {
        script += "[COMMAND" + std::to_string(i + 1) + "]\nCOMMANDTYPE=4\nREGKEY=" + TestKey() +
                  "\nREGVALUENAME=v" + std::to_string(i) + "\nREGVALUE=" + cases[i].value + "\n";
    }
    return script;
}

std::vector<Case> CasesFor(const std::string& temp, const std::string& drive) {
    return {
        {"%TEMP%", "%TEMP%\\setup.log", temp + "\\setup.log"},
        {"%CURRENTDRIVE%", "%CURRENTDRIVE%\\drivers\\disp.inf", drive + "\\drivers\\disp.inf"},
        {"both, %CURRENTDRIVE% first", "%CURRENTDRIVE%\\x;%TEMP%\\y",
         drive + "\\x;" + temp + "\\y"},
        {"second %TEMP% stays", "%TEMP%\\a;%TEMP%\\b", temp + "\\a;%TEMP%\\b"},
        {"second %CURRENTDRIVE% stays", "%CURRENTDRIVE%\\a;%CURRENTDRIVE%\\b",
         drive + "\\a;%CURRENTDRIVE%\\b"},
        {"adjacent", "%TEMP%%CURRENTDRIVE%", temp + drive},
        {"other case is no macro", "%temp%\\a;%Currentdrive%\\b", "%temp%\\a;%Currentdrive%\\b"},
        {"no macro", "C:\\plain\\path", "C:\\plain\\path"},
        {"half a macro", "%TEMP\\a;CURRENTDRIVE%", "%TEMP\\a;CURRENTDRIVE%"},
        {"empty", "", ""},
    };
}

}  // namespace

TEST_F(Macros, ExpandedWithEachDriveOption) {
    struct Run {
        const char* options;
        std::string drive;  // what %CURRENTDRIVE% stands for
    };
    const Run runs[] = {
        {"", "D:"},           // the drive of the exe's own path
        {"/t", TempDir()},    // the temporary directory
        {"/cd:f:", "F:"},     // the two characters after /CD:, upper-cased
        {"/t /CD:g:", "G:"},  // /cd: wins over /t
    };
    for (const Run& r : runs) {
        SCOPED_TRACE(std::string("options \"") + r.options + "\"");
        Disc disc('D', CaseName());
        DeleteHklmTree(TestKey());
        std::vector<Case> cases = CasesFor(TempDir(), r.drive);
        RunResult run = RunScript(disc, ScriptFor(cases), r.options);
        ASSERT_TRUE(run.finished) << run.Describe();
        EXPECT_TRUE(run.boxes.empty()) << run.Describe();
        for (size_t i = 0; i < cases.size(); ++i) {
            EXPECT_EQ(ReadHklmString(TestKey(), "v" + std::to_string(i)).value_or("(missing)"),
                      cases[i].expected)
                << cases[i].name;
        }
    }
}

// A long temporary directory standing for both macros gives more than 519 characters: the
// result is cut there. The directory comes from TMP, which the exe inherits.
TEST_F(Macros, LongResultIsCutAt519Characters) {
    const std::string folder = TestTempDir();  // before TMP changes what TestTempDir gives
    std::string temp = folder + "\\";
    temp += std::string(250 - temp.size(), 'L');
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(temp.c_str(), nullptr);
    const std::string tail(200, 'v');
    std::vector<Case> cases = {
        {"over 519", "%TEMP%\\%CURRENTDRIVE%\\" + tail,
         (temp + "\\" + temp + "\\" + tail).substr(0, 519)},
        {"%TEMP% alone fits", "%TEMP%\\" + tail, temp + "\\" + tail},
    };
    Disc disc('D', CaseName());
    SetEnvironmentVariableA("TMP", (temp + "\\").c_str());
    ASSERT_EQ(TempDir(), temp) << "TMP did not set the temporary directory";
    RunResult run = RunScript(disc, ScriptFor(cases), "/t");
    RemoveTree(folder);
    ASSERT_TRUE(run.finished) << run.Describe();
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(ReadHklmString(TestKey(), "v" + std::to_string(i)).value_or("(missing)"),
                  cases[i].expected)
            << cases[i].name;
    }
}
