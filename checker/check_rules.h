// The checks by name, each with a one-line and a full description, for reports that list the
// checks they ran (SARIF's rules).
#pragma once

#include <vector>

namespace check {

struct CheckRule {
    const char* id;  // the name a finding carries: "count", "macro"...
    const char* shortText;
    const char* fullText;
};

// Every check of tarnwick-check, in the order of the README's table.
const std::vector<CheckRule>& CheckRules();

}  // namespace check
