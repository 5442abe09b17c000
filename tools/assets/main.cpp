// make_assets FOLDER: paints the gallery's pictures into FOLDER/textury/ and builds the gun
// model into FOLDER/modely/. Run it with the repository root to renew the committed files.
// make_assets --icon FILE: paints the desktop icon into the PNG file FILE (made by the build).
#include "icon.h"
#include "output_set.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int iconSize = 128;

} // namespace

int main(int argc, char** argv) {
    const bool icon = argc == 3 && std::strcmp(argv[1], "--icon") == 0;
    if (argc != 2 && !icon) {
        const char* name = argc > 0 ? argv[0] : "make_assets";
        std::fprintf(stderr, "usage: %s FOLDER\n       %s --icon FILE\n", name, name);
        return 2;
    }
    std::string error;
    if (icon ? !writePng(argv[2], paintIcon(iconSize), &error)
             : !writeOutputFiles(argv[1], &error)) {
        std::fprintf(stderr, "make_assets: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
