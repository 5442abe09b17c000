// Group and material lookup, group creation and freeing a model.
#include "gallery/glm.h"
#include "glm_assert.h"
#include "glm_reader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

// A name may have a group for each of its materials: the one created first, the last in the
// list, is the group of that name.
ObjGroup* glmLookupGroup(ObjModel* model, const char* name) {
    GLM_REQUIRE(model);
    ObjGroup* found = nullptr;
    for (ObjGroup* group = model->grouplist; group != nullptr; group = group->next) {
        found = std::strcmp(name, group->name) == 0 ? group : found;
    }
    return found;
}

ObjGroup* objreader::addGroup(ObjModel* model, std::string_view name) {
    ObjGroup* group = static_cast<ObjGroup*>(std::calloc(1, sizeof(ObjGroup)));
    if (group == nullptr || (group->name = copyString(name)) == nullptr) {
        std::free(group);
        return nullptr;
    }
    group->next = model->grouplist;
    model->grouplist = group;
    model->groupcount++;
    return group;
}

ObjGroup* glmEnsureGroup(ObjModel* model, const char* name) {
    ObjGroup* group = glmLookupGroup(model, name);
    group = group != nullptr ? group : objreader::addGroup(model, name);
    GLM_REQUIRE(group != nullptr);
    return group;
}

std::uint32_t glmFindMaterial(ObjModel* model, const char* name) {
    GLM_REQUIRE(model);
    for (std::uint32_t i = 0; model->materialtable != nullptr && i < model->materialcount; i++) {
        if (model->materialtable[i].name != nullptr &&
            std::strcmp(model->materialtable[i].name, name) == 0) {
            return i;
        }
    }
    std::printf("glmFindMaterial():  can't find material \"%s\".\n", name);
    return 0;
}

void glmDestroyModel(ObjModel* model) {
    GLM_REQUIRE(model);
    std::free(model->objpath);
    std::free(model->mtllib);
    std::free(model->vertices);
    std::free(model->normals);
    std::free(model->texcoordarray);
    std::free(model->facetnorms);
    std::free(model->faces);
    for (std::uint32_t i = 0; model->materialtable != nullptr && i < model->materialcount; i++) {
        std::free(model->materialtable[i].name);
    }
    std::free(model->materialtable);
    while (model->grouplist != nullptr) {
        ObjGroup* group = model->grouplist;
        model->grouplist = group->next;
        std::free(group->name);
        std::free(group->faceidx);
        std::free(group);
    }
    std::free(model);
}
