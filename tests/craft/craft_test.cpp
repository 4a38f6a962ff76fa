#include "craft/craft.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vantrell {
namespace {

class CraftTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pair.Init(&terrain);
        pair.Reset(1);
    }

    void SetHeight(int x, int y, int32_t h) { terrain.Field()[FieldIndex(x, y)] = h; }

    // Puts the first craft at a fixed-point position with a velocity, x and y kept consistent.
    void Place(int32_t posX, int32_t posY, int32_t velX, int32_t velY) {
        craft.posX = posX;
        craft.posY = posY;
        craft.x = posX / 512;
        craft.y = posY / 512;
        craft.velX = velX;
        craft.velY = velY;
    }

    Terrain terrain;  // level ground, height 0 everywhere
    ControlState controls1;
    ControlState controls2;
    CraftPair pair;
    CraftState& craft = pair.first;
};

TEST_F(CraftTest, ForwardThrustOnLevelGroundSettlesAtFourUnitsPerTick) {
    controls1.forward = 1;
    const int32_t expected[] = {256, 496, 721, 887};
    for (int32_t v : expected) {
        craft.Step(0, controls1);
        EXPECT_EQ(craft.velX, v);
        EXPECT_EQ(craft.velY, 0);
    }
    EXPECT_EQ(craft.thrustX, 256);
    EXPECT_EQ(craft.thrustY, 0);
    EXPECT_EQ(craft.posX, 15360 + 256 + 496 + 721 + 887);  // 17720
    EXPECT_EQ(craft.x, 34);
    EXPECT_EQ(craft.y, 30);
    for (int n = 0; n < 200; ++n) {
        craft.Step(0, controls1);
    }
    EXPECT_EQ(craft.velX, 2048);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.velX, 2048);  // drag 2048 / 8 cancels the thrust exactly
}

TEST_F(CraftTest, DragPicksItsDivisorPerAxisAndTruncates) {
    struct Case {
        int32_t before;
        int32_t after;
    };
    const Case cases[] = {
        {512, 480},   {513, 449}, {-512, -480},
        {-513, -449}, {15, 15},   {-15, -15},  // -15 / 16 truncates to 0; flooring would give -14
        {-17, -16},   {0, 0},
    };
    for (const Case& c : cases) {
        pair.Reset(1);
        Place(100000, 100000, c.before, 0);
        craft.Step(0, controls1);
        EXPECT_EQ(craft.velX, c.after) << "velX " << c.before;
        pair.Reset(1);
        Place(100000, 100000, 0, c.before);
        craft.Step(0, controls1);
        EXPECT_EQ(craft.velY, c.after) << "velY " << c.before;
    }
    // A fast axis loses 1/8 while the slow one beside it loses 1/16.
    pair.Reset(1);
    Place(100000, 100000, 1000, 500);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.velX, 875);
    EXPECT_EQ(craft.velY, 469);
    EXPECT_EQ(craft.posX, 100875);
    EXPECT_EQ(craft.posY, 100469);
}

TEST_F(CraftTest, SteeringWrapsAndSpinTurnsOnlyTheView) {
    controls1.left = 1;
    craft.Step(0, controls1);
    EXPECT_EQ(craft.heading, 63);
    EXPECT_EQ(craft.viewHeading, 63);
    controls1.left = 0;
    controls1.right = 1;
    craft.Step(0, controls1);
    EXPECT_EQ(craft.heading, 0);
    controls1.left = 1;  // both held: left then right, no net turn
    craft.Step(0, controls1);
    EXPECT_EQ(craft.heading, 0);

    controls1.left = controls1.right = 0;
    craft.heading = 30;
    craft.Step(40, controls1);
    EXPECT_EQ(craft.heading, 30);
    EXPECT_EQ(craft.viewHeading, 6);
    craft.Step(33, controls1);
    EXPECT_EQ(craft.viewHeading, 63);
    craft.Step(34, controls1);
    EXPECT_EQ(craft.viewHeading, 0);

    // The pair hands the spin to the first craft only.
    pair.second.heading = 5;
    pair.Step(40, controls1, controls2);
    EXPECT_EQ(craft.viewHeading, 6);
    EXPECT_EQ(pair.second.viewHeading, 5);
}

TEST_F(CraftTest, ThrustFollowsControlsOnlyWhileLive) {
    controls1.forward = 1;
    controls1.reverse = 1;  // not looked at while forward is held
    craft.Step(0, controls1);
    EXPECT_EQ(craft.thrustX, 256);
    EXPECT_EQ(craft.thrustY, 0);

    pair.Reset(1);
    controls1.forward = 0;
    craft.heading = 16;
    craft.Step(0, controls1);
    EXPECT_EQ(craft.thrustX, 0);
    EXPECT_EQ(craft.thrustY, -255);
    EXPECT_EQ(craft.velY, -255);

    controls1.reverse = 0;
    craft.Step(0, controls1);
    EXPECT_EQ(craft.thrustY, 0);
    EXPECT_EQ(craft.velY, -255 + 15);

    // Controls taken away: no turn and no thrust, but drag and slope still act.
    pair.Reset(1);
    controls1 = ControlState{};
    controls1.forward = 1;
    controls1.left = 1;
    controls1.live = 0;
    SetHeight(25, 30, 1);
    Place(15360, 15360, 1000, 0);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.heading, 0);
    EXPECT_EQ(craft.thrustX, 0);
    EXPECT_EQ(craft.thrustY, 0);
    EXPECT_EQ(craft.velX, 1000 - 125 + 32);
}

TEST_F(CraftTest, SlopeSampledBeforeTheMovePushesDownhill) {
    SetHeight(25, 30, 1);  // gx = H(25,30) - H(35,30) = 1
    SetHeight(30, 25, 4);  // gy = H(30,25) - H(30,35) = 4 - 6 = -2
    SetHeight(30, 35, 6);
    SetHeight(30, 29, 9);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.velX, 32);
    EXPECT_EQ(craft.velY, -64);
    EXPECT_EQ(craft.posY, 15296);
    EXPECT_EQ(craft.x, 30);
    EXPECT_EQ(craft.y, 29);
    EXPECT_EQ(craft.ground, 9);
    // From (30, 29) all four samples are level: drag only.
    craft.Step(0, controls1);
    EXPECT_EQ(craft.velX, 30);
    EXPECT_EQ(craft.velY, -60);
}

TEST_F(CraftTest, CourseEdgesRebound) {
    Place(15360, 3330, 0, -7);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.posY, 6656);  // thrown back to 13.0, not to the 6.5 edge
    EXPECT_EQ(craft.velY, 3);
    EXPECT_EQ(craft.y, 13);

    pair.Reset(1);
    Place(15360, 3335, 0, -7);  // lands exactly on the edge: no rebound
    craft.Step(0, controls1);
    EXPECT_EQ(craft.posY, 3328);
    EXPECT_EQ(craft.velY, -7);

    pair.Reset(1);
    Place(15360, 198140, 0, 9);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.posY, 198144);
    EXPECT_EQ(craft.velY, -4);
    EXPECT_EQ(craft.y, 387);

    pair.Reset(1);
    Place(15360, 198135, 0, 9);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.posY, 198144);
    EXPECT_EQ(craft.velY, 9);

    // Thrust into the upper edge: velY 9 + 255, halved and reversed; the thrust is dropped.
    pair.Reset(1);
    controls1.forward = 1;
    craft.heading = 16;
    Place(15360, 198140, 0, 9);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.velY, -132);
    EXPECT_EQ(craft.thrustY, 0);
    EXPECT_EQ(craft.posY, 198144);
}

TEST_F(CraftTest, CourseWrapsAlongItsLength) {
    Place(100, 15360, -300, 0);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.velX, -282);
    EXPECT_EQ(craft.posX, 204618);
    EXPECT_EQ(craft.x, 399);

    Place(204700, 15360, 300, 0);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.posX, 182);
    EXPECT_EQ(craft.x, 0);

    // Ending exactly on a full length keeps x = 400, which reads column 0.
    SetHeight(0, 30, 7);
    Place(204518, 15360, 300, 0);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.posX, 204800);
    EXPECT_EQ(craft.x, 400);
    EXPECT_EQ(craft.ground, 7);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.posX, 265);
    EXPECT_EQ(craft.x, 0);
}

TEST_F(CraftTest, RunawaySpeedStaysOnTheCourse) {
    Place(15360, 15360, 2000000000, 0);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.velX, 1750000000);
    EXPECT_EQ(craft.posX, 204160);  // 1750015360 mod 204800
    EXPECT_EQ(craft.x, 398);

    // A cliff of absurd height saturates the velocity instead of overflowing it.
    pair.Reset(1);
    SetHeight(25, 30, 100000000);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.velX, INT32_MAX);
    EXPECT_EQ(craft.posX, 171007);  // (15360 + 2^31 - 1) mod 204800
    EXPECT_EQ(craft.x, 333);

    pair.Reset(1);
    SetHeight(25, 30, 0);
    SetHeight(35, 30, 100000000);
    SetHeight(30, 25, 100000000);
    craft.Step(0, controls1);
    EXPECT_EQ(craft.velX, INT32_MIN);
    EXPECT_EQ(craft.posX, 64512);  // (15360 - 2^31) mod 204800
    EXPECT_EQ(craft.x, 126);
    EXPECT_EQ(craft.posY, 198144);
    EXPECT_EQ(craft.velY, -1073741823);
}

TEST_F(CraftTest, IdleCraftCircleTheStart) {
    pair.Reset(0);
    SetHeight(0, 35, 11);
    SetHeight(398, 25, 12);
    for (int n = 1; n <= 200; ++n) {
        pair.Step(40, controls1, controls2);  // idle craft ignore the spin
        const int firstX = 30 + 2 * n <= 400 ? 30 + 2 * n : 30 + 2 * n - 400;
        const int secondX = 30 - 2 * n >= 0 ? 30 - 2 * n : 30 - 2 * n + 400;
        ASSERT_EQ(pair.first.x, firstX) << n;
        ASSERT_EQ(pair.second.x, secondX) << n;
        ASSERT_EQ(pair.first.viewHeading, n % 64) << n;
        ASSERT_EQ(pair.second.viewHeading, n % 64) << n;
    }
    EXPECT_EQ(pair.first.y, 35);
    EXPECT_EQ(pair.second.y, 25);
    EXPECT_EQ(pair.first.heading, 0);
    EXPECT_EQ(pair.second.heading, 32);
    EXPECT_EQ(pair.first.posX, 15360);
    EXPECT_EQ(pair.second.posY, 15360);

    // The first craft stands on x = 400 after 185 ticks, then comes round to 2.
    pair.Reset(0);
    for (int n = 0; n < 185; ++n) {
        pair.Step(0, controls1, controls2);
    }
    EXPECT_EQ(pair.first.x, 400);
    EXPECT_EQ(pair.first.ground, 11);
    pair.Step(0, controls1, controls2);
    EXPECT_EQ(pair.first.x, 2);
    EXPECT_EQ(pair.second.x, 30 - 2 * 186 + 400);

    pair.Reset(0);
    for (int n = 0; n < 15; ++n) {
        pair.Step(0, controls1, controls2);
    }
    EXPECT_EQ(pair.second.x, 0);
    pair.Step(0, controls1, controls2);
    EXPECT_EQ(pair.second.x, 398);
    EXPECT_EQ(pair.second.ground, 12);
}

TEST_F(CraftTest, ResetAndInitSetTheStartState) {
    EXPECT_EQ(pair.first.player, 1);
    EXPECT_EQ(pair.second.player, 2);
    EXPECT_EQ(pair.second.world, &terrain);

    SetHeight(30, 30, 42);
    controls1.forward = 1;
    for (int n = 0; n < 10; ++n) {
        pair.Step(5, controls1, controls2);
    }
    craft.heading = 17;
    pair.Reset(4);
    EXPECT_EQ(craft.active, 1);
    EXPECT_EQ(craft.posX, 15360);
    EXPECT_EQ(craft.posY, 15360);
    EXPECT_EQ(craft.x, 30);
    EXPECT_EQ(craft.y, 30);
    EXPECT_EQ(craft.heading, 0);
    EXPECT_EQ(craft.viewHeading, 0);
    EXPECT_EQ(craft.velX, 0);
    EXPECT_EQ(craft.velY, 0);
    EXPECT_EQ(craft.thrustX, 0);
    EXPECT_EQ(craft.thrustY, 0);
    EXPECT_EQ(craft.ground, 42);
    EXPECT_EQ(craft.player, 1);

    const int32_t modes[][2] = {{0, 0}, {1, 1}, {2, 1}, {4, 1}, {-1, -1}};
    for (const auto& m : modes) {
        pair.Reset(m[0]);
        EXPECT_EQ(pair.first.active, m[1]) << m[0];
        EXPECT_EQ(pair.second.active, m[1]) << m[0];
    }
}

}  // namespace
}  // namespace vantrell
