// A temporary folder laid out like the program's data (textury/, modely/), filled with real
// pictures written by ImageMagick and small model files, which tests enter while the code
// under test reads its relative paths.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

struct PictureColour {
    std::uint8_t r, g, b;
};

class PictureFolder {
public:
    PictureFolder();
    ~PictureFolder();
    PictureFolder(const PictureFolder&) = delete;
    PictureFolder& operator=(const PictureFolder&) = delete;

    // Writes an 8 x 8 picture of one colour as a 24-bit BMP to the relative path. Returns
    // whether the encoder succeeded.
    bool addPicture(const std::string& relativePath, PictureColour colour);

    // Writes a text file (a model, a material library) to the relative path.
    bool addFile(const std::string& relativePath, const std::string& text);

    // Writes "modely/brokovnice.obj" and its material library: one triangle of a red material.
    // Edge-on, it lies in the y-z plane and so shows nothing when seen along -z through its
    // middle, as from every firing position. Facing, it lies in the x-y plane, facing +z,
    // where after fitting it covers the lower left half of the square from -1 to 1, 1 unit in
    // front of the model's middle (a speck 2 units behind moves it there).
    enum class GunModel { edgeOn, facing };
    bool addGunModel(GunModel shape);

    const std::filesystem::path& path() const { return root; }

private:
    std::filesystem::path root;
};

// Makes a folder the working directory for its lifetime.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& folder);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous;
};
