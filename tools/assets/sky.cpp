#include "sky.h"

#include "noise.h"
#include "vec.h"

#include <cassert>
#include <cmath>
#include <numbers>

namespace {

// Where the sky cube puts each picture: the corners at (s, t) = (0, 0), (1, 0) and (0, 1).
struct FaceCorners {
    Vec3 origin, sEnd, tEnd;
};
constexpr FaceCorners faces[skyFaceCount] = {
    {{-120, 0, -120}, {120, 0, -120}, {-120, 100, -120}},  // wall at z = -120
    {{120, 0, -120}, {-120, 0, -120}, {120, 0, 120}},      // ground
    {{120, 0, 120}, {-120, 0, 120}, {120, 100, 120}},      // wall at z = +120
    {{-120, 0, 120}, {-120, 0, -120}, {-120, 100, 120}},   // wall at x = -120
    {{120, 0, -120}, {120, 0, 120}, {120, 100, -120}},     // wall at x = +120
    {{120, 100, 120}, {-120, 100, 120}, {120, 100, -120}}, // ceiling
};

// The landscape is seen from here: about the eye height of the firing positions.
const Vec3 eye{0, 5, 0};
constexpr double cloudHeight = 100;

const Colour grassLight{0.42, 0.60, 0.22};
const Colour grassDark{0.24, 0.42, 0.13};
const Colour grassDry{0.60, 0.60, 0.30};
const Colour haze{0.74, 0.80, 0.86};
const Colour nearHill{0.22, 0.38, 0.18};
const Colour farHill{0.42, 0.52, 0.62};
const Colour skyHorizon{0.80, 0.87, 0.95};
const Colour skyZenith{0.26, 0.48, 0.84};
const Colour cloudLit{0.99, 0.99, 0.98};
const Colour cloudShade{0.70, 0.74, 0.80};
const Vec3 sun = normalized({0.55, 0.38, -0.74});

// Grass at a point of the ground; `distance` from the eye thins out the detail that a texel
// far away could not show.
Colour grass(double x, double z, double distance) {
    const double patches = fractalNoise(x / 30, z / 30, 3, 100);
    const double dry = smoothstep(0.62, 0.78, fractalNoise(x / 45 + 7, z / 45, 2, 101));
    const double detail = fractalNoise(x * 1.7, z * 1.7, 3, 102) - 0.5;
    const double nearness = std::min(1.0, 60 / std::max(distance, 1.0));
    Colour c = mix(grassDark, grassLight, patches);
    c = mix(c, grassDry, dry * 0.7);
    return scale(c, 1 + 0.45 * detail * nearness);
}

// Aerial perspective: far things fade toward the haze colour.
Colour hazed(Colour c, double distance) {
    return mix(c, haze, 1 - std::exp(-distance / 900));
}

// Height of the ridges as the tangent of their elevation, for an azimuth in turns (0..1).
double farRidge(double turns) {
    return 0.035 + 0.15 * std::pow(periodicFractalNoise(turns * 12, 12, 4, 200), 1.6);
}
double nearRidge(double turns) {
    return 0.01 + 0.06 * std::pow(periodicFractalNoise(turns * 20, 20, 4, 201), 1.3);
}

Colour sky(Vec3 dir) {
    const double elevation = std::asin(dir.y);
    Colour c = mix(skyHorizon, skyZenith, smoothstep(0, 1.1, elevation));
    const double towardSun = std::max(0.0, dot(dir, sun));
    c = mix(c, {1.0, 0.97, 0.85}, 0.35 * std::pow(towardSun, 12));
    c = mix(c, {1.0, 1.0, 0.95}, smoothstep(0.9990, 0.9994, towardSun));
    if (dir.y <= 0) {
        return c;
    }
    // Clouds on a flat deck at cloudHeight: they shrink and crowd toward the horizon and fade
    // into the haze where a texel would cover too much of them.
    const double reach = (cloudHeight - eye.y) / dir.y;
    const double cx = eye.x + dir.x * reach;
    const double cz = eye.z + dir.z * reach;
    const double density = fractalNoise(cx / 80, cz / 80, 5, 300);
    const double distance = std::sqrt(cx * cx + cz * cz);
    const double cover = smoothstep(0.50, 0.68, density) * (1 - smoothstep(500, 2500, distance));
    const Colour cloud = mix(cloudShade, cloudLit, smoothstep(0.55, 0.85, density));
    return mix(c, cloud, cover);
}

// The colour seen from the eye through point p of the cube.
Colour landscape(Vec3 p) {
    const Vec3 d = p - eye;
    const double across = std::sqrt(d.x * d.x + d.z * d.z);
    const Vec3 dir = normalized(d);
    if (p.y <= 0) {
        return grass(p.x, p.z, across);
    }
    const double slope = d.y / across; // tangent of the elevation
    // One texel of a wall covers about this much slope at the wall's distance.
    const double texel = 0.35 / across;
    const double turns = std::atan2(d.x, -d.z) / (2 * std::numbers::pi) + 0.5;
    Colour c = sky(dir);
    const double far = farRidge(turns);
    const Colour farColour = hazed(mix(farHill, haze, smoothstep(far, 0, slope) * 0.5), 2000);
    c = mix(farColour, c, smoothstep(far - texel, far + texel, slope));
    const double near = nearRidge(turns);
    const double forest = fractalNoise(turns * 900, slope * 400, 3, 202);
    const Colour nearColour = hazed(scale(nearHill, 0.8 + 0.4 * forest), 800);
    c = mix(nearColour, c, smoothstep(near - texel, near + texel, slope));
    if (slope < 0) {
        // Below the horizon: the ground beyond the wall, where the line of sight meets it.
        const double reach = eye.y / -slope;
        const Vec3 g = eye + Vec3{d.x, 0, d.z} * (reach / across);
        c = hazed(grass(g.x, g.z, reach), reach - across);
    }
    return c;
}

} // namespace

Picture paintSkyFace(int face, int size) {
    assert(face >= 0 && face < skyFaceCount && "the sky cube has six faces");
    const FaceCorners& f = faces[face];
    Picture picture(size, size);
    // The first and last texels lie exactly on the cube's edges, so that the neighbouring
    // faces' edge texels are the same colours.
    const double step = 1.0 / (size - 1);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Vec3 p =
                f.origin + (f.sEnd - f.origin) * (x * step) + (f.tEnd - f.origin) * (y * step);
            picture.at(x, y) = landscape(p);
        }
    }
    return picture;
}
