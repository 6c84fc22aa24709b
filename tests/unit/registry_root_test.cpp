// The registry commands with a REGKEY that names no key (absent, or only separators and blanks)
// and so may name HKEY_LOCAL_MACHINE itself, called in the test's own process with that root
// pointed at a scratch key. End to end Wine cannot show what they would do to the real root: it
// refuses to delete it whatever Windows it imitates, where Windows 95 deletes the whole tree
// below it.
#include <gtest/gtest.h>

#include "base/shell_state.h"
#include "base/text.h"
#include "commands/registry_commands.h"
#include "harness/harness.h"
#include "harness/script_run.h"

using namespace harness;

TEST(RegistryRoot, KeyWithoutANameLeavesTheRootAlone) {
    // Windows 2000 and later; not in the headers of the program's Windows version.
    using OverrideFn = LONG(WINAPI*)(HKEY, HKEY);
    auto override = reinterpret_cast<OverrideFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegOverridePredefKey")));
    ASSERT_NE(override, nullptr);
    Disc disc('D', CaseName());
    // Each section's REGKEY names no key below the root: absent, separators, blanks (kept by
    // their quotes), or both. Wine refuses a key path that starts with a separator, where Windows
    // 95 takes it for the root; it makes a key named by blanks, so those rows show here.
    disc.WriteScript(R"(
[COMMAND1]
REGVALUENAME=kept
REGVALUE=overwritten
[COMMAND2]
REGKEY=\
REGVALUENAME=kept
REGVALUE=overwritten
[COMMAND3]
REGKEY=\\\
REGVALUENAME=kept
REGVALUE=overwritten
[COMMAND4]
REGKEY=" "
REGVALUENAME=kept
REGVALUE=overwritten
[COMMAND5]
REGKEY=" \ \ "
REGVALUENAME=kept
REGVALUE=overwritten
)");
    TextCopy(g_shell.ConfigPath, kPathSize, disc.Path("tarnwick.cfg").c_str());
    const std::string root = TestKey() + "\\Root";

    struct Case {
        const char* name;
        DWORD (*handler)(const char* section);
    };
    const Case cases[] = {
        {"type 2 makes no key", CreateRegKey},
        {"type 3 deletes no key", DeleteRegKey},
        {"type 4 sets no value", SetRegValue},
        {"type 5 deletes no value", DeleteRegValue},
    };
    for (const char* section : {"COMMAND1", "COMMAND2", "COMMAND3", "COMMAND4", "COMMAND5"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(section) + ": " + c.name);
            DeleteHklmTree(TestKey());
            SetHklmString(root, "kept", "as it was");
            HKEY scratch;
            ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, root.c_str(), 0, KEY_ALL_ACCESS, &scratch),
                      ERROR_SUCCESS);
            ASSERT_EQ(override(HKEY_LOCAL_MACHINE, scratch), ERROR_SUCCESS);
            // Refused, not carried out: under /e the run says so.
            EXPECT_EQ(c.handler(section), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
            override(HKEY_LOCAL_MACHINE, nullptr);
            char made[MAX_PATH] = "";
            bool subkey = RegEnumKeyA(scratch, 0, made, sizeof(made)) == ERROR_SUCCESS;
            RegCloseKey(scratch);
            EXPECT_EQ(ReadHklmString(root, "kept").value_or("(missing)"), "as it was");
            EXPECT_FALSE(subkey) << "the root got a key '" << made << "'";
        }
    }
    DeleteHklmTree(TestKey());
}
