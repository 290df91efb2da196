#pragma once
// Where BMP files become pictures. Converting pixels of every depth and
// compression is the platform's work (GDI in the game), so the reader is
// installed like the OS services: the program entry installs the Win32 one
// (render/bmp_reader_win32.h), tests install their own.

#include "render/bitmap_image.h"

class DibReader {
 public:
  virtual ~DibReader() = default;
  // Null on any failure, which the reader reports itself (render/dib_messages.h).
  virtual BitmapImage* read(const char* fileName) = 0;
};

// The installed reader. Never null once the program entry (or a test
// fixture) has installed one.
DibReader& dibReader();
// Installs `reader` and returns the previous one (so tests can restore it).
DibReader* installDibReader(DibReader* reader);
