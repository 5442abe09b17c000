// The GL tests run on Mesa's software renderer; anything else would make pixel checks
// meaningless, so this fails first.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <string>

TEST(GlContext, RendererIsLlvmpipe) {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    ASSERT_NE(renderer, nullptr);
    EXPECT_NE(std::string(renderer).find("llvmpipe"), std::string::npos) << renderer;
}
