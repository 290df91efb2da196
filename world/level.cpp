#include "world/level.h"

LevelData levelData;
