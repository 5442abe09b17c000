#include "board.h"

#include "noise.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int plankCount = 4;
constexpr double frameWidth = 0.025;

const Colour skyTop{0.55, 0.74, 0.90};
const Colour skyLow{0.86, 0.92, 0.95};
const Colour meadowFar{0.52, 0.72, 0.30};
const Colour meadowNear{0.30, 0.55, 0.18};
const Colour frameWood{0.36, 0.22, 0.12};
const Colour seamColour{0.30, 0.24, 0.16};

// The painted scene without the wood.
Colour paint(double u, double v, double horizon, std::uint32_t seed) {
    if (v > horizon) {
        return mix(skyLow, skyTop, smoothstep(horizon, 1, v));
    }
    // Tufts of grass: noise stretched upwards, darker toward the bottom.
    const double tuft = fractalNoise(u * 60, v * 12, 3, seed + 11);
    const Colour green = mix(meadowNear, meadowFar, smoothstep(0, horizon, v));
    return scale(green, 0.85 + 0.3 * tuft);
}

} // namespace

Picture paintMeadowBoard(int size, double horizon, std::uint32_t seed) {
    Picture board(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = (x + 0.5) / size;
            const double v = (y + 0.5) / size;
            const double plankU = u * plankCount;
            const int plank = static_cast<int>(plankU);
            const double across = plankU - plank;
            // Grain runs along the planks; each plank is cut from a different part of the log.
            const double grain = fractalNoise(across * 6 + plank * 17.0, v * 1.5, 4,
                                              seed + static_cast<std::uint32_t>(plank));
            const double rings =
                0.5 + 0.5 * std::sin((grain * 9 + across * 3) * 2 * std::numbers::pi);
            Colour c = scale(paint(u, v, horizon, seed), 0.94 + 0.07 * rings);
            // Dark seams between planks, a pixel or two wide.
            const double seam = std::min(across, 1 - across) * size / plankCount;
            c = mix(seamColour, c, 0.35 + 0.65 * smoothstep(0.3, 1.5, seam));
            const double edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
            if (edge < frameWidth) {
                c = scale(frameWood, 0.85 + 0.3 * grain);
            }
            board.at(x, y) = c;
        }
    }
    return board;
}
