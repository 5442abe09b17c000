#include "noise.h"

#include <cmath>

namespace {

// A well-mixing 32-bit integer hash (a variant of the "lowbias32" finaliser).
std::uint32_t hash(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

double latticeValue(std::int64_t ix, std::int64_t iy, std::uint32_t seed) {
    const std::uint32_t h =
        hash(static_cast<std::uint32_t>(ix) ^ hash(static_cast<std::uint32_t>(iy) ^ hash(seed)));
    return static_cast<double>(h) / 4294967296.0;
}

// Quintic fade: continuous slope and curvature at the lattice lines, so no creases show.
double fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

std::uint32_t octaveSeed(std::uint32_t seed, int octave) {
    return seed + static_cast<std::uint32_t>(octave) * 7919U;
}

// Octave i is sampled at frequency 2^i and weighted 2^-i; the sum is normalised to 0..1.
template <class Sample> double sumOctaves(int octaves, Sample sample) {
    double sum = 0;
    double weight = 1;
    double total = 0;
    double frequency = 1;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * sample(octave, frequency);
        total += weight;
        weight *= 0.5;
        frequency *= 2;
    }
    return sum / total;
}

} // namespace

double valueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<std::int64_t>(fx);
    const auto iy = static_cast<std::int64_t>(fy);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const double bottom = lerp(latticeValue(ix, iy, seed), latticeValue(ix + 1, iy, seed), tx);
    const double top = lerp(latticeValue(ix, iy + 1, seed), latticeValue(ix + 1, iy + 1, seed), tx);
    return lerp(bottom, top, ty);
}

double fractalNoise(double x, double y, int octaves, std::uint32_t seed) {
    return sumOctaves(octaves, [&](int octave, double frequency) {
        return valueNoise(x * frequency, y * frequency, octaveSeed(seed, octave));
    });
}

double periodicNoise(double x, int period, std::uint32_t seed) {
    const double fx = std::floor(x);
    const auto ix = static_cast<std::int64_t>(fx);
    const auto wrap = [period](std::int64_t i) { return ((i % period) + period) % period; };
    return lerp(latticeValue(wrap(ix), 0, seed), latticeValue(wrap(ix + 1), 0, seed), fade(x - fx));
}

double periodicFractalNoise(double x, int period, int octaves, std::uint32_t seed) {
    return sumOctaves(octaves, [&](int octave, double frequency) {
        // The frequency is a whole power of two, so the scaled period stays whole.
        return periodicNoise(x * frequency, period * static_cast<int>(frequency),
                             octaveSeed(seed, octave));
    });
}
