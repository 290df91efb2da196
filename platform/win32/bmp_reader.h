#pragma once
// The Windows platform's BMP reader: GDI converts every depth and
// compression it knows.

#include "render/bitmap_image.h"

BitmapImage* readDibFileWithGdi(const char* fileName);
