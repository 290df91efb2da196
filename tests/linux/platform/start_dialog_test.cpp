// The start dialog's choice as the settings see it, through the scripted
// choice that replaces the dialog in headless runs.

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/linux/start_dialog.h"

namespace {

struct Chosen {
  bool started;
  WindowSettings settings;
};

Chosen choose(const char* scripted) {
  setenv("BRAKMOOR_DIALOG_CHOICE", scripted, 1);
  Chosen chosen{false, {}};
  chosen.started = chooseWindowSettingsGtk(chosen.settings);
  unsetenv("BRAKMOOR_DIALOG_CHOICE");
  return chosen;
}

void expectSettings(const Chosen& chosen, int width, int height, int bits) {
  EXPECT_TRUE(chosen.started);
  EXPECT_EQ(chosen.settings.width, width);
  EXPECT_EQ(chosen.settings.height, height);
  EXPECT_EQ(chosen.settings.bitsPerPixel, bits);
  EXPECT_EQ(chosen.settings.fullScreen, 0);
}

TEST(StartDialogTest, ScriptedChoiceGivesThatModeWindowed) {
  expectSettings(choose("640x480x16"), 640, 480, 16);
  expectSettings(choose("1600x1200x32"), 1600, 1200, 32);
}

// Text that names nothing offered is what Enter at once gives.
TEST(StartDialogTest, UnofferedChoiceGivesTheDefaults) {
  for (const char* text : {"1024x768x32", "700x500x16", "640x480x24", "640x480x16 ", ""}) {
    SCOPED_TRACE(text);
    expectSettings(choose(text), 1024, 768, 32);
  }
}

TEST(StartDialogTest, CancelLeavesTheSettings) {
  Chosen chosen = choose("cancel");
  EXPECT_FALSE(chosen.started);
  EXPECT_EQ(chosen.settings.width, WindowSettings{}.width);
  EXPECT_EQ(chosen.settings.fullScreen, 1);
}

// The hidden box, were it ticked, keeps the full-screen default; with no
// resolution selected the settings keep theirs.
TEST(StartDialogTest, TickedFullScreenAndNoResolutionKeepTheSettings) {
  StartDialogChoice choice;
  choice.fullScreenTicked = true;
  choice.resolution = -1;
  choice.depth16 = true;
  WindowSettings settings;
  applyStartDialogChoice(choice, settings);
  EXPECT_EQ(settings.fullScreen, 1);
  EXPECT_EQ(settings.width, 1280);
  EXPECT_EQ(settings.height, 1024);
  EXPECT_EQ(settings.bitsPerPixel, 16);
}

}  // namespace
