// Reading the material library that an OBJ file names with "mtllib".
//
// Only "newmtl" starts a material and only "Ns" sets the specular exponent: exporters write
// "Ni" (optical density) after "Ns", and other words beginning with "n" are no materials.
// "Kd", "Ks" and "Ka" set colours; every other word is skipped with the rest of its line.
#include "glm_reader.h"

#include <cstdlib>
#include <cstring>
#include <string>

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

// Both passes run this one routine, so that they always agree on the count: with table
// null it only counts. Returns the number of materials, "default" included.
std::uint32_t scanMaterials(ObjScanner& scanner, ObjMaterial* table) {
    ObjMaterial scratch = kNewMaterial;
    std::uint32_t current = 0;
    std::string_view word;
    while (scanner.word(&word)) {
        ObjMaterial& material = table != nullptr ? table[current] : scratch;
        float* color = word[0] == 'K' ? colorOf(material, word) : nullptr;
        if (word == "newmtl") {
            const ObjName name = glmFirstWordOfLine(scanner);
            current++;
            if (table != nullptr) {
                table[current].name = strdup(name.text);
            }
        } else if (word == "Ns") {
            float value = 0.0f;
            if (scanner.readFloat(&value)) {
                // MTL exponents run to 1000, OpenGL's to 128.
                material.specularexponent = value / 1000.0f * 128.0f;
            }
        } else if (color != nullptr) {
            for (int i = 0; i < 3 && scanner.readFloat(&color[i]); i++) {
            }
        } else {
            scanner.linePiece();
        }
    }
    return current + 1;
}

// Counts, allocates with the defaults, then fills the table.
void readMaterials(ObjModel* model, ObjScanner& scanner) {
    const std::uint32_t count = scanMaterials(scanner, nullptr);
    ObjMaterial* table = static_cast<ObjMaterial*>(std::calloc(count, sizeof(ObjMaterial)));
    for (std::uint32_t i = 0; i < count; i++) {
        table[i] = kNewMaterial;
    }
    table[0].name = strdup("default");
    scanner.rewind();
    scanMaterials(scanner, table);
    model->materialtable = table;
    model->materialcount = count;
}

} // namespace

bool glmReadMTL(ObjReading& reading, const char* name) {
    ObjModel* model = reading.model;
    // A later "mtllib" line replaces the table of an earlier one.
    glmFreeMaterials(model);
    if (reading.materialText != nullptr) {
        const std::string text(*reading.materialText); // brings the terminating zero byte
        ObjScanner scanner(text.data(), text.size());
        readMaterials(model, scanner);
        return true;
    }
    char* directory = glmPathDirectory(model->objpath);
    const std::string path = std::string(directory) + name;
    std::free(directory);
    ObjFileText file;
    if (file.open(path.c_str())) {
        ObjScanner scanner(file);
        readMaterials(model, scanner);
        if (!file.failed()) {
            return true;
        }
        glmFreeMaterials(model);
    }
    return reading.fail("glmReadMTL() failed: can't open material file \"" + path + "\".");
}
