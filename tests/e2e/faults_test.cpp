// Faults a disc meets in the field, all in one script: after each, the list goes on, and the
// run ends with exit code 0. The one place that asserts that no failure stops the list.
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "harness/records.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

// A key below HKEY_LOCAL_MACHINE whose security grants nobody any access (an empty DACL).
bool MakeLockedKey(const std::string& key) {
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    ACL acl;
    InitializeAcl(&acl, sizeof(acl), ACL_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE);
    SECURITY_ATTRIBUTES sa = {sizeof(sa), &sd, FALSE};
    HKEY handle;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, &sa,
                        &handle, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// The owner may still change the DACL: give access back so that the key can be deleted.
void UnlockKey(const std::string& key) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, WRITE_DAC, &handle) != ERROR_SUCCESS)
        return;
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
    RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, &sd);
    RegCloseKey(handle);
}

// A type 4 command that marks, below the test's key, that the list reached it.
std::string Marker(int n) {
    return "[COMMAND" + std::to_string(n) + "]\nCOMMANDTYPE=4\nREGKEY=$KEY\nREGVALUENAME=after" +
           std::to_string(n - 1) + "\nREGVALUE=ran\n";
}

}  // namespace

TEST(Faults, ListAlwaysGoesOn) {
    Disc disc('D', CaseName());
    InstallHelper(disc, "crasher");
    InstallHelper(disc, "handoff");
    InstallHelper(disc, "title_window");
    InstallHelper(disc, "sleeper");
    disc.WriteFile("payload.txt", "new");
    std::string log = TestTempDir() + "\\log.txt";
    std::string locked = TestKey() + "\\Locked";
    UnlockKey(locked);
    DeleteHklmTree(TestKey());
    RemoveTree(TestTempDir());
    CreateDirectoryA(TestTempDir().c_str(), nullptr);
    std::string readOnly = TestTempDir() + "\\readonly.txt";
    WriteFile(readOnly, "old");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(MakeLockedKey(locked));

    struct Fault {
        const char* name;
        std::string keys;  // the section's lines after its header
    };
    const Fault faults[] = {
        {"read-only destination", "COMMANDTYPE=11\nSOURCEFILENAME=" + disc.Path("payload.txt") +
                                      "\nDESTFILENAME=" + readOnly + "\n"},
        {"missing source",
         "COMMANDTYPE=11\nSOURCEFILENAME=%CURRENTDRIVE%\\absent\\x.inf\n"
         "DESTFILENAME=%TEMP%\\$CASE\\x.inf\n"},
        {"missing parent", "COMMANDTYPE=6\nDIRNAME=%TEMP%\\$CASE\\absent\\child\n"},
        {"remove a missing directory", "COMMANDTYPE=7\nDIRNAME=%TEMP%\\$CASE\\absent\n"},
        {"delete a missing key", "COMMANDTYPE=3\nREGKEY=$KEY\\Missing\n"},
        {"delete a value of a missing key",
         "COMMANDTYPE=5\nREGKEY=$KEY\\Missing\nREGVALUENAME=x\n"},
        {"value in a key without access",
         "COMMANDTYPE=4\nREGKEY=$KEY\\Locked\nREGVALUENAME=v\nREGVALUE=x\n"},
        {"delete a value in a key without access",
         "COMMANDTYPE=5\nREGKEY=$KEY\\Locked\nREGVALUENAME=v\n"},
        {"program that cannot be started", "COMMANDLINE=no-such-installer.exe /s\n"},
        {"program that crashes", "COMMANDLINE=crasher.exe " + log + " crasher\n"},
        {"hand-off to a child that keeps a window open",
         "COMMANDISHIELD=1\nCOMMANDWINTITLE=Faults Handoff Window\nCOMMANDLINE=handoff.exe " + log +
             " handoff title_window.exe \"Faults Handoff Window\" 1 2500 " + log + " window\n"},
        {"wait for a window that never has that title",
         "COMMANDISHIELD=1\nCOMMANDWINTITLE=Title Never Shown\nCOMMANDLINE=sleeper.exe 0 0 " + log +
             " untitled\n"},
    };
    std::string script =
        "[tarnwick]\nNUMBEROFCOMMANDS=" + std::to_string(2 * std::size(faults) + 1) + "\n";
    int n = 0;
    for (const Fault& fault : faults) {
        std::string keys = fault.keys;
        if (keys.rfind("COMMANDTYPE=", 0) != 0) keys = "COMMANDTYPE=1\n" + keys;
        script += "[COMMAND" + std::to_string(++n) + "]\n" + keys;
        script += Marker(++n);
    }
    script +=
        "[COMMAND" + std::to_string(++n) + "]\nCOMMANDLINE=sleeper.exe 0 0 " + log + " last\n";

    RunResult run = RunScript(disc, ForThisTest(script));
    std::vector<Record> records = ReadRecords(log);
    UnlockKey(locked);
    bool lockedValue = HklmValueExists(locked, "v");
    std::vector<std::string> markers;
    for (size_t i = 1; i <= std::size(faults); ++i) {
        markers.push_back(
            ReadHklmString(TestKey(), "after" + std::to_string(2 * i - 1)).value_or("(missing)"));
    }
    DeleteHklmTree(TestKey());
    RemoveTree(TestTempDir());

    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    for (size_t i = 0; i < std::size(faults); ++i) {
        EXPECT_EQ(markers[i], "ran") << "the list stopped after: " << faults[i].name;
    }
    EXPECT_EQ(FindRecord(records, "crasher").name, "crasher") << Describe(records);
    EXPECT_EQ(FindRecord(records, "last").name, "last") << Describe(records);
    // The command after the hand-off started only once the child's window had gone.
    Record window = FindRecord(records, "window");
    Record untitled = FindRecord(records, "untitled");
    ASSERT_EQ(window.name, "window") << Describe(records);
    EXPECT_GE(untitled.start, window.end) << Describe(records);
    // The key's security holds: nothing was written into it.
    EXPECT_FALSE(lockedValue) << "a value was set in a key that grants no access";
}
