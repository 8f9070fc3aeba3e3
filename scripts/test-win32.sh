#!/usr/bin/env bash
# Cross-builds every layer but the Qt front-end, and zubanet.exe, for 32-bit
# Windows with MinGW-w64 (into build-win32/, or $ZUBA_WIN32_BUILD_DIR) and
# runs the tests under 32-bit Wine, each program answering as Windows 9x
# (its stubs failing): the platform seam's conformance suite on the
# Win32 implementation, and the network layer's tests on the registry of a
# Wine prefix seeded from the template machine. The prefix is a Japanese
# Windows 98 (code page 932), made afresh each run; the tests run once more
# with it answering as Windows 95. Then zubanet.exe and the simulated
# machine's zubanet run the same user stories (scripts/compare-win32.sh),
# and zubanet.exe is ended at its file changes (scripts/kill-matrix-win32.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
# 32-bit Wine comes from Debian's i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
scripts/deps.sh g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 wine wine32 googletest locales

# Wine takes its code page from the locale: ja_JP gives code page 932.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

# The template machine comes from the Linux build's zubanet-machine; the
# user stories run its zubanet beside zubanet.exe.
build=${ZUBA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target zubanet-machine zubanet

win=${ZUBA_WIN32_BUILD_DIR:-build-win32}
cmake -S . -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake > /dev/null
cmake --build "$win"

export WINEPREFIX="$PWD/$win/wineprefix" WINEARCH=win32 WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX" "$win/template" "$win/template95"
wineboot -i > /dev/null 2>&1
wineserver -w
# One Wine session for every test: its services set up their devices (and
# write them into HKEY_LOCAL_MACHINE) when the session starts, which must
# not happen while a test compares the registry before and after.
wineserver -p
wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f > /dev/null 2>&1
sleep 5
"$build/src/app/zubanet-machine" --machine "$win/template" init --os win98
"$build/src/app/zubanet-machine" --machine "$win/template95" init --os win95
# The Windows path of a template machine's directory, for the tests.
windows_path() {
  local dir
  dir=$(realpath "$1")
  echo "Z:${dir//\//\\}"
}

# The front-end's tests show windows on a virtual X display, in a Wine
# desktop of a Windows 9x screen's size; the window font of the program
# is drawn with IPAPGothic, the system's dialogs too, and the caption
# buttons with Wine's Marlett. Their pictures go to $build/screenshots.
scripts/deps.sh xvfb fonts-ipafont-gothic fonts-wine
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=$display
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f > /dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f > /dev/null 2>&1
for face in 'ＭＳ Ｐゴシック' 'ＭＳ ゴシック' 'MS UI Gothic' 'MS Gothic'; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPGothic /f > /dev/null 2>&1
done
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
mkdir -p "$build/screenshots"
export ZUBA_SCREENSHOT_DIR
ZUBA_SCREENSHOT_DIR=$(windows_path "$build/screenshots")

# Every test program answers as Windows 9x: the functions the import table
# marks as stubs fail (src/testing/win32/win9x/Personality.h).
export ZUBA_WIN9X=1
status=0
ZUBA_TEMPLATE_MACHINE=$(windows_path "$win/template") \
  ctest --test-dir "$win" --output-on-failure || status=$?
echo "The tests again on Windows 95: Wine answering as it, the registry of its template"
wine reg add 'HKCU\Software\Wine' /v Version /d win95 /f > /dev/null 2>&1
ZUBA_TEMPLATE_MACHINE=$(windows_path "$win/template95") \
  ctest --test-dir "$win" --output-on-failure || status=$?
wineserver -k 2>/dev/null || true

# The user stories with zubanet on the simulated machine and zubanet.exe
# under Wine, compared.
bash scripts/compare-win32.sh "$build" "$win" || status=$?

# The package built twice, and installed, used and uninstalled from it.
bash scripts/test-setup-win32.sh "$build" "$win" || status=$?

# zubanet.exe ended as by a power cut at its file changes, and with its
# file moves failing, as Windows 98 and 95: every round ends on one side
# of the change (scripts/kill-matrix-win32.sh).
bash scripts/kill-matrix-win32.sh "$build" "$win" || status=$?

# Restarting Windows through the 16-bit route ends the Wine session, so it
# runs in a prefix of its own, thrown away after. Wine loses the 16-bit
# answer; the test's window sees the session end (WM_ENDSESSION).
echo "The 16-bit restart in a throw-away prefix:"
throwaway="$PWD/$win/wineprefix-exit16"
rm -rf "$throwaway"
if ! (
  export WINEPREFIX="$throwaway"
  wineboot -i > /dev/null 2>&1
  wineserver -w
  wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f > /dev/null 2>&1
  # Windows without a display.
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f > /dev/null 2>&1
  wineserver -w  # the test's session starts with both settings
  out=$(ZUBA_THROWAWAY_PREFIX=1 timeout 120 wine "$win/src/win32_tests.exe" \
          --gtest_filter=Thunk16.RestartingWindowsEndsTheSession 2>&1) || true
  echo "$out"
  grep -q 'WM_ENDSESSION: the session ended' <<< "$out"
); then
  echo "the 16-bit restart did not end the session"
  status=1
fi
WINEPREFIX="$throwaway" wineserver -k 2>/dev/null || true
rm -rf "$throwaway"
exit $status
