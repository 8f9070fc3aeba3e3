#!/usr/bin/env bash
# Runs the user stories of scripts/win32-stories.txt twice: with zubanet on
# a fresh simulated machine, and on a fresh 32-bit Wine prefix (as Windows
# 98) seeded with the same template registry and files with zubanetc.exe,
# the console companion scripts run headless, beside zubanet.exe.
# After every run it compares the exit code, standard error and standard
# output (the dumps); after every story the registry keys the program works
# on and the files the story changed on either side, each exported the same
# way (REGEDIT text joined and sorted; files byte for byte). Differences
# listed in docs/sim-machine.md ("The simulated machine, Windows and Wine")
# are taken out before comparing (KNOWN below); any other fails the script.
#
# Called by scripts/test-win32.sh with the builds made: compare-win32.sh
# LINUX_BUILD WIN32_BUILD. Needs the environment that script sets up (Wine,
# the Japanese locale). ZUBA_COMPARE_VERBOSE=1 also prints the simulated
# machine's messages of every run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
win=$2
# Wine writes the host's name into ComputerName at every start; the stories
# run in a namespace of their own with the template's computer name
# (docs/sim-machine.md). Without one the computer's name differs.
if [ -z "${ZUBA_COMPARE_NAMESPACE:-}" ] && [ "$(id -u)" = 0 ] &&
   unshare --uts true 2> /dev/null; then
  ZUBA_COMPARE_NAMESPACE=1 exec unshare --uts bash "$0" "$@"
fi
zubanet="$PWD/$build/src/app/zubanet"
tool="$PWD/$build/src/app/zubanet-machine"
exe="$PWD/$win/src/zubanet.exe"
companion="$PWD/$win/src/zubanetc.exe"
# zubanet.exe runs under the Windows 9x personality: started by the
# launcher, which finds zuba9x.dll beside it (WINEPATH).
launcher="$PWD/$win/src/win9x-run.exe"
export WINEPATH="Z:${PWD//\//\\}\\$win\\src"
work="$PWD/$win/stories"
sim="$work/sim"
export WINEPREFIX="$work/wineprefix" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# The keys the program reads and writes.
keys=(
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\Net'
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans'
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\MSTCP'
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\VNETSUP'
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\MSNP32\NetworkProvider'
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Print\Printers'
  'HKEY_LOCAL_MACHINE\Network\Logon'
  'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\RunOnce'
  'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Telephony'
  'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
  'HKEY_CURRENT_USER\RemoteAccess'
)

# The host path of the Windows path $2 ("C:\A\B") on the drive directory
# $1, each part found without regard to case as Windows does; parts not
# there are appended as given.
host_path() {
  local cur=$1 rest=${2#[Cc]:} part found
  rest=${rest#\\}
  local IFS='\'
  local parts=($rest)
  local i
  for ((i = 0; i < ${#parts[@]}; i++)); do
    part=${parts[i]}
    found=$(find "$cur" -mindepth 1 -maxdepth 1 -iname "$part" -print -quit 2>/dev/null || true)
    if [ -z "$found" ]; then
      local tail
      tail=$(IFS=/; echo "${parts[*]:i}")
      echo "$cur/$tail"
      return
    fi
    cur=$found
  done
  echo "$cur"
}

# REGEDIT text (either version, any line ends) as sorted lines, one per key
# and one per value prefixed with its key, continuation lines joined.
normalize_reg() {
  tr -d '\r' |
    awk 'NR == 1 && (/^REGEDIT4$/ || /^Windows Registry Editor/) { next }
         { line = $0
           while (line ~ /\\$/ && (getline next_line) > 0) {
             sub(/\\$/, "", line); sub(/^ +/, "", next_line); line = line next_line }
           if (line ~ /^\[/) { key = line; print key }
           else if (line != "") print key "\t" line }' |
    LC_ALL=C sort -f
}

sim_key() {
  "$tool" --machine "$sim" reg export --utf8 "$1" 2>/dev/null | normalize_reg || echo "(no key)"
}

wine_key() {
  local file="$work/export.reg"
  rm -f "$file"
  if wine regedit /E "Z:${file//\//\\}" "$1" > /dev/null 2>&1 && [ -f "$file" ]; then
    iconv -f UTF-16 -t UTF-8 "$file" | sed '1s/^\xEF\xBB\xBF//' | normalize_reg
  else
    echo "(no key)"
  fi
}

# A switch journal with each key's values before the change in one order
# (they are recorded in the order the registry lists them, which is the
# creation order on Windows 9x and sorted under Wine), the Windows
# directory in Windows 9x's spelling (Wine's is C:\windows) and without
# its checksum line, which covers both.
normalize_journal() {
  tr -d '\r' | sed 's/x433A5C77696E646F77735C/x433A5C57494E444F57535C/g' |
    awk '$1 == "end" { next }
         $1 == "value" && $8 != "-" {
           line = $1; for (i = 2; i <= 8; i++) line = line " " $i
           n = 0; for (i = 9; i < NF; i += 2) pairs[++n] = $i " " $(i + 1)
           for (i = 2; i <= n; i++) { p = pairs[i]; j = i - 1
             while (j > 0 && pairs[j] > p) { pairs[j + 1] = pairs[j]; j-- }
             pairs[j + 1] = p }
           for (i = 1; i <= n; i++) line = line " " pairs[i]
           print line; next }
         { print }'
}

# Files below drive_c changed since the marker, as upper-case Windows paths;
# Wine's own directories are left out.
changed_files() {
  (cd "$1" && find . -type f -newer "$2" \
     -not -path './windows/*/*' -not -path './users/*' -not -path './ProgramData/*' \
     -not -path './Program Files/*' -not -iname 'ZUBANET.EXE' -not -iname 'ZUBANETC.EXE' \
     -not -name '*.log' |
     sed 's|^\./|C:\\|; s|/|\\|g' | tr '[:lower:]' '[:upper:]')
}

# Differences docs/sim-machine.md tables, taken out of both sides' output
# (sed expressions). Wine lists subkeys sorted: the dial-up profiles come
# in another order. Wine's QT_Thunk loses the 16-bit answer, so a restart
# through ExitWindows reads as refused while Wine ends the session.
KNOWN=(
  's/"items": \["自宅プロバイダ", "ソフト開発部"\], "index": 0/"items": ["ソフト開発部", "自宅プロバイダ"], "index": 1/'
  's/"items": \["自宅プロバイダ", "ソフト開発部"\], "index": 1/"items": ["ソフト開発部", "自宅プロバイダ"], "index": 0/'
  's/"items": \["自宅プロバイダ", "ソフト開発部"\]/"items": ["ソフト開発部", "自宅プロバイダ"]/'
  '/^\[ZubaNet ベータ版\] (error; OK) Windows を再起動することが出来ませんでした。$/d'
)

differences=0
report() {
  echo "  DIFFERENT: $1"
  { diff <(echo "$2") <(echo "$3") | sed 's/^/    /' | head -40; } || true
  differences=$((differences + 1))
}

# --- A fresh simulated machine and a fresh prefix seeded from it ---------
rm -rf "$work"
mkdir -p "$work"
wineserver -k 2>/dev/null || true
"$tool" --machine "$sim" init --os win98 > /dev/null
if [ -n "${ZUBA_COMPARE_NAMESPACE:-}" ]; then
  hostname "$("$tool" --machine "$sim" reg export \
                'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\ComputerName\ComputerName' |
              tr -d '\r' | sed -n 's/^"ComputerName"="\(.*\)"$/\1/p')"
fi
wineboot -i > /dev/null 2>&1
wineserver -w
wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f > /dev/null 2>&1
# Windows 9x keeps win.ini in the file; Wine, as NT does, maps some of its
# sections to the registry.
wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\IniFileMapping\win.ini' /f \
  > /dev/null 2>&1
for key in "${keys[@]}"; do wine reg delete "$key" /f > /dev/null 2>&1 || true; done
wine regedit /S "Z:${sim//\//\\}\\system.reg" "Z:${sim//\//\\}\\user.reg"
(cd "$sim/drive_c" && find . -type f) | while read -r file; do
  windows="C:${file#.}"
  target=$(host_path "$WINEPREFIX/drive_c" "${windows//\//\\}")
  mkdir -p "$(dirname "$target")"
  cp "$sim/drive_c/$file" "$target"
done
cp "$exe" "$(host_path "$WINEPREFIX/drive_c" 'C:\ZUBANET\ZUBANET.EXE')"
cp "$companion" "$(host_path "$WINEPREFIX/drive_c" 'C:\ZUBANET')/ZUBANETC.EXE"
wineserver -w

# --- The stories -----------------------------------------------------------
story=""
finish_story() {
  [ -n "$story" ] || return 0
  wineserver -w
  for key in "${keys[@]}"; do
    local a b
    a=$(sim_key "$key")
    b=$(wine_key "$key")
    [ "$a" = "$b" ] || report "$story: registry $key" "$a" "$b"
  done
  local file a b files
  files=$( (changed_files "$sim/drive_c" "$work/mark-sim";
            changed_files "$WINEPREFIX/drive_c" "$work/mark-wine") | sort -u)
  echo "  files changed:" $files
  for file in $files; do
    a=$(host_path "$sim/drive_c" "$file")
    b=$(host_path "$WINEPREFIX/drive_c" "$file")
    if [[ $file == *.JNL ]]; then
      local ja jb
      ja=$(normalize_journal < "$a" 2>/dev/null || echo '(none)')
      jb=$(normalize_journal < "$b" 2>/dev/null || echo '(none)')
      [ "$ja" = "$jb" ] || report "$story: journal $file" "$ja" "$jb"
    elif ! cmp -s "$a" "$b"; then
      report "$story: file $file" "$(iconv -c -f CP932 -t UTF-8 "$a" 2>/dev/null || echo '(none)')" \
             "$(iconv -c -f CP932 -t UTF-8 "$b" 2>/dev/null || echo '(none)')"
    fi
  done
}
run_story_line() {
  local -a words
  eval "words=($1)"
  local simCode=0 wineCode=0
  "$zubanet" --machine "$sim" --headless "${words[@]}" > "$work/sim.out" 2> "$work/sim.err" ||
    simCode=$?
  (cd "$(host_path "$WINEPREFIX/drive_c" 'C:\ZUBANET')" &&
     wine "$launcher" 'C:\ZUBANET\ZUBANETC.EXE' --headless "${words[@]}") \
    > "$work/wine.out" 2> "$work/wine.err" ||
    wineCode=$?
  [ "$simCode" = "$wineCode" ] || report "$story: exit code of: $1" "$simCode" "$wineCode"
  echo "  run: exit $simCode, $(wc -l < "$work/sim.err") line(s) of messages," \
       "$(wc -c < "$work/sim.out") byte(s) of dumps"
  [ -z "${ZUBA_COMPARE_VERBOSE:-}" ] || sed 's/^/    | /' "$work/sim.err"
  local part
  for part in out err; do
    local a b
    a=$(cat "$work/sim.$part")
    b=$(cat "$work/wine.$part")
    for expression in "${KNOWN[@]}"; do
      a=$(sed "$expression" <<< "$a")
      b=$(sed "$expression" <<< "$b")
    done
    [ "$a" = "$b" ] || report "$story: standard $part of: $1" "$a" "$b"
  done
}

while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in
    '' | '#'*) ;;
    'story '*)
      finish_story
      story=${line#story }
      echo "story $story"
      touch "$work/mark-sim" "$work/mark-wine"
      sleep 1  # file times have whole seconds on some file systems
      ;;
    'run '*) run_story_line "${line#run }" ;;
    'write '*)
      # write WINPATH TEXT: the same bytes (printf %b) into a file on both.
      rest=${line#write }
      path=${rest%% *}
      for drive in "$sim/drive_c" "$WINEPREFIX/drive_c"; do
        printf '%b' "${rest#* }" > "$(host_path "$drive" "$path")"
      done
      ;;
    *) echo "win32-stories.txt: cannot read: $line" >&2; exit 2 ;;
  esac
done < scripts/win32-stories.txt
finish_story

# Any Windows but 95 and 98 gets the program's refusal: a Windows NT machine
# here, Wine answering as Windows XP there.
story=refusal-on-nt
echo "story $story"
sim="$work/nt"
"$tool" --machine "$sim" init --os nt > /dev/null
wine reg add 'HKCU\Software\Wine' /v Version /d winxp /f > /dev/null 2>&1
run_story_line '--do dump'
wineserver -k 2>/dev/null || true

if ((differences)); then
  echo "compare-win32: $differences difference(s) between the simulated machine and Wine"
  exit 1
fi
echo "compare-win32: every story alike on the simulated machine and under Wine"
