// Fuzzing the non-exiting OBJ reader: the input up to its first zero byte is the OBJ text,
// the rest is the text that every "mtllib" line reads. A model that comes back must be safe
// to draw, so its indices are checked, and normals and fitting run over it. The text read in a
// few parts, now and then on three threads, must give the model of one thread reading it
// whole, or the same message.
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

bool sameBytes(const void* a, const void* b, std::size_t bytes) {
    return (a == nullptr) == (b == nullptr) && (a == nullptr || std::memcmp(a, b, bytes) == 0);
}

void requireSameModels(const ObjModel* a, const ObjModel* b) {
    require(a->vertexcount == b->vertexcount && a->normalcount == b->normalcount &&
            a->texcoordcount == b->texcoordcount && a->facecount == b->facecount &&
            a->groupcount == b->groupcount && a->materialcount == b->materialcount);
    require(sameBytes(a->vertices, b->vertices, (a->vertexcount + 1) * 3 * sizeof(float)));
    require(sameBytes(a->normals, b->normals, (a->normalcount + 1) * 3 * sizeof(float)));
    require(
        sameBytes(a->texcoordarray, b->texcoordarray, (a->texcoordcount + 1) * 2 * sizeof(float)));
    require(sameBytes(a->faces, b->faces, a->facecount * sizeof(ObjTriangle)));
    for (const ObjGroup *x = a->grouplist, *y = b->grouplist; x != nullptr;
         x = x->next, y = y->next) {
        require(std::strcmp(x->name, y->name) == 0 && x->materialidx == y->materialidx &&
                x->facecount == y->facecount &&
                sameBytes(x->faceidx, y->faceidx, x->facecount * sizeof(std::uint32_t)));
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
    objreader::Failure partsFailure;
    // Two to nine parts, cut where the input says, on three threads for one input in sixteen
    // and on one for the rest: starting threads takes longer than reading a small input.
    const unsigned first = obj.empty() ? 0 : static_cast<unsigned char>(obj[0]);
    const std::uint64_t partBytes = 1 + obj.size() / (2 + (first & 7));
    ObjModel* fromParts = objreader::readOBJText("fuzz.obj", obj, mtl, &partsFailure,
                                                 obj.size() % 16 == 7 ? 3 : 1, partBytes);
    require((model == nullptr) == (fromParts == nullptr));
    if (model == nullptr) {
        require(failure.message.rfind("glm", 0) == 0);
        require(failure.message == partsFailure.message);
        return 0;
    }
    requireSameModels(model, fromParts);
    glmDestroyModel(fromParts);
    checkModel(model);
    glmFitUnitCube(model);
    glmBuildFacetNormals(model);
    glmVertexNormals(model, 90.0f);
    glmFlipWinding(model);
    checkModel(model);
    glmDestroyModel(model);
    return 0;
}
