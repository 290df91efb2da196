#pragma once
// Reading a level file into a LevelData record (world/level.h).

#include <cstdio>

#include "world/level.h"

// Reads the level file at `path` into `level`. False only when the file
// cannot be opened (then only the three list counts are reset). Fields no
// record sets keep what `level` held.
bool loadLevel(LevelData& level, const char* path);
// Reads an already opened level file; the same as loadLevel after opening.
void loadLevelFromFile(LevelData& level, std::FILE* file);
// Reads the next line that is neither a comment ("#...") nor blank into
// `line` (at least 255 bytes), in pieces of at most 254 characters, a CR
// before the LF dropped. False at the end of the file, including for a last
// line that has no line feed.
bool readLevelLine(std::FILE* file, char* line);
