#include "output_set.h"

#include "bmp_writer.h"
#include "fireball.h"
#include "obj_writer.h"
#include "shotgun_model.h"
#include "sky.h"
#include "targets.h"

#include <fstream>
#include <system_error>

namespace {

constexpr int targetSize = 256;
constexpr int explosionSize = 128;
constexpr int skySize = 512;

// The gallery fits the gun into the cube from -1 to 1 and scales it by 3, so its length spans
// 6 scene units, and draws the explosion as a 1-unit square level with the middle of the gun.
constexpr double gunLengthInSquares = 6;

// A target's picture is mapped with s growing toward -x on a board seen from +z, so from the
// player's side the file's left edge is on the right: the file holds the mirror image.
std::function<std::vector<std::uint8_t>()> target(Picture (*paint)(int)) {
    return [paint] { return encodeBmp24(paint(targetSize).mirrored()); };
}

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

} // namespace

std::vector<OutputFile> outputFiles() {
    std::vector<OutputFile> files = {
        {"textury/kralik.bmp", target(paintRabbit)},
        {"textury/sysel.bmp", target(paintGopher)},
        {"textury/terc.bmp", target(paintPaperTarget)},
    };
    const double muzzles = muzzleHeight(buildShotgun()) * gunLengthInSquares;
    for (int frame = 0; frame < explosionFrameCount; ++frame) {
        files.push_back({"textury/Explode" + std::to_string(frame + 1) + ".bmp", [frame, muzzles] {
                             return encodeBmp8(paintExplosionFrame(frame, explosionSize, muzzles));
                         }});
    }
    for (int face = 0; face < skyFaceCount; ++face) {
        files.push_back({"textury/skybox" + std::to_string(face) + ".bmp",
                         [face] { return encodeBmp24(paintSkyFace(face, skySize)); }});
    }
    files.push_back({"modely/brokovnice.obj",
                     [] { return bytesOf(objText(buildShotgun().mesh, "brokovnice.mtl")); }});
    files.push_back(
        {"modely/brokovnice.mtl", [] { return bytesOf(mtlText(buildShotgun().mesh)); }});
    return files;
}

bool writeOutputFiles(const std::filesystem::path& root, std::string* error) {
    for (const OutputFile& file : outputFiles()) {
        const std::filesystem::path path = root / file.path;
        std::error_code code;
        std::filesystem::create_directories(path.parent_path(), code);
        if (code) {
            *error = "cannot create the folder \"" + path.parent_path().string() +
                     "\": " + code.message();
            return false;
        }
        const std::vector<std::uint8_t> bytes = file.contents();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            *error = "cannot write \"" + path.string() + "\"";
            return false;
        }
    }
    return true;
}
