#!/usr/bin/env bash
# Sets everything up and runs the program on the default machine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
build=${ZUBA_BUILD_DIR:-build}
# The default machine is created on first use; print its network
# configuration.
"$build/src/app/zubanet-machine" show
