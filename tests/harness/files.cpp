// Disc folders and file checks for the tests.
#include <gtest/gtest.h>

#include <cstdlib>

#include "harness/harness.h"

namespace harness {

std::string CaseName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "_" + info->name() : "nocase";
}

std::string ToWindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string HelperPath(const std::string& name) {
    const char* dir = std::getenv("TARNWICK_HELPERS");
    return ToWindowsPath(std::string(dir ? dir : ".") + "/" + name + ".exe");
}

void InstallHelper(const Disc& disc, const std::string& helper, const std::string& name) {
    std::string target = disc.Path((name.empty() ? helper : name) + ".exe");
    ASSERT_TRUE(CopyFileA(HelperPath(helper).c_str(), target.c_str(), FALSE))
        << "cannot copy " << helper << " to " << target;
}

void RemoveTree(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") RemoveTree(path + "\\" + name);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::set<std::string> Entries(const std::string& dir) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

std::optional<std::string> ReadFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string content;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
        content.append(chunk, got);
    }
    CloseHandle(file);
    return content;
}

void WriteFile(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot write " << path;
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

std::string TempDir() {
    char path[MAX_PATH] = "";
    DWORD len = GetTempPathA(MAX_PATH, path);
    if (len > 0) path[len - 1] = '\0';
    return path;
}

std::string CurrentDir() {
    char path[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, path);
    return path;
}

Disc::Disc(char drive, const std::string& folder) {
    root_ = std::string(1, drive) + ":";
    if (!folder.empty()) root_ += "\\" + folder;
    if (folder.empty()) {
        // A drive's root: wipe what is in it.
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((root_ + "\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string name = found.cFileName;
                if (name != "." && name != "..") RemoveTree(root_ + "\\" + name);
            } while (FindNextFileA(find, &found));
            FindClose(find);
        }
    } else {
        RemoveTree(root_);
        CreateDirectoryA(root_.c_str(), nullptr);
    }
}

std::string Disc::Path(const std::string& relative) const {
    return relative.empty() ? root_ : root_ + "\\" + relative;
}

std::string Disc::InstallExe(const std::string& name) const {
    const char* exe = std::getenv("TARNWICK_EXE");
    std::string target = Path(name);
    EXPECT_TRUE(exe != nullptr) << "TARNWICK_EXE is not set";
    if (exe != nullptr) {
        EXPECT_TRUE(CopyFileA(ToWindowsPath(exe).c_str(), target.c_str(), FALSE))
            << "cannot copy the exe to " << target;
    }
    return target;
}

void Disc::WriteScript(const std::string& text) const {
    harness::WriteFile(Path("tarnwick.cfg"), text);
}

void Disc::WriteFile(const std::string& relative, const std::string& content) const {
    harness::WriteFile(Path(relative), content);
}

void Disc::MakeDir(const std::string& relative) const {
    CreateDirectoryA(Path(relative).c_str(), nullptr);
}

}  // namespace harness
