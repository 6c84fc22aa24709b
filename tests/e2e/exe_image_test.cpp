// The resources of the shipped exe as the platform's own loader finds them (tests/check_image.sh
// reads the rest of the image without Wine).
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "harness/harness.h"

using namespace harness;

namespace {

std::string ExePath() {
    const char* exe = std::getenv("TARNWICK_EXE");
    return exe ? ToWindowsPath(exe) : "";
}

}  // namespace

TEST(ExeImage, Resources) {
    HMODULE exe = LoadLibraryExA(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr) << ExePath();
    char text[100] = "";
    EXPECT_GT(LoadStringA(exe, 103, text, sizeof(text)), 0);
    EXPECT_STREQ(text, "lanthorn") << "string 103, the status window's first title";
    EXPECT_GT(LoadStringA(exe, 109, text, sizeof(text)), 0);
    EXPECT_STREQ(text, "LANTHORN") << "string 109, the status window's class";

    HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr) << "no application manifest";
    const char* data = static_cast<const char*>(LockResource(LoadResource(exe, found)));
    std::string manifest(data, SizeofResource(exe, found));
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos) << manifest;
    // Windows 10 and 11 share one id.
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"" TARNWICK_VERSION ".0\""), std::string::npos) << manifest;
    FreeLibrary(exe);
}

// The version set for the build reaches the numbers and the texts of the version information.
TEST(ExeImage, VersionInformation) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(ExePath().c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version information";
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(ExePath().c_str(), 0, size, info.data()));
    void* data = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &data, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
    auto dotted = [](DWORD high, DWORD low) {
        return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
               std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
    };
    EXPECT_EQ(dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS), TARNWICK_VERSION ".0");
    EXPECT_EQ(dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS), TARNWICK_VERSION ".0");
    for (const char* name : {"FileVersion", "ProductVersion"}) {
        std::string query = std::string("\\StringFileInfo\\040904b0\\") + name;
        ASSERT_TRUE(VerQueryValueA(info.data(), query.c_str(), &data, &length)) << name;
        EXPECT_STREQ(static_cast<const char*>(data), TARNWICK_VERSION) << name;
    }
}
