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

// The generated data tree as the working folder while the object lives, for
// tests that load the game's own files by the names the game uses.
class InDataFolder {
 public:
  InDataFolder() : previous_(std::filesystem::current_path()) { std::filesystem::current_path(BRAKMOOR_DATA_DIR); }
  ~InDataFolder() { std::filesystem::current_path(previous_); }
  InDataFolder(const InDataFolder&) = delete;
  InDataFolder& operator=(const InDataFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

// Files as bytes (at most the first `limit` of them when reading); reading a
// file that cannot be opened gives none.
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> readFile(const std::string& path, std::size_t limit = SIZE_MAX);
