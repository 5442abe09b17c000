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

WorkingDirectory::WorkingDirectory(const fs::path& folder) : previous(fs::current_path()) {
    fs::current_path(folder);
}

WorkingDirectory::~WorkingDirectory() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
}
