// Writing the findings and the plan.
#include "report.h"

namespace check {

namespace {

// A JSON string. The script's texts are ANSI bytes: a byte from 0x80 up is written as the
// character of the same number, so that the output is always valid UTF-8.
std::string Json(const std::string& text) {
    static const char* digits = "0123456789abcdef";
    std::string out = "\"";
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c >= 0x7F) {
            out += "\\u00";
            out += digits[c >> 4];
            out += digits[c & 15];
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

}  // namespace

std::string JsonString(const std::string& text) { return Json(text); }

void WriteDiagnostics(std::ostream& out, const std::string& path,
                      const std::vector<Diagnostic>& diagnostics) {
    for (const Diagnostic& d : diagnostics) {
        out << path << ':' << d.line << ':' << d.column << ": " << SeverityName(d.severity) << ": "
            << d.message << " [" << d.check << "]\n";
    }
}

void WritePlan(std::ostream& out, const std::vector<PlannedCommand>& plan, int commandsRun,
               const Setting& setting) {
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
            out << "       " << v.key->name
                << std::string(18 - std::string(v.key->name).size(), ' ')
                << (v.key->isInteger ? v.value : "\"" + v.value + "\"") << '\n';
        }
    }
    if (static_cast<int>(plan.size()) < commandsRun) {
        out << "  ... and " << commandsRun - static_cast<int>(plan.size())
            << " more commands without a section, which do nothing\n";
    }
}

void WriteJson(std::ostream& out, const std::vector<Diagnostic>& diagnostics,
               const std::vector<PlannedCommand>* plan) {
    out << "{\"diagnostics\": [";
    for (size_t i = 0; i < diagnostics.size(); ++i) {
        const Diagnostic& d = diagnostics[i];
        out << (i == 0 ? "\n  " : ",\n  ") << "{\"line\": " << d.line
            << ", \"column\": " << d.column << ", \"severity\": " << Json(SeverityName(d.severity))
            << ", \"check\": " << Json(d.check) << ", \"message\": " << Json(d.message) << "}";
    }
    out << (diagnostics.empty() ? "]" : "\n]");
    if (plan != nullptr) {
        out << ",\n\"plan\": [";
        for (size_t i = 0; i < plan->size(); ++i) {
            const PlannedCommand& c = (*plan)[i];
            out << (i == 0 ? "\n  " : ",\n  ") << "{\"index\": " << c.index
                << ", \"section\": " << Json(c.section) << ", \"line\": ";
            if (c.from != nullptr) {
                out << c.from->at.line;
            } else {
                out << "null";
            }
            out << ", \"type\": " << c.type << ", \"values\": {";
            for (size_t v = 0; v < c.values.size(); ++v) {
                const PlanValue& value = c.values[v];
                out << (v == 0 ? "" : ", ") << Json(value.key->name) << ": "
                    << (value.key->isInteger ? value.value : Json(value.value));
            }
            out << "}}";
        }
        out << (plan->empty() ? "]" : "\n]");
    }
    out << "}\n";
}

}  // namespace check
