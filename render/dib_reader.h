#pragma once
// Where BMP files become pictures. Converting pixels of every depth and
// compression is the platform's work (GDI in the game), so the reader is
// installed like the OS services: the program entry installs the Win32 one
// (render/bmp_reader_win32.h), tests install their own.

#include "render/bitmap_image.h"

// Reads one BMP file. Null on any failure, which the reader reports itself
// (render/dib_messages.h).
using DibReader = BitmapImage*(const char* fileName);

// Installs `reader` and returns the previous one (so tests can restore it).
DibReader* installDibReader(DibReader* reader);

// Reads a BMP file of any depth and compression the platform converts, with
// the installed reader. Null on any failure, reported in a message box
// titled "Error".
BitmapImage* readDibFile(const char* fileName);
