// Writing the findings and the plan.
#include "report.h"

#include "report_out.h"

namespace check {

void WriteDiagnostics(std::ostream& stream, const std::string& path,
                      const std::vector<Diagnostic>& diagnostics) {
    Out out(stream);
    for (const Diagnostic& d : diagnostics) {
        out << path << ':' << d.line << ':' << d.column << ": " << SeverityName(d.severity) << ": "
            << d.message << " [" << d.check << "]\n";
    }
}

void WritePlan(std::ostream& stream, const Plan& plan, int commandsRun, const Setting& setting) {
    Out out(stream);
    if (commandsRun < 0) commandsRun = 0;
    out << "plan: " << commandsRun << (commandsRun == 1 ? " command" : " commands")
        << " (%TEMP% is " << setting.tempDir << ", %CURRENTDRIVE% is " << setting.drive << ")\n";
    for (const PlannedCommand& command : plan) {
        const char* does = TypeAction(command.type);
        out << "  " << command.index << ". [" << command.section << "] ";
        if (command.from != nullptr) {
            out << "line " << command.from->at.line;
        } else {
            out << "(no section)";
        }
        out << ", type " << command.type << ": " << (does != nullptr ? does : "nothing") << '\n';
        for (const PlanValue& v : command.values) {
            std::string_view name = v.key->name;
            out << "       " << name;
            out.Pad(name.size(), 18);
            if (v.key->isInteger) {
                out << v.value << '\n';
            } else {
                out << '"' << v.value << "\"\n";
            }
        }
    }
    if (static_cast<int>(plan.size()) < commandsRun) {
        out << "  ... and " << commandsRun - static_cast<int>(plan.size())
            << " more commands without a section, which do nothing\n";
    }
}

void WriteJson(std::ostream& stream, const std::vector<Diagnostic>& diagnostics, const Plan* plan) {
    Out out(stream);
    out << "{\"diagnostics\": [";
    for (size_t i = 0; i < diagnostics.size(); ++i) {
        const Diagnostic& d = diagnostics[i];
        out << (i == 0 ? "\n  " : ",\n  ") << "{\"line\": " << d.line
            << ", \"column\": " << d.column << ", \"severity\": \"" << SeverityName(d.severity)
            << "\", \"check\": ";
        out.Json(d.check) << ", \"message\": ";
        out.Json(d.message) << '}';
    }
    out << (diagnostics.empty() ? "]" : "\n]");
    if (plan != nullptr) {
        out << ",\n\"plan\": [";
        bool first = true;
        for (const PlannedCommand& c : *plan) {
            out << (first ? "\n  " : ",\n  ") << "{\"index\": " << c.index << ", \"section\": ";
            first = false;
            out.Json(c.section) << ", \"line\": ";
            if (c.from != nullptr) {
                out << c.from->at.line;
            } else {
                out << "null";
            }
            out << ", \"type\": " << c.type << ", \"values\": {";
            for (size_t v = 0; v < c.values.size(); ++v) {
                const PlanValue& value = c.values[v];
                if (v != 0) out << ", ";
                out.Json(value.key->name) << ": ";
                if (value.key->isInteger) {
                    out << value.value;
                } else {
                    out.Json(value.value);
                }
            }
            out << "}}";
        }
        out << (plan->empty() ? "]" : "\n]");
    }
    out << "}\n";
}

}  // namespace check
