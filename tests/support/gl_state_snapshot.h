// The OpenGL state a draw routine may touch, read back from the real context, so that a test
// can tell what a drawing left changed: the matrices and their stacks, every capability the
// game switches, the bound texture, blending, the materials, the current vertex values and
// the fixed settings around them.
#pragma once

#include <string>
#include <vector>

struct GlStateEntry {
    std::string name;
    std::vector<double> values;
};
using GlState = std::vector<GlStateEntry>;

GlState readGlState();

// The names of the entries whose values differ between the two readings.
std::vector<std::string> changedGlState(const GlState& before, const GlState& after);
