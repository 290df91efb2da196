#pragma once
// The game's BMP reader: GDI converts every depth and compression it knows.

#include "render/dib_reader.h"

DibReader& gdiDibReader();
