#pragma once
// The start dialog, in which the player chooses resolution and colour depth
// before anything is drawn.

#include <windows.h>

#include "shell/intro_window_win32.h"

// Shows the modal dialog (resource 103) and writes the choice into
// window->settings. Cancel ends the process with exit code 0.
void showStartDialog(IntroWindow* window);
INT_PTR CALLBACK startDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
