// Value noise: smooth pseudo-random fields built from an integer hash, so that every run and
// every machine paints the same pictures. Values lie in 0..1.
#pragma once

#include <cstdint>

// Noise over the plane with features about one unit apart.
double valueNoise(double x, double y, std::uint32_t seed);

// Sum of octaves of valueNoise, each twice the frequency and half the weight of the one
// before, normalised back to 0..1.
double fractalNoise(double x, double y, int octaves, std::uint32_t seed);

// Noise along a line that repeats every `period` units (a whole number), for closed loops
// such as the horizon.
double periodicNoise(double x, int period, std::uint32_t seed);
double periodicFractalNoise(double x, int period, int octaves, std::uint32_t seed);
