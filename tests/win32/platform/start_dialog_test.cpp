#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <initializer_list>

#include "resources/start_dialog_ids.h"
#include "platform/win32/start_dialog.h"

// The dialog procedure against real button controls with the dialog's ids
// (the resource itself lives in Brakmoor.exe and is checked end to end).
// WM_INITDIALOG ticks 1024 x 768 at 32 bits and nothing else; only OK reads
// the buttons, in order, so the last ticked resolution wins and with none
// ticked the previous size stays.
TEST(StartDialogChoices, StartsAt1024By768At32BitsAndOkReadsTheButtonsInOrder) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WindowSettings settings;
  // This program has no dialog 103: the call returns at once, as a
  // cancelled dialog, and the defaults stay.
  EXPECT_FALSE(showStartDialog(instance, settings));
  // A window of the system's dialog class stands in for the dialog.
  const HWND dialog = CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, instance, nullptr);
  for (int id = IDC_RESOLUTION_640; id <= IDC_FULL_SCREEN; ++id)
    CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 10, 10, dialog,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  // The dialog's parameter is the record it writes into.
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&settings));
  // Width, height, bits per pixel and full screen.
  auto chosen = [&] { return std::array<int, 4>{settings.width, settings.height, settings.bitsPerPixel, settings.fullScreen}; };

  EXPECT_EQ(startDialogProc(dialog, WM_PAINT, 0, 0), FALSE);
  EXPECT_EQ(startDialogProc(dialog, WM_COMMAND, IDC_RESOLUTION_640, 0), FALSE);
  EXPECT_EQ(chosen(), (std::array<int, 4>{1280, 1024, 32, 1}));  // the record's defaults stay
  CheckDlgButton(dialog, IDC_FULL_SCREEN, BST_CHECKED);
  CheckDlgButton(dialog, IDC_RESOLUTION_640, BST_CHECKED);
  EXPECT_EQ(startDialogProc(dialog, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&settings)), FALSE);
  for (int id = IDC_RESOLUTION_640; id <= IDC_FULL_SCREEN; ++id)
    EXPECT_EQ(IsDlgButtonChecked(dialog, id), id == IDC_RESOLUTION_1024 || id == IDC_DEPTH_32 ? BST_CHECKED : BST_UNCHECKED) << id;
  const struct Case { std::initializer_list<int> ticked; std::array<int, 4> chosen; } cases[] = {
      {{IDC_RESOLUTION_1024, IDC_DEPTH_32, IDC_FULL_SCREEN}, {1024, 768, 32, 1}},
      {{IDC_RESOLUTION_640, IDC_DEPTH_16}, {640, 480, 16, 0}},
      {{IDC_RESOLUTION_800, IDC_DEPTH_16}, {800, 600, 16, 0}},
      {{IDC_RESOLUTION_1280, IDC_DEPTH_32}, {1280, 1024, 32, 0}},
      {{IDC_RESOLUTION_1600, IDC_DEPTH_16}, {1600, 1200, 16, 0}},
      {{IDC_RESOLUTION_640, IDC_RESOLUTION_800, IDC_DEPTH_32}, {800, 600, 32, 0}},
      {{IDC_DEPTH_16}, {800, 600, 16, 0}}};
  for (const Case& c : cases) {
    for (int id = IDC_RESOLUTION_640; id <= IDC_FULL_SCREEN; ++id) CheckDlgButton(dialog, id, BST_UNCHECKED);
    for (int id : c.ticked) CheckDlgButton(dialog, id, BST_CHECKED);
    EXPECT_EQ(startDialogProc(dialog, WM_COMMAND, IDOK, 0), TRUE);
    EXPECT_EQ(chosen(), c.chosen);
  }
  DestroyWindow(dialog);
}
