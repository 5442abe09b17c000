// Reading the material libraries that an OBJ file names with "mtllib".
//
// Every library named is read once, in the order named, into one table: entry 0 is the
// material "default", and a library's own "newmtl default" defines that entry rather than a
// second one, so the reader, glmFindMaterial and the writer agree on it. A name defined twice
// finds its first definition. Only "newmtl" starts a material and only "Ns" sets the specular
// exponent; "Kd", "Ks" and "Ka" set colours; every other statement is skipped. A library that
// cannot be read is a warning: the model is read without its materials.
#include "glm_keywords.h"
#include "glm_line_source.h"
#include "glm_reader.h"
#include "glm_scanner.h"
#include "glm_stretches.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace objreader {

namespace {

const ObjMaterial kNewMaterial = {
    nullptr, {0.8f, 0.8f, 0.8f, 1.0f}, {0.2f, 0.2f, 0.2f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 65.0f};

// The table as the libraries fill it.
struct Table {
    std::vector<ObjMaterial> materials;
    bool defaultDefined = false;
    bool anyRead = false;

    ~Table() {
        for (ObjMaterial& material : materials) {
            std::free(material.name);
        }
    }
    // Drops the materials from first on: a library that failed halfway adds none.
    void cut(std::size_t first) {
        for (std::size_t i = first; i < materials.size(); i++) {
            std::free(materials[i].name);
        }
        materials.resize(first);
    }
};

// The colour that a keyword sets, or null.
float* colorOf(ObjMaterial& material, std::string_view keyword) {
    if (keyword == "Kd") {
        return material.diffusecolor;
    }
    if (keyword == "Ks") {
        return material.specularcolor;
    }
    return keyword == "Ka" ? material.ambientcolor : nullptr;
}

// One library being read: the material its lines change, and the keywords it skips.
struct Library {
    Table& table;
    std::size_t current = 0; // properties before the first "newmtl" change "default"
    SkippedTally skipped;
    std::string joined;
    std::string problem; // why it could not be read
};

void statement(Library& library, Scanner& scanner) {
    const std::string_view keyword = scanner.word();
    std::vector<ObjMaterial>& materials = library.table.materials;
    if (keyword == "newmtl") {
        const std::string_view name = statementName(scanner.rest(), &library.joined);
        if (name == "default" && !library.table.defaultDefined) {
            library.table.defaultDefined = true;
            library.current = 0;
        } else {
            materials.push_back(kNewMaterial);
            library.current = materials.size() - 1;
            materials.back().name = copyString(name);
            if (materials.back().name == nullptr) {
                throw std::bad_alloc();
            }
        }
    } else if (keyword == "Ns") {
        float value = 0.0f;
        if (scanner.readFloat(&value)) {
            // MTL exponents run to 1000, OpenGL's to 128.
            materials[library.current].specularexponent = value / 1000.0f * 128.0f;
        }
    } else if (float* color = colorOf(materials[library.current], keyword)) {
        scanner.readFloats(color, 3);
    } else {
        library.skipped.add(keyword);
    }
    scanner.endLine();
}

// Reads one stretch; false with library.problem set at a zero byte.
bool readStretch(Library& library, Scanner& scanner) {
    while (scanner.toStatement()) {
        statement(library, scanner);
    }
    if (scanner.atEnd()) {
        return true;
    }
    library.problem = "line " + std::to_string(scanner.line()) + ": " + kZeroByteReason;
    return false;
}

// Reads the library in text into the table; false with library.problem set.
bool readText(Library& library, const TextSource& text) {
    LineSource lines(text);
    lines.startPart(0, text.size());
    const StretchesRead read =
        readStretches(lines, 1, [&](Scanner& scanner) { return readStretch(library, scanner); });
    if (read.refusedEncoding != nullptr) {
        library.problem = byteOrderMarkReason(read.refusedEncoding);
    } else if (library.problem.empty() && lines.end() == LineSource::End::LongLine) {
        library.problem = "line " + std::to_string(read.line) + ": " + longLineReason();
    } else if (library.problem.empty() && lines.end() == LineSource::End::ReadError) {
        library.problem = std::strerror(lines.error());
    }
    return library.problem.empty();
}

// Reads the library at path into the table; a library that cannot be read is a warning.
void readLibrary(Reading& reading, Table& table, const std::string& name, const std::string& path) {
    TextSource text;
    Library library{table, 0, {}, {}, {}};
    bool opened = true;
    if (reading.settings.materialText != nullptr) {
        text.view(*reading.settings.materialText);
    } else {
        int error = 0;
        opened = text.open(path.c_str(), -1, &error);
        library.problem = opened ? "" : std::strerror(error);
    }
    const std::size_t first = table.materials.size();
    if (opened && readText(library, text)) {
        table.anyRead = true;
    } else {
        table.cut(first);
        reading.warn("glmReadMTL() warning: can't " + std::string(opened ? "read" : "open") +
                     " material file \"" + path + "\": " + library.problem +
                     "; the model is read without its materials.");
    }
    if (reading.report != nullptr) {
        reading.report->libraries.push_back({name, path, library.problem});
        for (const SkippedTally::Kind& kind : library.skipped.kinds()) {
            reading.report->skipped.push_back({kind.keyword, path, kind.count});
        }
    }
}

// The names that an "mtllib" line gives: its words, or the whole line when the words name
// no files but the line does ("mtllib my materials.mtl").
std::vector<std::string> libraryNames(const Reading& reading, const std::string& directory,
                                      const std::string& line) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t end = std::min(line.find_first_of(" \t\v\f", at), line.size());
        if (end > at) {
            names.push_back(line.substr(at, end - at));
        }
        at = end + 1;
    }
    const auto exists = [&](const std::string& name) {
        return access((directory + name).c_str(), F_OK) == 0;
    };
    if (names.size() > 1 && reading.settings.materialText == nullptr &&
        !std::all_of(names.begin(), names.end(), exists) && exists(line)) {
        return {line};
    }
    return names;
}

} // namespace

void readLibraries(Reading& reading, const std::vector<std::string>& lines) {
    ObjModel* model = reading.model;
    char* folder = glmPathDirectory(model->objpath);
    const std::string directory = folder;
    std::free(folder);
    Table table;
    table.materials.push_back(kNewMaterial);
    table.materials[0].name = copyString("default");
    std::vector<std::string> read;
    for (const std::string& line : lines) {
        for (const std::string& name : libraryNames(reading, directory, line)) {
            if (std::find(read.begin(), read.end(), name) == read.end()) {
                read.push_back(name);
                readLibrary(reading, table, name, directory + name);
            }
        }
    }
    if (!table.anyRead || table.materials.size() > UINT32_MAX) {
        return;
    }
    auto* materials =
        static_cast<ObjMaterial*>(std::malloc(table.materials.size() * sizeof(ObjMaterial)));
    if (materials == nullptr) {
        throw std::bad_alloc();
    }
    std::copy(table.materials.begin(), table.materials.end(), materials);
    model->materialtable = materials;
    model->materialcount = static_cast<std::uint32_t>(table.materials.size());
    table.materials.clear(); // the model owns the names now
}

} // namespace objreader
