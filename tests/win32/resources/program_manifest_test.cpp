// The application manifest embedded in Brakmoor.exe, read back the way the
// Windows loader reads it: as the activation context of the program's
// manifest resource (RT_MANIFEST 1). Without it Windows scales the game's
// pixels up on a high-DPI screen.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

TEST(ProgramManifest, TheLoaderTakesItAndReadsThePerMonitorDpiAwareness) {
  // Brakmoor.exe is built into the folder of the test programs.
  char path[MAX_PATH] = {};
  const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  const std::string program = self.substr(0, self.find_last_of("\\/") + 1) + "Brakmoor.exe";
  ACTCTXA description{};
  description.cbSize = sizeof description;
  description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  description.lpSource = program.c_str();
  description.lpResourceName = MAKEINTRESOURCEA(1);  // the manifest a program starts with
  const HANDLE context = CreateActCtxA(&description);
  ASSERT_NE(context, INVALID_HANDLE_VALUE)
      << program << " has no manifest the loader takes (error " << GetLastError() << ")";
  // A windowsSettings value as the loader sees it; empty when not set.
  auto setting = [&](const wchar_t* nameSpace, const wchar_t* name) {
    wchar_t value[128] = {};
    SIZE_T written = 0;
    return QueryActCtxSettingsW(0, context, nameSpace, name, value, 128, &written) ? std::wstring(value)
                                                                                   : std::wstring();
  };
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm");
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"PerMonitorV2, PerMonitor");
  ReleaseActCtx(context);
}
