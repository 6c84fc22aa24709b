// The search for libraries named without a path, narrowed at the exe's entry before anything
// else runs, where no test can look: tried here in the test's own process, beside which a
// planted library lies.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/system_library.h"

TEST(LibrarySearch, NarrowedToTheSystemDirectory) {
    char path[MAX_PATH];
    DWORD len = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, len);
    folder.erase(folder.rfind('\\') + 1);
    ASSERT_NE(GetFileAttributesA((folder + "planted_dll.dll").c_str()), INVALID_FILE_ATTRIBUTES)
        << "no library beside the test program to be found there";
    NarrowLibrarySearch();
    HMODULE planted = LoadLibraryA("planted_dll.dll");
    if (planted != nullptr) FreeLibrary(planted);
    DeleteFileA((folder + "planted.txt").c_str());
    EXPECT_EQ(planted, nullptr) << "a library beside the program was loaded by its bare name";
    // A system library is still found by its name.
    HMODULE system = LoadLibraryA("imagehlp.dll");
    EXPECT_NE(system, nullptr) << "the system directory is no longer searched";
}

// Where Windows has no SetDefaultDllDirectories (XP SP1 to 7 without its update), the current
// directory is taken out of the search instead.
TEST(LibrarySearch, CurrentDirectoryLeftOutWhereTheSystemDirectoryCannotBeChosen) {
    if (GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories") != nullptr) {
        GTEST_SKIP() << "this system (every Wine among them) narrows the search to the system "
                        "directory; older ones, and the redirection by <exe>.local of Windows 98 "
                        "SE, ME and 2000, cannot be shown here";
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string planted = std::string(temp) + "planted_cwd.dll";
    char path[MAX_PATH];
    DWORD len = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string beside = std::string(path, len);
    beside.replace(beside.rfind('\\') + 1, std::string::npos, "planted_dll.dll");
    ASSERT_TRUE(CopyFileA(beside.c_str(), planted.c_str(), FALSE));
    SetCurrentDirectoryA(temp);
    NarrowLibrarySearch();
    HMODULE loaded = LoadLibraryA("planted_cwd.dll");
    if (loaded != nullptr) FreeLibrary(loaded);
    DeleteFileA(planted.c_str());
    DeleteFileA((std::string(temp) + "planted.txt").c_str());
    EXPECT_EQ(loaded, nullptr) << "a library in the current directory was loaded by its name";
}
