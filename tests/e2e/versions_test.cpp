// One exe from Windows 95 to today's Windows: the same runs under the Windows versions that
// Wine can report to the program (the AppDefaults setting for tarnwick.exe).
#include <gtest/gtest.h>

#include <cstring>

#include "harness/harness.h"
#include "harness/records.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

struct Version {
    const char* setting;
    const char* seen;  // what GetVersionExA then reports: "major.minor platform"
};

const Version kOldVersions[] = {
    {"win95", "4.0 1"},
    {"nt40", "4.0 2"},
};
// Windows 10 shows as 6.2 to a program without a manifest that names it.
const Version kNewVersions[] = {
    {"winxp", "5.1 2"},
    {"win10", "6.2 2"},
};

void SetReportedVersion(const char* setting) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\tarnwick.exe", &key),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(setting),
                   static_cast<DWORD>(strlen(setting) + 1));
    RegCloseKey(key);
}

// The version that a program named tarnwick.exe is shown.
std::string SeenVersion(const Disc& disc) {
    disc.MakeDir("probe");
    std::string probe = disc.Path("probe\\tarnwick.exe");
    CopyFileA(HelperPath("version_probe").c_str(), probe.c_str(), FALSE);
    std::string out = disc.Path("probe\\seen.txt");
    RunProgram("\"" + probe + "\" " + out);
    return ReadFile(out).value_or("(nothing)");
}

// Every command type once, under each version: a copy from the disc, a directory made and one
// removed, registry keys and values set and deleted, a program run under the status window.
void SmokeUnder(const Version (&versions)[2]) {
    for (const Version& version : versions) {
        SCOPED_TRACE(version.setting);
        SetReportedVersion(version.setting);
        Disc disc('D', CaseName() + "_" + version.setting);
        ASSERT_EQ(SeenVersion(disc), version.seen);

        std::string exe = disc.InstallExe();
        InstallHelper(disc, "sleeper");
        disc.WriteFile("payload.txt", "from the disc");
        std::string key = "Software\\TarnwickTests\\Versions\\" + std::string(version.setting);
        std::string temp = TempDir() + "\\Versions_" + version.setting;
        std::string log = temp + "\\log.txt";
        DeleteHklmTree(key);
        RemoveTree(temp);
        disc.WriteScript(ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=10
APPTITLE=Smoke
[COMMAND1]
COMMANDTYPE=6
DIRNAME=$DIR
[COMMAND2]
COMMANDTYPE=11
SOURCEFILENAME=$DISC\payload.txt
DESTFILENAME=$DIR\payload.txt
[COMMAND3]
COMMANDTYPE=2
REGKEY=$VKEY\Gone
[COMMAND4]
COMMANDTYPE=4
REGKEY=$VKEY
REGVALUENAME=Copied
REGVALUE=$DIR\payload.txt
[COMMAND5]
COMMANDTYPE=4
REGKEY=$VKEY
REGVALUENAME=Dropped
REGVALUE=x
[COMMAND6]
COMMANDTYPE=5
REGKEY=$VKEY
REGVALUENAME=Dropped
[COMMAND7]
COMMANDTYPE=3
REGKEY=$VKEY\Gone
[COMMAND8]
COMMANDTYPE=6
DIRNAME=$DIR\scratch
[COMMAND9]
COMMANDTYPE=7
DIRNAME=$DIR\scratch
[COMMAND10]
COMMANDTYPE=1
COMMANDSHOWSTATUS=1
COMMANDCAPTION=Smoke
COMMANDLINE=sleeper.exe 300 0 $DIR\log.txt smoke
)",
                                     {{"$DIR", temp}, {"$DISC", disc.Path()}, {"$VKEY", key}}));
        RunResult run = RunProgram("\"" + exe + "\"");

        ASSERT_TRUE(run.finished) << run.Describe();
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_TRUE(run.boxes.empty()) << run.Describe();
        EXPECT_EQ(ReadFile(temp + "\\payload.txt").value_or("(none)"), "from the disc");
        EXPECT_EQ(ReadHklmString(key, "Copied").value_or("(none)"), temp + "\\payload.txt");
        EXPECT_FALSE(HklmValueExists(key, "Dropped"));
        EXPECT_FALSE(HklmKeyExists(key + "\\Gone"));
        EXPECT_FALSE(DirExists(temp + "\\scratch"));
        EXPECT_EQ(ReadRecords(log).size(), 1u) << "the program did not run once";
        DeleteHklmTree(key);
        SetFileAttributesA((temp + "\\payload.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveTree(temp);
    }
}

}  // namespace

TEST(Versions, SmokeUnderWindows95AndNt4) {
    if (sizeof(void*) == 8) GTEST_SKIP() << "no 64-bit Windows 95 or NT 4: x64 build under test";
    SmokeUnder(kOldVersions);
}

TEST(Versions, SmokeUnderXpAnd10) { SmokeUnder(kNewVersions); }
