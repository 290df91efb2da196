"""Where the game puts its enemies for a given seed. The game seeds its
generator (the Windows C runtime's, on every system) from BRAKMOOR_SEED when
it is set; replaying that generator here tells a test in advance on which
cells the five enemies start."""

ENEMIES = 5


def msvcrt_rand(seed):
    """The Windows C runtime's rand() after srand(seed)."""
    state = seed & 0xFFFFFFFF
    while True:
        state = (state * 214013 + 2531011) & 0xFFFFFFFF
        yield (state >> 16) & 0x7FFF


def read_level(path):
    with open(path) as level:
        return parse_level(level.read())


def parse_level(text):
    """Size, start cell and open cells of a level (the plain records that
    the shipped and the tests' levels use: X, Y, P and the grid block)."""
    size_x = size_y = start = None
    rows = []
    in_grid = False
    for line in text.splitlines():
        line = line.rstrip("\r")
        if not line or line.startswith("#"):
            continue
        if in_grid and len(rows) < size_y:
            rows.append(line)
            continue
        parts = line.split()
        if parts[0] == "X":
            size_x = int(parts[1])
        elif parts[0] == "Y":
            size_y = int(parts[1])
        elif parts[0] == "P":
            start = (int(parts[1]), int(parts[2]))
        elif line == "Level":
            in_grid = True
    open_cells = set()
    for index, row in enumerate(rows):
        y = size_y - index
        for x, value in enumerate(row[:size_x], start=1):
            if value.isdigit() and value != "0":
                open_cells.add((x, y))
    return size_x, size_y, start, open_cells


def spawned_enemies(seed, level):
    """(x, y, walking direction) of the five enemies the game places, in
    both programs."""
    size_x, size_y, _, open_cells = level
    draws = msvcrt_rand(seed)
    enemies = []
    for _ in range(ENEMIES):
        while True:
            x = next(draws) % size_x + 1
            y = next(draws) % size_y + 1
            if (x, y) in open_cells:
                break
        enemies.append((x, y, next(draws) % 5))
    return enemies


def far_from(cell, start, cells):
    return max(abs(cell[0] - start[0]), abs(cell[1] - start[1])) >= cells


def first_seed(level, wanted, what, limit=200000):
    """The first seed whose five enemy places (a list of (x, y, direction))
    satisfy `wanted`; `what` names the wish in the failure."""
    for seed in range(1, limit):
        if wanted(spawned_enemies(seed, level)):
            return seed
    raise ValueError("no seed below %d %s" % (limit, what))


def all_far_from_start(level, cells=14):
    """A wish for first_seed: every enemy starts `cells` or more cells away."""
    return lambda enemies: all(far_from(e, level[2], cells) for e in enemies)


def none_in_column(column):
    """A wish for first_seed: no enemy starts in grid column `column`."""
    return lambda enemies: all(x != column for x, _, _ in enemies)


def corridor_beside_enemy_hall(length=6, rows=30):
    """A test level: the player's corridor (column 1, rows 1 to `length`,
    looked up from the start (1, 1)) and, behind a solid column, a long one
    where enemies that start there walk without ever seeing the player."""
    grid = ["%s0%s" % ("1" if y <= length else "0", "1") for y in range(rows, 0, -1)]
    return "X 3\nY %d\nP 1 1\nLevel\n%s\n" % (rows, "\n".join(grid))

