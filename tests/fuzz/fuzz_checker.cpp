// Fuzz target: the script checker's reader, plan, checks and reports on any bytes.
#include <sstream>

#include "checks.h"
#include "report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    check::ScriptFile script = check::ReadScript(bytes);
    check::Setting setting;
    std::vector<check::PlannedCommand> plan = check::MakePlan(script, setting);
    std::vector<check::Diagnostic> diagnostics = check::CheckScript(script, plan, setting, false);
    std::ostringstream out;
    check::WriteDiagnostics(out, "fuzz.cfg", diagnostics);
    check::WritePlan(out, plan, check::CommandsRun(script), setting);
    check::WriteJson(out, diagnostics, &plan);
    for (const check::Diagnostic& d : diagnostics) {
        if (d.line < 1 || d.column < 1 || d.check.empty()) __builtin_trap();
    }
    return 0;
}
