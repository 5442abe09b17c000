#include "fireball.h"

#include "noise.h"

#include <cassert>
#include <cmath>

namespace {

// Heat at (dx, dy) from the middle of the frame (in frame widths) for frame progress t = 0
// (the flash) to 1 (the last embers), with the muzzles at height `muzzles` (frame widths).
double heat(double dx, double dy, double t, int frame, double muzzles) {
    // The ball bursts from the muzzles and billows up as it swells, quickly at first and then
    // slower, clear of the booth's counter that hides the square's lowest fifth from the eye.
    // Flame tongues break its edge.
    const double growth = 1 - (1 - t) * (1 - t);
    const double middle = muzzles + 0.14 + 0.08 * growth;
    const double r = std::sqrt(dx * dx + (dy - middle) * (dy - middle));
    const double radius = 0.26 + 0.12 * growth;
    const double turbulence = fractalNoise(dx * 6 + 50, dy * 6 + 50 - t * 2, 4,
                                           40 + static_cast<std::uint32_t>(frame / 4));
    const double edge = radius * (0.6 + 0.8 * turbulence);
    const double body = 1 - smoothstep(edge * 0.2, edge, r);
    // It starts white hot and cools; the middle burns out first in the later frames.
    const double brightness = std::pow(1 - t, 1.5) * 0.9 + 0.22;
    const double hollow = 1 - 0.55 * t * (1 - smoothstep(0, radius * 0.8, r));
    const double flicker =
        0.8 + 0.45 * fractalNoise(dx * 12, dy * 12, 3, 60 + static_cast<std::uint32_t>(frame));
    // Nothing may reach the border of the square.
    const double border = 1 - smoothstep(0.40, 0.47, std::max(std::abs(dx), std::abs(dy)));
    return clamp01(body * brightness * hollow * flicker) * border;
}

} // namespace

Palette firePalette() {
    struct Stop {
        double at;
        Colour colour;
    };
    const Stop stops[] = {{0.00, {0.00, 0.00, 0.00}},
                          {0.25, {0.45, 0.04, 0.00}},
                          {0.50, {0.90, 0.30, 0.02}},
                          {0.75, {1.00, 0.72, 0.15}},
                          {1.00, {1.00, 1.00, 0.90}}};
    Palette palette{};
    for (int i = 0; i < 256; ++i) {
        const double h = i / 255.0;
        std::size_t s = 1;
        while (stops[s].at < h) {
            ++s;
        }
        const double f = (h - stops[s - 1].at) / (stops[s].at - stops[s - 1].at);
        palette[static_cast<std::size_t>(i)] = mix(stops[s - 1].colour, stops[s].colour, f);
    }
    return palette;
}

IndexedPicture paintExplosionFrame(int frame, int size, double muzzles) {
    assert(frame >= 0 && frame < explosionFrameCount && "the explosion has ten frames");
    IndexedPicture picture;
    picture.width = size;
    picture.height = size;
    picture.palette = firePalette();
    picture.indices.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    const double t = frame / static_cast<double>(explosionFrameCount - 1);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5) / size - 0.5;
            const double dy = (y + 0.5) / size - 0.5;
            picture.indices.push_back(toByte(heat(dx, dy, t, frame, muzzles)));
        }
    }
    return picture;
}
