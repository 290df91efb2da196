#pragma once
// A fresh folder that is the working folder while the object lives, the way
// the game runs inside its own folder; removed with everything in it after.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return root_; }

 private:
  std::filesystem::path previous_, root_;
};

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
