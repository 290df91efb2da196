// Feeds arbitrary bytes to the demo reader twice: as they are, and with the
// body length and the closing checksum made to fit them, so the entries
// themselves are read. Neither may read outside the input or crash.

#include <cstddef>

#include "shell/demo_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  Demo demo;
  std::string reason;
  decodeDemo(bytes, demo, reason);
  constexpr std::size_t header = 40;
  if (bytes.size() < header) return 0;
  bytes.resize(bytes.size() + 4);
  const std::uint32_t body = static_cast<std::uint32_t>(size - header);
  for (int i = 0; i < 4; ++i) bytes[36 + i] = static_cast<std::uint8_t>(body >> (8 * i));
  const std::uint32_t sum = fnv1a(bytes.data(), size);
  for (int i = 0; i < 4; ++i) bytes[size + i] = static_cast<std::uint8_t>(sum >> (8 * i));
  if (decodeDemo(bytes, demo, reason)) {
    // What the reader accepts the writer writes in one way, which reads
    // back to the same demo.
    const std::vector<std::uint8_t> written = encodeDemo(demo);
    Demo again;
    if (!decodeDemo(written, again, reason) || encodeDemo(again) != written) __builtin_trap();
  }
  return 0;
}
