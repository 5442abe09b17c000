#include "icon.h"

#include "targets.h"

#include <cmath>

PngPixels paintIcon(int size) {
    const Picture target = paintPaperTarget(size);
    PngPixels icon{size, size, 4, {}};
    icon.bytes.reserve(static_cast<std::size_t>(size) * size * 4);
    // The disc just covers the outer ring; its edge is smoothed over one pixel.
    const double centre = size / 2.0;
    const double radius = size * 0.475;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Colour& colour = target.at(x, y);
            const double distance = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
            for (double channel : {colour.r, colour.g, colour.b, radius + 0.5 - distance}) {
                icon.bytes.push_back(toByte(channel));
            }
        }
    }
    return icon;
}
