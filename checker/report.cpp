// Writing the findings and the plan.
#include "report.h"

namespace check {

// A JSON string. The script's texts are ANSI bytes: a byte from 0x80 up is written as the
// character of the same number, so that the output is always valid UTF-8. Runs of bytes that
// need no escape are written in one piece.
void WriteJsonString(std::ostream& out, std::string_view text) {
    static const char* digits = "0123456789abcdef";
    out.put('"');
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') continue;
        out.write(text.data() + run, static_cast<std::streamsize>(i - run));
        run = i + 1;
        if (c == '"' || c == '\\') {
            char escaped[2] = {'\\', static_cast<char>(c)};
            out.write(escaped, 2);
        } else {
            char escaped[6] = {'\\', 'u', '0', '0', digits[c >> 4], digits[c & 15]};
            out.write(escaped, 6);
        }
    }
    out.write(text.data() + run, static_cast<std::streamsize>(text.size() - run));
    out.put('"');
}

void WriteDiagnostics(std::ostream& out, const std::string& path,
                      const std::vector<Diagnostic>& diagnostics) {
    for (const Diagnostic& d : diagnostics) {
        out << path << ':' << d.line << ':' << d.column << ": " << SeverityName(d.severity) << ": "
            << d.message << " [" << d.check << "]\n";
    }
}

void WritePlan(std::ostream& out, const Plan& plan, int commandsRun, const Setting& setting) {
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
            size_t name = std::char_traits<char>::length(v.key->name);
            out << "       " << v.key->name;
            out.write("                  ",
                      static_cast<std::streamsize>(name < 18 ? 18 - name : 0));
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

void WriteJson(std::ostream& out, const std::vector<Diagnostic>& diagnostics, const Plan* plan) {
    out << "{\"diagnostics\": [";
    for (size_t i = 0; i < diagnostics.size(); ++i) {
        const Diagnostic& d = diagnostics[i];
        out << (i == 0 ? "\n  " : ",\n  ") << "{\"line\": " << d.line
            << ", \"column\": " << d.column << ", \"severity\": \"" << SeverityName(d.severity)
            << "\", \"check\": ";
        WriteJsonString(out, d.check);
        out << ", \"message\": ";
        WriteJsonString(out, d.message);
        out << '}';
    }
    out << (diagnostics.empty() ? "]" : "\n]");
    if (plan != nullptr) {
        out << ",\n\"plan\": [";
        bool first = true;
        for (const PlannedCommand& c : *plan) {
            out << (first ? "\n  " : ",\n  ") << "{\"index\": " << c.index << ", \"section\": ";
            first = false;
            WriteJsonString(out, c.section);
            out << ", \"line\": ";
            if (c.from != nullptr) {
                out << c.from->at.line;
            } else {
                out << "null";
            }
            out << ", \"type\": " << c.type << ", \"values\": {";
            for (size_t v = 0; v < c.values.size(); ++v) {
                const PlanValue& value = c.values[v];
                if (v != 0) out << ", ";
                WriteJsonString(out, value.key->name);
                out << ": ";
                if (value.key->isInteger) {
                    out << value.value;
                } else {
                    WriteJsonString(out, value.value);
                }
            }
            out << "}}";
        }
        out << (plan->empty() ? "]" : "\n]");
    }
    out << "}\n";
}

}  // namespace check
