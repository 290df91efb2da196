#include "render/dib_messages.h"

#include <string>

#include "shell/os_services.h"

namespace dib {

void reportFailure(const char* text) {
  OsServices& services = osServices();
  services.messageBox(services.focusWindow(), text, "Error", os::boxOk);
}

void reportOpenFailure(const char* fileName) {
  std::string text = "Failed to open DIB file ";
  text += fileName;
  text += ".\n";
  reportFailure(text.c_str());
}

void reportHeaderFailure(HeaderStatus status) {
  // Pixel data cut short cannot be converted; everything else is a header
  // this reader does not know.
  reportFailure(status == HeaderStatus::missingPixels ? messageConversionError
                                                      : messageUnknownFormat);
}
}  // namespace dib
