#pragma once
// The BMP reader's failure reports: one message box per failure, owned by the
// window that has the keyboard focus, titled "Error", plain OK button.

#include "render/bitmap_image.h"
#include "render/dib_header.h"

namespace dib {
constexpr const char* messageUnknownFormat = "Unknown DIB file format.";
constexpr const char* messageConversionError = "Image file conversion error.";
constexpr const char* messageOutOfMemory = "Out of memory.";

void reportFailure(const char* text);
// "Failed to open DIB file <name>.\n"
void reportOpenFailure(const char* fileName);
// parseHeader, reporting a refused header; false then.
bool parseHeaderOrReport(const std::uint8_t* file, std::size_t size, Layout* layout);
// imageFromBgrSection, reporting a failed allocation; null then.
BitmapImage* imageOrReport(const std::uint8_t* section, std::int32_t width, std::int32_t height);
}  // namespace dib
