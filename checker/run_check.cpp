// The checker's command line: options, the script to read, and what to print.
#include "run_check.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "checks.h"
#include "report.h"
#include "report_ci.h"
#include "run_options.h"

#ifndef TARNWICK_VERSION
#define TARNWICK_VERSION "0.0.0"
#endif

namespace check {

namespace {

namespace fs = std::filesystem;

const char kUsage[] =
    "usage: tarnwick-check [--plan] [--format=gcc|json|sarif|github] [--werror] [--temp DIR]\n"
    "                      [--options \"/r /cd:e:\"] PATH\n"
    "  PATH       a tarnwick.cfg, or a disc folder holding it beside tarnwick.exe\n"
    "  --plan     print the commands in the order they run, with their values\n"
    "  --format   gcc: PATH:LINE:COLUMN: lines (the default); json: one JSON object,\n"
    "             \"diagnostics\" (and \"plan\" with --plan); sarif: a SARIF 2.1.0 log;\n"
    "             github: GitHub workflow commands (::error file=...)\n"
    "  --json     the same as --format=json\n"
    "  --werror   warnings count as errors for the exit code\n"
    "  --temp     what %TEMP% stands for (C:\\WINDOWS\\TEMP)\n"
    "  --options  tarnwick's options for the run: /t and /cd: say what %CURRENTDRIVE% stands\n"
    "             for (D:), /r that Windows restarts at the end; /d /x /e /l:PATH accepted\n"
    "exit code: 0 no errors, 1 errors (or warnings with --werror), 2 unreadable script or "
    "wrong command line\n";

struct Request {
    bool plan = false;
    std::string format = "gcc";
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
            request.format = "json";
        } else if (arg == "--werror") {
            request.werror = true;
        } else if (arg == "--temp" || arg == "--options" || arg == "--format") {
            value = arg == "--temp"      ? &request.temp
                    : arg == "--options" ? &request.options
                                         : &request.format;
            if (++i == args.size()) {
                error = arg + " needs a value";
                return false;
            }
            *value = args[i];
        } else if (arg.rfind("--temp=", 0) == 0) {
            request.temp = arg.substr(7);
        } else if (arg.rfind("--options=", 0) == 0) {
            request.options = arg.substr(10);
        } else if (arg.rfind("--format=", 0) == 0) {
            request.format = arg.substr(9);
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
    if (request.format != "gcc" && request.format != "json" && request.format != "sarif" &&
        request.format != "github")
        error = "--format is gcc, json, sarif or github, not `" + request.format + "`";
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
    RunOptions runOptions;
    if (!Parse(args, request, error) || !ParseRunOptions(request.options, &runOptions, &error)) {
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

    // tarnwick's options word by word: a log at C:/data/t.log turns on neither /d nor /t.
    Setting setting = MakeSetting(request.temp, "");
    if (!runOptions.drive.empty()) {
        setting.drive = runOptions.drive;
    } else if (runOptions.tempDrive) {
        setting.drive = setting.tempDir;
    }
    setting.restart = runOptions.restart;
    fs::path dir = folder ? fs::path(request.path) : fs::path(file).parent_path();
    setting.discDir = dir.empty() ? "." : dir.string();
    ScriptFile script = ReadScript(std::move(bytes));
    Plan plan = MakePlan(script, setting);
    std::vector<Diagnostic> diagnostics = CheckScript(script, plan, setting, folder);

    if (request.format == "json") {
        WriteJson(out, diagnostics, request.plan ? &plan : nullptr);
    } else if (request.format == "sarif") {
        WriteSarif(out, file, TARNWICK_VERSION, diagnostics);  // a SARIF log has no plan
    } else if (request.format == "github") {
        WriteGithub(out, file, diagnostics);
        if (request.plan) WritePlan(out, plan, CommandsRun(script), setting);
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
