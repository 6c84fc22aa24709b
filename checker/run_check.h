// The checker's command line: tarnwick-check [--plan] [--format=gcc|json|sarif|github] [--werror]
// [--temp DIR] [--options "/r /cd:e:"] PATH. Returns the exit code: 0 clean, 1 findings, 2 unusable
// input.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace check {

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace check
