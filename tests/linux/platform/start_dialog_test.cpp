// The start dialog's choice as the settings see it, through the scripted
// choice that replaces the dialog in headless runs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "platform/linux/start_dialog.h"

// Text that names nothing offered gives what Enter at once gives; a cancel
// leaves the settings as they were.
TEST(StartDialogTest, ScriptedChoiceGivesItsModeWindowedOrCancels) {
  const WindowSettings defaults{1024, 768, 32, 0};
  const struct { const char* scripted; bool started; WindowSettings expected; } cases[] = {
      {"640x480x16", true, {640, 480, 16, 0}}, {"1600x1200x32", true, {1600, 1200, 32, 0}},
      {"700x500x16", true, defaults},         {"640x480x24", true, defaults},
      {"640x480x16 ", true, defaults},        {"cancel", false, WindowSettings{}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scripted);
    setenv("BRAKMOOR_DIALOG_CHOICE", c.scripted, 1);
    WindowSettings settings;
    EXPECT_EQ(chooseWindowSettingsGtk(settings), c.started);
    const WindowSettings& e = c.expected;
    EXPECT_EQ(std::tie(settings.width, settings.height, settings.bitsPerPixel, settings.fullScreen),
              std::tie(e.width, e.height, e.bitsPerPixel, e.fullScreen));
  }
  unsetenv("BRAKMOOR_DIALOG_CHOICE");
}
