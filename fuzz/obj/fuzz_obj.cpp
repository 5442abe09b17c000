// Fuzzing the non-exiting OBJ reader: the input up to its first zero byte is the OBJ text,
// the rest is the text that every "mtllib" line reads. A model that comes back must be safe
// to draw, so its indices are checked, and normals and fitting run over it.
#include "gallery/glm.h"
#include "glm_reader.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

bool inRange(std::int32_t index, std::uint32_t count) {
    return index >= 1 && static_cast<std::uint32_t>(index) <= count;
}

// Every index that drawing may follow names an element of its array.
void checkModel(const ObjModel* model) {
    std::uint64_t grouped = 0;
    for (const ObjGroup* group = model->grouplist; group != nullptr; group = group->next) {
        grouped += group->facecount;
        require(model->materialtable == nullptr ? group->materialidx == 0
                                                : group->materialidx < model->materialcount);
        for (std::uint32_t i = 0; i < group->facecount; i++) {
            require(group->faceidx[i] < model->facecount);
        }
    }
    require(grouped == model->facecount);
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        const ObjTriangle& triangle = model->faces[t];
        for (int c = 0; c < 3; c++) {
            require(inRange(triangle.vertexidx[c], model->vertexcount));
            require(triangle.normalidx[c] == 0 ||
                    inRange(triangle.normalidx[c], model->normalcount));
            require(triangle.texcoordidx[c] == 0 ||
                    inRange(triangle.texcoordidx[c], model->texcoordcount));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Missing-material warnings would flood the output.
    return std::freopen("/dev/null", "w", stdout) != nullptr ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    const void* zero = std::memchr(data, 0, size);
    const std::size_t objSize =
        zero == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(zero) - text);
    const std::string_view obj(text, objSize);
    const std::string_view mtl = zero == nullptr
                                     ? std::string_view()
                                     : std::string_view(text + objSize + 1, size - objSize - 1);
    objreader::Failure failure;
    ObjModel* model = objreader::readOBJText("fuzz.obj", obj, mtl, &failure);
    if (model == nullptr) {
        require(failure.message.rfind("glm", 0) == 0);
        return 0;
    }
    checkModel(model);
    glmFitUnitCube(model);
    glmBuildFacetNormals(model);
    glmVertexNormals(model, 90.0f);
    glmFlipWinding(model);
    checkModel(model);
    glmDestroyModel(model);
    return 0;
}
