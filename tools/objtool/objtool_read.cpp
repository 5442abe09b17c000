#include "objtool_read.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string_view>
#include <unistd.h>
#include <unordered_map>
#include <utility>

namespace {

bool isLibrary(const ObjReadReport& report, const std::string& file) {
    return std::any_of(report.libraries.begin(), report.libraries.end(),
                       [&file](const ObjMaterialLibrary& library) { return library.path == file; });
}

// Each warning once, in the order they came, with how often it came when more than once.
void printWarnings(const std::vector<std::string>& warnings) {
    std::vector<std::pair<const std::string*, std::size_t>> said; // warning, times
    std::unordered_map<std::string_view, std::size_t> place;
    for (const std::string& warning : warnings) {
        const auto [at, added] = place.try_emplace(warning, said.size());
        if (added) {
            said.push_back({&warning, 0});
        }
        said[at->second].second++;
    }
    for (const auto& [warning, times] : said) {
        std::fprintf(stderr, "objtool: warning: %s", withoutFunctionName(*warning).c_str());
        if (times > 1) {
            std::fprintf(stderr, " (%zu times)", times);
        }
        std::fputc('\n', stderr);
    }
}

} // namespace

std::string withoutFunctionName(const std::string& message) {
    std::string text = message;
    // The library begins every message with its function's name and "()", then a colon,
    // after " failed" or " warning" where it says so.
    const std::size_t call = text.find("()");
    const std::size_t colon = text.find(':', call);
    if (text.rfind("glm", 0) == 0 && colon != std::string::npos) {
        const std::string between = text.substr(call + 2, colon - call - 2);
        if (between.empty() || between == " failed" || between == " warning") {
            text.erase(0, text.find_first_not_of(' ', colon + 1));
        }
    }
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text;
}

ModelReading readModel(const std::string& path, unsigned threads, std::string* error) {
    ModelReading reading;
    ObjReadOptions options;
    options.threads = threads;
    options.descriptor = path == "-" ? STDIN_FILENO : -1;
    options.report = &reading.report;
    reading.model.reset(glmReadOBJWith(path.c_str(), options, error));
    printWarnings(reading.report.warnings);
    if (reading.model == nullptr && reading.report.error != 0) {
        *error = std::strerror(reading.report.error);
    } else if (reading.model == nullptr) {
        // The caller names the file already.
        *error = withoutFunctionName(*error);
        const std::string named = "\"" + path + "\"";
        for (const std::string& lead : {named + ": ", named + " "}) {
            if (error->rfind(lead, 0) == 0) {
                error->erase(0, lead.size());
                break;
            }
        }
    }
    return reading;
}

std::string shownName(const std::string& path) {
    return path == "-" ? "standard input" : "\"" + path + "\"";
}

std::vector<std::string> filesRead(const std::string& path, const ObjReadReport& report) {
    std::vector<std::string> files;
    if (path != "-") {
        files.push_back(path);
    }
    for (const ObjMaterialLibrary& library : report.libraries) {
        files.push_back(library.path);
    }
    return files;
}

std::vector<ObjSkippedStatements> droppedStatements(const ObjReadReport& report,
                                                    bool materialsWritten) {
    std::vector<ObjSkippedStatements> dropped;
    std::copy_if(report.skipped.begin(), report.skipped.end(), std::back_inserter(dropped),
                 [&](const ObjSkippedStatements& kind) {
                     return materialsWritten || !isLibrary(report, kind.file);
                 });
    return dropped;
}

std::string describeStatements(const ObjSkippedStatements& kind) {
    return "\"" + kind.keyword + "\": " + std::to_string(kind.count) +
           (kind.count == 1 ? " line in " : " lines in ") + kind.file;
}
