// Looking up a file on a disc folder as Windows would.
#include "disc_files.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "script_file.h"

namespace check {

namespace fs = std::filesystem;

namespace {

// The names of one folder, each ended by a NUL in one text, and their places in it in the
// order of their upper-case names; the top bit of a place marks a regular file.
struct Listing {
    std::string names;
    std::vector<uint32_t> places;
};

const uint32_t kIsFile = 0x80000000u;

std::string_view NameAt(const Listing& listing, uint32_t place) {
    return std::string_view(listing.names.c_str() + (place & ~kIsFile));
}

// Compares in upper case, as the platform matches file names.
int CompareNoCase(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char x = UpperAscii(a[i]);
        char y = UpperAscii(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

// The listing of `dir`, made once.
const Listing& ListingOf(const fs::path& dir) {
    static std::unordered_map<std::string, Listing> listings;
    auto found = listings.find(dir.string());
    if (found != listings.end()) return found->second;
    Listing& listing = listings[dir.string()];
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        std::string name = it->path().filename().string();
        if (listing.names.size() + name.size() + 1 >= kIsFile) break;
        uint32_t place = static_cast<uint32_t>(listing.names.size());
        listing.names.append(name.c_str(), name.size() + 1);
        listing.places.push_back(place | (it->is_regular_file(typeError) ? kIsFile : 0));
    }
    std::sort(listing.places.begin(), listing.places.end(), [&listing](uint32_t a, uint32_t b) {
        return CompareNoCase(NameAt(listing, a), NameAt(listing, b)) < 0;
    });
    listing.names.shrink_to_fit();
    listing.places.shrink_to_fit();
    return listing;
}

// The entry of `dir` named `name` in any case: its name as stored, and whether it is a file.
bool Find(const fs::path& dir, std::string_view name, std::string* actual, bool* isFile) {
    const Listing& listing = ListingOf(dir);
    auto at = std::lower_bound(listing.places.begin(), listing.places.end(), name,
                               [&listing](uint32_t place, std::string_view wanted) {
                                   return CompareNoCase(NameAt(listing, place), wanted) < 0;
                               });
    if (at == listing.places.end() || CompareNoCase(NameAt(listing, *at), name) != 0) return false;
    *actual = std::string(NameAt(listing, *at));
    *isFile = (*at & kIsFile) != 0;
    return true;
}

}  // namespace

bool FileOnDisc(const std::string& folder, const std::string& relative) {
    fs::path at = folder;
    bool found = false;
    bool isFile = false;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find_first_of("\\/", start);
        if (end == std::string::npos) end = relative.size();
        std::string_view level(relative.data() + start, end - start);
        start = end + 1;
        if (level.empty() || level == ".") continue;
        if (level == "..") {
            at = at.parent_path();
            found = false;
            continue;
        }
        std::string actual;
        found = Find(at, level, &actual, &isFile);
        if (!found) return false;
        at /= actual;
    }
    return found && isFile;
}

}  // namespace check
