// Looking up a file on a disc folder as Windows would: names in any case, `\` between levels.
#pragma once

#include <string>

namespace check {

// Whether `relative` (levels split by `\`) names a file below `folder`, in any case.
bool FileOnDisc(const std::string& folder, const std::string& relative);

}  // namespace check
