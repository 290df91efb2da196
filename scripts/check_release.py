"""Checks that the release archive holds the files a player needs.

usage: check_release.py ARCHIVE.zip
"""
import sys
import zipfile

NEEDED = ["Brakmoor.exe", "coldet.dll", "README.txt", "data/LEVEL/level1.dat",
          "data/BMP/font512.bmp", "data/avi/intro.avi", "data/wav/m16.wav",
          "data/MODELS/gign.mdl"]


def main(archive):
    names = set(zipfile.ZipFile(archive).namelist())
    missing = [name for name in NEEDED if name not in names]
    if missing:
        sys.exit("release archive lacks: %s" % ", ".join(missing))
    print("release archive ok: %s (%d files)" % (archive, len(names)))


if __name__ == "__main__":
    main(sys.argv[1])
