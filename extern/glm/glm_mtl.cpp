// Reading the material library that an OBJ file names with "mtllib".
//
// Only "newmtl" starts a material and only "Ns" sets the specular exponent: exporters write
// "Ni" (optical density) after "Ns", and other words beginning with "n" are no materials.
// "Kd", "Ks" and "Ka" set colours; every other line is skipped. Lines are read whole, and a
// backslash at a line's end continues it, as in the OBJ file.
#include "glm_reader.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace objreader {

namespace {

const ObjMaterial kNewMaterial = {
    nullptr, {0.8f, 0.8f, 0.8f, 1.0f}, {0.2f, 0.2f, 0.2f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 65.0f};

// The colour that a "K" word sets, or null for the ones the library ignores ("Ke").
float* colorOf(ObjMaterial& material, std::string_view word) {
    switch (word.size() > 1 ? word[1] : '\0') {
    case 'd':
        return material.diffusecolor;
    case 's':
        return material.specularcolor;
    case 'a':
        return material.ambientcolor;
    default:
        return nullptr;
    }
}

// Both passes run this one routine, so that they always agree on the count: with table null
// it only counts; with a table of room entries it stops at a material that finds no room
// (the file changed between the passes). Returns the number of materials, "default"
// included.
std::uint64_t scanMaterials(Scanner& scanner, ObjMaterial* table, std::uint64_t room) {
    ObjMaterial scratch = kNewMaterial;
    std::uint64_t current = 0;
    std::string_view word;
    while (scanner.nextLine(&word)) {
        if (word[0] == '#') {
            scanner.endPhysicalLine();
            continue;
        }
        ObjMaterial& material = table != nullptr ? table[current] : scratch;
        float* color = word[0] == 'K' ? colorOf(material, word) : nullptr;
        if (word == "newmtl") {
            std::string_view name;
            scanner.word(&name);
            if (++current == room) {
                return room + 1;
            }
            if (table != nullptr) {
                table[current].name = copyString(cString(name));
            }
        } else if (word == "Ns") {
            float value = 0.0f;
            if (scanner.readFloat(&value)) {
                // MTL exponents run to 1000, OpenGL's to 128.
                material.specularexponent = value / 1000.0f * 128.0f;
            }
        } else if (color != nullptr) {
            scanner.readFloats(color, 3);
        }
        scanner.endLine();
    }
    return current + 1;
}

// Counts, allocates with the defaults, then fills the table. path names the library in
// messages; readError is the message for a read that fails.
bool readMaterials(Reading& reading, Scanner& scanner, const std::string& path,
                   const std::string& readError) {
    if (!reading.checkEncoding(scanner, "glmReadMTL", path)) {
        return false;
    }
    const std::uint64_t count = scanMaterials(scanner, nullptr, UINT64_MAX);
    if (!reading.checkEnd(scanner, "glmReadMTL", path, readError)) {
        return false;
    }
    if (count > UINT32_MAX) {
        return reading.failIn("glmReadMTL", path, 0, "more materials than 32 bits count");
    }
    ObjMaterial* table = static_cast<ObjMaterial*>(std::calloc(count, sizeof(ObjMaterial)));
    for (std::uint64_t i = 0; i < count; i++) {
        table[i] = kNewMaterial;
    }
    table[0].name = strdup("default");
    ObjModel* model = reading.model;
    model->materialtable = table;
    model->materialcount = static_cast<std::uint32_t>(count);
    scanner.rewind();
    if (scanMaterials(scanner, table, count) != count) {
        return reading.failIn("glmReadMTL", path, 0, "the file changed while it was read");
    }
    return reading.checkEnd(scanner, "glmReadMTL", path, readError);
}

} // namespace

bool glmReadMTL(Reading& reading, std::string_view name) {
    ObjModel* model = reading.model;
    // A later "mtllib" line replaces the table of an earlier one.
    freeMaterials(model);
    char* directory = glmPathDirectory(model->objpath);
    const std::string path = directory + std::string(name);
    std::free(directory);
    const std::string cantOpen = "glmReadMTL() failed: can't open material file \"" + path + "\".";
    if (reading.materialText != nullptr) {
        const std::string text(*reading.materialText); // brings the terminating zero byte
        Scanner scanner(text.data(), text.size());
        return readMaterials(reading, scanner, path, cantOpen);
    }
    FileText file;
    if (!file.open(path.c_str())) {
        return reading.fail(cantOpen);
    }
    Scanner scanner(file);
    return readMaterials(reading, scanner, path, cantOpen);
}

} // namespace objreader
