// The known name nearest to a misspelt one.
#include "near_name.h"

#include <algorithm>

#include "script_file.h"

namespace check {

namespace {

const size_t kLongest = 40;  // names longer than any key are not misspellings of one

// Edits (insertions, deletions, substitutions, swaps of neighbours) from one text to another in
// any case, both at most kLongest long, in three rolling rows; past `bound` it stops and gives
// at least `bound`.
size_t Distance(const std::string& a, const std::string& b, size_t bound) {
    size_t rows[3][kLongest + 1];
    size_t* before = rows[0];
    size_t* previous = rows[1];
    size_t* current = rows[2];
    for (size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    size_t previousLeast = 0;
    for (size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        size_t least = i;
        char x = UpperAscii(a[i - 1]);
        for (size_t j = 1; j <= b.size(); ++j) {
            char y = UpperAscii(b[j - 1]);
            size_t cost = x == y ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && x == UpperAscii(b[j - 2]) && UpperAscii(a[i - 2]) == y)
                current[j] = std::min(current[j], before[j - 2] + 1);
            least = std::min(least, current[j]);
        }
        // A row is at least the least of the row before it, or of the one before that plus
        // one (a swap): once both reach the bound, so does the distance.
        if (least >= bound && previousLeast + 1 >= bound) return bound;
        previousLeast = least;
        size_t* spare = before;
        before = previous;
        previous = current;
        current = spare;
    }
    return previous[b.size()];
}

}  // namespace

std::string NearestName(const std::string& name, const std::vector<std::string>& candidates) {
    if (name.empty() || name.size() > kLongest) return "";
    std::string best;
    size_t bestDistance = std::max<size_t>(2, name.size() / 4) + 1;
    for (const std::string& candidate : candidates) {
        // Lengths alone set a bound: at least their difference in edits.
        size_t gap = candidate.size() > name.size() ? candidate.size() - name.size()
                                                    : name.size() - candidate.size();
        if (candidate.size() > kLongest || gap >= bestDistance) continue;
        size_t d = Distance(name, candidate, bestDistance);
        if (d < bestDistance) {
            bestDistance = d;
            best = candidate;
        }
    }
    return best;
}

}  // namespace check
