#include <gtest/gtest.h>

#include "platform/frame_clock.h"
#include "shell/os_services_win32.h"

// The real clocks of the system, through the Win32 services.
TEST(RealFrameClock, ReadingsNeverDecreaseAndAdvanceWithSleep) {
  OsServices* previous = installOsServices(&win32OsServices());
  initFrameClock();
  EXPECT_TRUE(frameClock.usesPerformanceCounter);
  double last = frameClockMilliseconds();
  for (int i = 0; i < 100000; ++i) {
    double now = frameClockMilliseconds();
    ASSERT_GE(now, last);
    last = now;
  }
  osServices().sleepMilliseconds(30);
  double slept = frameClockMilliseconds() - last;
  installOsServices(previous);
  EXPECT_GE(slept, 25.0);
  EXPECT_LT(slept, 2000.0);
}
