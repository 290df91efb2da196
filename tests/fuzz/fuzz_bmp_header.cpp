// Feeds arbitrary bytes to the BMP header parser. Whatever it accepts must
// describe pixel data and a colour table that lie wholly inside the input,
// which is checked by touching their last bytes (AddressSanitizer reports a
// read past the input) and by comparing the sizes.

#include <cstdlib>

#include "render/dib_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dib::Layout layout;
  if (dib::parseHeader(data, size, &layout) != dib::HeaderStatus::ok) return 0;

  if (layout.pixelBytes == 0 || layout.pixelOffset > size || layout.pixelBytes > size - layout.pixelOffset)
    std::abort();
  if (layout.width <= 0 || layout.rows() <= 0) std::abort();
  volatile std::uint8_t sink = data[layout.pixelOffset] ^ data[layout.pixelOffset + layout.pixelBytes - 1];

  // The converter takes 2^depth palette entries whatever the file says.
  std::size_t entries = (layout.conversionHeader.size() - dib::infoHeaderSize) / 4;
  if (layout.bitCount <= 8 && entries < (std::size_t{1} << layout.bitCount)) std::abort();
  if (layout.compression == dib::compressionBitFields && entries < 3) std::abort();
  if (layout.compression == dib::compressionNone &&
      layout.pixelBytes != dib::rowStride(layout.width, layout.bitCount) * layout.rows())
    std::abort();
  sink = sink ^ layout.conversionHeader.back();
  (void)sink;
  return 0;
}
