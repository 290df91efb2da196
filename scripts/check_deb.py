"""Checks the Linux release package and the program it installs: the files
and declared dependencies (dpkg-deb), the icon and desktop entry, then
installs it with apt-get (needs root), starts /usr/games/brakmoor once on
the X display in DISPLAY (intro, Escape to the game, Escape to the end,
exit code 0, no message box) and purges the package again, so the machine
is left as it was. Counts as one
test: with --junit, the result goes to a JUnit file for the summary.

usage: check_deb.py PACKAGE.deb --game-dir build/linux-game
                    --datagen build/tools/datagen/datagen [--junit FILE]
"""
import argparse
import io
import os
import re
import struct
import subprocess
import sys
import tarfile
import tempfile
import time
import xml.etree.ElementTree as ET
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_lib import E2EFailure, NativeGameRun, check, run, search_windows  # noqa: E402

LIB = "usr/lib/brakmoor"
ICON = "usr/share/icons/hicolor/64x64/apps/brakmoor.png"
DESKTOP = "usr/share/applications/brakmoor.desktop"
LAUNCHER = "usr/games/brakmoor"
NEEDED = [LIB + "/brakmoor", LIB + "/libcoldet.so", LAUNCHER, DESKTOP, ICON,
          "usr/share/doc/brakmoor/README", LIB + "/data/LEVEL/level1.dat",
          LIB + "/data/avi/intro.avi", LIB + "/data/title.bmp"]
# Each library the program links, as the package that brings it.
DEPENDS = {"SDL 2": r"libsdl2-2\.0-0", "SDL_mixer": r"libsdl2-mixer-2\.0-0",
           "GTK 3": r"libgtk-3-0", "libavformat": r"libavformat\d+",
           "libavcodec": r"libavcodec\d+", "libavutil": r"libavutil\d+",
           "libswscale": r"libswscale\d+", "OpenGL": r"libgl1|libopengl0",
           "GLU": r"libglu1-mesa"}
FIELDS = {"Package": "brakmoor", "Architecture": "amd64", "Section": "games"}


def package_files(deb):
    """{path: tar member} of the package's file tree, paths without './'."""
    data = subprocess.run(["dpkg-deb", "--fsys-tarfile", deb], check=True,
                          stdout=subprocess.PIPE).stdout
    with tarfile.open(fileobj=io.BytesIO(data)) as tar:
        members = {m.name[2:] if m.name.startswith("./") else m.name: m for m in tar}
        contents = {name: tar.extractfile(m).read() for name, m in members.items()
                    if name in (ICON, DESKTOP, LAUNCHER)}
    return members, contents


def check_files(members, game_dir, datagen):
    missing = [name for name in NEEDED if name not in members]
    check(not missing, "the package holds program, library, launcher, desktop entry, "
          "icon and README (missing: %s)" % missing)
    # Every file of the game folder's data tree, as the build made it.
    data_dir = os.path.join(game_dir, "data")
    expected = {os.path.relpath(os.path.join(root, name), game_dir)
                for root, _, names in os.walk(data_dir) for name in names}
    absent = sorted(name for name in expected if LIB + "/" + name not in members)
    check(len(expected) > 40 and not absent,
          "all %d data files of %s are packed (absent: %s)" % (len(expected), data_dir, absent[:5]))
    # The game's own texture table (32 entries, one file used twice).
    table = [line.split(" ", 1)[1] for line in run([datagen, "--list-textures"]).splitlines()]
    unpacked = [name for name in table if LIB + "/data/" + name not in members]
    check(len(table) == 32 and not unpacked,
          "the %d textures of the game's table are packed (absent: %s)" % (len(table), unpacked))
    models = [n for n in members if re.fullmatch(LIB + r"/data/MODELS/[^/]+\.mdl", n)]
    sounds = [n for n in members if re.fullmatch(LIB + r"/data/wav/[^/]+\.wav", n)]
    check(len(models) == 3 and len(sounds) == 5,
          "the figure's 3 models and 5 sounds (%d, %d)" % (len(models), len(sounds)))
    links = [n for n, m in members.items() if m.issym() or m.islnk()]
    data_spelling = [n for n in members if "/Data" in "/" + n]
    check(not links and not data_spelling, "no links and no Data folder (%s)" % (links + data_spelling))
    for name in (LIB + "/brakmoor", LAUNCHER):
        check(members[name].mode & 0o111 == 0o111 and members[name].uname in ("root", ""),
              "%s is executable by everyone (mode %o)" % (name, members[name].mode))


def png_chunks(png):
    check(png[:8] == b"\x89PNG\r\n\x1a\n", "the icon is a PNG file")
    at, chunks = 8, []
    while at < len(png):
        length, kind = struct.unpack(">I4s", png[at:at + 8])
        body = png[at + 8:at + 8 + length]
        crc, = struct.unpack(">I", png[at + 8 + length:at + 12 + length])
        check(zlib.crc32(kind + body) == crc, "chunk %s has a right CRC" % kind.decode())
        chunks.append((kind, body))
        at += 12 + length
    return chunks


def check_icon(png):
    chunks = png_chunks(png)
    check([c[0] for c in chunks][0] == b"IHDR" and chunks[-1][0] == b"IEND", "IHDR first, IEND last")
    width, height, depth, colour = struct.unpack(">IIBB", chunks[0][1][:10])
    check((width, height, depth, colour) == (64, 64, 8, 6), "a 64x64 RGBA icon")
    raw = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    check(len(raw) == height * (1 + 4 * width), "the pixel rows are complete")
    rows = [raw[y * (1 + 4 * width):(y + 1) * (1 + 4 * width)] for y in range(height)]
    alphas = {row[1 + 4 * x + 3] for row in rows for x in range(width)}
    colours = {bytes(row[1 + 4 * x:4 + 4 * x]) for row in rows for x in range(width)}
    check(alphas == {0, 255} and len(colours) > 10, "a picture on a transparent ground")


def check_desktop_entry(text, members):
    entry = dict(line.split("=", 1) for line in text.splitlines() if "=" in line)
    check(text.startswith("[Desktop Entry]") and entry.get("Name") == "Brakmoor"
          and entry.get("Type") == "Application", "desktop entry: an application named Brakmoor")
    check("Game" in entry.get("Categories", "").split(";")
          and "ActionGame" in entry.get("Categories", "").split(";"),
          "desktop entry: in Game;ActionGame;")
    check(entry.get("Exec", "").lstrip("/") in members and entry.get("Icon") == "brakmoor",
          "desktop entry: Exec names the launcher, Icon the packed icon")


def check_fields(deb):
    fields = {}
    for name in list(FIELDS) + ["Version", "Maintainer", "Description", "Depends"]:
        fields[name] = run(["dpkg-deb", "--field", deb, name]).strip()
    for name, value in FIELDS.items():
        check(fields[name] == value, "%s: %s (got %r)" % (name, value, fields[name]))
    check(re.fullmatch(r"\d+\.\d+\.\d+", fields["Version"]) and fields["Maintainer"]
          and fields["Description"], "version, maintainer and description are set")
    packages = {alt.strip().split(" ")[0] for dep in fields["Depends"].split(",")
                for alt in dep.split("|")}
    lacking = [what for what, pattern in DEPENDS.items()
               if not any(re.fullmatch(pattern, p) for p in packages)]
    check(not lacking and "libcoldet" not in fields["Depends"],
          "Depends names every library package and not libcoldet (lacking %s in %s)"
          % (lacking, fields["Depends"]))


def apt_get(*args):
    result = subprocess.run(["apt-get", "-y", "-q"] + list(args), stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True,
                            env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
    if result.returncode != 0:
        raise E2EFailure("apt-get %s failed:\n%s" % (" ".join(args), result.stdout[-3000:]))


class InstalledGameRun(NativeGameRun):
    """The installed program through its launcher, started in / so that
    only the launcher's change of folder lets it find data/."""

    def __init__(self, artifacts):
        super().__init__(argparse.Namespace(artifacts=artifacts, game_dir="/"),
                         name="installed-deb",
                         env={"BRAKMOOR_DIALOG_CHOICE": "640x480x32"})
        self.exe = "/" + LAUNCHER


def play_installed(artifacts):
    with InstalledGameRun(artifacts) as game:
        intro = game.wait_window("Brakmoor", timeout=60)
        run(["xdotool", "mousemove", "320", "240"])
        deadline = time.time() + 60
        while True:
            windows = [w for w in search_windows("Brakmoor") if w != intro]
            if windows:
                break
            if game.process.poll() is not None or time.time() > deadline:
                raise E2EFailure("no game window after Escape in the intro (exit code %s)"
                                 % game.process.poll())
            game.hold_key(intro, "Escape", 0.2)
            time.sleep(0.8)
        print("ok: Escape leads from the intro to the game window")
        time.sleep(1)
        game.end_with_escape(windows[0])
        check(game.boxes() == [], "no message box (boxes: %s)" % game.boxes())


def check_package(args):
    deb = os.path.abspath(args.deb)
    members, contents = package_files(deb)
    check_files(members, args.game_dir, args.datagen)
    check(contents[LAUNCHER].startswith(b"#!/bin/sh") and b"cd /usr/lib/brakmoor" in contents[LAUNCHER],
          "the launcher changes into /usr/lib/brakmoor")
    check_icon(contents[ICON])
    check_desktop_entry(contents[DESKTOP].decode(), members)
    check_fields(deb)
    if os.geteuid() != 0:
        raise E2EFailure("installing the package needs root")
    if "DISPLAY" not in os.environ:
        raise E2EFailure("no X display to start the installed program on")
    apt_get("install", deb)
    try:
        check(os.access("/" + LAUNCHER, os.X_OK), "apt-get installed the package")
        play_installed(args.artifacts)
    finally:
        apt_get("purge", "brakmoor")
    check(not os.path.exists("/" + LIB), "apt-get removed the package again")


def write_junit(path, seconds, failure):
    suite = ET.Element("testsuite", name="linux_release", tests="1",
                       failures="1" if failure else "0")
    case = ET.SubElement(suite, "testcase", classname="linux_release", name="deb_package",
                         time="%.1f" % seconds)
    if failure:
        ET.SubElement(case, "failure", message=failure)
    ET.ElementTree(suite).write(path, encoding="utf-8", xml_declaration=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("deb")
    parser.add_argument("--game-dir", required=True, help="the build's linux-game folder")
    parser.add_argument("--datagen", required=True,
                        help="the build's data generator (it lists the game's textures)")
    parser.add_argument("--artifacts", default=os.path.join(tempfile.gettempdir(), "brakmoor-deb"))
    parser.add_argument("--junit")
    args = parser.parse_args()
    start, failure = time.time(), None
    try:
        check_package(args)
    except Exception as error:  # any failure is this test's failure
        failure = "%s: %s" % (type(error).__name__, error)
        print("FAIL:", failure)
    if args.junit:
        write_junit(args.junit, time.time() - start, failure)
    if not failure:
        print("PASS: %s" % args.deb)
    return 1 if failure else 0


if __name__ == "__main__":
    sys.exit(main())
