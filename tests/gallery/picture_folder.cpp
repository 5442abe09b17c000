#include "picture_folder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

PictureFolder::PictureFolder() {
    std::string pattern = (fs::temp_directory_path() / "gallery-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    root = pattern;
    fs::create_directory(root / "textury");
    fs::create_directory(root / "modely");
}

PictureFolder::~PictureFolder() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

bool PictureFolder::addPicture(const std::string& relativePath, PictureColour colour) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", colour.r, colour.g, colour.b);
    // BMP3 with a true-colour type: a 24-bit file even for a picture of one colour.
    const std::string command = "convert -size 8x8 'xc:" + std::string(hex) +
                                "' -type TrueColor 'BMP3:" + (root / relativePath).string() + "'";
    return std::system(command.c_str()) == 0;
}

bool PictureFolder::addFile(const std::string& relativePath, const std::string& text) {
    std::ofstream out(root / relativePath, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

bool PictureFolder::addGunModel(GunModel shape) {
    const char* edgeOn = "mtllib brokovnice.mtl\n"
                         "v 0 0 0\nv 0 4 0\nv 0 0 4\n"
                         "usemtl steel\nf 1 2 3\n";
    const char* facing = "mtllib brokovnice.mtl\n"
                         "v 0 0 0\nv 4 0 0\nv 0 4 0\n"
                         "v 0 0 -4\nv 0.01 0 -4\nv 0 0.01 -4\n"
                         "usemtl steel\nf 1 2 3\nf 4 5 6\n";
    const char* material = "newmtl steel\nKa 0.1 0.1 0.1\nKd 0.9 0.1 0.1\nKs 0.5 0.5 0.5\nNs 500\n";
    return addFile("modely/brokovnice.obj", shape == GunModel::edgeOn ? edgeOn : facing) &&
           addFile("modely/brokovnice.mtl", material);
}

WorkingDirectory::WorkingDirectory(const fs::path& folder) : previous(fs::current_path()) {
    fs::current_path(folder);
}

WorkingDirectory::~WorkingDirectory() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
}
