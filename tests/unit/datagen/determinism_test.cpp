// Running the generator itself: the same bytes on every run, and an error
// status for bad use.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "tests/unit/datagen/data_readers.h"

namespace fs = std::filesystem;

namespace {
class Generator : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "datagen-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    scratch_ = pattern;
  }
  void TearDown() override { std::error_code ignored; fs::remove_all(scratch_, ignored); }
  // The generator's exit status; tests run in the build folder, where it is built.
  static int run(const std::string& arguments) {
    int status = std::system(("tools/datagen/datagen " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // Every file below `root` by its relative name, with its bytes.
  static std::map<std::string, std::vector<uint8_t>> tree(const std::string& root) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
      if (entry.is_regular_file())
        files[fs::relative(entry.path(), root).string()] = readWholeFile(entry.path().string());
    return files;
  }
  std::string scratch_;
};
}  // namespace

TEST_F(Generator, TwoRunsWriteIdenticalTrees) {
  for (std::string folder : {scratch_ + "/first", scratch_ + "/second"})
    ASSERT_EQ(run(folder + " " + folder + "/generated"), 0) << "run from the build folder";
  auto a = tree(scratch_ + "/first"), b = tree(scratch_ + "/second");
  EXPECT_EQ(a.size(), 31u + 1 + 5 + 1 + 3) << "textures, level, sounds, movie, title, icon and its PNG";
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a)
    EXPECT_TRUE(b.count(name) && bytes == b.at(name)) << name << " differs between runs";
}

TEST_F(Generator, RefusesBadUseWithAnErrorStatus) {
  EXPECT_EQ(run(""), 2) << "no folders given";
  EXPECT_EQ(run("one two three"), 2);
  // A folder that cannot be made, because a file stands in its place.
  ASSERT_TRUE(std::ofstream(scratch_ + "/file").good());
  EXPECT_EQ(run(scratch_ + "/file " + scratch_ + "/generated"), 1);
}
