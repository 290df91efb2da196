#!/bin/sh
# Starts Brakmoor from its folder: the game reads data/ relative to the
# working folder. A demo file named relative to where the player stands
# (--record, --play, --timedemo FILE) is named from there first.
if [ $# -eq 2 ] && [ "${2#/}" = "$2" ]; then set -- "$1" "$PWD/$2"; fi
cd /usr/lib/brakmoor && exec ./brakmoor "$@"
