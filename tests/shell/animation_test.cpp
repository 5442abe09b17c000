// The idle animation: panorama, the rabbit's run and the gopher's holes, step by step.
#include "app_state.h"
#include "cameras.h"
#include "idle.h"
#include "shell_fixture.h"

#include <vector>

namespace {

struct Turn {
    int call;    // the idle call on which the step changed sign
    float value; // the position reached on that call
};

// Runs the idle callback and records every call on which the step of `position` turned.
std::vector<Turn> turnsOver(int calls, const float& position, const float& step) {
    std::vector<Turn> turns;
    for (int call = 1; call <= calls; ++call) {
        const float before = step;
        onIdle();
        if ((before > 0) != (step > 0)) {
            turns.push_back({call, position});
        }
    }
    return turns;
}

} // namespace

using Animation = ShellTest;

TEST_F(Animation, StartsInThePanoramaWithTheOverheadLightOnly) {
    EXPECT_EQ(activeCamera, &panoramicCamera);
    EXPECT_TRUE(overheadLightOn);
    EXPECT_FALSE(spotLightOn);
    EXPECT_EQ(rabbitX, 36.5f);
    EXPECT_EQ(gopherHole, 1);
    // Two float steps below the float nearest to 1.1, exactly.
    EXPECT_EQ(static_cast<double>(gopherY), 1.09999978542327880859375);
    EXPECT_EQ(aimPoint[0], 0.0f);
    EXPECT_EQ(aimPoint[1], 6.0f);
    EXPECT_EQ(aimPoint[2], -2.0f);
}

TEST_F(Animation, RabbitTurnsAt36Point2Then43Point7AndRuns24CallsEachWay) {
    const auto turns = turnsOver(200, rabbitX, rabbitStep);
    ASSERT_GE(turns.size(), 5u);
    EXPECT_EQ(turns[0].call, 1);
    EXPECT_NEAR(turns[0].value, 36.2f, 1e-4);
    EXPECT_EQ(turns[1].call, 26); // 43.4 is still below 43.5; 43.7 turns
    EXPECT_NEAR(turns[1].value, 43.7f, 1e-4);
    for (size_t i = 2; i < turns.size(); ++i) {
        EXPECT_EQ(turns[i].call - turns[i - 1].call, 24) << "turn " << i;
        EXPECT_NEAR(turns[i].value, i % 2 == 0 ? 36.5f : 43.7f, 1e-4) << "turn " << i;
    }
}

TEST_F(Animation, GopherRisesTo4Point4SinksTo0Point8AndVisitsTheHolesInTurn) {
    std::vector<int> holes;
    std::vector<float> holeX;
    std::vector<int> bottoms;
    for (int call = 1; call <= 100; ++call) {
        const int hole = gopherHole;
        onIdle();
        if (gopherHole != hole) {
            holes.push_back(gopherHole);
            holeX.push_back(gopherX);
            bottoms.push_back(call);
            EXPECT_NEAR(gopherY, 0.8f, 1e-4);
        }
    }
    ASSERT_EQ(holes.size(), 4u);
    EXPECT_EQ(holes, (std::vector<int>{2, 3, 1, 2}));
    EXPECT_EQ(holeX, (std::vector<float>{-40, -43.5f, -36.5f, -40}));
    EXPECT_EQ(bottoms[0], 23); // 11 calls up from 1.1 to 4.4, 12 down to 0.8
    for (size_t i = 1; i < bottoms.size(); ++i) {
        EXPECT_EQ(bottoms[i] - bottoms[i - 1], 24);
    }
}

TEST_F(Animation, GopherTopTurnIsAt4Point4) {
    const auto turns = turnsOver(60, gopherY, gopherStep);
    ASSERT_GE(turns.size(), 3u);
    EXPECT_EQ(turns[0].call, 11);
    EXPECT_NEAR(turns[0].value, 4.4f, 1e-4);
    EXPECT_EQ(turns[2].call - turns[1].call, 12);
}

TEST_F(Animation, PanoramaReaches360ExactlyAndWrapsOnlyBeyondIt) {
    for (int call = 0; call < 720; ++call) {
        onIdle();
    }
    EXPECT_EQ(panoramaAngle, 360.0);
    onIdle();
    EXPECT_EQ(panoramaAngle, 0.5);
}

TEST_F(Animation, EveryIdleCallRequestsOneFrame) {
    onIdle();
    EXPECT_EQ(processEvents(), 1);
}
