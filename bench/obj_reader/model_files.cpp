#include "model_files.h"

#include "gallery/glm.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <random>
#include <vector>

namespace {

void appendNumber(std::string& out, float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    out.append(text, result.ptr);
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A wavy height field: one vertex, texture coordinate and normal per grid point.
constexpr int kGrid = 708; // (708 - 1)^2 cells of two triangles: 999,698 triangles

void writeHeightField(const std::filesystem::path& obj, const std::filesystem::path& mtl) {
    constexpr int kGroups = 8;
    constexpr int kMaterials = 4;
    std::string text = "# generated height field\nmtllib " + mtl.filename().string() + "\n";
    const auto height = [](float x, float z) { return 0.1f * std::sin(x * 9) * std::cos(z * 7); };
    for (int row = 0; row < kGrid; row++) {
        for (int column = 0; column < kGrid; column++) {
            const float x = static_cast<float>(column) / kGrid;
            const float z = static_cast<float>(row) / kGrid;
            const float vertex[3] = {x, height(x, z), z};
            const float texcoord[2] = {x, 1 - z};
            float normal[3] = {-0.9f * std::cos(x * 9) * std::cos(z * 7), 1,
                               0.7f * std::sin(x * 9) * std::sin(z * 7)};
            glmMakeUnit(normal);
            const std::pair<const char*, std::pair<const float*, int>> lines[] = {
                {"v", {vertex, 3}}, {"vt", {texcoord, 2}}, {"vn", {normal, 3}}};
            for (const auto& [keyword, values] : lines) {
                text += keyword;
                for (int i = 0; i < values.second; i++) {
                    text += ' ';
                    appendNumber(text, values.first[i]);
                }
                text += '\n';
            }
        }
    }
    for (int row = 0; row + 1 < kGrid; row++) {
        if (row % ((kGrid + kGroups - 1) / kGroups) == 0) {
            const int group = row / ((kGrid + kGroups - 1) / kGroups);
            text += "g part" + std::to_string(group) + "\nusemtl material" +
                    std::to_string(group % kMaterials) + "\n";
        }
        for (int column = 0; column + 1 < kGrid; column++) {
            const int a = row * kGrid + column + 1;
            const int corners[2][3] = {{a, a + kGrid, a + kGrid + 1}, {a, a + kGrid + 1, a + 1}};
            for (const auto& triangle : corners) {
                text += 'f';
                for (const int i : triangle) {
                    const std::string index = std::to_string(i);
                    text += ' ' + index + '/' + index + '/' + index;
                }
                text += '\n';
            }
        }
    }
    writeFile(obj, text);
    std::string materials;
    for (int m = 0; m < kMaterials; m++) {
        materials += "newmtl material" + std::to_string(m) + "\nKa 0.1 0.1 0.1\nKd 0." +
                     std::to_string(m + 2) + " 0.5 0.5\nKs 1 1 1\nNs 200\nNi 1.45\nillum 2\n";
    }
    writeFile(mtl, materials);
}

// An exporter's file: each group is an object of its own, a ring of polygons of 5 to 30
// corners around a shared centre, flat-shaded (one normal per polygon) with texture
// coordinates per vertex. Every line ends in CRLF.
void writeExport(const std::filesystem::path& obj, const std::filesystem::path& mtl) {
    constexpr int kGroups = 2000;
    constexpr int kMaterials = 200;
    constexpr int kPolygonsPerGroup = 30;
    std::mt19937 random(15);
    std::uniform_int_distribution<int> cornerCount(5, 30);
    std::uniform_real_distribution<float> jitter(-0.01f, 0.01f);
    std::string text =
        "# Exported model\r\n# 2000 objects\r\n\r\nmtllib " + mtl.filename().string() + "\r\n";
    int vertices = 0;
    int texcoords = 0;
    int normals = 0;
    const auto line = [&](const char* keyword, std::initializer_list<float> values) {
        text += keyword;
        for (const float value : values) {
            text += ' ';
            appendNumber(text, value);
        }
        text += "\r\n";
    };
    for (int g = 0; g < kGroups; g++) {
        const float cx = static_cast<float>(g % 50) * 3;
        const float cz = static_cast<float>(g / 50) * 3;
        text += "\r\n# object part" + std::to_string(g) + "\r\no part" + std::to_string(g) + "\r\n";
        // The polygons share their rim vertices with their neighbours: polygon p runs over
        // rim vertices [start of p, start of p + 1], fanned about one centre vertex each.
        std::vector<int> corners(kPolygonsPerGroup);
        int rim = 0;
        for (int& count : corners) {
            count = cornerCount(random);
            rim += count - 2;
        }
        const int firstVertex = vertices + 1;
        for (int i = 0; i <= rim; i++) {
            const float angle = 6.2831853f * static_cast<float>(i) / static_cast<float>(rim);
            line("v", {cx + std::cos(angle) + jitter(random), jitter(random) * 10,
                       cz + std::sin(angle) + jitter(random)});
            line("vt", {0.5f + 0.5f * std::cos(angle), 0.5f + 0.5f * std::sin(angle)});
        }
        line("v", {cx, 0.5f, cz});
        line("vt", {0.5f, 0.5f});
        const int centre = firstVertex + rim + 1;
        vertices += rim + 2;
        const int firstTexcoord = texcoords + 1;
        texcoords += rim + 2;
        for (int p = 0; p < kPolygonsPerGroup; p++) {
            line("vn", {jitter(random), 1, jitter(random)});
        }
        text += "g part" + std::to_string(g) + "\r\nusemtl material" +
                std::to_string((g * 7) % kMaterials) + "\r\ns off\r\n";
        int start = 0;
        for (int p = 0; p < kPolygonsPerGroup; p++) {
            const int normal = ++normals;
            const auto corner = [&](int vertex, int texcoord) {
                text += ' ' + std::to_string(vertex) + '/' + std::to_string(texcoord) + '/' +
                        std::to_string(normal);
            };
            text += 'f';
            corner(centre, firstTexcoord + rim + 1);
            for (int i = 0; i <= corners[p] - 2; i++) {
                corner(firstVertex + start + i, firstTexcoord + start + i);
            }
            text += "\r\n";
            start += corners[p] - 2;
        }
    }
    writeFile(obj, text);
    std::string materials = "# 200 materials\r\n";
    for (int m = 0; m < kMaterials; m++) {
        materials += "\r\nnewmtl material" + std::to_string(m) + "\r\nNs 225.000000\r\n" +
                     "Ka 1.000000 1.000000 1.000000\r\nKd 0." + std::to_string(100 + m) +
                     " 0.500000 0.250000\r\nKs 0.500000 0.500000 0.500000\r\n" +
                     "Ke 0.000000 0.000000 0.000000\r\nNi 1.450000\r\nd 1.000000\r\nillum 2\r\n";
    }
    writeFile(mtl, materials);
}

// The many-groups model and its one-group twin: a strip of triangles over a wavy line.
constexpr int kStripTriangles = 50000;
constexpr int kStripMaterials = 1000;

void writeStrip(const std::filesystem::path& obj, const std::filesystem::path& mtl,
                bool manyGroups) {
    std::string text = "mtllib " + mtl.filename().string() + "\n";
    for (int i = 0; i < kStripTriangles + 2; i++) {
        text += "v " + std::to_string(i / 2) + " " + std::to_string(i % 2) + " " +
                std::to_string((i * 37) % 101) + "\n";
    }
    for (int i = 1; i <= kStripTriangles; i++) {
        if (manyGroups) {
            text += "g strip" + std::to_string(i) + "\nusemtl material" +
                    std::to_string(i % kStripMaterials) + "\n";
        }
        text += "f " + std::to_string(i) + " " + std::to_string(i + 1) + " " +
                std::to_string(i + 2) + "\n";
    }
    writeFile(obj, text);
    std::string materials;
    for (int m = 0; m < kStripMaterials; m++) {
        materials += "newmtl material" + std::to_string(m) + "\nKd 0.5 0.5 0." +
                     std::to_string(m % 10) + "\nNs 100\n";
    }
    writeFile(mtl, materials);
}

} // namespace

ModelFiles writeModelFiles(const std::filesystem::path& folder) {
    const ModelFiles files = {(folder / "field.obj").string(), (folder / "export.obj").string(),
                              (folder / "groups.obj").string(), (folder / "strip.obj").string()};
    writeHeightField(files.field, folder / "field.mtl");
    writeExport(files.exported, folder / "export.mtl");
    writeStrip(files.manyGroups, folder / "groups.mtl", true);
    writeStrip(files.oneGroup, folder / "strip.mtl", false);
    return files;
}
