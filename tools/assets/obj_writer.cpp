#include "obj_writer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Fixed decimals, so the text is the same wherever it is written; a value that rounds to
// zero is written without a sign.
std::string number(double v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    const double rounded = std::strtod(text, nullptr);
    if (rounded == 0) {
        std::snprintf(text, sizeof text, "%.*f", decimals, 0.0);
    }
    return text;
}

std::string colourLine(const char* keyword, Colour c) {
    return std::string(keyword) + " " + number(c.r, 3) + " " + number(c.g, 3) + " " +
           number(c.b, 3) + "\n";
}

} // namespace

std::string objText(const Mesh& mesh, const std::string& materialFile) {
    std::string out = "# " + std::to_string(mesh.vertices.size()) + " vertices, " +
                      std::to_string(triangleCount(mesh)) + " triangles\n";
    out += "mtllib " + materialFile + "\n";
    for (const Vec3& v : mesh.vertices) {
        // Five decimals of a metre: a hundredth of a millimetre.
        out += "v " + number(v.x, 5) + " " + number(v.y, 5) + " " + number(v.z, 5) + "\n";
    }
    for (const FaceGroup& group : mesh.groups) {
        out += "g " + group.name + "\nusemtl " + group.material + "\n";
        for (const auto& face : group.faces) {
            out += "f";
            for (const int index : face) {
                out += " " + std::to_string(index + 1);
            }
            out += "\n";
        }
    }
    return out;
}

std::string mtlText(const Mesh& mesh) {
    std::string out;
    for (const Material& m : mesh.materials) {
        out += "newmtl " + m.name + "\n";
        out += colourLine("Ka", m.ambient);
        out += colourLine("Kd", m.diffuse);
        out += colourLine("Ks", m.specular);
        out += "Ns " + number(m.shininess, 1) + "\n\n";
    }
    return out;
}
