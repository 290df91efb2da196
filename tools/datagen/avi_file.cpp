#include "tools/datagen/avi_file.h"

#include "tools/datagen/bitmap_file.h"
#include "tools/datagen/byte_writer.h"

namespace {
constexpr uint32_t kHasIndex = 0x10;  // AVIF_HASINDEX
constexpr uint32_t kKeyFrame = 0x10;  // AVIIF_KEYFRAME

// A LIST or RIFF header whose size is filled in by `close`.
size_t openList(ByteWriter& out, const char* kind, const char* name) {
  out.fourcc(kind);
  size_t sizeOffset = out.size();
  out.u32(0);
  out.fourcc(name);
  return sizeOffset;
}

void closeList(ByteWriter& out, size_t sizeOffset) {
  out.setU32(sizeOffset, static_cast<uint32_t>(out.size() - sizeOffset - 4));
}
}  // namespace

AviWriter::AviWriter(int width, int height, int microsecondsPerFrame)
    : width_(width), height_(height), microsecondsPerFrame_(microsecondsPerFrame) {}

void AviWriter::addFrame(const Image& frame) {
  ByteWriter pixels;
  writeDibPixels24(pixels, frame);
  frames_.push_back(pixels.bytes());
}

std::vector<uint8_t> AviWriter::finish() const {
  uint32_t frameBytes = static_cast<uint32_t>(dibRowBytes24(width_) * height_);
  uint32_t frameCount = static_cast<uint32_t>(frames_.size());
  ByteWriter out;
  size_t riff = openList(out, "RIFF", "AVI ");

  size_t header = openList(out, "LIST", "hdrl");
  out.fourcc("avih");
  out.u32(56);
  out.u32(static_cast<uint32_t>(microsecondsPerFrame_));
  out.u32(static_cast<uint32_t>(uint64_t{frameBytes} * 1000000 / microsecondsPerFrame_));
  out.u32(0);  // padding granularity
  out.u32(kHasIndex);
  out.u32(frameCount);
  out.u32(0);  // initial frames
  out.u32(1);  // streams
  out.u32(frameBytes);
  out.u32(static_cast<uint32_t>(width_));
  out.u32(static_cast<uint32_t>(height_));
  out.zeros(16);

  size_t streamList = openList(out, "LIST", "strl");
  out.fourcc("strh");
  out.u32(56);
  out.fourcc("vids");
  out.fourcc("DIB ");
  out.u32(0);  // flags
  out.u16(0);  // priority
  out.u16(0);  // language
  out.u32(0);  // initial frames
  out.u32(static_cast<uint32_t>(microsecondsPerFrame_));  // scale / rate = seconds per frame
  out.u32(1000000);
  out.u32(0);  // start
  out.u32(frameCount);
  out.u32(frameBytes);
  out.u32(0xFFFFFFFFu);  // default quality
  out.u32(0);            // sample size: varies per chunk
  out.u16(0);
  out.u16(0);
  out.u16(static_cast<uint16_t>(width_));
  out.u16(static_cast<uint16_t>(height_));
  out.fourcc("strf");
  out.u32(40);
  writeInfoHeader24(out, width_, height_, frameBytes);
  closeList(out, streamList);
  closeList(out, header);

  size_t movie = openList(out, "LIST", "movi");
  size_t movieStart = movie + 4;  // index offsets count from the "movi" id
  std::vector<uint32_t> offsets;
  for (const std::vector<uint8_t>& frame : frames_) {
    offsets.push_back(static_cast<uint32_t>(out.size() - movieStart));
    out.fourcc("00db");
    out.u32(frameBytes);
    out.append(frame.data(), frame.size());
  }
  closeList(out, movie);

  out.fourcc("idx1");
  out.u32(frameCount * 16);
  for (uint32_t offset : offsets) {
    out.fourcc("00db");
    out.u32(kKeyFrame);
    out.u32(offset);
    out.u32(frameBytes);
  }
  closeList(out, riff);
  return out.bytes();
}
