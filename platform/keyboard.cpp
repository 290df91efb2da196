#include "platform/keyboard.h"

unsigned char keyboardState[keyboardStateSize];
