// Command types 2 to 5 end to end: keys and string values below HKEY_LOCAL_MACHINE, checked by
// reading the real registry afterwards.
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

// Each test works below a key of its own, wiped before and after.
class RegistryCommands : public ::testing::Test {
  protected:
    void SetUp() override { DeleteHklmTree(TestKey()); }
    void TearDown() override { DeleteHklmTree(TestKey()); }
};

// The type and the stored length of a value, the terminating zero counted.
struct RawValue {
    DWORD type = REG_NONE;
    DWORD size = 0;
};

std::optional<RawValue> QueryRaw(const std::string& key, const std::string& name) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue raw;
    LONG rc = RegQueryValueExA(handle, name.c_str(), nullptr, &raw.type, nullptr, &raw.size);
    RegCloseKey(handle);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    return raw;
}

}  // namespace

TEST_F(RegistryCommands, CreateKeyMakesMissingLevelsAndKeepsAnExistingKey) {
    Disc disc('D', CaseName());
    SetHklmString(TestKey() + "\\Kept", "Setting", "unchanged");
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=2
[COMMAND1]
COMMANDTYPE=2
REGKEY=$KEY\A\B
[COMMAND2]
COMMANDTYPE=2
REGKEY=$KEY\Kept
)"));
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    EXPECT_TRUE(HklmKeyExists(TestKey() + "\\A")) << "the missing level above is made";
    EXPECT_TRUE(HklmKeyExists(TestKey() + "\\A\\B"));
    EXPECT_EQ(ReadHklmString(TestKey() + "\\Kept", "Setting").value_or("(missing)"), "unchanged");
}

TEST_F(RegistryCommands, DeleteKey) {
    Disc disc('D', CaseName());
    SetHklmString(TestKey() + "\\Leaf", "Setting", "x");
    SetHklmString(TestKey() + "\\Parent\\Child", "Setting", "x");
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=3
[COMMAND1]
COMMANDTYPE=3
REGKEY=$KEY\Absent
[COMMAND2]
COMMANDTYPE=3
REGKEY=$KEY\Leaf
[COMMAND3]
COMMANDTYPE=3
REGKEY=$KEY\Parent
)"));
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    EXPECT_FALSE(HklmKeyExists(TestKey() + "\\Absent")) << "deleting an absent key makes none";
    EXPECT_FALSE(HklmKeyExists(TestKey() + "\\Leaf")) << "a key with values but no subkeys goes";
    // The platform's rule for a key with subkeys: Windows NT and Wine in its default (NT) mode
    // keep it; Windows 95 deletes the whole subtree.
    EXPECT_TRUE(HklmKeyExists(TestKey() + "\\Parent\\Child"));
}

TEST_F(RegistryCommands, SetValueStoresExpandedTextWithItsZero) {
    Disc disc('D', CaseName());
    SetHklmString(TestKey(), "Replaced", "old");
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=3
[COMMAND1]
COMMANDTYPE=4
REGKEY=$KEY\A\B
REGVALUENAME=InfPath
REGVALUE=%TEMP%\x.inf
[COMMAND2]
COMMANDTYPE=4
REGKEY=$KEY
REGVALUENAME=Replaced
REGVALUE=new
[COMMAND3]
COMMANDTYPE=4
REGKEY=$KEY
REGVALUE=the default
)"));
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    const std::string expected = TempDir() + "\\x.inf";
    EXPECT_EQ(ReadHklmString(TestKey() + "\\A\\B", "InfPath").value_or("(missing)"), expected)
        << "the key and its missing level are made, the value expanded";
    std::optional<RawValue> raw = QueryRaw(TestKey() + "\\A\\B", "InfPath");
    ASSERT_TRUE(raw.has_value());
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
    // Windows NT and Wine add a terminating zero a caller left out of the length themselves, so
    // this guards against a length that is too long rather than one short.
    EXPECT_EQ(raw->size, expected.size() + 1) << "the data is the text and its terminating zero";
    EXPECT_EQ(ReadHklmString(TestKey(), "Replaced").value_or("(missing)"), "new");
    EXPECT_EQ(ReadHklmString(TestKey(), "").value_or("(missing)"), "the default")
        << "no REGVALUENAME: the key's default value";
}

TEST_F(RegistryCommands, DeleteValue) {
    Disc disc('D', CaseName());
    SetHklmString(TestKey(), "Gone", "x");
    SetHklmString(TestKey(), "Stays", "x");
    SetHklmString(TestKey(), "", "the default");
    RunResult run = RunScript(disc, ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=4
[COMMAND1]
COMMANDTYPE=5
REGKEY=$KEY
REGVALUENAME=Gone
[COMMAND2]
COMMANDTYPE=5
REGKEY=$KEY
[COMMAND3]
COMMANDTYPE=5
REGKEY=$KEY\Missing\Deeper
REGVALUENAME=Stays
[COMMAND4]
COMMANDTYPE=5
REGKEY=$KEY
REGVALUENAME=Absent
)"));
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();
    EXPECT_FALSE(HklmValueExists(TestKey(), "Gone"));
    EXPECT_FALSE(HklmValueExists(TestKey(), "")) << "no REGVALUENAME: the default value";
    EXPECT_TRUE(HklmValueExists(TestKey(), "Stays"));
    EXPECT_FALSE(HklmKeyExists(TestKey() + "\\Missing")) << "a missing key is not created";
}
