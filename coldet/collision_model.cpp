// Placeholder until the collision library lands.
#include "coldet/coldet.h"
