# The soak run behind scripts/soak: the real game (under Wine, or the native
# program with --native) for many minutes of random play (walking, turning,
# firing, weapon and key switches, F1 every few seconds), with the process's
# memory, descriptors and threads sampled once a minute; it fails on a crash,
# a hang, an unexpected window or box, and memory that keeps growing.

import argparse
import os
import random
import time

from e2e_lib import (E2EFailure, all_window_names, check, game_run, pixels_differing, run, run_test,
                     window_geometry)

SEED = 1
EXPECTED_NAMES = {"Brakmoor", "Brakmoor - Level 1", "GL"}
HANG_SECONDS = 10
SWITCH_KEYS = ["b", "f", "c", "d", "h", "w", "s", "m"]
# The way back is walked at twice the speed (backward in the open), so it
# takes half the time; a walk through a wall (a missed key left collision
# off) thus does not carry the player away.
WALK_PAIRS = [(("Up", 1.0), ("Down", 0.5)), (("Down", 0.5), ("Up", 1.0)),
              (("Left", 1.0), ("Right", 1.0)), (("Right", 1.0), ("Left", 1.0))]
# The game switches on a key that is down when it reads the keyboard once a
# frame: a press must outlast the slowest frame of a loaded machine.
PRESS_SECONDS = 0.4


# The level keeps the player alive: the start is a single open cell (value 1:
# floor and ceiling) inside a solid block 60 cells deep, and every other cell
# is open (value 3: nothing to draw) and far beyond fire range (15 units, 7.5
# cells). The room's walls do not hold the player (in a corner the wall
# contact slides along one wall, through the other), so walks go there and
# back again and the block is deep enough for what is left of them to drift.
# Enemies (re-)spawn on random open cells; only the player's own cell could
# hurt, about one chance in fifty thousand per enemy. Seed 1 starts them all
# far away.
def safe_level(side=253, guard=60):
    centre = side // 2
    rows = ["".join("1" if (x, y) == (centre, centre) else
                    "0" if max(abs(x - centre), abs(y - centre)) <= guard else "3"
                    for x in range(1, side + 1)) for y in range(side, 0, -1)]
    return "X %d\nY %d\nP %d %d\nLevel\n%s\n" % (side, side, centre, centre, "\n".join(rows))


def wine_game_process(game):
    # The Wine process of the game in the run's session: its command starts
    # with the program (wine-run's starts with the shell).
    found = run(["pgrep", "-s", str(game.process.pid), "-i", "-f", r"^[^ ]*brakmoor\.exe"],
                check_result=False).split()
    check(found, "the game's Wine process is %s" % found)
    return int(max(found, key=int))


def process_sample(pid):
    # (resident MB, open descriptors, threads) of a process.
    try:
        with open("/proc/%d/status" % pid) as status:
            values = dict(line.split(":", 1) for line in status if ":" in line)
        descriptors = len(os.listdir("/proc/%d/fd" % pid))
    except OSError:
        raise E2EFailure("the game process is gone")
    return int(values["VmRSS"].split()[0]) / 1024.0, descriptors, int(values["Threads"])


class SoakPlay:
    # Random play in one game, watched between actions.

    def __init__(self, game):
        self.game, self.rng = game, random.Random(SEED)
        self.window = self.last_picture = None
        self.last_new_picture = time.time()
        self.count = {"pictures": 0, "new": 0, "F1 switches": 0}

    def watch(self):
        # Fails on an ended game or a window it should not show; answers
        # the full-screen question; a hang is no new picture for HANG_SECONDS.
        self.game.fail_if_ended("during the soak run")
        self.game.answer_boxes(("GL",))
        unexpected = [name for name in all_window_names() if name not in EXPECTED_NAMES]
        if unexpected:
            raise E2EFailure("unexpected window(s): %s" % unexpected)
        self.turn()
        time.sleep(0.3)
        self.count["pictures"] += 1
        shot = self.picture("picture-%d" % (self.count["pictures"] % 2))
        differs = self.last_picture is None or pixels_differing(self.last_picture, shot) > 100
        if not differs:
            # Out of the room the view may be black whatever the turn: the
            # crosshair switched off shows whether the game still draws.
            self.game.hold_key(self.window, "h", PRESS_SECONDS)
            time.sleep(0.2)
            differs = pixels_differing(shot, self.picture("probe")) > 100
            self.game.hold_key(self.window, "h", PRESS_SECONDS)
        if differs:
            self.count["new"] += 1
            self.last_new_picture = time.time()
        elif time.time() - self.last_new_picture > HANG_SECONDS:
            raise E2EFailure("no new picture for %.0f s (hang)" % (time.time() - self.last_new_picture))
        self.last_picture = shot

    def picture(self, name):
        # Uncompressed: a picture every few seconds for half an hour must stay cheap.
        return self.game.shot_of(window_geometry(self.window), name, "ppm")

    def turn(self):
        run(["xdotool", "mousemove", str(320 + self.rng.choice((-1, 1)) * self.rng.randint(60, 200)),
             str(240 + self.rng.randint(-20, 20))])

    def walk(self):
        seconds = self.rng.uniform(0.2, 0.8)
        for key, share in self.rng.choice(WALK_PAIRS):
            self.game.hold_key(self.window, key, seconds * share)

    def fire(self):
        self.game.hold_key(self.window, self.rng.choice(("1", "2")), 0.12)
        for _ in range(self.rng.randint(1, 3)):
            self.game.hold_key(self.window, "Control_R", 0.12)
            time.sleep(0.2)

    def key_switch(self):
        # On and off again shortly after: collision off (C) must not last
        # while the player walks, or the player leaves the safe cell.
        key = self.rng.choice(SWITCH_KEYS)
        self.game.hold_key(self.window, key, PRESS_SECONDS)
        self.turn()
        time.sleep(self.rng.uniform(0.2, 0.6))
        self.game.hold_key(self.window, key, PRESS_SECONDS)

    def full_screen_switch(self):
        old = window_geometry(self.window)
        self.window = self.game.switch_full_screen(self.window, PRESS_SECONDS)
        self.count["F1 switches"] += 1
        if window_geometry(self.window) != old:
            self.last_picture = None  # pictures of other sizes do not compare


def soak(args):
    # Plays for `args.minutes` and prints a line of samples a minute.
    minutes, native = args.minutes, args.native
    name = "soak-native" if native else "soak"
    samples = []
    with game_run(args, name, {"data/LEVEL/level1.dat": safe_level().encode()},
                  {"BRAKMOOR_SEED": str(SEED)}, native) as game:
        play = SoakPlay(game)
        play.window = game.start_game(settle_seconds=2, skip_intro=True)
        pid = game.process.pid if native else wine_game_process(game)
        print("soak: %d minutes, game process %d" % (minutes, pid))
        print("minute  RSS MB  fds  threads  " + "  ".join(play.count))
        started = next_switch = time.time()
        while len(samples) < minutes:
            if time.time() >= next_switch:
                play.full_screen_switch()
                next_switch = time.time() + play.rng.uniform(4, 8)
            else:
                play.rng.choice((play.walk, play.walk, play.fire, play.key_switch))()
            play.watch()
            if time.time() - started >= 60 * (len(samples) + 1):
                samples.append(process_sample(pid))
                print("%6d  %6.1f  %3d  %7d  " % ((len(samples),) + samples[-1]) +
                      "  ".join("%*d" % (len(k), v) for k, v in play.count.items()), flush=True)
                play.count = dict.fromkeys(play.count, 0)
        game.end_with_escape(play.window, expected_boxes=("GL",))
        if native:
            others = [box for box in game.boxes() if not box.startswith("GL: ")]
            check(not others, "no message box but the GL question (others: %s)" % others)
    # The first minutes fill caches and pools (Wine's take about five): from
    # ten minutes on the last sample may lie 5% above the settled one; shorter
    # runs may grow 20% over minute 1.
    minute, allowed = ((2 if native else 5), 5) if minutes >= 10 else (1, 20)
    base, last = samples[minute - 1][0], samples[-1][0]
    check(last <= base * (1 + allowed / 100.0), "memory from %.1f MB at minute %d to %.1f MB at "
          "the end grew at most %d%%" % (base, minute, last, allowed))
    print("ok: %d minutes without crash, hang or unexpected window" % minutes)


if __name__ == "__main__":
    options = argparse.ArgumentParser()
    options.add_argument("--minutes", type=int, default=30)
    options.add_argument("--native", action="store_true")
    run_test(soak, options)
