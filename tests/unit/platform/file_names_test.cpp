// The Linux program's lookup of the game's mixed-case file names.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/linux/file_names.h"
#include "tests/support/scratch_folder.h"

TEST(FileNameLookup, FindsEachComponentWhateverItsCaseOrGivesTheNameBack) {
  ScratchFolder folder;
  for (const char* name : {"data/BMP", "data/wav"}) std::filesystem::create_directories(name);
  writeFile("data/BMP/Brick.bmp", {});
  writeFile("data/wav/m16.wav", {});
  const std::string root = folder.path().string();
  const std::pair<std::string, std::string> cases[] = {
      {"/data/BMP/Brick.bmp", "/data/BMP/Brick.bmp"}, {"/DATA/bmp/BRICK.BMP", "/data/BMP/Brick.bmp"},
      {"/Data//WAV/M16.wav", "/data/wav/m16.wav"},    {"/Data/Bmp/", "/data/BMP/"},
      {"/Data/BMP/Stone.bmp", "/Data/BMP/Stone.bmp"}, {"/Data/MODELS/gign.mdl", "/Data/MODELS/gign.mdl"}};
  for (const auto& [asked, found] : cases) EXPECT_EQ(findFileIgnoringCase((root + asked).c_str()), root + found);
  EXPECT_EQ(findFileIgnoringCase(""), "");
  EXPECT_EQ(findFileIgnoringCase("Data/BMP/brick.BMP"), "data/BMP/Brick.bmp");  // relative to the working folder
}
