// Looking up a file on a disc folder as Windows would.
#include "disc_files.h"

#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "script_file.h"

namespace check {

namespace fs = std::filesystem;

namespace {

struct Entry {
    fs::path path;
    bool isFile = false;
};

// The entry of `dir` named `name` in any case, or null. Each folder is listed once.
const Entry* Find(const fs::path& dir, const std::string& name) {
    static std::unordered_map<std::string, std::unordered_map<std::string, Entry>> listings;
    auto listing = listings.find(dir.string());
    if (listing == listings.end()) {
        listing = listings.emplace(dir.string(), std::unordered_map<std::string, Entry>()).first;
        std::error_code error;
        for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
            std::error_code typeError;
            Entry entry{it->path(), it->is_regular_file(typeError)};
            listing->second.emplace(Upper(it->path().filename().string()), entry);
        }
    }
    auto found = listing->second.find(Upper(name));
    return found == listing->second.end() ? nullptr : &found->second;
}

}  // namespace

bool FileOnDisc(const std::string& folder, const std::string& relative) {
    fs::path at = folder;
    const Entry* entry = nullptr;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find_first_of("\\/", start);
        if (end == std::string::npos) end = relative.size();
        std::string level = relative.substr(start, end - start);
        start = end + 1;
        if (level.empty() || level == ".") continue;
        if (level == "..") {
            at = at.parent_path();
            entry = nullptr;
            continue;
        }
        entry = Find(at, level);
        if (entry == nullptr) return false;
        at = entry->path;
    }
    return entry != nullptr && entry->isFile;
}

}  // namespace check
