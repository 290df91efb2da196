#pragma once
// 24-bit uncompressed Windows bitmaps (and the DIB pixel layout they share
// with AVI frames and icons): rows bottom-up, blue-green-red, each row padded
// to a multiple of four bytes.
#include <cstdint>
#include <vector>

#include "tools/datagen/image.h"

class ByteWriter;

// The 40-byte BITMAPINFOHEADER of a 24-bit picture; `heightField` is the
// value written as height (icons store twice the picture height, for their
// mask) and `imageBytes` the size of what follows.
void writeInfoHeader24(ByteWriter& out, int width, int heightField, uint32_t imageBytes);
// The pixel rows of `image` in DIB order.
void writeDibPixels24(ByteWriter& out, const Image& image);
int dibRowBytes24(int width);

// A whole .bmp file: file header, info header, pixels.
std::vector<uint8_t> encodeBmp24(const Image& image);
