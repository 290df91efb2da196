#pragma once
// Load-time checks of the model files. Drawing and animation read records
// straight from the loaded buffers without bounds tests, so every offset,
// count and index they will follow is checked here once; files that pass can
// never make them read or write outside their buffers or the fixed work
// storage.

#include <cstddef>
#include <cstdint>
#include <string>

class ModelInstance;

// Which file a problem was found in: the main file, the texture file or
// sequence group file `group`.
struct ModelCheckResult {
  enum class File { main, texture, group };
  std::string reason;  // empty when the files are sound
  File file = File::main;
  int group = 0;
  bool ok() const { return reason.empty(); }
};

// The texture records of one file: the table and the record sizes, and with
// `withImages` the images too (before upload; afterwards the image offsets
// hold texture names).
std::string checkTextureTable(const std::uint8_t* file, std::size_t size, bool withImages);
// Everything animation and drawing read from the instance's files.
ModelCheckResult checkModel(const ModelInstance& instance);
