#!/usr/bin/env bash
# Sets everything up and runs the program on the default machine: on a
# display its main window; without one, a short scripted tour headless on a
# scratch copy of the default machine, printing what it does. Arguments go
# to zubanet (on a display).
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

# The default machine, created from the template on first use.
"$machine_tool" show > /dev/null
default=${ZUBANET_MACHINE:-${XDG_DATA_HOME:-$HOME/.local/share}/zubanet/machine}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -a "$default/." "$scratch/"

echo "No display: a short tour of zubanet --headless on a scratch copy of $default"
# Prints the step and the command line, then runs it; the output goes
# through FILTER (a shell command; "cat" for all of it).
step() {
  local what=$1 filter=$2
  shift 2
  local shown="" arg
  for arg in "$@"; do
    case "$arg" in
      *" "*) shown+=" '$arg'" ;;
      *) shown+=" $arg" ;;
    esac
  done
  printf '\n== %s\n$ zubanet --headless%s\n' "$what" "$shown"
  "$zubanet" --machine "$scratch" --headless "$@" 2>&1 | eval "$filter" || true
}
step "The main window in view mode, as dump describes it (the start of it)" "cut -c1-240" \
  --do dump
step "The About box, from the option menu" cat \
  --do 'click BtOpt' --do 'click ZubaNet1'
step "Edit mode: a gateway that is no address, then a good one, then the list" \
  "sed -e 's/^{.*\(\"name\": \"LbTgw\"[^}]*\).*/\1/'" \
  --do 'click BtConfig' --do 'type EdTgw 192.168.0' --do 'key EdTgw Return' \
  --do 'type EdTgw 192.168.0.1' --do 'key EdTgw Return' --do dump
step "Right-click help on the TCP/IP group and on the setting list's label" cat \
  --do 'click BtConfig' --do 'rclick PnTcp' --do 'rclick LaSetting'
step "An option switched off in the menu is kept in the settings file" cat \
  --do 'click BtOpt' --do 'click PmOpt5'
echo "\$ grep Opt5 C:\\ZUBANET\\ZUBANET.INI"
grep -i '^Opt5' "$scratch"/drive_c/ZUBANET/[Zz][Uu][Bb][Aa][Nn][Ee][Tt].[Ii][Nn][Ii]
step "A setting name on the command line that is not listed: the program ends at once" cat \
  --do dump -- /c Nowhere
step "A control that cannot be reached is reported, a name that does not exist is a usage error" \
  cat --do 'click BtDelete' --do 'click BtNowhere'
echo
echo "The scratch machine goes again; the default machine is untouched."
