// The known name nearest to a misspelt one, for "did you mean ...?".
#pragma once

#include <string>
#include <vector>

namespace check {

// The candidate closest to `name` (any case) in edits, or "" when none is close enough.
std::string NearestName(const std::string& name, const std::vector<std::string>& candidates);

}  // namespace check
