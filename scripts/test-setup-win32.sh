#!/usr/bin/env bash
# The package and the Windows 95 way of installing it, under 32-bit Wine.
#
# First the package is built twice, the second time with both programs
# linked anew, and the two zips must be the same bytes. Then, for Wine
# answering as Windows 98 and as Windows 95, in a fresh prefix holding the
# template machine's network registry: the zip is unpacked into C:\PKG and
# installed; the files, the Start menu's shortcut (read back through
# IShellLinkA by zubanet-linkprobe) and the Add/Remove Programs entry are
# checked; the program is started as the shortcut says and does its main
# job (two settings saved, one applied with /c, the other on trial and
# confirmed by its RunOnce start); the uninstall Add/Remove Programs runs
# leaves only the settings file, the journal and the running program, which
# WININIT.INI removes at the next start; installing again keeps the settings.
#
# Called by scripts/test-win32.sh with the builds made, in the environment
# it sets up (Wine, the Japanese locale, a display):
#   test-setup-win32.sh LINUX_BUILD WIN32_BUILD
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
win=$2
tool="$PWD/$build/src/app/zubanet-machine"
probe="$PWD/$win/src/zubanet-linkprobe.exe"
work="$PWD/$win/setup"
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() {
  echo "  FAILED: $*"
  failures=$((failures + 1))
}
expect_in() {  # expect_in TEXT WHAT WHERE
  grep -qF -- "$1" <<< "$3" || fail "$2: no \"$1\" in: $3"
}

# --- The package, twice ----------------------------------------------------
echo "The package, built twice:"
package() {
  ZUBA_BUILD_DIR=$build ZUBA_WIN32_BUILD_DIR=$win bash scripts/package-win9x.sh "$1" | tail -1
}
first=$(package "$work/first")
rm -f "$win/src/zubanet.exe" "$win/src/zubanetc.exe"
second=$(package "$work/second")
echo "  $(basename "$first"): $(stat -c %s "$first") bytes"
cmp "$first" "$second" || fail "the package differs when built again"
contents=$(unzip -Z1 "$first" | tr '\n' ' ')
[ "$contents" = "ZUBANET.EXE ZUBANETC.EXE ZUBANET.HLP README.TXT " ] ||
  fail "the package holds: $contents"
unzip -p "$first" README.TXT | iconv -f CP932 -t UTF-8 > /dev/null ||
  fail "README.TXT is not code page 932"
[ "$(unzip -p "$first" README.TXT | grep -c $'\r$')" = "$(unzip -p "$first" README.TXT | wc -l)" ] ||
  fail "README.TXT has a line without CR LF"

# --- Install, use, uninstall, install again --------------------------------
export WINEARCH=win32 WINEDEBUG=-all
# No Mono or Gecko installer prompts; no menu entries on the host for the
# Start menu's shortcuts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
keys=(
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\Net'
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans'
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\MSTCP'
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\VNETSUP'
  'HKEY_LOCAL_MACHINE\Network\Logon'
)
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZubaNet'
run_once='HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce'

for os in win98 win95; do
  echo "Install, use and uninstall as $os:"
  export WINEPREFIX="$work/prefix-$os"
  template="$work/template-$os"
  "$tool" --machine "$template" init --os "$os" > /dev/null
  wineboot -i > /dev/null 2>&1
  wineserver -w
  wine reg add 'HKCU\Software\Wine' /v Version /d "$os" /f > /dev/null 2>&1
  for key in "${keys[@]}"; do wine reg delete "$key" /f > /dev/null 2>&1 || true; done
  wine regedit /S "Z:${template//\//\\}\\system.reg" "Z:${template//\//\\}\\user.reg"
  c="$WINEPREFIX/drive_c"
  mkdir -p "$c/PKG"
  unzip -q "$first" -d "$c/PKG"

  # Install from the unpacked package.
  out=$(cd "$c/PKG" && wine 'C:\PKG\ZUBANETC.EXE' --headless /install 2>&1) || fail "install: $out"
  expect_in "インストールしました" "install" "$out"
  for file in ZUBANET.EXE ZUBANETC.EXE ZUBANET.HLP README.TXT; do
    cmp -s "$c/PKG/$file" "$c/ZUBANET/$file" || fail "C:\\ZUBANET\\$file is not the package's"
  done
  programs=$(wine "$probe" | tr -d '\r' | sed -n 's/^programs\t//p')
  link=$(wine "$probe" "$programs\\ZubaNet.lnk" | tr -d '\r') || true
  target=$(sed -n 's/^target\t//p' <<< "$link")
  directory=$(sed -n 's/^directory\t//p' <<< "$link")
  [ "${target^^}" = 'C:\ZUBANET\ZUBANET.EXE' ] || fail "the shortcut's target: $link"
  [ "${directory^^}" = 'C:\ZUBANET' ] || fail "the shortcut's directory: $link"
  entry=$(wine reg query "$uninstall_key" 2>&1 | tr -d '\r')
  expect_in "DisplayName    REG_SZ    ZubaNet" "the uninstall entry" "$entry"
  expect_in 'UninstallString    REG_SZ    C:\ZUBANET\ZUBANET.EXE /uninstall' "the uninstall entry" "$entry"

  # Started as the shortcut says: two settings, one applied, one on trial.
  zubanet() {
    (cd "$c/ZUBANET" && wine "${target:-C:\\ZUBANET\\ZUBANET.EXE}" --headless "$@" 2>&1)
  }
  zubanet --answer yes --do 'click BtConfig' --do 'choose CbTnc PCI Fast Ethernet Adapter' \
    --do 'type EdNm Office' --do 'click BbOk' --do 'click BtConfig' --do 'type EdNm Home' \
    --do 'type EdTip 10.0.0.2' --do 'type EdTms 255.0.0.0' --do 'click BbOk' > /dev/null ||
    fail "saving two settings"
  zubanet -- Home /c > /dev/null || fail "applying Home"
  expect_in "・Home" "the state after applying Home" "$(zubanet -- /s)"
  zubanet -- /t Office /c > /dev/null || fail "Office on trial"
  command=$(wine reg query "$run_once" /v ZubaNetTrial 2>&1 | tr -d '\r' |
              sed -n 's/.*REG_SZ *//p')
  [ "$command" = '"C:\ZUBANET\ZUBANET.EXE" /K' ] || fail "the trial's RunOnce entry: $command"
  # Windows takes the entry out and runs it; the user keeps the setting.
  wine reg delete "$run_once" /v ZubaNetTrial /f > /dev/null 2>&1
  zubanet --answer yes -- /K > /dev/null || fail "the trial's start"
  expect_in "・Office" "the state after the trial" "$(zubanet -- /s)"
  settings=$(md5sum < "$c/ZUBANET/Zubanet.ini")

  # The uninstall of Add/Remove Programs; the settings stay.
  out=$(cd "$c/ZUBANET" && wine 'C:\ZUBANET\ZUBANET.EXE' --headless /uninstall 2>&1) ||
    fail "uninstall: $out"
  expect_in "アンインストールしました" "uninstall" "$out"
  left=$(cd "$c/ZUBANET" && LC_ALL=C ls | tr '\n' ' ')
  [ "$left" = "ZUBANET.EXE Zubanet.JNL Zubanet.ini " ] || fail "left after uninstall: $left"
  wininit=$(tr -d '\r' < "$c/windows/WININIT.INI" 2>/dev/null || true)
  [ "$wininit" = $'[rename]\nNUL=C:\\ZUBANET\\ZUBANET.EXE' ] || fail "WININIT.INI: $wininit"
  [ ! -e "$(wine winepath -u "$programs\\ZubaNet.lnk" 2>/dev/null)" ] || fail "the shortcut stays"
  wine reg query "$uninstall_key" > /dev/null 2>&1 && fail "the uninstall entry stays"
  wine reg query "$run_once" /v ZubaNetTrial > /dev/null 2>&1 && fail "the RunOnce entry stays"
  # What WININIT.EXE does at the next start.
  rm "$c/ZUBANET/ZUBANET.EXE" "$c/windows/WININIT.INI"

  # Installed again, the settings are where they were.
  out=$(cd "$c/PKG" && wine 'C:\PKG\ZUBANETC.EXE' --headless /install 2>&1) || fail "install again: $out"
  [ "$(md5sum < "$c/ZUBANET/Zubanet.ini")" = "$settings" ] || fail "the settings changed"
  expect_in "・Office" "the state after installing again" "$(zubanet -- /s)"
  wineserver -k 2> /dev/null || true
done

if ((failures)); then
  echo "test-setup-win32: $failures failure(s)"
  exit 1
fi
echo "test-setup-win32: the package is reproducible; install, use and uninstall pass as win98 and win95"
