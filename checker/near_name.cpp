// The known name nearest to a misspelt one.
#include "near_name.h"

#include <algorithm>

#include "script_file.h"

namespace check {

namespace {

// Edits (insertions, deletions, substitutions, swaps of neighbours) from one text to another.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

}  // namespace

std::string NearestName(const std::string& name, const std::vector<std::string>& candidates) {
    // Names longer than any key are not misspellings of one.
    if (name.empty() || name.size() > 40) return "";
    std::string upper = Upper(name);
    std::string best;
    size_t bestDistance = std::max<size_t>(2, upper.size() / 4) + 1;
    for (const std::string& candidate : candidates) {
        size_t d = Distance(upper, Upper(candidate));
        if (d < bestDistance) {
            bestDistance = d;
            best = candidate;
        }
    }
    return best;
}

}  // namespace check
