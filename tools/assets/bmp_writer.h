// Windows bitmap files as the gallery's reader takes them: a 14-byte file header, the 40-byte
// information header, for 8 bits a palette of 256 entries, then uncompressed rows bottom-up,
// each padded to a multiple of 4 bytes.
#pragma once

#include "picture.h"

#include <cstdint>
#include <vector>

std::vector<std::uint8_t> encodeBmp24(const Picture& picture);
std::vector<std::uint8_t> encodeBmp8(const IndexedPicture& picture);
