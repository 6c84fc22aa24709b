// Writing the findings and the plan: lines as compilers write them, or one JSON object.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "diagnostic.h"
#include "plan.h"

namespace check {

// PATH:LINE:COLUMN: error|warning|note: text [check-name], one a line.
void WriteDiagnostics(std::ostream& out, const std::string& path,
                      const std::vector<Diagnostic>& diagnostics);
// The commands in the order they run, with every value as the program will use it.
void WritePlan(std::ostream& out, const Plan& plan, int commandsRun, const Setting& setting);
// {"diagnostics": [...], "plan": [...]}; the plan only when `withPlan`.
void WriteJson(std::ostream& out, const std::vector<Diagnostic>& diagnostics, const Plan* plan);

}  // namespace check
