// One shooting booth assembled from four kinds of box: a floor platform, wall panels,
// counters and roofs, placed as eight boxes. The scene draws the one set at three places.
#pragma once

#include "booth_box.h"

#include <cstdint>
#include <memory>

class BoothSet {
public:
    // Makes the four boxes; no OpenGL call, so the set may exist before the window.
    BoothSet();
    BoothSet(const BoothSet&) = delete;
    BoothSet& operator=(const BoothSet&) = delete;

    // Compiles every box's wall list and then the set's four lists (one per kind, setting the
    // kind's material and calling its walls). Reserves the names on first use; calling it
    // again rebuilds the same lists. Needs a current context and no list being compiled.
    void buildLists();
    // Draws the eight placed boxes under the current modelview matrix and leaves the matrix
    // and every attribute group as they were. Builds the lists on the first call only: they
    // never change, and recompiling them every frame grows the process without bound.
    void draw();

    std::uint32_t listBase = 0; // the first of the set's four consecutive list names
    std::unique_ptr<BoothBox> panel;
    std::unique_ptr<BoothBox> platform;
    std::unique_ptr<BoothBox> counter;
    std::unique_ptr<BoothBox> roof;
};

// The scene's share of the frame: the set drawn at x = 0, -40 and 40, lifted by 0.2.
void drawBooths(BoothSet& set);
