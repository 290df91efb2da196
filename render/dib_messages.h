#pragma once
// The BMP reader's failure reports: one message box per failure, owned by the
// window that has the keyboard focus, titled "Error", plain OK button.

#include "render/dib_header.h"

namespace dib {
constexpr const char* messageUnknownFormat = "Unknown DIB file format.";
constexpr const char* messageConversionError = "Image file conversion error.";
constexpr const char* messageOutOfMemory = "Out of memory.";

void reportFailure(const char* text);
// "Failed to open DIB file <name>.\n"
void reportOpenFailure(const char* fileName);
// The message for a header the parser refused.
void reportHeaderFailure(HeaderStatus status);
}  // namespace dib
