#!/usr/bin/env bash
# Cross-builds the layers below the user interface for 64-bit Windows with
# MinGW-w64 (into build-win32/, or $ZUBA_WIN32_BUILD_DIR) and runs their
# tests under Wine: the platform seam's conformance suite on the Win32
# implementation, and the network layer's tests on the registry of a Wine
# prefix seeded from the template machine. The prefix is a Japanese
# Windows 98 (code page 932), made afresh each run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh g++-mingw-w64-x86-64 wine wine64 googletest locales

sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
# Wine takes its code page from the locale: ja_JP gives code page 932.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

# The template machine comes from the Linux build's zubanet-machine.
build=${ZUBA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target zubanet-machine

win=${ZUBA_WIN32_BUILD_DIR:-build-win32}
cmake -S . -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake > /dev/null
cmake --build "$win"

export WINEPREFIX="$PWD/$win/wineprefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX" "$win/template"
wineboot -i > /dev/null 2>&1
wineserver -w
# One Wine session for every test: its services set up their devices (and
# write them into HKEY_LOCAL_MACHINE) when the session starts, which must
# not happen while a test compares the registry before and after.
wineserver -p
wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f > /dev/null 2>&1
sleep 5
"$build/src/app/zubanet-machine" --machine "$win/template" init
template=$(realpath "$win/template")
export ZUBA_TEMPLATE_MACHINE="Z:${template//\//\\}"

status=0
ctest --test-dir "$win" --output-on-failure || status=$?
wineserver -k 2>/dev/null || true
exit $status
