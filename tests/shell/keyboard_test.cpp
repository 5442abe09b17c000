// Keyboard commands for the lights. (Escape, which ends the program, is tested against the
// real program in tests/e2e.)
#include "app_state.h"
#include "keyboard.h"
#include "shell_fixture.h"

using Keyboard = ShellTest;

namespace {

void press(unsigned char key, int times = 1) {
    for (int i = 0; i < times; ++i) {
        onKeyboard(key, 0, 0);
    }
}

} // namespace

TEST_F(Keyboard, SpotKeysChangeNothingWhileTheSpotIsOff) {
    // One key at a time: a key and its reverse would cancel out.
    for (const unsigned char key : {'a', 'A', 'q', 'Q', 'c', 'C', 'x', 'X'}) {
        press(key);
        EXPECT_EQ(spotDirection[2], -4.5f) << key;
        EXPECT_EQ(spotCutoff, 13.0f) << key;
    }
    press('R');
    EXPECT_TRUE(spotLightOn);
    press('a');
    EXPECT_EQ(spotDirection[2], static_cast<float>(-4.5 + 0.1));
    press('C');
    EXPECT_EQ(spotCutoff, 14.0f);
}

TEST_F(Keyboard, CutoffAndTiltHaveNoBounds) {
    press('r');
    press('x', 14);
    EXPECT_EQ(spotCutoff, -1.0f);
    press('c', 14 + 78);
    EXPECT_EQ(spotCutoff, 91.0f);
    press('c', 89);
    EXPECT_EQ(spotCutoff, 180.0f);
    float expected = -4.5f;
    for (int i = 0; i < 45; ++i) {
        press('a');
        expected = static_cast<float>(static_cast<double>(expected) + 0.1);
    }
    EXPECT_EQ(spotDirection[2], expected); // the sum is formed in double at each step
    EXPECT_NEAR(spotDirection[2], 0.0f, 1e-5);
    press('q', 2);
    EXPECT_NEAR(spotDirection[2], -0.2f, 1e-5);
}

TEST_F(Keyboard, LightSwitchesToggleInEitherCase) {
    press('s');
    EXPECT_FALSE(overheadLightOn);
    press('S');
    EXPECT_TRUE(overheadLightOn);
    press('r');
    press('R');
    EXPECT_FALSE(spotLightOn);
}

TEST_F(Keyboard, EveryKeyButEscapeRequestsAFrameEvenWhenItDoesNothing) {
    for (int key : {int{'w'}, int{'a'}, int{'r'}, int{'9'}, int{' '}, 200}) {
        processEvents();
        press(static_cast<unsigned char>(key));
        EXPECT_EQ(processEvents(), 1) << "key " << key;
    }
}
