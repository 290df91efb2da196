// The millisecond fallback of the frame clock: the demos are recorded where
// the performance counter exists, so they never read it.
#include <gtest/gtest.h>

#include "game/frame_clock.h"
#include "tests/support/recording_os.h"

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
