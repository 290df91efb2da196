#pragma once
// The start dialog, in which the player chooses resolution and colour depth
// before anything is drawn.

#include <windows.h>

#include "platform/platform.h"

// Shows the modal dialog (resource 103) and writes the choice into
// `settings`. False when the player cancelled: the program then ends.
bool showStartDialog(HINSTANCE instance, WindowSettings& settings);
// The dialog's parameter is the WindowSettings record it writes into.
INT_PTR CALLBACK startDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
