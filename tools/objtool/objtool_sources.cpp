#include "objtool_sources.h"

#include "gallery/glm.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <unordered_map>

namespace {

// What the model library reads from each kind of file; everything else it skips.
constexpr std::string_view kModelKept[] = {"v", "vn", "vt", "f", "g"};
constexpr std::string_view kMaterialUse[] = {"mtllib", "usemtl"};
constexpr std::string_view kLibraryKept[] = {"newmtl", "Ka", "Kd", "Ks", "Ns"};

template <std::size_t N> bool listed(const std::string_view (&list)[N], const std::string& word) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

// A keyword is a word of letters, digits and "_" that begins with a letter.
bool isKeyword(const std::string& word) {
    const auto keywordChar = [](unsigned char c) { return std::isalnum(c) || c == '_'; };
    return !word.empty() && std::isalpha(static_cast<unsigned char>(word[0])) &&
           std::all_of(word.begin(), word.end(), keywordChar);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The words of an OBJ file's "mtllib" lines: the first of each line names a library that the
// model library reads; the others it never opens, but they name libraries all the same.
struct LibraryNames {
    std::vector<std::string> read;
    std::vector<std::string> unread;
};

// Counts the file's kinds of statement; for the OBJ file, also collects the words of its
// "mtllib" lines into libraries.
void scanFile(const std::string& path, bool inLibrary, std::vector<StatementKind>* statements,
              LibraryNames* libraries) {
    std::ifstream in(path, std::ios::binary);
    std::unordered_map<std::string, std::size_t> kinds; // keyword to its place in statements
    std::string line;
    while (std::getline(in, line)) {
        const auto begin = std::find_if_not(line.begin(), line.end(), isBlank);
        const auto end = std::find_if(begin, line.end(), isBlank);
        const std::string keyword(begin, end);
        if (!isKeyword(keyword)) {
            continue;
        }
        const auto [kind, added] = kinds.try_emplace(keyword, statements->size());
        if (added) {
            statements->push_back({keyword, path, inLibrary, 0});
        }
        (*statements)[kind->second].lines++;
        if (!inLibrary && keyword == "mtllib") {
            std::istringstream names(std::string(end, line.end()));
            std::vector<std::string>* list = &libraries->read;
            for (std::string name; names >> name; list = &libraries->unread) {
                list->push_back(name);
            }
        }
    }
}

} // namespace

ModelSources scanSources(const std::string& input) {
    ModelSources sources;
    sources.files.push_back(input);
    LibraryNames libraries;
    scanFile(input, false, &sources.statements, &libraries);
    char* directory = glmPathDirectory(input.c_str());
    // Only what the model library read is scanned: the files it never opened may be anything
    // (a link to /dev/zero, a pipe), and it drops nothing from them.
    const auto add = [&](const std::string& name, bool scan) {
        const std::string path = directory + name;
        if (std::find(sources.files.begin(), sources.files.end(), path) == sources.files.end()) {
            sources.files.push_back(path);
            if (scan) {
                scanFile(path, true, &sources.statements, nullptr);
            }
        }
    };
    for (const std::string& name : libraries.read) {
        add(name, true);
    }
    for (const std::string& name : libraries.unread) {
        add(name, false);
    }
    std::free(directory);
    return sources;
}

std::vector<StatementKind> droppedStatements(const ModelSources& sources, bool materialsWritten) {
    std::vector<StatementKind> dropped;
    std::copy_if(sources.statements.begin(), sources.statements.end(), std::back_inserter(dropped),
                 [materialsWritten](const StatementKind& kind) {
                     if (kind.inLibrary) {
                         return materialsWritten && !listed(kLibraryKept, kind.keyword);
                     }
                     return !listed(kModelKept, kind.keyword) &&
                            !(materialsWritten && listed(kMaterialUse, kind.keyword));
                 });
    return dropped;
}

std::string describeStatements(const StatementKind& kind) {
    return "\"" + kind.keyword + "\": " + std::to_string(kind.lines) +
           (kind.lines == 1 ? " line in " : " lines in ") + kind.file;
}
