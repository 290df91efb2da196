#include "render/dib_messages.h"

#include <string>

#include "render/dib_section_copy.h"
#include "platform/platform.h"

namespace dib {

void reportFailure(const char* text) {
  osServices().messageBox(text, "Error", {os::Buttons::ok, os::Icon::none, os::Owner::focusedWindow});
}

void reportOpenFailure(const char* fileName) {
  std::string text = "Failed to open DIB file ";
  text += fileName != nullptr ? fileName : "";
  text += ".\n";
  reportFailure(text.c_str());
}

bool parseHeaderOrReport(const std::uint8_t* file, std::size_t size, Layout* layout) {
  HeaderStatus status = parseHeader(file, size, layout);
  if (status == HeaderStatus::ok) return true;
  // Only a header of another size is one this reader does not know; what a
  // header of a known size describes but cannot be converted is a conversion
  // error.
  reportFailure(status == HeaderStatus::unknownFormat ? messageUnknownFormat : messageConversionError);
  return false;
}

BitmapImage* imageOrReport(const std::uint8_t* section, std::int32_t width, std::int32_t height) {
  BitmapImage* image = imageFromBgrSection(section, width, height);
  if (image == nullptr) reportFailure(messageOutOfMemory);
  return image;
}
}  // namespace dib
