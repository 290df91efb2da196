#pragma once
#include "shell/os_services.h"

// The real services: PlaySoundA, MessageBoxA, the cursor, Sleep,
// GetTickCount, timeGetTime and the performance counter.
OsServices& win32OsServices();
