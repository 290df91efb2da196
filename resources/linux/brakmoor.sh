#!/bin/sh
# Starts Brakmoor from its folder: the game reads data/ relative to the
# working folder.
cd /usr/lib/brakmoor && exec ./brakmoor "$@"
