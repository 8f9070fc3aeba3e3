#!/usr/bin/env bash
# Builds the package Windows 95/98 users get: dist/zubanet-VERSION-win9x.zip
# (VERSION the FileVersion of src/resource/ZubaNet.rc) holding, under
# upper-case 8.3 names, ZUBANET.EXE (windowed), ZUBANETC.EXE (its console
# companion for scripts), ZUBANET.HLP and README.TXT (package/win9x/README.TXT
# in code page 932 with CR LF).
#
# The same sources give the same zip: the programs carry no link time, and
# the zip has fixed file times, modes and order and no extra fields.
#
# bash scripts/package-win9x.sh [OUTPUT_DIR]   (default dist)
# The Windows build goes to $ZUBA_WIN32_BUILD_DIR (build-win32); the help
# file comes from the template machine of the Linux build's
# zubanet-machine ($ZUBA_BUILD_DIR, build).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-dist}
build=${ZUBA_BUILD_DIR:-build}
win=${ZUBA_WIN32_BUILD_DIR:-build-win32}

scripts/deps.sh g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 zip
cmake -S . -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target zubanet-machine > /dev/null
cmake -S . -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake > /dev/null
cmake --build "$win" --target zubanet zubanetc > /dev/null

version=$(sed -n 's/^ *VALUE "FileVersion", "\([0-9.]*\)".*/\1/p' src/resource/ZubaNet.rc)
[ -n "$version" ] || { echo "package-win9x: no FileVersion in src/resource/ZubaNet.rc" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
"$build/src/app/zubanet-machine" --machine "$stage/machine" init > /dev/null
mkdir "$stage/files"
cp "$win/src/zubanet.exe" "$stage/files/ZUBANET.EXE"
cp "$win/src/zubanetc.exe" "$stage/files/ZUBANETC.EXE"
cp "$stage/machine/drive_c/ZUBANET/ZUBANET.HLP" "$stage/files/ZUBANET.HLP"
iconv -f UTF-8 -t CP932 package/win9x/README.TXT | sed 's/$/\r/' > "$stage/files/README.TXT"

files=(ZUBANET.EXE ZUBANETC.EXE ZUBANET.HLP README.TXT)
chmod 644 "${files[@]/#/$stage/files/}"
# zip keeps the local time of each file: in UTC, a fixed one.
export TZ=UTC
touch -d '2001-04-01 00:00:00' "${files[@]/#/$stage/files/}"
mkdir -p "$out"
zip=$(realpath "$out")/zubanet-$version-win9x.zip
rm -f "$zip"
(cd "$stage/files" && zip -X -D -q -9 "$zip" "${files[@]}")
echo "$zip"
