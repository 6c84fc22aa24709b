// The checker's command line: options, the script to read, and what to print.
#include "run_check.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "checks.h"
#include "report.h"

#ifndef TARNWICK_VERSION
#define TARNWICK_VERSION "0.0.0"
#endif

namespace check {

namespace {

namespace fs = std::filesystem;

const char kUsage[] =
    "usage: tarnwick-check [--plan] [--json] [--werror] [--temp DIR] [--options \"/t /cd:e:\"] "
    "PATH\n"
    "  PATH       a tarnwick.cfg, or a disc folder holding it beside tarnwick.exe\n"
    "  --plan     print the commands in the order they run, with their values\n"
    "  --json     print one JSON object: \"diagnostics\" (and \"plan\" with --plan)\n"
    "  --werror   warnings count as errors for the exit code\n"
    "  --temp     what %TEMP% stands for (C:\\WINDOWS\\TEMP)\n"
    "  --options  tarnwick's options, for what %CURRENTDRIVE% stands for (D:)\n"
    "exit code: 0 no errors, 1 errors (or warnings with --werror), 2 unreadable script or "
    "wrong command line\n";

struct Request {
    bool plan = false;
    bool json = false;
    bool werror = false;
    std::string temp;
    std::string options;
    std::string path;
};

// Reads the options; false (with the reason in `error`) when the command line is wrong.
bool Parse(const std::vector<std::string>& args, Request& request, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string* value = nullptr;
        if (arg == "--plan") {
            request.plan = true;
        } else if (arg == "--json") {
            request.json = true;
        } else if (arg == "--werror") {
            request.werror = true;
        } else if (arg == "--temp" || arg == "--options") {
            value = arg == "--temp" ? &request.temp : &request.options;
            if (++i == args.size()) {
                error = arg + " needs a value";
                return false;
            }
            *value = args[i];
        } else if (arg.rfind("--temp=", 0) == 0) {
            request.temp = arg.substr(7);
        } else if (arg.rfind("--options=", 0) == 0) {
            request.options = arg.substr(10);
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else if (!request.path.empty()) {
            error = "more than one PATH";
            return false;
        } else {
            request.path = arg;
        }
    }
    if (request.path.empty()) error = "no PATH";
    return error.empty();
}

// The script in a disc folder, in any case of its name.
std::string ScriptIn(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (Upper(it->path().filename().string()) == "TARNWICK.CFG") return it->path().string();
    }
    return (folder / "tarnwick.cfg").string();
}

}  // namespace

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "--version") {
        out << "tarnwick-check " << TARNWICK_VERSION << '\n';
        return 0;
    }
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    Request request;
    std::string error;
    if (!Parse(args, request, error)) {
        err << "tarnwick-check: " << error << '\n' << kUsage;
        return 2;
    }
    std::error_code fsError;
    bool folder = fs::is_directory(request.path, fsError);
    std::string file = folder ? ScriptIn(request.path) : request.path;
    std::ifstream in(file, std::ios::binary);
    if (!in || fs::is_directory(file, fsError)) {
        err << "tarnwick-check: " << file << ": cannot read the script\n";
        return 2;
    }
    // Read in one piece into a text of its size: the script is held once.
    std::string bytes;
    in.seekg(0, std::ios::end);
    std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    in.clear();
    in.seekg(0, std::ios::beg);
    in.clear();
    if (size > 0xFFFFFFFFLL) {
        err << "tarnwick-check: " << file << ": the script is larger than 4 GB\n";
        return 2;
    }
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        in.read(&bytes[0], size);
        bytes.resize(static_cast<size_t>(in.gcount()));
    } else {
        bytes.assign((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    if (in.bad()) {
        err << "tarnwick-check: " << file << ": cannot read the script\n";
        return 2;
    }

    Setting setting = MakeSetting(request.temp, request.options);
    fs::path dir = folder ? fs::path(request.path) : fs::path(file).parent_path();
    setting.discDir = dir.empty() ? "." : dir.string();
    ScriptFile script = ReadScript(std::move(bytes));
    Plan plan = MakePlan(script, setting);
    std::vector<Diagnostic> diagnostics = CheckScript(script, plan, setting, folder);

    if (request.json) {
        WriteJson(out, diagnostics, request.plan ? &plan : nullptr);
    } else {
        WriteDiagnostics(out, file, diagnostics);
        if (request.plan) WritePlan(out, plan, CommandsRun(script), setting);
    }
    for (const Diagnostic& d : diagnostics) {
        if (d.severity == Severity::kError) return 1;
        if (d.severity == Severity::kWarning && request.werror) return 1;
    }
    return 0;
}

}  // namespace check
