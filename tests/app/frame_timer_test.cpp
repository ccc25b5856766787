// The frame timer on the recording platform's counter: start, the two measures with their own
// references, restarts, a missing counter and intervals too short to measure.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "app/frame_timer.h"
#include "platform/fake_platform.h"

namespace fake = platform::fake;

namespace {

class FrameTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::reset();
        FrameTimer::forgetReferences();
        fake::setFrequency(1000);
        fake::setCounterStep(0);
    }

    // Starts `timer` with the counter at `count`.
    static void startAt(FrameTimer& timer, std::int64_t count) {
        fake::setCounter(count);
        ASSERT_TRUE(timer.start());
    }
};

TEST_F(FrameTimerTest, StartIsFalseWithoutAHighResolutionCounter) {
    fake::setFrequency(0);
    FrameTimer timer;
    EXPECT_FALSE(timer.start());
}

TEST_F(FrameTimerTest, WithoutACounterNoTimePassesAndTheRateIsZero) {
    fake::setFrequency(0);
    FrameTimer timer;
    timer.start();
    fake::setCounter(5000);
    EXPECT_EQ(timer.elapsedSeconds(1), 0.0f);
    EXPECT_EQ(timer.framesPerSecond(1), 0.0f);
}

TEST_F(FrameTimerTest, UnstartedTimerMeasuresNothing) {
    FrameTimer timer;
    fake::setCounter(5000);
    EXPECT_EQ(timer.elapsedSeconds(1), 0.0f);
    EXPECT_EQ(timer.framesPerSecond(1), 0.0f);
}

TEST_F(FrameTimerTest, FirstElapsedMeasuresFromStartThenFromTheLastCall) {
    FrameTimer timer;
    startAt(timer, 1000);
    fake::setCounter(1500);
    EXPECT_EQ(timer.elapsedSeconds(1), 0.5f);
    fake::setCounter(1750);
    EXPECT_EQ(timer.elapsedSeconds(1), 0.25f);
    fake::setCounter(4750);
    EXPECT_EQ(timer.elapsedSeconds(1), 3.0f);
}

TEST_F(FrameTimerTest, ElapsedIgnoresItsArgument) {
    FrameTimer timer;
    startAt(timer, 0);
    fake::setCounter(250);
    EXPECT_EQ(timer.elapsedSeconds(0), 0.25f);
    fake::setCounter(500);
    EXPECT_EQ(timer.elapsedSeconds(-7), 0.25f);
}

TEST_F(FrameTimerTest, FirstRateMeasuresFromStartThenFromTheLastCall) {
    FrameTimer timer;
    startAt(timer, 100);
    fake::setCounter(350);
    EXPECT_EQ(timer.framesPerSecond(1), 4.0f);
    fake::setCounter(360);
    EXPECT_EQ(timer.framesPerSecond(1), 100.0f);
    fake::setCounter(860);
    EXPECT_EQ(timer.framesPerSecond(10), 20.0f);
}

TEST_F(FrameTimerTest, ElapsedAndRateKeepSeparateReferences) {
    FrameTimer timer;
    startAt(timer, 0);
    fake::setCounter(1000);
    EXPECT_EQ(timer.elapsedSeconds(1), 1.0f);
    fake::setCounter(2000);
    EXPECT_EQ(timer.framesPerSecond(1), 0.5f) << "measured from start, not from the elapsed call";
    fake::setCounter(2500);
    EXPECT_EQ(timer.elapsedSeconds(1), 1.5f) << "measured from its own last call";
    EXPECT_EQ(timer.framesPerSecond(1), 2.0f);
}

TEST_F(FrameTimerTest, ReferencesSurviveARestart) {
    FrameTimer timer;
    startAt(timer, 0);
    fake::setCounter(1000);
    EXPECT_EQ(timer.elapsedSeconds(1), 1.0f);
    EXPECT_EQ(timer.framesPerSecond(1), 1.0f);

    // A display-mode switch starts the timer again; the next frame gets the whole gap.
    startAt(timer, 5000);
    fake::setCounter(6000);
    EXPECT_EQ(timer.elapsedSeconds(1), 5.0f);
    EXPECT_EQ(timer.framesPerSecond(1), 0.2f);
}

TEST_F(FrameTimerTest, ReferencesAreSharedByEveryTimer) {
    FrameTimer first, second;
    startAt(first, 0);
    fake::setCounter(1000);
    EXPECT_EQ(first.elapsedSeconds(1), 1.0f);
    startAt(second, 1500);
    fake::setCounter(2000);
    EXPECT_EQ(second.elapsedSeconds(1), 1.0f) << "the reference is the first timer's last call";
}

TEST_F(FrameTimerTest, TwoCallsWithinOneTickDoNotDivideByZero) {
    FrameTimer timer;
    startAt(timer, 0);
    EXPECT_TRUE(std::isfinite(timer.framesPerSecond(1))) << "no tick since start";
    fake::setCounter(100);
    EXPECT_EQ(timer.framesPerSecond(1), 10.0f);
    const float again = timer.framesPerSecond(1);
    EXPECT_TRUE(std::isfinite(again));
    EXPECT_GE(again, 0.0f);
    EXPECT_EQ(timer.elapsedSeconds(1), 0.1f);
    EXPECT_EQ(timer.elapsedSeconds(1), 0.0f);
    // The next measured interval is right again.
    fake::setCounter(300);
    EXPECT_EQ(timer.framesPerSecond(1), 5.0f);
}

TEST_F(FrameTimerTest, LargeCounterReadingsKeepOneTickApart) {
    // Taken as floats both readings would be equal; the difference is taken first.
    const std::int64_t large = std::int64_t(1) << 62;
    FrameTimer timer;
    startAt(timer, large);
    fake::setCounter(large + 1);
    EXPECT_EQ(timer.elapsedSeconds(1), 0.001f);
    EXPECT_EQ(timer.framesPerSecond(1), 1000.0f);
}

TEST_F(FrameTimerTest, RateOfARealisticCounter) {
    fake::setFrequency(3579545);
    FrameTimer timer;
    startAt(timer, 12345678);
    fake::setCounter(12345678 + 59659);
    EXPECT_FLOAT_EQ(timer.framesPerSecond(1), float(3579545.0 / 59659.0));
    EXPECT_FLOAT_EQ(timer.elapsedSeconds(1), float(59659.0 / 3579545.0));
}

}  // namespace
