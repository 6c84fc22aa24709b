// Looking up a file on a disc folder as Windows would.
#include "disc_files.h"

#include <filesystem>
#include <system_error>

#include "script_file.h"

namespace check {

namespace fs = std::filesystem;

namespace {

// The entry of `dir` named `name` in any case, or an empty path.
fs::path Entry(const fs::path& dir, const std::string& name) {
    std::error_code error;
    fs::path exact = dir / name;
    if (fs::exists(exact, error)) return exact;
    std::string upper = Upper(name);
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        if (Upper(it->path().filename().string()) == upper) return it->path();
    }
    return {};
}

}  // namespace

bool FileOnDisc(const std::string& folder, const std::string& relative) {
    fs::path at = folder;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find_first_of("\\/", start);
        if (end == std::string::npos) end = relative.size();
        std::string level = relative.substr(start, end - start);
        start = end + 1;
        if (level.empty() || level == ".") continue;
        if (level == "..") {
            at = at.parent_path();
            continue;
        }
        at = Entry(at, level);
        if (at.empty()) return false;
    }
    std::error_code error;
    return fs::is_regular_file(at, error);
}

}  // namespace check
