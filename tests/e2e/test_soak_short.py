"""A two-minute soak run (scripts/soak plays 30 minutes): random play in a
level where the enemies can neither reach nor see the player, with a switch
between window and full screen every few seconds. Fails on a crash, a hang
(no new picture for 10 s), an unexpected message box or memory that grows
by more than a fifth in the second minute. Before the run, the two rules the
run relies on are checked on their own: the level's safety and the memory
verdict."""

from e2e_lib import check, run_test
from enemy_places import parse_level
from soak import GUARD_CELLS, memory_verdict, safe_level, soak

# Enemy fire reaches 15 units, 7.5 cells of 2 units.
FIRE_RANGE_CELLS = 7.5


def check_level_safety():
    size_x, size_y, start, open_cells = parse_level(safe_level())
    others = open_cells - {start}
    check(start in open_cells and len(others) > 20000,
          "the soak level has the player's cell and a large enemy region")
    nearest = min(max(abs(x - start[0]), abs(y - start[1])) for x, y in others)
    # A figure stands up to a unit (half a cell) off its cell's centre, and so
    # does the player.
    check(nearest - 1 > FIRE_RANGE_CELLS and nearest == GUARD_CELLS + 1,
          "every other open cell lies out of fire range (%d cells)" % nearest)


def samples(values):
    return [{"minute": m, "rss": v} for m, v in enumerate(values, start=1)]


MEMORY_CASES = [
    # (RSS per minute, minutes of the run, fails)
    ([100, 120, 120, 121, 121, 125, 126], 30, False),  # growth before minute 5
    ([100, 100, 100, 100, 100, 103, 105.5], 30, True),  # 5.5% after minute 5
    ([100, 100, 100, 100, 100, 105], 30, False),        # exactly 5%
    ([100, 119], 2, False),
    ([100, 121], 2, True),
    ([], 2, True),                                      # nothing measured
]


def check_memory_verdict():
    for values, minutes, fails in MEMORY_CASES:
        verdict = memory_verdict(samples(values), minutes)
        check((verdict is not None) == fails,
              "memory %s over %d minutes is %s" % (values, minutes, "refused" if fails else "flat"))


def test(args):
    check_level_safety()
    check_memory_verdict()
    soak(args, 2, name="soak_short")


if __name__ == "__main__":
    run_test(test)
