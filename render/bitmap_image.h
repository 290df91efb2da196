#pragma once
// Reading and releasing the game's BMP pictures (the record is the
// platform's, platform/bitmap_image.h).

#include "platform/bitmap_image.h"

// Null for a null name or a file that cannot be opened for reading, without
// any message; otherwise whatever the platform's BMP reader gives.
BitmapImage* loadBitmapFile(const char* fileName);

// Releases the pixel block and then the record; null is allowed.
void freeBitmapImage(BitmapImage* image);
