// Arbitrary bytes reach the BMP readers as a file would: through a stream.
#include "image_invariants.h"
#include "image_streams.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = openFuzzInput(data, size);
    if (file == nullptr) {
        return 0;
    }
    for (auto read : {readBmpStream, readBmp24Stream, readBmp8Stream}) {
        if (auto image = read(file)) {
            check(image->format == PixelFormatRgb && !image->palettePending);
            checkImage(*image);
        }
    }
    std::fclose(file);
    return 0;
}
