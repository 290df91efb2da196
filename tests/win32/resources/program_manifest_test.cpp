// The application manifest embedded in Brakmoor.exe, read back the way the
// Windows loader reads it: as the activation context of the program's
// manifest resource (RT_MANIFEST 1).

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Brakmoor.exe is built into the folder of the test programs.
std::string gameProgram() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string self(path, length);
  return self.substr(0, self.find_last_of("\\/") + 1) + "Brakmoor.exe";
}

class ProgramManifest : public ::testing::Test {
 protected:
  void SetUp() override {
    ACTCTXA description{};
    description.cbSize = sizeof description;
    description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    description.lpSource = program_.c_str();
    description.lpResourceName = MAKEINTRESOURCEA(1);  // the manifest a program starts with
    context_ = CreateActCtxA(&description);
    ASSERT_NE(context_, INVALID_HANDLE_VALUE)
        << program_ << " has no manifest the loader takes (error " << GetLastError() << ")";
  }
  void TearDown() override {
    if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
  }

  // A windowsSettings value as the loader sees it; empty when not set.
  std::wstring setting(const wchar_t* nameSpace, const wchar_t* name) const {
    wchar_t value[128] = {};
    SIZE_T written = 0;
    if (!QueryActCtxSettingsW(0, context_, nameSpace, name, value, 128, &written)) return L"";
    return value;
  }

  const std::string program_ = gameProgram();
  HANDLE context_ = INVALID_HANDLE_VALUE;
};

// Without it Windows scales the game's pixels up on a high-DPI screen.
TEST_F(ProgramManifest, TheLoaderTakesItAndReadsThePerMonitorDpiAwareness) {
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm");
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"PerMonitorV2, PerMonitor");
}

}  // namespace
