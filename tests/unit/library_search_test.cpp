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
