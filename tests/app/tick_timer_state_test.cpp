#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tick_timer_state.h"
#include "hosts/headless/headless_host.h"

namespace vantrell {
namespace {

using Log = std::vector<std::string>;

class TickTimerTest : public ::testing::Test {
  protected:
    HeadlessTickTimer platform;
    MemorySpeedStore store;
    TickTimerState timer{platform, store};
};

TEST_F(TickTimerTest, StartStopKeepOneTimerAtMost) {
    EXPECT_EQ(timer.Running(), false);
    timer.StopTickTimer();  // stopped already: the platform is not bothered
    timer.StartTickTimer();
    timer.StartTickTimer();  // a running timer is left alone: still one timer
    EXPECT_EQ(timer.Running(), true);
    timer.StopTickTimer();
    timer.StopTickTimer();
    EXPECT_EQ(timer.Running(), false);
    EXPECT_EQ(platform.Log(), (Log{"start 16", "stop"}));
}

TEST_F(TickTimerTest, FailedStartLeavesTimerStoppedUntilNextStart) {
    platform.FailNextStarts(1);
    timer.StartTickTimer();
    EXPECT_EQ(timer.Running(), false);
    timer.StopTickTimer();  // nothing runs, so nothing to stop
    timer.StartTickTimer();
    EXPECT_EQ(timer.Running(), true);
    EXPECT_EQ(platform.Log(), (Log{"start failed", "start 16"}));
}

TEST_F(TickTimerTest, RestartAppliesNewPeriodOnlyToRunningTimer) {
    // Stopped (e.g. minimised): the new speed is only remembered...
    timer.SetTickPeriod(40);
    timer.RestartTickTimer();
    EXPECT_EQ(timer.Running(), false);
    EXPECT_TRUE(platform.Log().empty());
    // ...and the next start uses it.
    timer.StartTickTimer();
    timer.SetTickPeriod(55);
    timer.RestartTickTimer();
    EXPECT_EQ(timer.Running(), true);
    EXPECT_EQ(platform.Log(), (Log{"start 40", "stop", "start 55"}));

    // A restart the platform refuses leaves the timer stopped.
    platform.FailNextStarts(1);
    timer.RestartTickTimer();
    EXPECT_EQ(timer.Running(), false);
    EXPECT_FALSE(platform.Running());
}

TEST_F(TickTimerTest, FirstRunWithoutStoredSpeedRunsAt16AndStoresIt) {
    timer.LoadTickPeriod();
    EXPECT_EQ(timer.Period(), 16);
    EXPECT_TRUE(timer.PeriodChanged());
    timer.StartTickTimer();
    EXPECT_EQ(platform.Period(), 16);
    timer.StoreTickPeriod();
    EXPECT_EQ(store.value, 16);
}

TEST_F(TickTimerTest, StoredSpeedIsWrittenBackOnlyWhenChanged) {
    store.value = 40;
    timer.LoadTickPeriod();
    EXPECT_EQ(timer.Period(), 40);
    EXPECT_FALSE(timer.PeriodChanged());
    timer.StoreTickPeriod();
    EXPECT_EQ(store.storeCount, 0);

    // Setting it, even to the same value, marks it for storing.
    timer.SetTickPeriod(40);
    timer.StoreTickPeriod();
    EXPECT_EQ(store.storeCount, 1);
    EXPECT_EQ(store.value, 40);
}

TEST_F(TickTimerTest, StoredSpeedOutsideRangeIsClampedAndRepaired) {
    store.value = 500;
    timer.LoadTickPeriod();
    EXPECT_EQ(timer.Period(), 96);
    timer.StoreTickPeriod();
    EXPECT_EQ(store.value, 96);

    TickTimerState other(platform, store);
    store.value = -3;
    other.LoadTickPeriod();
    EXPECT_EQ(other.Period(), 16);
    EXPECT_TRUE(other.PeriodChanged());

    TickTimerState edge(platform, store);
    store.value = 96;
    edge.LoadTickPeriod();
    EXPECT_EQ(edge.Period(), 96);
    EXPECT_FALSE(edge.PeriodChanged());
}

}  // namespace
}  // namespace vantrell
