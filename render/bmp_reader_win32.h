#pragma once
// The game's BMP reader (a DibReader, render/dib_reader.h): GDI converts
// every depth and compression it knows.

#include "render/bitmap_image.h"

BitmapImage* readDibFileWithGdi(const char* fileName);
