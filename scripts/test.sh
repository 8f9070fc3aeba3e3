#!/usr/bin/env bash
# Sets everything up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
build=${ZUBA_BUILD_DIR:-build}
ctest --test-dir "$build" --output-on-failure --timeout 300 -j "$(nproc)"
# Every fuzz target over its seeds and a few seconds more, under the
# sanitizers: a target gone stale with its parser fails here.
scripts/fuzz.sh "${ZUBA_FUZZ_SECONDS:-3}"
