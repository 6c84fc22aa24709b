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

// The names of one folder, each ended by a NUL in one text, the same in upper case, and their
// places in them in the order of the upper-case names; the top bit of a place marks a file.
struct Listing {
    std::string names;
    std::string upper;
    std::vector<uint32_t> places;
};

const uint32_t kIsFile = 0x80000000u;

std::string_view NameAt(const Listing& listing, uint32_t place) {
    return std::string_view(listing.names.c_str() + (place & ~kIsFile));
}

// A name in upper case, as the platform matches file names, from the listing's upper-case text.
std::string_view UpperAt(const Listing& listing, uint32_t place) {
    return std::string_view(listing.upper.c_str() + (place & ~kIsFile));
}

// The listing of the folder `dir` (a path of this machine), made once.
const Listing& ListingOf(const std::string& dir) {
    static std::unordered_map<std::string, Listing> listings;
    auto found = listings.find(dir);
    if (found != listings.end()) return found->second;
    Listing& listing = listings[dir];
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        std::string name = it->path().filename().string();
        if (listing.names.size() + name.size() + 1 >= kIsFile) break;
        uint32_t place = static_cast<uint32_t>(listing.names.size());
        listing.names.append(name.data(), name.size());
        listing.names += '\0';
        listing.places.push_back(place | (it->is_regular_file(typeError) ? kIsFile : 0));
    }
    listing.upper = Upper(listing.names);
    std::sort(listing.places.begin(), listing.places.end(), [&listing](uint32_t a, uint32_t b) {
        return UpperAt(listing, a) < UpperAt(listing, b);
    });
    listing.names.shrink_to_fit();
    listing.places.shrink_to_fit();
    return listing;
}

// The entry of `dir` named `name` in any case: its name as stored, and whether it is a file.
bool Find(const std::string& dir, std::string_view name, std::string_view* actual, bool* isFile) {
    const Listing& listing = ListingOf(dir);
    std::string wanted = Upper(name);
    auto at = std::lower_bound(listing.places.begin(), listing.places.end(), wanted,
                               [&listing](uint32_t place, const std::string& upper) {
                                   return UpperAt(listing, place) < upper;
                               });
    if (at == listing.places.end() || UpperAt(listing, *at) != wanted) return false;
    *actual = NameAt(listing, *at);
    *isFile = (*at & kIsFile) != 0;
    return true;
}

}  // namespace

bool FileOnDisc(const std::string& folder, const std::string& relative) {
    // The folder's path on this machine, a level at a time ("/" between levels).
    std::string at = folder;
    while (at.size() > 1 && at.back() == '/') at.pop_back();
    const size_t root = at.size();  // Windows goes no higher than a disc's root
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
            if (at.size() > root) at.resize(std::max(at.find_last_of('/'), root));
            found = false;
            continue;
        }
        std::string_view actual;
        found = Find(at, level, &actual, &isFile);
        if (!found) return false;
        if (!at.empty() && at.back() != '/') at += '/';
        at.append(actual.data(), actual.size());
    }
    return found && isFile;
}

}  // namespace check
