// The painted wooden board that the rabbit and the gopher stand on: vertical planks painted
// with a meadow under a pale sky, the grain showing through the paint, in a dark frame.
#pragma once

#include "picture.h"

#include <cstdint>

// `horizon` is the height (0..1) where meadow meets sky; `seed` varies the wood.
Picture paintMeadowBoard(int size, double horizon, std::uint32_t seed);
