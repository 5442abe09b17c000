// Arbitrary bytes reach the TGA readers as a file would: through a stream. Each reader is
// also given the ID length from the first byte, as the choosing reader does.
#include "image_invariants.h"
#include "image_streams.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = openFuzzInput(data, size);
    if (file == nullptr) {
        return 0;
    }
    if (auto image = readTgaStream(file)) {
        checkImage(*image);
    }
    for (auto read : {readTgaTrueColorStream, readTgaRleStream, readTgaMappedStream}) {
        if (auto image = read(file, data[0])) {
            checkImage(*image);
        }
    }
    std::fclose(file);
    return 0;
}
