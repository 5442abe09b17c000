#include "committed_gun.h"

#include "asset_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

ModelPtr readCommittedGun(std::string* printed) {
    std::string error;
    testing::internal::CaptureStdout();
    ModelPtr model(glmTryReadOBJ(committed("modely/brokovnice.obj").c_str(), &error));
    const std::string out = testing::internal::GetCapturedStdout();
    if (printed != nullptr) {
        *printed = out;
    }
    EXPECT_NE(model, nullptr) << error;
    return model;
}

Vec3 vertex(const ObjModel& model, std::int32_t index) {
    const float* v = model.vertices + 3 * index;
    return {v[0], v[1], v[2]};
}

const ObjGroup* findGroup(const ObjModel& model, const std::string& name) {
    for (const ObjGroup* g = model.grouplist; g != nullptr; g = g->next) {
        if (g->name == name) {
            return g;
        }
    }
    return nullptr;
}

Vec3 muzzlesOf(const ObjModel& model) {
    const ObjGroup* bores = findGroup(model, "bores");
    if (bores == nullptr || bores->facecount == 0) {
        return {};
    }
    std::vector<Vec3> points;
    double front = -1e30;
    double back = 1e30;
    for (std::uint32_t i = 0; i < bores->facecount; ++i) {
        for (const std::int32_t v : model.faces[bores->faceidx[i]].vertexidx) {
            points.push_back(vertex(model, v));
            front = std::max(front, points.back().z);
            back = std::min(back, points.back().z);
        }
    }
    // The open ends' rings, dipped a little, and not the closed bottoms at the bores' far end.
    const double mouthDepth = (front - back) / 10;
    Vec3 sum;
    int count = 0;
    for (const Vec3& p : points) {
        if (p.z > front - mouthDepth) {
            sum = sum + p;
            ++count;
        }
    }
    return sum * (1.0 / count);
}
