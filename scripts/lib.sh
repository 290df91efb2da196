# Shared by scripts/test and scripts/play: builds, Wine and the private X
# display. Source it from the repository root.

build_native() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
    cmake --build build -j 2
}

# build_windows DIR TOOLCHAIN: a Windows build that takes its data tree and
# title picture from the native build.
build_windows() {
  cmake -S . -B "$1" -DCMAKE_TOOLCHAIN_FILE="$2" -DCMAKE_BUILD_TYPE=Release \
    -DBRAKMOOR_NATIVE_BUILD_DIR="$PWD/build" &&
    cmake --build "$1" -j 2
}

build_fuzz() {
  cmake -S . -B build-fuzz -DBRAKMOOR_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 &&
    cmake --build build-fuzz -j 2
}

# build_sanitized: the native program alone, with AddressSanitizer and
# UndefinedBehaviorSanitizer (any finding ends it with an error).
build_sanitized() {
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
    "-DCMAKE_C_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=undefined" \
    "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" \
    "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined" &&
    cmake --build build-asan -j 2 --target brakmoor
}

# play_demos PROGRAM: plays every committed demo as a time demo with
# PROGRAM inside the native game folder (where the data tree is); fails on
# the first demo that does not play back identical. The libraries' own
# leaks (Mesa, SDL) are not the game's: leak checking stays off.
play_demos() {
  local demo said status
  for demo in "$PWD"/tests/demos/*.dem; do
    said=$(cd build/linux-game && SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 \
      "$1" --timedemo "$demo" 2>&1)
    status=$?
    echo "$(basename "$demo"): $said"
    [ "$status" -eq 0 ] || return 1
  done
}

can_run_32bit() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# The Windows build whose programs Wine can run here.
wine_test_build_dir() {
  if can_run_32bit; then echo build-win; else echo build-win64; fi
}

# Starts Xvfb on a free display number and exports DISPLAY.
start_private_display() {
  local number
  for number in $(seq 90 120); do
    if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
      Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb_pid=$!
      export DISPLAY=":$number"
      local tries
      for tries in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
      done
      kill "$xvfb_pid" 2>/dev/null
    fi
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_private_display() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
}

# summarize RESULTS_DIR FUZZ_PASSED FUZZ_FAILED FAILED_STEPS: counts the
# test cases of the JUnit files, prints the closing line and sets the exit
# code.
summarize() {
  python3 scripts/summarize_results.py "$@"
}

# Packs the release archive of the 32-bit build and checks what it holds.
build_release() {
  cmake --build build-win --target release &&
    python3 scripts/check_release.py build-win/Brakmoor-*-win32.zip
}

# Packs the Debian package of the native Linux program,
# build/brakmoor_<version>_amd64.deb (an older version's package goes).
build_deb() {
  rm -f build/brakmoor_*.deb &&
    cmake --build build --target package_deb
}

# check_deb JUNIT_FILE: checks the package's files and dependencies,
# installs it, starts the installed program once on DISPLAY and purges it
# again (needs root). The result is one test case in JUNIT_FILE.
check_deb() {
  python3 scripts/check_deb.py build/brakmoor_*.deb --game-dir build/linux-game \
    --datagen build/tools/datagen/datagen --artifacts out/deb --junit "$1"
}

# seed_fuzz_corpus TARGET DIR: puts the generated game files that TARGET
# reads into its corpus, so a short run starts from real, deep inputs, and
# the committed inputs that once found a fault (tests/fuzz/corpus/TARGET).
seed_fuzz_corpus() {
  local data=build/gamedata/data
  case "$1" in
    fuzz_level_loader) cp "$data/LEVEL/level1.dat" "$2/" ;;
    fuzz_bmp_header) cp "$data/BMP/crosshair.bmp" "$data/BMP/font256.bmp" "$2/" ;;
    fuzz_model_loader) python3 scripts/figure_corpus_seed.py "$data/MODELS" "$2/figure" ;;
    fuzz_demo_reader) cp tests/demos/switches.dem "$2/" ;;
  esac
  if [ -d "tests/fuzz/corpus/$1" ]; then
    find "tests/fuzz/corpus/$1" -type f ! -name '*.md' -exec cp {} "$2/" \;
  fi
}

# run_fuzz_target TARGET_PATH SECONDS DIR: fuzzes one target for SECONDS
# from its seed corpus in DIR/corpus (kept between runs, so a longer run
# goes on from what the last one found). Inputs that crash, hang or leak go
# to DIR/findings/, libFuzzer's output with its final stats to DIR/log.
# Fails when the target found anything.
run_fuzz_target() {
  local name corpus
  name=$(basename "$1")
  corpus="$3/corpus"
  mkdir -p "$corpus" "$3/findings"
  seed_fuzz_corpus "$name" "$corpus"
  # A 10-second unit is a hang: no loader input should take that long.
  "$1" -max_total_time="$2" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$3/findings/" "$corpus" >"$3/log" 2>&1
}
