#pragma once
// The translation between the platform's words and the Win32 values: SND_*
// flags (always with SND_FILENAME), MB_* style bits, and the button a
// MessageBoxA result names.

#include "platform/platform.h"

unsigned win32SoundFlags(os::SoundMode mode);
unsigned win32BoxStyle(os::BoxStyle style);
os::Answer answerFromWin32(int result);
