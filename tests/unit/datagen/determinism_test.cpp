// Running the generator itself: the same bytes on every run, and clear
// failures for bad use.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "tests/unit/datagen/data_readers.h"

namespace fs = std::filesystem;

namespace {
// Tests run in the build folder, where the generator is built.
const char kGenerator[] = "tools/datagen/datagen";

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "datagen-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : "";
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

int run(const std::string& arguments) {
  int status = std::system((std::string(kGenerator) + " " + arguments + " 2>/dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every file below `root` by its relative name, with its bytes.
std::map<std::string, std::vector<uint8_t>> tree(const std::string& root) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = readWholeFile(entry.path().string());
  return files;
}
}  // namespace

TEST(Generator, TwoRunsWriteIdenticalTrees) {
  ASSERT_TRUE(fs::exists(kGenerator)) << "run the tests from the build folder";
  ScratchFolder first, second;
  ASSERT_FALSE(first.path().empty());
  ASSERT_FALSE(second.path().empty());
  ASSERT_EQ(run(first.path() + " " + first.path() + "/generated"), 0);
  ASSERT_EQ(run(second.path() + " " + second.path() + "/generated"), 0);
  auto a = tree(first.path()), b = tree(second.path());
  EXPECT_EQ(a.size(), 31u + 1 + 5 + 1 + 2) << "textures, level, sounds, movie, title and icon";
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a) {
    ASSERT_EQ(b.count(name), 1u) << name;
    EXPECT_TRUE(bytes == b.at(name)) << name << " differs between runs";
  }
}

TEST(Generator, RefusesBadUseWithAnErrorStatus) {
  ASSERT_TRUE(fs::exists(kGenerator));
  EXPECT_EQ(run(""), 2) << "no folders given";
  EXPECT_EQ(run("one two three"), 2);
  // A folder that cannot be made, because a file stands in its place.
  ScratchFolder scratch;
  std::string blocker = scratch.path() + "/file";
  { std::FILE* f = std::fopen(blocker.c_str(), "w"); ASSERT_NE(f, nullptr); std::fclose(f); }
  EXPECT_EQ(run(blocker + " " + scratch.path() + "/generated"), 1);
}
