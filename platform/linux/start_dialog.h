#pragma once
// The start dialog of the Linux program (GTK 3): the player's display mode.

#include "platform/platform.h"

// Shows the dialog and waits; writes the choice into `settings`. False when
// the player cancelled.
bool chooseWindowSettingsGtk(WindowSettings& settings);
