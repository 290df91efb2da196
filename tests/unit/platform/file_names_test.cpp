// The Linux program's lookup of the game's mixed-case file names, on a
// scratch folder.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "platform/linux/file_names.h"

namespace {

class FileNameLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = ::testing::TempDir() + "names_" + std::to_string(getpid());
    for (const char* folder : {"", "/data", "/data/BMP", "/data/wav"})
      ::mkdir((root_ + folder).c_str(), 0755);
    for (const char* file : {"/data/BMP/Brick.bmp", "/data/wav/m16.wav"})
      std::fclose(std::fopen((root_ + file).c_str(), "w"));
  }
  void TearDown() override {
    for (const char* path : {"/data/BMP/Brick.bmp", "/data/wav/m16.wav", "/data/BMP",
                             "/data/wav", "/data", ""})
      std::remove((root_ + path).c_str());
  }
  std::string lookUp(const std::string& relative) {
    return findFileIgnoringCase((root_ + relative).c_str());
  }
  std::string root_;
};

TEST_F(FileNameLookup, FindsTheFileWhateverTheCaseOfEachComponent) {
  EXPECT_EQ(lookUp("/data/BMP/Brick.bmp"), root_ + "/data/BMP/Brick.bmp");
  EXPECT_EQ(lookUp("/Data/BMP/Brick.bmp"), root_ + "/data/BMP/Brick.bmp");
  EXPECT_EQ(lookUp("/DATA/bmp/BRICK.BMP"), root_ + "/data/BMP/Brick.bmp");
  EXPECT_EQ(lookUp("/Data//WAV/M16.wav"), root_ + "/data/wav/m16.wav");
  EXPECT_EQ(lookUp("/Data/Bmp/"), root_ + "/data/BMP/");
}

TEST_F(FileNameLookup, GivesTheNameBackWhenNothingMatches) {
  EXPECT_EQ(lookUp("/Data/BMP/Stone.bmp"), root_ + "/Data/BMP/Stone.bmp");
  EXPECT_EQ(lookUp("/Data/MODELS/gign.mdl"), root_ + "/Data/MODELS/gign.mdl");
  EXPECT_EQ(findFileIgnoringCase(""), "");
}

TEST_F(FileNameLookup, WorksRelativeToTheWorkingFolder) {
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(root_.c_str()), 0);
  const std::string found = findFileIgnoringCase("Data/BMP/brick.BMP");
  ASSERT_EQ(chdir(previous), 0);
  EXPECT_EQ(found, "data/BMP/Brick.bmp");
}

}  // namespace
