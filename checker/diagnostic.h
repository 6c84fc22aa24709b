// One finding about a script: where, how grave, which check, and what to do about it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace check {

enum class Severity { kError, kWarning, kNote };

struct Diagnostic {
    int line = 0;  // from 1; 0 for the script as a whole
    int column = 0;
    Severity severity = Severity::kError;
    std::string_view check;  // the check's name, a text that lasts as long as the program
    std::string message;
};

const char* SeverityName(Severity severity);

}  // namespace check
