// Running the generator itself: the same bytes on every run, and an error
// status for bad use.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "tests/support/scratch_folder.h"
#include "tests/unit/datagen/data_readers.h"

namespace fs = std::filesystem;

namespace {
// The generator's exit status; tests start in the build folder, where it is built.
const fs::path generator = fs::current_path() / "tools/datagen/datagen";
int run(const std::string& arguments) {
  const int status = std::system((generator.string() + " " + arguments + " 2>/dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::map<std::string, std::vector<uint8_t>> tree(const fs::path& root) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = readWholeFile(entry.path().string());
  return files;
}
}  // namespace

TEST(Generator, TwoRunsWriteIdenticalTreesAndBadUseGivesAnErrorStatus) {
  ScratchFolder scratch;
  for (std::string folder : {"first", "second"}) ASSERT_EQ(run(folder + " " + folder + "/generated"), 0);
  const auto first = tree("first");
  EXPECT_EQ(first.size(), 31u + 1 + 5 + 1 + 3) << "textures, level, sounds, movie, title, icon and its PNG";
  EXPECT_TRUE(first == tree("second"));
  EXPECT_EQ(run(""), 2) << "no folders given";
  EXPECT_EQ(run("one two three"), 2);
  ASSERT_TRUE(std::ofstream("file").good());  // a file stands where a folder must be made
  EXPECT_EQ(run("file generated"), 1);
}
