#pragma once
// The real OS services: PlaySoundA, MessageBoxA, the cursor, Sleep,
// GetTickCount, timeGetTime and the performance counter.

#include "platform/os_services.h"

OsServices& win32OsServices();

// The translation between the portable words and the Win32 values, for the
// tests: SND_* flags (always with SND_FILENAME), MB_* style bits, and the
// button a MessageBoxA result names.
unsigned win32SoundFlags(os::SoundMode mode);
unsigned win32BoxStyle(os::BoxStyle style);
os::Answer answerFromWin32(int result);
