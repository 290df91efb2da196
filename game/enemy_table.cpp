#include "game/enemy_table.h"

EnemyTable enemyTable;
