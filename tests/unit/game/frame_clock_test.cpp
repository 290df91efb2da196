#include <gtest/gtest.h>

#include "game/frame_clock.h"
#include "tests/support/recording_os.h"

TEST(FrameClock, PerformanceCounterScalesCountsToMillisecondsFromEachStart) {
  ScopedRecordingOs os;
  FrameClock frameClock;
  os->countsPerSecond = 3579545;  // the classic ACPI timer rate
  os->counter = 1000000000;
  initFrameClock(frameClock);
  EXPECT_TRUE(frameClock.usesPerformanceCounter);
  EXPECT_FLOAT_EQ(frameClock.secondsPerCount, 1.0f / 3579545.0f);
  os->counter += 3579545 / 2;  // half a second later
  EXPECT_NEAR(frameClockMilliseconds(frameClock), 500.0, 0.001);
  initFrameClock(frameClock);  // a restart counts from zero again
  EXPECT_EQ(frameClockMilliseconds(frameClock), 0.0);
}

TEST(FrameClock, ReadingsNeverDecreaseWhileTheCounterRuns) {
  ScopedRecordingOs os;
  FrameClock frameClock;
  os->counterStepPerRead = 7;
  initFrameClock(frameClock);
  double previous = frameClockMilliseconds(frameClock);
  for (int i = 0; i < 1000; ++i) {
    double now = frameClockMilliseconds(frameClock);
    ASSERT_GE(now, previous);
    previous = now;
  }
  EXPECT_GT(previous, 0.0);
}

TEST(FrameClock, FallbackGivesWholeMillisecondsAcrossTheWrap) {
  ScopedRecordingOs os;
  FrameClock frameClock;
  os->hasPerformanceCounter = false;
  os->multimediaMilliseconds = 0xFFFFFFF0u;  // 16 ms before the wrap
  initFrameClock(frameClock);
  EXPECT_FALSE(frameClock.usesPerformanceCounter);
  os->multimediaMilliseconds = 0xFFFFFFFAu;
  EXPECT_EQ(frameClockMilliseconds(frameClock), 10.0);
  os->multimediaMilliseconds = 25;  // wrapped: 16 + 25 ms after the start
  EXPECT_EQ(frameClockMilliseconds(frameClock), 41.0);  // exactly: whole milliseconds
}
