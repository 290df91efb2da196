#include "tests/support/scratch_folder.h"

#include <chrono>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

// Test programs run side by side, so the name carries a clock reading.
ScratchFolder::ScratchFolder() : previous_(fs::current_path()) {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  root_ = fs::temp_directory_path() / ("brakmoor_scratch_" + std::to_string(stamp));
  fs::create_directories(root_);
  fs::current_path(root_);
}

ScratchFolder::~ScratchFolder() {
  fs::current_path(previous_);
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<std::uint8_t> readFile(const std::string& path, std::size_t limit) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes;
  for (std::istreambuf_iterator<char> at(in), end; at != end && bytes.size() < limit; ++at) bytes.push_back(*at);
  return bytes;
}
