#include "booth_set.h"

#include "gl_state.h"

#include <GL/gl.h>
#include <utility>

namespace {

// A kind of box: half-width, height, half-depth, density and its front material.
struct BoxKind {
    float halfWidth, height, halfDepth, density;
    float ambient[4], diffuse[4], specular[4];
    float shininess;
};

constexpr BoxKind platformKind = {
    .halfWidth = 15,
    .height = 2,
    .halfDepth = 5,
    .density = 100,
    .ambient = {0.35f, 0.35f, 0.35f, 0.5f},
    .diffuse = {0.35f, 0.35f, 0.35f, 1},
    .specular = {0.3f, 0.2f, 0.1f, 1},
    .shininess = 5,
};
constexpr BoxKind panelKind = {
    .halfWidth = 3,
    .height = 8,
    .halfDepth = 0.25f,
    .density = 50,
    .ambient = {0.58f, 0.36f, 0.24f, 0.5f},
    .diffuse = {0.58f, 0.36f, 0.24f, 0.5f}, // alpha 0.5, unlike the other kinds'
    .specular = {0.1f, 0.1f, 0.1f, 1},
    .shininess = 10,
};
constexpr BoxKind counterKind = {
    .halfWidth = 1,
    .height = 4,
    .halfDepth = 4.25f,
    .density = 50,
    .ambient = {0.54f, 0.21f, 0.81f, 0.5f},
    .diffuse = {0.54f, 0.21f, 0.81f, 1},
    .specular = {0.2f, 0.2f, 0.2f, 1},
    .shininess = 15,
};
constexpr BoxKind roofKind = {
    .halfWidth = 3.5f,
    .height = 0.25f,
    .halfDepth = 5,
    .density = 50,
    .ambient = {0.7f, 0, 0, 0.5f},
    .diffuse = {0.7f, 0, 0, 1},
    .specular = {0.4f, 0, 0, 1},
    .shininess = 20,
};

std::unique_ptr<BoothBox> makeBox(const BoxKind& kind) {
    const float x = kind.halfWidth;
    const float h = kind.height;
    const float z = kind.halfDepth;
    const float corners[24] = {-x, 0, -z, -x, 0, z, x, 0, z, x, 0, -z,
                               -x, h, -z, -x, h, z, x, h, z, x, h, -z};
    return std::make_unique<BoothBox>(corners, kind.density, kind.ambient, kind.diffuse,
                                      kind.specular, kind.shininess);
}

// Offsets of the kinds' lists from listBase.
enum KindList : unsigned { platformList = 0, panelList = 1, counterList = 2, roofList = 3 };

struct Placement {
    KindList list;
    double x, y, z;
    float angle;
    float scale[3];
};

// Transforms go translate, rotate about y, scale: the scale acts in the box's own coordinates.
constexpr Placement placements[8] = {
    {platformList, 0, -2, 0, 90, {1, 1, 1}},      // floor
    {panelList, 4.5, 0, 8, 90, {1, 1, 1}},        // near booth, right side
    {panelList, -4.5, 0, 8, 90, {1, 1, 1}},       // near booth, left side
    {counterList, 0, 0, 6, 90, {1, 1, 1}},        // near counter
    {roofList, 0, 8, 8, 90, {1, 1, 1}},           // near roof
    {counterList, 0, 0, -12.4, 90, {1, 1, 1.2f}}, // far counter
    {panelList, 0, 0, -14, -270, {0.2f, 1, 20}},  // back panel; -270 is the same turn as 90
    {roofList, 0, 8, -13.5, 90, {0.6f, 1, 1}},    // far roof
};

bool isUnitScale(const float (&scale)[3]) {
    return scale[0] == 1 && scale[1] == 1 && scale[2] == 1;
}

} // namespace

BoothSet::BoothSet() {
    platform = makeBox(platformKind);
    panel = makeBox(panelKind);
    counter = makeBox(counterKind);
    roof = makeBox(roofKind);
}

void BoothSet::buildLists() {
    if (listBase == 0) {
        listBase = glGenLists(4);
    }
    if (listBase == 0) {
        return; // no names to be had: the context is gone or out of memory
    }
    // Each wall list is complete before the set's list that calls it is opened.
    const std::pair<BoothBox*, KindList> kinds[4] = {
        {platform.get(), platformList},
        {panel.get(), panelList},
        {counter.get(), counterList},
        {roof.get(), roofList},
    };
    for (const auto& [box, list] : kinds) {
        box->buildWallList();
        glNewList(listBase + list, GL_COMPILE);
        box->draw();
        glEndList();
    }
}

void BoothSet::draw() {
    if (listBase == 0) {
        buildLists();
    }
    // The kinds' lists set their materials, which the saved attributes alone do not undo:
    // without this the roof's red would light everything drawn after the booths.
    const SavedFrontMaterial material;
    for (const Placement& placement : placements) {
        const SavedAttributes saved(allAttributeBits);
        glPushMatrix();
        glTranslated(placement.x, placement.y, placement.z);
        glRotatef(placement.angle, 0, 1, 0);
        if (!isUnitScale(placement.scale)) {
            glScalef(placement.scale[0], placement.scale[1], placement.scale[2]);
        }
        glCallList(listBase + placement.list);
        glPopMatrix();
    }
}

void drawBooths(BoothSet& set) {
    for (const double x : {0.0, -40.0, 40.0}) {
        glPushMatrix();
        glTranslated(x, 0.2, 0);
        set.draw();
        glPopMatrix();
    }
}
