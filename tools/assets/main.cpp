// make_assets FOLDER: paints the gallery's pictures into FOLDER/textury/ and builds the gun
// model into FOLDER/modely/. Run it with the repository root to renew the committed files.
#include "output_set.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argc > 0 ? argv[0] : "make_assets");
        return 2;
    }
    std::string error;
    if (!writeOutputFiles(argv[1], &error)) {
        std::fprintf(stderr, "make_assets: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
