#include <gtest/gtest.h>

#include <windows.h>

#include "resources/start_dialog_ids.h"
#include "shell/start_dialog.h"

// The dialog procedure against real button controls with the dialog's ids
// (the resource itself lives in Brakmoor.exe and is checked end to end).
class StartDialogChoices : public ::testing::Test {
 protected:
  void SetUp() override {
    application_ = AppInstance{GetModuleHandleA(nullptr), "BrakmoorIntro"};
    record_.settings = WindowSettings{&application_, "Brakmoor", 1280, 1024, 32, 1};
    // This program has no dialog 103: the call returns at once and the
    // defaults stay, but the dialog now writes into `record_`.
    showStartDialog(&record_);
    dialog_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                              application_.instance, nullptr);
    for (int id = IDC_RESOLUTION_640; id <= IDC_DEPTH_32; ++id) addButton(id, BS_AUTORADIOBUTTON);
    addButton(IDC_FULL_SCREEN, BS_AUTOCHECKBOX);
  }
  void TearDown() override { DestroyWindow(dialog_); }

  void addButton(int id, DWORD style) {
    CreateWindowExA(0, "BUTTON", "", WS_CHILD | style, 0, 0, 10, 10, dialog_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), application_.instance,
                    nullptr);
  }
  void initialise() { EXPECT_EQ(startDialogProc(dialog_, WM_INITDIALOG, 0, 0), FALSE); }
  void pressOk() { EXPECT_EQ(startDialogProc(dialog_, WM_COMMAND, IDOK, 0), TRUE); }
  bool checked(int id) { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }
  void expectSettings(int width, int height, int bits, int fullScreen) {
    EXPECT_EQ(record_.settings.width, width);
    EXPECT_EQ(record_.settings.height, height);
    EXPECT_EQ(record_.settings.bitsPerPixel, bits);
    EXPECT_EQ(record_.settings.fullScreen, fullScreen);
  }

  AppInstance application_{};
  IntroWindow record_{};
  HWND dialog_ = nullptr;
};

TEST_F(StartDialogChoices, MissingDialogResourceLeavesTheDefaults) {
  expectSettings(1280, 1024, 32, 1);
}

TEST_F(StartDialogChoices, InitialChoiceIs1024By768At32BitsWindowed) {
  CheckDlgButton(dialog_, IDC_FULL_SCREEN, BST_CHECKED);
  CheckDlgButton(dialog_, IDC_RESOLUTION_640, BST_CHECKED);
  initialise();
  EXPECT_TRUE(checked(IDC_RESOLUTION_1024));
  EXPECT_FALSE(checked(IDC_RESOLUTION_640));
  EXPECT_TRUE(checked(IDC_DEPTH_32));
  EXPECT_FALSE(checked(IDC_DEPTH_16));
  EXPECT_FALSE(checked(IDC_FULL_SCREEN));
  pressOk();
  expectSettings(1024, 768, 32, 0);
}

TEST_F(StartDialogChoices, SixteenBitsAndEachResolutionAreRead) {
  struct Case {
    int button, width, height;
  } cases[] = {{IDC_RESOLUTION_640, 640, 480},
               {IDC_RESOLUTION_800, 800, 600},
               {IDC_RESOLUTION_1280, 1280, 1024},
               {IDC_RESOLUTION_1600, 1600, 1200}};
  for (const Case& c : cases) {
    initialise();
    CheckRadioButton(dialog_, IDC_RESOLUTION_640, IDC_RESOLUTION_1600, c.button);
    CheckRadioButton(dialog_, IDC_DEPTH_16, IDC_DEPTH_32, IDC_DEPTH_16);
    pressOk();
    expectSettings(c.width, c.height, 16, 0);
  }
}

TEST_F(StartDialogChoices, LaterResolutionWinsAndNoneKeepsThePreviousSize) {
  initialise();
  CheckDlgButton(dialog_, IDC_RESOLUTION_640, BST_CHECKED);
  CheckDlgButton(dialog_, IDC_RESOLUTION_1600, BST_CHECKED);
  pressOk();
  expectSettings(1600, 1200, 32, 0);

  for (int id = IDC_RESOLUTION_640; id <= IDC_RESOLUTION_1600; ++id) {
    CheckDlgButton(dialog_, id, BST_UNCHECKED);
  }
  pressOk();
  expectSettings(1600, 1200, 32, 0);
}

TEST_F(StartDialogChoices, TickedFullScreenBoxKeepsFullScreen) {
  initialise();
  CheckDlgButton(dialog_, IDC_FULL_SCREEN, BST_CHECKED);
  pressOk();
  expectSettings(1024, 768, 32, 1);
}

TEST_F(StartDialogChoices, OtherMessagesAreLeftToTheDialogManager) {
  EXPECT_EQ(startDialogProc(dialog_, WM_PAINT, 0, 0), FALSE);
  EXPECT_EQ(startDialogProc(dialog_, WM_COMMAND, IDC_RESOLUTION_640, 0), FALSE);
  expectSettings(1280, 1024, 32, 1);
}
