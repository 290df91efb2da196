#include "platform/win32/os_services.h"

#include <windows.h>
#include <mmsystem.h>

unsigned win32SoundFlags(os::SoundMode mode) {
  unsigned flags = SND_FILENAME;
  if (hasFlag(mode, os::SoundMode::async)) flags |= SND_ASYNC;
  if (hasFlag(mode, os::SoundMode::noStop)) flags |= SND_NOSTOP;
  if (hasFlag(mode, os::SoundMode::noWait)) flags |= SND_NOWAIT;
  return flags;
}

unsigned win32BoxStyle(os::BoxStyle style) {
  unsigned bits = style.buttons == os::Buttons::yesNo ? MB_YESNO : MB_OK;
  switch (style.icon) {
    case os::Icon::none:
      break;
    case os::Icon::stop:
      bits |= MB_ICONSTOP;
      break;
    case os::Icon::exclamation:
      bits |= MB_ICONEXCLAMATION;
      break;
    case os::Icon::information:
      bits |= MB_ICONINFORMATION;
      break;
  }
  return bits;
}

os::Answer answerFromWin32(int result) {
  switch (result) {
    case IDOK:
      return os::Answer::ok;
    case IDYES:
      return os::Answer::yes;
    case IDNO:
      return os::Answer::no;
    default:
      return os::Answer::none;
  }
}
