// Group and material lookup, group creation and freeing a model.
#include "gallery/glm.h"
#include "glm_assert.h"
#include "glm_reader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

ObjGroup* glmLookupGroup(ObjModel* model, const char* name) {
    GLM_REQUIRE(model);
    for (ObjGroup* group = model->grouplist; group != nullptr; group = group->next) {
        if (std::strcmp(name, group->name) == 0) {
            return group;
        }
    }
    return nullptr;
}

ObjGroup* objreader::addGroup(ObjModel* model, std::string_view name) {
    ObjGroup* group = static_cast<ObjGroup*>(std::calloc(1, sizeof(ObjGroup)));
    group->name = copyString(name);
    group->next = model->grouplist;
    model->grouplist = group;
    model->groupcount++;
    return group;
}

ObjGroup* glmEnsureGroup(ObjModel* model, const char* name) {
    ObjGroup* group = glmLookupGroup(model, name);
    return group != nullptr ? group : objreader::addGroup(model, name);
}

std::uint32_t objreader::missingMaterial(std::string_view name) {
    std::printf("glmFindMaterial():  can't find material \"%.*s\".\n",
                static_cast<int>(name.size()), name.data());
    return 0;
}

std::uint32_t glmFindMaterial(ObjModel* model, const char* name) {
    GLM_REQUIRE(model);
    for (std::uint32_t i = 0; model->materialtable != nullptr && i < model->materialcount; i++) {
        if (model->materialtable[i].name != nullptr &&
            std::strcmp(model->materialtable[i].name, name) == 0) {
            return i;
        }
    }
    return objreader::missingMaterial(name);
}

void objreader::freeMaterials(ObjModel* model) {
    if (model->materialtable != nullptr) {
        for (std::uint32_t i = 0; i < model->materialcount; i++) {
            std::free(model->materialtable[i].name);
        }
        std::free(model->materialtable);
    }
    model->materialtable = nullptr;
    model->materialcount = 0;
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
    objreader::freeMaterials(model);
    while (model->grouplist != nullptr) {
        ObjGroup* group = model->grouplist;
        model->grouplist = group->next;
        std::free(group->name);
        std::free(group->faceidx);
        std::free(group);
    }
    std::free(model);
}
