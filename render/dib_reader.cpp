#include "render/dib_reader.h"

#include "platform/installed.h"

namespace {
Installed<DibReader> installed("BMP reader");
}

DibReader* installDibReader(DibReader* reader) { return installed.install(reader); }

BitmapImage* readDibFile(const char* fileName) { return installed.get()(fileName); }
