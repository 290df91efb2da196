#pragma once
// A BMP reader without the operating system's help, for platforms that have
// no picture library of their own (Linux) and for the native test programs.
// It converts what the game's data uses (uncompressed 1-, 4- and 8-bit
// palette images and 24-bit images) through the header parser and the row
// copy the Windows reader uses, and reports failures through the platform
// seam with the same messages; anything else counts as a conversion error.

#include "platform/bitmap_image.h"

// Reads `fileName` as it is named (no case lookup); null on any failure,
// which has then been reported. A file that cannot be opened is reported
// under `askedName` when given: the name the game asked for, before a
// platform's case lookup, as the Windows program reports it.
BitmapImage* readDibFile(const char* fileName, const char* askedName = nullptr);
