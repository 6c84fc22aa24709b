// The registry commands without a REGKEY, which would name HKEY_LOCAL_MACHINE itself, called in
// the test's own process with that root pointed at a scratch key. End to end Wine cannot show
// what they would do to the real root: it refuses to delete it whatever Windows it imitates,
// where Windows 95 deletes the whole tree below it.
#include <gtest/gtest.h>

#include "base/shell_state.h"
#include "base/text.h"
#include "commands/registry_commands.h"
#include "harness/harness.h"
#include "harness/script_run.h"

using namespace harness;

TEST(RegistryRoot, AbsentRegKeyLeavesTheRootAlone) {
    // Windows 2000 and later; not in the headers of the program's Windows version.
    using OverrideFn = LONG(WINAPI*)(HKEY, HKEY);
    auto override = reinterpret_cast<OverrideFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegOverridePredefKey")));
    ASSERT_NE(override, nullptr);
    Disc disc('D', CaseName());
    disc.WriteScript("[COMMAND1]\nREGVALUENAME=kept\nREGVALUE=overwritten\n");
    TextCopy(g_shell.ConfigPath, kPathSize, disc.Path("tarnwick.cfg").c_str());
    const std::string root = TestKey() + "\\Root";

    struct Case {
        const char* name;
        DWORD (*handler)(const char* section);
    };
    const Case cases[] = {
        {"type 3 deletes no key", DeleteRegKey},
        {"type 4 sets no value", SetRegValue},
        {"type 5 deletes no value", DeleteRegValue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteHklmTree(TestKey());
        SetHklmString(root, "kept", "as it was");
        HKEY scratch;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, root.c_str(), 0, KEY_ALL_ACCESS, &scratch),
                  ERROR_SUCCESS);
        ASSERT_EQ(override(HKEY_LOCAL_MACHINE, scratch), ERROR_SUCCESS);
        // Refused, not carried out: under /e the run says so.
        EXPECT_EQ(c.handler("COMMAND1"), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        override(HKEY_LOCAL_MACHINE, nullptr);
        RegCloseKey(scratch);
        EXPECT_EQ(ReadHklmString(root, "kept").value_or("(missing)"), "as it was");
    }
    DeleteHklmTree(TestKey());
}
