// tarnwick's own options, read word by word as the checker's --options gives them.
#include "run_options.h"

#include <vector>

#include "base/sizes.h"
#include "script_file.h"

namespace check {

namespace {

const size_t kLongestLog = kPathSize - 1;  // a longer log path makes the program end with 87

// The words of the options, split at blanks outside quotes, the quotes removed.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inQuotes = false, any = false;
    for (char c : text) {
        if (c == '"') {
            inQuotes = !inQuotes;
            any = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

}  // namespace

bool ParseRunOptions(const std::string& text, RunOptions* options, std::string* error) {
    std::vector<std::string> words = Words(text);
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        std::string upper = Upper(word);
        if (upper == "/D") {
            options->debug = true;
        } else if (upper == "/R") {
            options->restart = true;
        } else if (upper == "/X") {
            options->deleteSelf = true;
        } else if (upper == "/T") {
            options->tempDrive = true;
        } else if (upper == "/E") {
            options->exitCode = true;
        } else if (upper.compare(0, 4, "/CD:") == 0 && upper.size() > 4) {
            options->drive = upper.substr(4, 2);
        } else if (upper.compare(0, 3, "/L:") == 0 && upper.size() > 3 + kLongestLog) {
            *error = "tarnwick's /l: takes a path of up to " + std::to_string(kLongestLog) +
                     " characters";
            return false;
        } else if (upper.compare(0, 3, "/L:") == 0 && upper.size() > 3) {
            options->log = word.substr(3);
        } else if (upper.compare(0, 3, "/L:") == 0) {
            *error = "tarnwick's /l: needs the log's path: /l:C:\\setup.log";
            return false;
        } else {
            *error = "`" + word + "` is no option of tarnwick (/d /r /x /t /e /cd:X: /l:PATH)";
            if (i > 0 && Upper(words[i - 1]).compare(0, 3, "/L:") == 0) {
                std::string path = words[i - 1].substr(3);
                for (size_t j = i; j < words.size() && words[j][0] != '/'; ++j)
                    path += " " + words[j];
                *error += "; a log path with blanks is written in quotes: /l:\"" + path + "\"";
            }
            return false;
        }
    }
    return true;
}

}  // namespace check
