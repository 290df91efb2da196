#pragma once
// The game's 32 textures, in the order of its texture table, and the
// painter behind each file. Index 9 names the same file as index 1.
#include <optional>
#include <string>

#include "tools/datagen/image.h"

#include "render/texture_files.h"

// File name of table index `index` inside the "BMP" folder of the data tree.
const char* bmpFileName(int index);

// The picture of one file of the table; nothing for a name not in it (or
// when a font it needs cannot be read).
std::optional<Image> paintTexture(const std::string& fileName);

// Writes every file of the table once into `bmpFolder`.
bool writeTextures(const std::string& bmpFolder);
