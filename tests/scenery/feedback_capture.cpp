#include "feedback_capture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double tolerance = 1e-3;

// Floats that follow each token other than a polygon's, with vertices of `vertexFloats`.
std::size_t tokenPayload(GLfloat token, std::size_t vertexFloats) {
    switch (static_cast<GLint>(token)) {
    case GL_PASS_THROUGH_TOKEN:
        return 1;
    case GL_POINT_TOKEN:
    case GL_BITMAP_TOKEN:
    case GL_DRAW_PIXEL_TOKEN:
    case GL_COPY_PIXEL_TOKEN:
        return vertexFloats;
    case GL_LINE_TOKEN:
    case GL_LINE_RESET_TOKEN:
        return 2 * vertexFloats;
    default:
        return 0;
    }
}

// GL_3D or GL_3D_COLOR feedback (RGBA) in `buffer`.
std::vector<FeedbackPolygon> parse(const std::vector<GLfloat>& buffer, std::size_t used,
                                   bool withColours) {
    const std::size_t vertexFloats = withColours ? 7 : 3;
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::vector<FeedbackPolygon> polygons;
    std::size_t at = 0;
    while (at < used) {
        const GLfloat token = buffer[at++];
        if (static_cast<GLint>(token) != GL_POLYGON_TOKEN) {
            at += tokenPayload(token, vertexFloats);
            continue;
        }
        const auto count = static_cast<std::size_t>(buffer[at++]);
        FeedbackPolygon polygon;
        for (std::size_t k = 0; k < count && at + vertexFloats <= used; ++k, at += vertexFloats) {
            Point3 p{};
            gluUnProject(buffer[at], buffer[at + 1], buffer[at + 2], modelview, projection,
                         viewport, &p[0], &p[1], &p[2]);
            polygon.vertices.push_back(p);
            if (withColours) {
                polygon.colours.push_back(
                    {buffer[at + 3], buffer[at + 4], buffer[at + 5], buffer[at + 6]});
            }
        }
        polygons.push_back(std::move(polygon));
    }
    return polygons;
}

} // namespace

std::vector<FeedbackPolygon> capturePolygons(const std::function<void()>& draw,
                                             std::size_t maxFloats, bool withColours) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-60, 60, -60, 60, -120, 120);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotated(20, 1, 0, 0);
    glRotated(35, 0, 1, 0);

    std::vector<GLfloat> buffer(maxFloats);
    glFeedbackBuffer(static_cast<GLsizei>(maxFloats), withColours ? GL_3D_COLOR : GL_3D,
                     buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<FeedbackPolygon> polygons;
    if (used < 0) {
        ADD_FAILURE() << "feedback buffer of " << maxFloats << " floats overflowed";
    } else {
        polygons = parse(buffer, static_cast<std::size_t>(used), withColours);
    }

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    return polygons;
}

double quadCount(const std::vector<FeedbackPolygon>& polygons) {
    double quads = 0;
    for (const FeedbackPolygon& polygon : polygons) {
        quads += (static_cast<double>(polygon.vertices.size()) - 2) / 2;
    }
    return quads;
}

int distinctCoordinates(const std::vector<FeedbackPolygon>& polygons, int axis) {
    std::vector<double> values;
    for (const FeedbackPolygon& polygon : polygons) {
        for (const Point3& p : polygon.vertices) {
            values.push_back(p[axis]);
        }
    }
    std::sort(values.begin(), values.end());
    int distinct = 0;
    double last = -std::numeric_limits<double>::infinity();
    for (const double v : values) {
        if (v - last > tolerance) {
            ++distinct;
        }
        last = v;
    }
    return distinct;
}

std::array<double, 2> coordinateRange(const std::vector<FeedbackPolygon>& polygons, int axis) {
    std::array<double, 2> range{std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity()};
    for (const FeedbackPolygon& polygon : polygons) {
        for (const Point3& p : polygon.vertices) {
            range[0] = std::min(range[0], p[axis]);
            range[1] = std::max(range[1], p[axis]);
        }
    }
    return range;
}
