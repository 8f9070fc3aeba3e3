#!/usr/bin/env bash
# A scripted tour of what ZubaNet is for, headless, on a machine made from
# the template in DIR: two settings saved, one previewed and applied, the
# new address seen from outside, the apply undone, then the boot menu made
# and chosen at the next boot. Each command is printed before its output.
# Then a few of the window's other parts. DIR is emptied first.
#
#   scripts/tour.sh ZUBANET ZUBANET_MACHINE DIR
set -euo pipefail
if [ $# -ne 3 ]; then
  echo "usage: $0 ZUBANET ZUBANET_MACHINE DIR" >&2
  exit 2
fi
zubanet_program=$1
machine_program=$2
export ZUBANET_MACHINE=$3
rm -rf "$ZUBANET_MACHINE"
mkdir -p "$ZUBANET_MACHINE"
# The machine's own program is this build's zubanet (zubanet-machine boot
# runs it for the boot menu's choice).
"$machine_program" init --zubanet "$zubanet_program" > /dev/null

# Prints the command line as it would be typed, then runs it.
shown() {
  local line="" arg
  for arg in "$@"; do
    case "$arg" in
      *[\ \\\'\(\)\|]*) line+=" '$arg'" ;;
      *) line+=" $arg" ;;
    esac
  done
  printf '$%s\n' "$line"
}
zubanet() {
  shown zubanet "$@"
  "$zubanet_program" "$@" 2>&1
}
zubanet-machine() {
  shown zubanet-machine "$@"
  "$machine_program" "$@" 2>&1
}
# zubanet-machine show, its adapters and a pending power action only.
adapters() {
  local pattern='^ *[0-9]\. |IP address|Pending|Action'
  printf '$ zubanet-machine show | grep -E %s\n' "'$pattern'"
  "$machine_program" show 2>&1 | grep -E "$pattern"
}
# A command whose failure is part of the tour: its exit code is shown.
refused() {
  local code=0
  "$@" || code=$?
  echo "(exit code $code)"
}
step() { printf '\n== %s\n' "$1"; }

echo "A tour of zubanet --headless on the machine ZUBANET_MACHINE=$ZUBANET_MACHINE"
echo "(message boxes are printed as [caption] (icon; buttons) text; --answer answers them)"

step "Save the Ethernet adapter's configuration as Office, with the address 192.168.1.50"
zubanet --headless --answer yes --do 'click BtConfig' \
  --do 'choose CbTnc PCI Fast Ethernet Adapter' --do 'type EdNm Office' \
  --do 'type EdTip 192.168.1.50' --do 'click BbOk'
step "Save a second setting, Home, with the address 192.168.1.80"
zubanet --headless --answer yes --do 'click BtConfig' \
  --do 'choose CbTnc PCI Fast Ethernet Adapter' --do 'type EdNm Home' \
  --do 'type EdTip 192.168.1.80' --do 'click BbOk'
step "The list of saved settings"
zubanet --headless --do dump | sed -e 's/^.*\({"name": "CbSetting"[^}]*}\).*$/\1/'

step "What applying Office would change (nothing is written)"
zubanet --headless -- /p Office
step "Apply Office; /c asks for the restart without the question"
zubanet --headless -- /c Office
step "The machine seen from outside: the new address, the restart pending"
zubanet-machine show
step "The restart"
zubanet-machine boot

step "Undo the last apply, again with the restart"
zubanet --headless -- /u /c
adapters
zubanet-machine boot

step "A boot menu of the saved settings, called at the end of AUTOEXEC.BAT"
zubanet --headless --answer 'file=C:\AUTOEXEC.BAT' --do 'click Windows1' --do 'click btCreate'
step "The next start of the machine: the menu shows, B (Office) is chosen and applied"
zubanet-machine boot --choose B
adapters

step "The window in other ways: the About box from the option menu"
zubanet --headless --do 'click BtOpt' --do 'click ZubaNet1'
step "Edit mode: a gateway that is no address is refused"
zubanet --headless --do 'click BtConfig' --do 'type EdTgw 192.168.0' --do 'key EdTgw Return'
step "Right-click help on the TCP/IP group"
zubanet --headless --do 'click BtConfig' --do 'rclick PnTcp'
step "A control that cannot be reached is reported, a name that does not exist is a usage error"
refused zubanet --headless --do 'click BtDelete' --do 'click BtNowhere'
