#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/CMakeLists.txt) with clang and runs each for
# SECONDS (default 60): scripts/fuzz.sh [SECONDS] [TARGET...]
# The corpus grows in build-fuzz/corpus/TARGET, seeded from fuzz/seeds/TARGET;
# fuzz/TARGET.dict, when present, is the target's dictionary.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build=${ZUBA_FUZZ_BUILD_DIR:-build-fuzz}

# clang, and libFuzzer with the sanitizer runtimes (only recommended by clang).
scripts/deps.sh clang libclang-rt-14-dev

# clang reads narrow literals as UTF-8: a fuzzed parser must hold none but ASCII.
if LC_ALL=C grep -nP '[^\x00-\x7F]' src/platform/sim/Regedit4.cpp src/platform/sim/RegName.cpp \
    src/platform/sim/RegTree.cpp src/platform/sim/HiveFile.cpp src/platform/sim/HiveIndex.cpp src/platform/sim/IniText.cpp src/platform/Cp932.cpp \
    src/platform/sim/WinPath.cpp src/platform/sim/VfatAlias.cpp src/platform/sim/Wildcard.cpp \
    src/platform/VersionResource.cpp src/platform/TextCodec.cpp src/toolkit/HelpFile.cpp \
    src/platform/sim/DosBatch.cpp; then
  echo "fuzz.sh: non-ASCII text in a fuzzed parser" >&2
  exit 1
fi

CXX=${CXX_FUZZ:-clang++} cmake -S fuzz -B "$build" -G Ninja > /dev/null
cmake --build "$build"
targets=("$@")
if ((${#targets[@]} == 0)); then
  mapfile -t targets < "$build/fuzz_targets.txt"
fi
for target in "${targets[@]}"; do
  [ -n "$target" ] || continue
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$target" ] && seeds=("fuzz/seeds/$target")
  options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/$target-")
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  echo "== $target: $seconds s"
  "$build/$target" "${options[@]}" "$corpus" "${seeds[@]}"
done
