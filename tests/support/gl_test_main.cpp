// Test main for GL tests: the shared window exists before the first test runs.
#include "gl_window.h"

#include <gtest/gtest.h>

namespace {

class GlWindowEnvironment : public testing::Environment {
public:
    void SetUp() override { ensureGlWindow(); }
    void TearDown() override { closeGlWindow(); }
};

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new GlWindowEnvironment);
    return RUN_ALL_TESTS();
}
