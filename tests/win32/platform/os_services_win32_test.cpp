// The Win32 services' translation of the portable words into the values the
// system takes and back.

#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include "platform/win32/os_services.h"

using os::SoundMode;

TEST(Win32Translation, SoundModesBecomeFileNameFlags) {
  const std::pair<SoundMode, unsigned> cases[] = {
      {SoundMode::wait, SND_FILENAME | SND_SYNC},
      {SoundMode::async | SoundMode::noWait, SND_FILENAME | SND_NOWAIT | SND_ASYNC},
      {SoundMode::async | SoundMode::noWait | SoundMode::noStop,
       SND_FILENAME | SND_NOWAIT | SND_NOSTOP | SND_ASYNC},
      {SoundMode::noStop, SND_FILENAME | SND_NOSTOP},
  };
  for (const auto& [mode, flags] : cases) EXPECT_EQ(win32SoundFlags(mode), flags) << int(mode);
}

TEST(Win32Translation, BoxStylesAndAnswers) {
  const std::pair<os::BoxStyle, unsigned> styles[] = {
      {{os::Buttons::ok, os::Icon::none}, MB_OK},
      {{os::Buttons::ok, os::Icon::none, os::Owner::focusedWindow}, MB_OK},
      {{os::Buttons::ok, os::Icon::exclamation}, MB_OK | MB_ICONEXCLAMATION},
      {{os::Buttons::ok, os::Icon::stop}, MB_OK | MB_ICONSTOP},
      {{os::Buttons::ok, os::Icon::information}, MB_OK | MB_ICONINFORMATION},
      {{os::Buttons::yesNo, os::Icon::exclamation}, MB_YESNO | MB_ICONEXCLAMATION},
  };
  for (const auto& [style, bits] : styles) EXPECT_EQ(win32BoxStyle(style), bits) << bits;
  const std::pair<int, os::Answer> answers[] = {{IDOK, os::Answer::ok},
                                                {IDYES, os::Answer::yes},
                                                {IDNO, os::Answer::no},
                                                {0, os::Answer::none},
                                                {IDCANCEL, os::Answer::none}};
  for (const auto& [result, answer] : answers) EXPECT_EQ(answerFromWin32(result), answer) << result;
}
