#include <gtest/gtest.h>

#include "game/frame_clock.h"
#include "platform/win32/win32_platform.h"

// The real clocks of the system, through the Windows platform.
TEST(RealFrameClock, ReadingsNeverDecreaseAndAdvanceWithSleep) {
  Win32Platform win32(GetModuleHandleA(nullptr));
  Platform* previous = installPlatform(&win32);
  FrameClock clock;
  initFrameClock(clock);
  EXPECT_TRUE(clock.usesPerformanceCounter);
  double last = frameClockMilliseconds(clock);
  for (int i = 0; i < 100000; ++i) {
    double now = frameClockMilliseconds(clock);
    ASSERT_GE(now, last);
    last = now;
  }
  osServices().sleepMilliseconds(30);
  double slept = frameClockMilliseconds(clock) - last;
  installPlatform(previous);
  EXPECT_GE(slept, 25.0);
  EXPECT_LT(slept, 2000.0);
}
