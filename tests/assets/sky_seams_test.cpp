// The sky pictures meet without seams where the sky cube puts them side by side: along every
// edge of the cube, the texels of the two faces that meet there show the same colours.
#include "asset_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace {

struct Point {
    double x, y, z;
};

// Where the sky cube draws each picture: the corners at (s, t) = (0, 0), (1, 0) and (0, 1),
// taken from its table of vertices and texture coordinates.
struct Face {
    Point origin, sEnd, tEnd;
};
const std::array<Face, 6> faces = {{
    {{-120, 0, -120}, {120, 0, -120}, {-120, 100, -120}},
    {{120, 0, -120}, {-120, 0, -120}, {120, 0, 120}},
    {{120, 0, 120}, {-120, 0, 120}, {120, 100, 120}},
    {{-120, 0, 120}, {-120, 0, -120}, {-120, 100, 120}},
    {{120, 0, -120}, {120, 0, 120}, {120, 100, -120}},
    {{120, 100, 120}, {-120, 100, 120}, {120, 100, -120}},
}};

Point at(const Face& f, double s, double t) {
    return {f.origin.x + (f.sEnd.x - f.origin.x) * s + (f.tEnd.x - f.origin.x) * t,
            f.origin.y + (f.sEnd.y - f.origin.y) * s + (f.tEnd.y - f.origin.y) * t,
            f.origin.z + (f.sEnd.z - f.origin.z) * s + (f.tEnd.z - f.origin.z) * t};
}

bool same(Point a, Point b) {
    return std::abs(a.x - b.x) + std::abs(a.y - b.y) + std::abs(a.z - b.z) < 1e-9;
}

// The texture coordinates of a point of the face (which it must lie on).
std::array<double, 2> coordinates(const Face& f, Point p) {
    const auto project = [&](Point end) {
        const double ex = end.x - f.origin.x, ey = end.y - f.origin.y, ez = end.z - f.origin.z;
        return ((p.x - f.origin.x) * ex + (p.y - f.origin.y) * ey + (p.z - f.origin.z) * ez) /
               (ex * ex + ey * ey + ez * ez);
    };
    return {project(f.sEnd), project(f.tEnd)};
}

// The texel that covers a point of the face.
const unsigned char* texelAt(const BmpImage& image, const Face& f, Point p) {
    const auto [s, t] = coordinates(f, p);
    const auto index = [](double c, std::uint32_t size) {
        return std::clamp(static_cast<int>(c * size), 0, static_cast<int>(size) - 1);
    };
    return pixelAt(image, index(s, image.width), index(t, image.height));
}

struct Edge {
    Point from, to;
};

std::array<Edge, 4> edgesOf(const Face& f) {
    return {{{at(f, 0, 0), at(f, 1, 0)},
             {at(f, 1, 0), at(f, 1, 1)},
             {at(f, 1, 1), at(f, 0, 1)},
             {at(f, 0, 1), at(f, 0, 0)}}};
}

TEST(SkySeams, FacesMeetingAtAnEdgeShowTheSameColoursAlongIt) {
    std::array<std::unique_ptr<BmpImage>, 6> images;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        images[i] = readCommittedPicture("textury/skybox" + std::to_string(i) + ".bmp");
        ASSERT_NE(images[i], nullptr);
    }
    int sharedEdges = 0;
    for (std::size_t a = 0; a < faces.size(); ++a) {
        for (std::size_t b = a + 1; b < faces.size(); ++b) {
            for (const Edge& ea : edgesOf(faces[a])) {
                for (const Edge& eb : edgesOf(faces[b])) {
                    if (!(same(ea.from, eb.to) && same(ea.to, eb.from)) &&
                        !(same(ea.from, eb.from) && same(ea.to, eb.to))) {
                        continue;
                    }
                    ++sharedEdges;
                    // One sample in the middle of each texel along the edge, where the texel
                    // that covers the point is not in doubt.
                    const int samples = static_cast<int>(images[a]->width);
                    double total = 0;
                    int worst = 0;
                    for (int k = 0; k < samples; ++k) {
                        const double f = (k + 0.5) / samples;
                        const Point p{ea.from.x + (ea.to.x - ea.from.x) * f,
                                      ea.from.y + (ea.to.y - ea.from.y) * f,
                                      ea.from.z + (ea.to.z - ea.from.z) * f};
                        const unsigned char* ca = texelAt(*images[a], faces[a], p);
                        const unsigned char* cb = texelAt(*images[b], faces[b], p);
                        for (int c = 0; c < 3; ++c) {
                            const int d = std::abs(ca[c] - cb[c]);
                            total += d;
                            worst = std::max(worst, d);
                        }
                    }
                    const double mean = total / (samples * 3);
                    EXPECT_LT(mean, 1.0) << "faces " << a << " and " << b;
                    EXPECT_LE(worst, 4) << "faces " << a << " and " << b;
                }
            }
        }
    }
    EXPECT_EQ(sharedEdges, 12) << "a cube has twelve edges";
}

} // namespace
