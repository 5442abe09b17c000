#include "gl_state_snapshot.h"

#include <GL/gl.h>
#include <utility>

namespace {

std::vector<double> doubles(GLenum name, int count) {
    std::vector<double> values(16);
    glGetDoublev(name, values.data());
    values.resize(static_cast<std::size_t>(count));
    return values;
}

std::vector<double> material(GLenum face, GLenum parameter) {
    float values[4] = {};
    glGetMaterialfv(face, parameter, values);
    return {values, values + (parameter == GL_SHININESS ? 1 : 4)};
}

} // namespace

GlState readGlState() {
    GlState state;
    const auto add = [&state](std::string name, std::vector<double> values) {
        state.push_back({std::move(name), std::move(values)});
    };
    const std::pair<GLenum, const char*> capabilities[] = {
        {GL_LIGHTING, "GL_LIGHTING"},
        {GL_LIGHT0, "GL_LIGHT0"},
        {GL_LIGHT1, "GL_LIGHT1"},
        {GL_TEXTURE_2D, "GL_TEXTURE_2D"},
        {GL_BLEND, "GL_BLEND"},
        {GL_DEPTH_TEST, "GL_DEPTH_TEST"},
        {GL_FOG, "GL_FOG"},
        {GL_CULL_FACE, "GL_CULL_FACE"},
        {GL_NORMALIZE, "GL_NORMALIZE"},
        {GL_COLOR_MATERIAL, "GL_COLOR_MATERIAL"},
        {GL_ALPHA_TEST, "GL_ALPHA_TEST"},
        {GL_POLYGON_OFFSET_FILL, "GL_POLYGON_OFFSET_FILL"},
    };
    for (const auto& [capability, name] : capabilities) {
        add(std::string(name) + " enabled", {double(glIsEnabled(capability))});
    }
    add("bound 2-D texture", doubles(GL_TEXTURE_BINDING_2D, 1));
    GLint environment = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
    add("texture environment mode", {double(environment)});
    add("blend factors", {doubles(GL_BLEND_SRC, 1)[0], doubles(GL_BLEND_DST, 1)[0]});
    add("blend colour", doubles(GL_BLEND_COLOR, 4));
    const std::pair<GLenum, const char*> faces[] = {{GL_FRONT, "front"}, {GL_BACK, "back"}};
    const std::pair<GLenum, const char*> parameters[] = {
        {GL_AMBIENT, "ambient"},   {GL_DIFFUSE, "diffuse"},     {GL_SPECULAR, "specular"},
        {GL_EMISSION, "emission"}, {GL_SHININESS, "shininess"},
    };
    for (const auto& [face, faceName] : faces) {
        for (const auto& [parameter, parameterName] : parameters) {
            add(std::string(faceName) + " material " + parameterName, material(face, parameter));
        }
    }
    add("colour material face and parameter",
        {doubles(GL_COLOR_MATERIAL_FACE, 1)[0], doubles(GL_COLOR_MATERIAL_PARAMETER, 1)[0]});
    // Values read with glGetDoublev: the name, and how many values it has.
    struct Queried {
        GLenum name;
        const char* what;
        int count;
    };
    const Queried queried[] = {
        {GL_MODELVIEW_MATRIX, "modelview matrix", 16},
        {GL_PROJECTION_MATRIX, "projection matrix", 16},
        {GL_MATRIX_MODE, "matrix mode", 1},
        {GL_MODELVIEW_STACK_DEPTH, "modelview stack depth", 1},
        {GL_PROJECTION_STACK_DEPTH, "projection stack depth", 1},
        {GL_ATTRIB_STACK_DEPTH, "attribute stack depth", 1},
        {GL_CURRENT_COLOR, "current colour", 4},
        {GL_CURRENT_NORMAL, "current normal", 3},
        {GL_CURRENT_TEXTURE_COORDS, "current texture coordinate", 4},
        {GL_SHADE_MODEL, "shade model", 1},
        {GL_DEPTH_FUNC, "depth function", 1},
        {GL_DEPTH_WRITEMASK, "depth writes", 1},
        {GL_POLYGON_MODE, "polygon modes", 2},
        {GL_LIGHT_MODEL_AMBIENT, "light model ambient", 4},
        {GL_LIGHT_MODEL_TWO_SIDE, "light model two sides", 1},
    };
    for (const Queried& value : queried) {
        add(value.what, doubles(value.name, value.count));
    }
    return state;
}

std::vector<std::string> changedGlState(const GlState& before, const GlState& after) {
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i].values != after[i].values) {
            changed.push_back(before[i].name);
        }
    }
    return changed;
}
