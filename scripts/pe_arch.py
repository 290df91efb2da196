"""Tells whether a Windows program is 64-bit ("win64") or 32-bit ("win32"),
from the magic of its optional header (0x20b for PE32+). Used by
scripts/wine-run to pick the Wine prefix and by the e2e tests to stop the
right Wine server. Prints nothing for a file that is not a program."""
import struct
import sys


def pe_arch(path):
    try:
        with open(path, "rb") as program:
            data = program.read(4096)
        offset = struct.unpack_from("<I", data, 0x3C)[0]
        magic = struct.unpack_from("<H", data, offset + 24)[0]
    except (OSError, struct.error):
        return ""
    return "win64" if magic == 0x20B else "win32"


if __name__ == "__main__":
    print(pe_arch(sys.argv[1]))
