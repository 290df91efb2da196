#include <gtest/gtest.h>

#include "shell/frame_clock.h"
#include "shell/os_services_win32.h"

// The real clocks of the system, through the Win32 services.
class RealFrameClock : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = installOsServices(&win32OsServices()); }
  void TearDown() override { installOsServices(previous_); }
  OsServices* previous_ = nullptr;
};

TEST_F(RealFrameClock, ReadingsNeverDecreaseAndAdvanceWithSleep) {
  initFrameClock();
  EXPECT_TRUE(frameClock.usesPerformanceCounter);
  double previous = frameClockMilliseconds();
  for (int i = 0; i < 100000; ++i) {
    double now = frameClockMilliseconds();
    ASSERT_GE(now, previous);
    previous = now;
  }
  double beforeSleep = frameClockMilliseconds();
  osServices().sleepMilliseconds(30);
  double slept = frameClockMilliseconds() - beforeSleep;
  EXPECT_GE(slept, 25.0);
  EXPECT_LT(slept, 2000.0);
}
