#include "platform/win32/start_dialog.h"

#include "resources/start_dialog_ids.h"

namespace {
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

constexpr INT_PTR cancelled = 0;
constexpr INT_PTR chosen = 1;

WindowSettings* settingsOf(HWND dialog) {
  return reinterpret_cast<WindowSettings*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
}  // namespace

INT_PTR CALLBACK startDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      CheckDlgButton(dialog, IDC_FULL_SCREEN, BST_UNCHECKED);
      CheckRadioButton(dialog, IDC_RESOLUTION_640, IDC_RESOLUTION_1600, IDC_RESOLUTION_1024);
      CheckRadioButton(dialog, IDC_DEPTH_16, IDC_DEPTH_32, IDC_DEPTH_32);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        readChoices(dialog, *settingsOf(dialog));
        EndDialog(dialog, chosen);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, cancelled);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

bool showStartDialog(HINSTANCE instance, WindowSettings& settings) {
  const INT_PTR result =
      DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_START_DIALOG), nullptr, startDialogProc,
                      reinterpret_cast<LPARAM>(&settings));
  return result == chosen;
}
