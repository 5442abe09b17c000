#include "picture.h"

#include <cassert>

Picture::Picture(int width, int height, Colour fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {
    assert(width > 0 && height > 0 && "a picture needs at least one pixel");
}

std::size_t Picture::index(int x, int y) const {
    assert(x >= 0 && x < width_ && y >= 0 && y < height_ && "pixel outside the picture");
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
}

Picture Picture::mirrored() const {
    Picture out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            out.at(x, y) = at(width_ - 1 - x, y);
        }
    }
    return out;
}
