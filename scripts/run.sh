#!/usr/bin/env bash
# Sets everything up and runs the program on the default machine: on a
# display its main window; without one, the scripted tour of scripts/tour.sh
# on a scratch machine, printing what it does. Arguments go to zubanet (on
# a display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
build=${ZUBA_BUILD_DIR:-build}
zubanet="$build/src/app/zubanet"
machine_tool="$build/src/app/zubanet-machine"

display=false
if [ -n "${QT_QPA_PLATFORM:-}" ]; then
  case "$QT_QPA_PLATFORM" in
    xcb*) [ -n "${DISPLAY:-}" ] && display=true ;;
    wayland*) [ -n "${WAYLAND_DISPLAY:-}" ] && display=true ;;
    *) display=true ;;
  esac
elif [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  display=true
fi
if $display; then
  exec "$zubanet" "$@"
fi

# No display: the tour, on a scratch machine that goes again afterwards.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
echo "No display: a tour of zubanet --headless on a scratch machine instead of the window"
scripts/tour.sh "$zubanet" "$machine_tool" "$scratch/machine"
echo
echo "The scratch machine goes again; the default machine was not touched."
