// Running the generator itself: the same bytes on every run, and an error
// status for bad use.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "tests/unit/datagen/data_readers.h"

namespace fs = std::filesystem;

namespace {
// Tests run in the build folder, where the generator is built.
const char kGenerator[] = "tools/datagen/datagen";

class Generator : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kGenerator)) << "run the tests from the build folder";
    std::string pattern = (fs::temp_directory_path() / "datagen-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    scratch_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    if (!scratch_.empty()) fs::remove_all(scratch_, ignored);
  }
  static int run(const std::string& arguments) {
    int status = std::system((std::string(kGenerator) + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // Every file below `root` by its relative name, with its bytes.
  static std::map<std::string, std::vector<uint8_t>> tree(const std::string& root) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
      if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = readWholeFile(entry.path().string());
    return files;
  }
  std::string scratch_;
};
}  // namespace

TEST_F(Generator, TwoRunsWriteIdenticalTrees) {
  for (std::string folder : {scratch_ + "/first", scratch_ + "/second"})
    ASSERT_EQ(run(folder + " " + folder + "/generated"), 0) << folder;
  auto a = tree(scratch_ + "/first"), b = tree(scratch_ + "/second");
  EXPECT_EQ(a.size(), 31u + 1 + 5 + 1 + 2) << "textures, level, sounds, movie, title and icon";
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a) EXPECT_TRUE(b.count(name) && bytes == b.at(name)) << name << " differs between runs";
}

TEST_F(Generator, RefusesBadUseWithAnErrorStatus) {
  EXPECT_EQ(run(""), 2) << "no folders given";
  EXPECT_EQ(run("one two three"), 2);
  // A folder that cannot be made, because a file stands in its place.
  std::string blocker = scratch_ + "/file";
  std::FILE* f = std::fopen(blocker.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(run(blocker + " " + scratch_ + "/generated"), 1);
}
