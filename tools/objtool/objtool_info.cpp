#include "objtool_info.h"

#include "objtool_bounds.h"
#include "objtool_read.h"

#include <algorithm>
#include <vector>

namespace {

const char* materialName(const ObjModel* model, const ObjGroup* group) {
    if (model->materialtable == nullptr || group->materialidx >= model->materialcount ||
        model->materialtable[group->materialidx].name == nullptr) {
        return "(none)";
    }
    return model->materialtable[group->materialidx].name;
}

void printBounds(const ObjModel* model, std::FILE* out) {
    const FiniteBounds bounds = finiteBounds(model);
    if (model->vertexcount == 0) {
        std::fprintf(out, "bounding box: none (no vertices)\n");
    } else if (!bounds.any) {
        std::fprintf(out, "bounding box: none (no finite vertices)\n");
    } else {
        const float* low = bounds.low;
        const float* high = bounds.high;
        std::fprintf(out, "bounding box: (%g, %g, %g) to (%g, %g, %g)\n", low[0], low[1], low[2],
                     high[0], high[1], high[2]);
        // In double: the size of finite bounds can exceed the largest float.
        std::fprintf(out, "size: %g x %g x %g\n", double(high[0]) - low[0],
                     double(high[1]) - low[1], double(high[2]) - low[2]);
    }
    std::fprintf(out, "vertices not finite: %u\n", bounds.notFinite);
}

void printDropped(const ObjReadReport& report, std::FILE* out) {
    const std::vector<ObjSkippedStatements> dropped = droppedStatements(report, true);
    std::fprintf(out, "dropped by convert:%s\n", dropped.empty() ? " none" : "");
    for (const ObjSkippedStatements& kind : dropped) {
        std::fprintf(out, "  %s\n", describeStatements(kind).c_str());
    }
}

void printLibraries(const ObjModel* model, const ObjReadReport& report, std::FILE* out) {
    if (report.libraries.empty()) {
        std::fprintf(out, "material library: none\n");
    }
    for (const ObjMaterialLibrary& library : report.libraries) {
        std::fprintf(out, "material library: %s%s%s\n", library.name.c_str(),
                     library.problem.empty() ? "" : ", not read: ", library.problem.c_str());
    }
    std::fprintf(out, "materials: %u\n",
                 model->materialtable != nullptr ? model->materialcount : 0);
}

} // namespace

void printModelInfo(const ObjModel* model, const ObjReadReport& report, std::FILE* out) {
    std::fprintf(out, "model: %s\n", model->objpath);
    std::fprintf(out, "vertices: %u\n", model->vertexcount);
    std::fprintf(out, "normals: %u\n", model->normalcount);
    std::fprintf(out, "texture coordinates: %u\n", model->texcoordcount);
    std::fprintf(out, "triangles: %u\n", model->facecount);
    printLibraries(model, report, out);

    // The library keeps the most recent group first; people read files top down. A name
    // shows once for each material that its faces use.
    std::vector<const ObjGroup*> groups;
    for (const ObjGroup* group = model->grouplist; group != nullptr; group = group->next) {
        groups.push_back(group);
    }
    std::fprintf(out, "groups: %u\n", model->groupcount);
    std::for_each(groups.rbegin(), groups.rend(), [&](const ObjGroup* group) {
        std::fprintf(out, "  \"%s\": %u triangles, material %s\n", group->name, group->facecount,
                     materialName(model, group));
    });
    printBounds(model, out);
    printDropped(report, out);
}
