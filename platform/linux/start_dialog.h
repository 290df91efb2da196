#pragma once
// The start dialog on Linux (GTK 3), in which the player chooses resolution
// and colour depth before anything is drawn.

#include "platform/platform.h"

// The title picture, read at run time relative to the working folder (the
// game folder, beside the data tree). Without it the dialog shows an empty
// frame of the picture's size.
constexpr const char* startDialogTitlePicture = "data/title.bmp";

// Shows the modal dialog and writes the choice into `settings`. False when
// the player cancelled (Beenden, Escape or closing the window): the program
// then ends. Without a display the choice is the dialog's defaults, as if
// the player had pressed Enter at once (1024 x 768, 32 bits, windowed).
// BRAKMOOR_DIALOG_CHOICE, when set, replaces the dialog: "cancel", or
// "WIDTHxHEIGHTxDEPTH" of one of the offered buttons (e.g. "640x480x16").
bool chooseWindowSettingsGtk(WindowSettings& settings);
