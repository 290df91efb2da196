#include "shell/start_dialog_win32.h"

#include <cstdlib>

#include "resources/start_dialog_ids.h"

namespace {
// The record the dialog writes into; the dialog runs once, before any window.
IntroWindow* dialogRecord = nullptr;

struct ResolutionChoice {
  int button;
  std::int32_t width;
  std::int32_t height;
};
constexpr ResolutionChoice resolutionChoices[] = {
    {IDC_RESOLUTION_640, 640, 480},    {IDC_RESOLUTION_800, 800, 600},
    {IDC_RESOLUTION_1024, 1024, 768},  {IDC_RESOLUTION_1280, 1280, 1024},
    {IDC_RESOLUTION_1600, 1600, 1200},
};

bool isChecked(HWND dialog, int button) { return IsDlgButtonChecked(dialog, button) != 0; }

void readChoices(HWND dialog, WindowSettings& settings) {
  // The full-screen box is hidden and never ticked, so the game starts
  // windowed; a ticked box would keep the default.
  if (!isChecked(dialog, IDC_FULL_SCREEN)) settings.fullScreen = 0;
  settings.bitsPerPixel = isChecked(dialog, IDC_DEPTH_16) ? 16 : 32;
  // With no button selected the defaults stay.
  for (const ResolutionChoice& choice : resolutionChoices) {
    if (isChecked(dialog, choice.button)) {
      settings.width = choice.width;
      settings.height = choice.height;
    }
  }
}

// Quitting from the dialog: nothing but the display mode needs undoing, and
// the runtime's normal exit lets exit-time releases run.
[[noreturn]] void quitFromDialog() {
  destroyIntroWindow(dialogRecord);
  terminateProgram(dialogRecord);
  std::exit(0);
}
}  // namespace

INT_PTR CALLBACK startDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      CheckDlgButton(dialog, IDC_FULL_SCREEN, BST_UNCHECKED);
      CheckRadioButton(dialog, IDC_RESOLUTION_640, IDC_RESOLUTION_1600, IDC_RESOLUTION_1024);
      CheckRadioButton(dialog, IDC_DEPTH_16, IDC_DEPTH_32, IDC_DEPTH_32);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        readChoices(dialog, dialogRecord->settings);
        EndDialog(dialog, static_cast<INT_PTR>(wParam));
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) quitFromDialog();
      return FALSE;
    default:
      return FALSE;
  }
}

void showStartDialog(IntroWindow* window) {
  dialogRecord = window;
  DialogBoxParamA(window->settings.application->instance, MAKEINTRESOURCEA(IDD_START_DIALOG),
                  nullptr, startDialogProc, 0);
}
