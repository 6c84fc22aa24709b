// Fuzz target: the script checker's reader, plan, checks and reports on any bytes. The reports
// are written in full into a stream that keeps nothing.
#include <ostream>
#include <streambuf>

#include "check_rules.h"
#include "checks.h"
#include "report.h"
#include "report_ci.h"

namespace {

// Takes every character and keeps none.
class Sink : public std::streambuf {
  protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Sink sink;
    static std::ostream out(&sink);
    check::ScriptFile script =
        check::ReadScript(std::string(reinterpret_cast<const char*>(data), size));
    check::Setting setting;
    setting.restart = true;  // the installer checks that depend on /r run too
    check::Plan plan = check::MakePlan(script, setting);
    std::vector<check::Diagnostic> diagnostics = check::CheckScript(script, plan, setting, false);
    check::WriteDiagnostics(out, "fuzz.cfg", diagnostics);
    check::WritePlan(out, plan, check::CommandsRun(script), setting);
    check::WriteJson(out, diagnostics, &plan);
    check::WriteSarif(out, "fuzz.cfg", "0.0.0", diagnostics);
    check::WriteGithub(out, "fuzz.cfg", diagnostics);
    for (const check::Diagnostic& d : diagnostics) {
        if (d.line < 1 || d.column < 1 || d.check.empty()) __builtin_trap();
        // Every check has its rule, with the descriptions a SARIF log carries.
        bool described = false;
        for (const check::CheckRule& rule : check::CheckRules())
            described = described || d.check == rule.id;
        if (!described) __builtin_trap();
    }
    return 0;
}
