// The findings as one SARIF 2.1.0 log, one rule per check, one line per rule and per result.
#include <map>
#include <sstream>
#include <string_view>

#include "check_rules.h"
#include "report.h"
#include "report_ci.h"

namespace check {

namespace {

const char kSchema[] =
    "https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/sarif-schema-2.1.0.json";

// The script's path as a URI reference: `/` between levels, an absolute path as a file: URI,
// every byte but the unreserved ones percent-encoded (a byte from 0x80 up as the UTF-8 of the
// character of that number, as the JSON texts have it).
std::string Uri(const std::string& path) {
    static const char* digits = "0123456789ABCDEF";
    std::string slashed = path;
    for (char& c : slashed) c = c == '\\' ? '/' : c;
    std::string uri;
    size_t from = 0;
    if (slashed.size() > 1 && slashed[1] == ':') {
        uri = "file:///" + slashed.substr(0, 2);
        from = 2;
    } else if (slashed.compare(0, 2, "//") == 0) {
        uri = "file:";
    } else if (!slashed.empty() && slashed[0] == '/') {
        uri = "file://";
    }
    auto encode = [&](unsigned char b) {
        uri += '%';
        uri += digits[b >> 4];
        uri += digits[b & 15];
    };
    for (size_t i = from; i < slashed.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(slashed[i]);
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            uri += static_cast<char>(c);
        } else if (c >= 0x80) {
            encode(static_cast<unsigned char>(0xC0 | c >> 6));
            encode(static_cast<unsigned char>(0x80 | (c & 0x3F)));
        } else {
            encode(c);
        }
    }
    return uri;
}

std::string JsonString(std::string_view text) {
    std::ostringstream out;
    WriteJsonString(out, text);
    return out.str();
}

const char* Level(Severity severity) {
    return severity == Severity::kError     ? "error"
           : severity == Severity::kWarning ? "warning"
                                            : "note";
}

}  // namespace

void WriteSarif(std::ostream& out, const std::string& path, const std::string& version,
                const std::vector<Diagnostic>& diagnostics) {
    // Every check as a rule; a finding of a check missing from the table still gets one.
    std::vector<CheckRule> rules = CheckRules();
    std::map<std::string, size_t> index;
    for (size_t i = 0; i < rules.size(); ++i) index.emplace(rules[i].id, i);
    for (const Diagnostic& d : diagnostics) {
        if (index.emplace(d.check, rules.size()).second)
            rules.push_back(CheckRule{d.check.c_str(), d.check.c_str(), d.check.c_str()});
    }
    out << "{\n  \"$schema\": " << JsonString(kSchema) << ",\n  \"version\": \"2.1.0\",\n"
        << "  \"runs\": [{\n    \"tool\": {\"driver\": {\"name\": \"tarnwick-check\", "
        << "\"version\": " << JsonString(version) << ", \"rules\": [";
    for (size_t i = 0; i < rules.size(); ++i) {
        out << (i == 0 ? "\n" : ",\n") << "      {\"id\": " << JsonString(rules[i].id)
            << ", \"shortDescription\": {\"text\": " << JsonString(rules[i].shortText)
            << "}, \"fullDescription\": {\"text\": " << JsonString(rules[i].fullText) << "}}";
    }
    out << "]}},\n    \"columnKind\": \"unicodeCodePoints\",\n    \"results\": [";
    std::string uri = JsonString(Uri(path));
    for (size_t i = 0; i < diagnostics.size(); ++i) {
        const Diagnostic& d = diagnostics[i];
        out << (i == 0 ? "\n" : ",\n") << "      {\"ruleId\": " << JsonString(d.check)
            << ", \"ruleIndex\": " << index[d.check] << ", \"level\": \"" << Level(d.severity)
            << "\", \"message\": {\"text\": " << JsonString(d.message)
            << "}, \"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": " << uri
            << "}, \"region\": {\"startLine\": " << d.line << ", \"startColumn\": " << d.column
            << "}}}]}";
    }
    out << (diagnostics.empty() ? "]\n  }]\n}\n" : "\n    ]\n  }]\n}\n");
}

}  // namespace check
