#include "shell/demo_file.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr char magic[8] = {'B', 'R', 'A', 'K', 'D', 'E', 'M', 'O'};
// Magic, version, level checksum, seed, the four mode numbers, body length.
constexpr std::size_t headerSize = 8 + 4 * 8;
constexpr std::size_t trailerSize = 4;
// Far more than hours of play need; a larger file is refused before it is
// unpacked (each stored byte unpacks into tens).
constexpr std::size_t maxDemoBytes = 16u << 20;
constexpr std::size_t maxKeyboardStates = 1u << 18;

class Packer {
 public:
  std::vector<std::uint8_t> bytes;
  void u8(std::uint8_t v) { bytes.push_back(v); }
  void u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void varint(std::uint64_t v) {
    while (v >= 0x80) {
      bytes.push_back(static_cast<std::uint8_t>(v | 0x80));
      v >>= 7;
    }
    bytes.push_back(static_cast<std::uint8_t>(v));
  }
  void signedVarint(std::int64_t v) {
    varint((static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63));
  }
};

class Unpacker {
 public:
  Unpacker(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool atEnd() const { return pos_ == size_; }
  bool u8(std::uint8_t& v) {
    if (pos_ >= size_) return false;
    v = data_[pos_++];
    return true;
  }
  bool u32(std::uint32_t& v) {
    if (size_ - pos_ < 4) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{data_[pos_++]} << (8 * i);
    return true;
  }
  bool varint(std::uint64_t& v) {
    v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      std::uint8_t byte;
      if (!u8(byte)) return false;
      v |= std::uint64_t{byte & 0x7fu} << shift;
      if ((byte & 0x80) == 0) return true;
    }
    return false;
  }
  bool signedVarint(std::int64_t& v) {
    std::uint64_t raw;
    if (!varint(raw)) return false;
    v = static_cast<std::int64_t>(raw >> 1) ^ -static_cast<std::int64_t>(raw & 1);
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

bool isClock(DemoAnswer kind) {
  return kind == DemoAnswer::tickCount || kind == DemoAnswer::multimediaTime ||
         kind == DemoAnswer::performanceCounter;
}

// The largest value each one-byte answer may hold.
std::int64_t largestSmallAnswer(DemoAnswer kind) {
  switch (kind) {
    case DemoAnswer::gameEvent: return static_cast<std::int64_t>(os::WindowEvent::quit);
    case DemoAnswer::messageBox: return static_cast<std::int64_t>(os::Answer::no);
    default: return 1;
  }
}

void packBody(const Demo& demo, Packer& out) {
  std::int64_t lastClock[demoAnswerKinds + 1] = {};
  KeyboardState lastKeys{};
  GameChecksum lastFrame;
  for (const DemoEntry& entry : demo.entries) {
    out.u8(static_cast<std::uint8_t>(entry.kind));
    const int kind = static_cast<int>(entry.kind);
    switch (entry.kind) {
      case DemoAnswer::tickCount:
      case DemoAnswer::multimediaTime:
      case DemoAnswer::performanceCounter:
        out.signedVarint(wrappingDifference(entry.value, lastClock[kind]));
        out.varint(entry.repeats);
        if (entry.repeats > 1) out.signedVarint(entry.stride);
        lastClock[kind] = entry.value;
        break;
      case DemoAnswer::performanceFrequency:
        out.signedVarint(entry.value);
        break;
      case DemoAnswer::cursor:
        out.signedVarint(entry.value);
        out.signedVarint(entry.second);
        break;
      case DemoAnswer::keyboard: {
        const KeyboardState& keys = demo.keyboards[static_cast<std::size_t>(entry.value)];
        std::uint64_t changed = 0;
        for (int i = 0; i < keyboardStateSize; ++i) changed += keys[i] != lastKeys[i];
        out.varint(changed);
        for (int i = 0; i < keyboardStateSize; ++i) {
          if (keys[i] == lastKeys[i]) continue;
          out.u8(static_cast<std::uint8_t>(i));
          out.u8(keys[i]);
        }
        lastKeys = keys;
        break;
      }
      case DemoAnswer::frameEnd: {
        // Only the parts that changed since the frame before: most frames
        // change the player and the enemies and nothing else.
        const GameChecksum& sum = demo.frames[static_cast<std::size_t>(entry.value)];
        std::uint8_t changed = 0;
        for (int i = 0; i < checksumPartCount; ++i) {
          if (sum.part[i] != lastFrame.part[i]) changed |= static_cast<std::uint8_t>(1u << i);
        }
        out.u8(changed);
        for (int i = 0; i < checksumPartCount; ++i) {
          if ((changed >> i) & 1) out.u32(sum.part[i]);
        }
        lastFrame = sum;
        break;
      }
      default:
        out.u8(static_cast<std::uint8_t>(entry.value));
        break;
    }
  }
}

bool unpackBody(Unpacker& in, Demo& demo) {
  std::int64_t lastClock[demoAnswerKinds + 1] = {};
  KeyboardState keys{};
  GameChecksum sum;
  while (!in.atEnd()) {
    std::uint8_t tag;
    if (!in.u8(tag) || tag < 1 || tag > demoAnswerKinds) return false;
    DemoEntry entry;
    entry.kind = static_cast<DemoAnswer>(tag);
    bool ok = true;
    if (isClock(entry.kind)) {
      std::int64_t delta;
      std::uint64_t repeats;
      ok = in.signedVarint(delta) && in.varint(repeats) && repeats >= 1 && repeats <= UINT32_MAX &&
           (repeats == 1 || in.signedVarint(entry.stride));
      if (ok) {
        entry.value = wrappingSum(lastClock[tag], delta);
        entry.repeats = static_cast<std::uint32_t>(repeats);
        lastClock[tag] = entry.value;
      }
    } else if (entry.kind == DemoAnswer::performanceFrequency) {
      ok = in.signedVarint(entry.value);
    } else if (entry.kind == DemoAnswer::cursor) {
      ok = in.signedVarint(entry.value) && in.signedVarint(entry.second);
    } else if (entry.kind == DemoAnswer::keyboard) {
      std::uint64_t changed;
      ok = in.varint(changed) && changed <= keyboardStateSize;
      for (std::uint64_t i = 0; ok && i < changed; ++i) {
        std::uint8_t index, value;
        ok = in.u8(index) && in.u8(value);
        if (ok) keys[index] = value;
      }
      // Readings without a change share one stored state.
      if (changed != 0 || demo.keyboards.empty()) {
        if (demo.keyboards.size() >= maxKeyboardStates) return false;
        demo.keyboards.push_back(keys);
      }
      entry.value = static_cast<std::int64_t>(demo.keyboards.size() - 1);
    } else if (entry.kind == DemoAnswer::frameEnd) {
      std::uint8_t changed = 0;
      ok = in.u8(changed);
      for (int i = 0; ok && i < checksumPartCount; ++i) {
        if ((changed >> i) & 1) ok = in.u32(sum.part[i]);
      }
      entry.value = static_cast<std::int64_t>(demo.frames.size());
      demo.frames.push_back(sum);
    } else {
      std::uint8_t small;
      ok = in.u8(small) && small <= largestSmallAnswer(entry.kind);
      entry.value = small;
    }
    if (!ok) return false;
    demo.entries.push_back(entry);
  }
  return true;
}

std::uint32_t readU32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}

}  // namespace

const char* demoAnswerName(DemoAnswer kind) {
  static const char* const names[] = {"?", "the tick count", "the multimedia time",
                                      "the counter frequency", "the performance counter",
                                      "the cursor", "a window event", "the window state",
                                      "the game window", "the keyboard device", "the keyboard",
                                      "a message box answer", "the end of a frame"};
  const int index = static_cast<int>(kind);
  return index >= 1 && index <= demoAnswerKinds ? names[index] : names[0];
}

std::vector<std::uint8_t> encodeDemo(const Demo& demo) {
  Packer body;
  packBody(demo, body);
  Packer out;
  out.bytes.assign(magic, magic + sizeof magic);
  const DemoHeader& h = demo.header;
  out.u32(h.version);
  out.u32(h.levelChecksum);
  out.u32(h.seed);
  for (std::int32_t v : {h.mode.width, h.mode.height, h.mode.bitsPerPixel, h.mode.fullScreen}) {
    out.u32(static_cast<std::uint32_t>(v));
  }
  out.u32(static_cast<std::uint32_t>(body.bytes.size()));
  out.bytes.insert(out.bytes.end(), body.bytes.begin(), body.bytes.end());
  out.u32(fnv1a(out.bytes.data(), out.bytes.size()));
  return out.bytes;
}

bool decodeDemo(const std::vector<std::uint8_t>& bytes, Demo& demo, std::string& reason) {
  demo = Demo{};
  if (bytes.size() < sizeof magic || std::memcmp(bytes.data(), magic, sizeof magic) != 0) {
    reason = "is not a Brakmoor demo";
    return false;
  }
  if (bytes.size() < headerSize) {
    reason = "is truncated (its header is cut short)";
    return false;
  }
  if (bytes.size() > maxDemoBytes) {
    reason = "is too large for a demo (over 16 MB)";
    return false;
  }
  const std::uint8_t* h = bytes.data() + sizeof magic;
  DemoHeader& header = demo.header;
  header.version = readU32(h);
  if (header.version != demoVersion) {
    reason = "was recorded by demo version " + std::to_string(header.version) +
             "; this program plays version " + std::to_string(demoVersion);
    return false;
  }
  header.levelChecksum = readU32(h + 4);
  header.seed = readU32(h + 8);
  header.mode.width = static_cast<std::int32_t>(readU32(h + 12));
  header.mode.height = static_cast<std::int32_t>(readU32(h + 16));
  header.mode.bitsPerPixel = static_cast<std::int32_t>(readU32(h + 20));
  header.mode.fullScreen = static_cast<std::int32_t>(readU32(h + 24));
  const std::uint64_t bodySize = readU32(h + 28);
  const std::uint64_t wanted = headerSize + bodySize + trailerSize;
  if (bytes.size() < wanted) {
    reason = "is truncated (" + std::to_string(bytes.size()) + " of " + std::to_string(wanted) +
             " bytes)";
    return false;
  }
  if (bytes.size() > wanted ||
      readU32(bytes.data() + headerSize + bodySize) != fnv1a(bytes.data(), headerSize + bodySize)) {
    reason = "is damaged (its checksum does not match)";
    return false;
  }
  const WindowSettings& mode = header.mode;
  Unpacker body(bytes.data() + headerSize, static_cast<std::size_t>(bodySize));
  bool unpacked = false;
  try {
    unpacked = mode.width >= 1 && mode.width <= 16384 && mode.height >= 1 && mode.height <= 16384 &&
               unpackBody(body, demo);
  } catch (const std::bad_alloc&) {
    unpacked = false;
  }
  if (!unpacked) {
    demo = Demo{};
    reason = "is damaged (its contents cannot be read)";
    return false;
  }
  return true;
}

bool saveDemo(const std::string& fileName, const Demo& demo, std::string& message) {
  const std::vector<std::uint8_t> bytes = encodeDemo(demo);
  std::FILE* file = std::fopen(fileName.c_str(), "wb");
  bool ok = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file != nullptr) ok = std::fclose(file) == 0 && ok;
  if (!ok) message = "The demo " + fileName + " could not be written.";
  return ok;
}

namespace {
bool readWholeFile(const std::string& fileName, std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (file == nullptr) return false;
  std::uint8_t chunk[65536];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}
}  // namespace

bool loadDemo(const std::string& fileName, Demo& demo, std::string& message) {
  std::vector<std::uint8_t> bytes;
  if (!readWholeFile(fileName, bytes)) {
    message = "The demo " + fileName + " cannot be read.";
    return false;
  }
  std::string reason;
  if (!decodeDemo(bytes, demo, reason)) {
    message = "The demo " + fileName + " " + reason + ".";
    return false;
  }
  return true;
}

bool fileChecksum(const std::string& fileName, std::uint32_t& checksum) {
  std::vector<std::uint8_t> bytes;
  if (!readWholeFile(fileName, bytes)) return false;
  checksum = fnv1a(bytes.data(), bytes.size());
  return true;
}
