// The committed gun model as the gallery's reader reads it, and where its muzzles are.
#pragma once

#include "gallery/glm.h"
#include "vec.h"

#include <memory>
#include <string>

struct ModelDeleter {
    void operator()(ObjModel* model) const { glmDestroyModel(model); }
};
using ModelPtr = std::unique_ptr<ObjModel, ModelDeleter>;

// "modely/brokovnice.obj" through the non-exiting reader; fails the test when it does not
// read. What the reader printed goes to `printed` when given.
ModelPtr readCommittedGun(std::string* printed = nullptr);

Vec3 vertex(const ObjModel& model, std::int32_t index);

// The group of that name; null when there is none.
const ObjGroup* findGroup(const ObjModel& model, const std::string& name);

// The middle of the bores' open ends: the mean of the bore corners that lie within a tenth of
// the bores' length of the foremost one along z. Zero when the model has no bores.
Vec3 muzzlesOf(const ObjModel& model);
