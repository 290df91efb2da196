// The application manifest embedded in Brakmoor.exe, read back the way the
// Windows loader reads it: as the activation context of the program's
// manifest resource (RT_MANIFEST 1).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

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

  // The compatibility section: the supportedOS entries, whose record layout
  // differs between SDK versions, so the identifiers are looked for in it.
  std::vector<unsigned char> compatibility() const {
    std::vector<unsigned char> info(1024);
    SIZE_T written = 0;
    if (!QueryActCtxW(0, context_, nullptr, CompatibilityInformationInActivationContext, info.data(),
                      info.size(), &written))
      return {};
    info.resize(written);
    return info;
  }

  const std::string program_ = gameProgram();
  HANDLE context_ = INVALID_HANDLE_VALUE;
};

TEST_F(ProgramManifest, DeclaresThePerMonitorDpiAwareness) {
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm");
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"PerMonitorV2, PerMonitor");
}

TEST_F(ProgramManifest, NamesWindowsVistaTo11AsSupported) {
  const struct { const char* version; GUID id; } systems[] = {
      {"Vista", {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}}},
      {"7", {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}}},
      {"8", {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}}},
      {"8.1", {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}}},
      {"10 and 11", {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}}}};
  const std::vector<unsigned char> info = compatibility();
  ASSERT_GE(info.size(), sizeof(DWORD));
  DWORD count = 0;
  std::memcpy(&count, info.data(), sizeof count);
  EXPECT_EQ(count, 5u);
  for (const auto& system : systems) {
    bool found = false;
    for (std::size_t at = sizeof count; !found && at + sizeof(GUID) <= info.size(); ++at)
      found = std::memcmp(info.data() + at, &system.id, sizeof(GUID)) == 0;
    EXPECT_TRUE(found) << "Windows " << system.version;
  }
}

}  // namespace
