#!/usr/bin/env bash
# zubanet.exe under the Windows 9x personality (MoveFileExA a stub), ended
# as a power cut ends it at each of its file changes, or with one of its
# file moves failing, on a fresh Wine prefix answering as Windows 98 and as
# Windows 95. The stories, each on the machine below (the saved settings
# Office, Home and Big; Big changes address, gateways, DNS, WINS,
# workgroup, computer name, logon, hosts, proxy, dial-up, telephony,
# default printer and win.ini):
#
#   apply     "-- Big /c" ended at its N-th file change;
#   replace   Office replaced in the window (a new address) ended at N;
#   undo      "-- /u /c" after a whole apply of Big, ended at N;
#   recovery  the apply ended at its first registry flush (the network part,
#             hosts and win.ini written, the journal pending), then the start
#             that recovers it (answered finish or go back) ended at N.
#
# After each: a later start answered finish (yes) or go back (no); the
# machine (the registry keys the apply's journal names, exported with
# regedit /E; win.ini, hosts, lmhosts, the settings file) must be all as
# on one side of the apply, the side the answer asked for when the start
# asked, with the journal to match (the apply's, complete, on its side
# after it, so that it can still be undone); every saved setting is still
# there, no temporary file of a replacement is left, and a third start asks
# nothing. Then the move failures: the apply with its N-th move failing
# completes or says what it could not do (never naming as not done what it
# wrote), and "-- /u /c" brings the old machine back.
#
# Each N is run with one answer, the answers alternating with N; the
# second mode takes the other answer of each N. CI runs a sample (a few
# minutes): the N where the call is a move (MoveFileA) or a deletion
# (DeleteFileA), and the first and the last N, of the apply and the undo in
# both modes and of the replace in the first (with its profile writes of
# the settings file itself); the moves of both recoveries
# in the first mode; every move failing in both. ZUBA_MATRIX_ALL=1 runs
# every N of every story in every mode with both answers (about half an
# hour a mode).
#
# kill-matrix-win32.sh LINUX_BUILD WIN32_BUILD [MODE...] (modes win98 and
# win95 by default), with the environment scripts/test-win32.sh sets up
# (Wine, the Japanese locale). ZUBA_MATRIX_EXE runs another zubanet.exe
# (one built from older code, to see the matrices catch its faults);
# ZUBA_MATRIX_STORIES picks stories ("apply undo", say).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
win=$2
shift 2
modes=("$@")
[ ${#modes[@]} -gt 0 ] || modes=(win98 win95)
stories=${ZUBA_MATRIX_STORIES:-apply replace undo recovery move-failure}
tool="$PWD/$build/src/app/zubanet-machine"
exe=${ZUBA_MATRIX_EXE:-$PWD/$win/src/zubanet.exe}
launcher="$PWD/$win/src/win9x-run.exe"
export WINEPATH="Z:${PWD//\//\\}\\$win\\src"
work="$PWD/$win/killmatrix"
export WINEPREFIX="$work/wineprefix" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
unset ZUBA_KILL_AT ZUBA_FAIL_MOVE_AT ZUBA_CALLS_FILE

# The three saved settings (UTF-8 here, CP932 with CR LF on the machine).
settings_file() {
  local common='dh=zubapc
dd=example.co.jp
di=192.168.1.2,192.168.1.3
ds=example.co.jp,example.jp
fs=Yes
ps=No
ws=192.168.1.3
nt=8
wi=
pa=http://proxy.example.co.jp/proxy.pac
cp=0
pc=1
pd=0'
  local usual='de=1
wg=WORKGROUP
lc=ZUBAPC
cc=ソフト開発部 表示端末
li=taro
ld=ZUBADOM
wp=192.168.1.2
lo=1
pe=0
pv=
pf=自宅プロバイダ
tl=自宅
pr=レーザー プリンタ'
  cat <<EOF
[Initialize]
IniConvert=1
WindowSize.X=0
WindowSize.Y=0
Opt1=1
Opt2=1
Opt3=0
Opt4=1
Opt5=1
Opt6=0
Opt7=0
SaveWarnings=1
[SETTINGLIST]
SETTINGS.Count=3
SETTINGS.0=Office
SETTINGS.1=Home
SETTINGS.2=Big
[NIC_registry_list]
Office=0000
Home=0000
Big=0000
[Office]
ip=192.168.1.10
gw=192.168.1.1,192.168.1.254
ms=255.255.255.0
$usual
$common
[Home]
ip=10.0.0.2
gw=192.168.1.1,192.168.1.254
ms=255.0.0.0
$usual
$common
[Big]
ip=10.9.8.7
gw=10.9.8.1
ms=255.255.0.0
de=0
wg=BIGGROUP
lc=BIGPC
cc=会社の端末
li=hanako
ld=OFFICEDOM
wp=10.1.0.10
lo=0
pe=1
pv=proxy.office:8080
pf=ソフト開発部
tl=会社
pr=カラー プリンタ
hh=C:\\WINDOWS\\hosts.office
hl=C:\\WINDOWS\\lmhosts.office
$common
EOF
}

# The files of the machine a round looks at, and the settings file.
files=('C:\WINDOWS\WIN.INI' 'C:\WINDOWS\HOSTS' 'C:\WINDOWS\LMHOSTS' 'C:\ZUBANET\Zubanet.ini')
journal='C:\ZUBANET\Zubanet.JNL'

# The host path of the Windows path $1 on the prefix's drive C:, each part
# found without regard to case; parts not there are appended as given.
host_path() {
  local cur="$WINEPREFIX/drive_c" rest=${1#[Cc]:} part found i
  rest=${rest#\\}
  local IFS='\'
  local parts=($rest)
  for ((i = 0; i < ${#parts[@]}; i++)); do
    part=${parts[i]}
    found=$(find "$cur" -mindepth 1 -maxdepth 1 -iname "$part" -print -quit 2>/dev/null || true)
    if [ -z "$found" ]; then
      echo "$cur/$(IFS=/; echo "${parts[*]:i}")"
      return
    fi
    cur=$found
  done
  echo "$cur"
}

# zubanet.exe ARGUMENT... under the personality, from C:\ZUBANET; its exit
# code in $code, its messages in $work/err (a killed run ends with 86).
run() {
  code=0
  (cd "$(host_path 'C:\ZUBANET')" &&
     timeout 120 wine "$launcher" 'C:\ZUBANET\ZUBANET.EXE' --headless "$@") \
    > "$work/out" 2> "$work/err" || code=$?
}

# The registry keys the apply of Big changes, from its journal: "ROOT\KEY".
journal_keys() {
  tr -d '\r' < "$1" | awk '$1 == "value" || $1 == "key" { print $2, substr($3, 2) }' |
    sort -u | while read -r root hex; do
      case $root in
        80000002) root=HKEY_LOCAL_MACHINE ;;
        80000001) root=HKEY_CURRENT_USER ;;
      esac
      echo "$root\\$(echo "$hex" | xxd -r -p | iconv -f CP932 -t UTF-8)"
    done
}

# The registry keys and the files of the machine now, into directory $1:
# registry.txt (REGEDIT text of each key, or "(no key)"), one file per
# machine file (or none), journal, leftovers (temporary files of
# replacements and of the old code's one).
save_state() {
  local dir=$1 i
  rm -rf "$dir"
  mkdir -p "$dir"
  for i in "${!keys[@]}"; do
    wine regedit /E "Z:${dir//\//\\}\\key$i.reg" "${keys[i]}" > /dev/null 2>&1 &
  done
  wait
  for i in "${!keys[@]}"; do
    echo "== ${keys[i]}"
    if [ -f "$dir/key$i.reg" ]; then
      iconv -f UTF-16 -t UTF-8 "$dir/key$i.reg" | sed '1s/^\xEF\xBB\xBF//' | tr -d '\r' |
        sed '1{/^Windows Registry Editor/d}' | sed '/^$/d'
    else
      echo "(no key)"
    fi
  done > "$dir/registry.txt"
  for i in "${!files[@]}"; do
    local from
    from=$(host_path "${files[i]}")
    [ ! -f "$from" ] || cp -p "$from" "$dir/file$i"
  done
  from=$(host_path "$journal")
  [ ! -f "$from" ] || cp -p "$from" "$dir/journal"
  find "$WINEPREFIX/drive_c/ZUBANET" "$WINEPREFIX/drive_c/windows" -maxdepth 1 -type f \
    \( -iname '*.zn~' -o -iname '*.zb~' -o -iname '*.zh~' -o -iname 'zub*.tmp' \) \
    -printf '%f\n' | sort > "$dir/leftovers"
}

# Puts the machine of the state in directory $1 back.
restore_state() {
  local dir=$1 i target
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    for key in "${keys[@]}"; do printf '[-%s]\n\n' "$key"; done
    grep -v -e '^(no key)$' -e '^== ' "$dir/registry.txt" | awk '/^\[/ { print "" } { print }'
  } | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$work/restore.reg"
  wine regedit /S "Z:${work//\//\\}\\restore.reg" > /dev/null 2>&1
  for i in "${!files[@]}" journal; do
    local windows=$journal source=$dir/journal
    [ "$i" = journal ] || { windows=${files[i]}; source=$dir/file$i; }
    target=$(host_path "$windows")
    rm -f "$target"
    [ ! -f "$source" ] || cp -p "$source" "$(dirname "$target")/${windows##*\\}"
  done
  find "$WINEPREFIX/drive_c/ZUBANET" "$WINEPREFIX/drive_c/windows" -maxdepth 1 -type f \
    \( -iname '*.zn~' -o -iname '*.zb~' -o -iname '*.zh~' -o -iname 'zub*.tmp' \) -delete
}

# The machine of the state in directory $1 as text: the registry, then each
# file (profiles without their blank lines, which Wine's profile functions
# drop; CP932 shown as UTF-8).
machine_text() {
  local i
  cat "$1/registry.txt"
  for i in "${!files[@]}"; do
    echo "== ${files[i]}"
    if [ -f "$1/file$i" ]; then
      iconv -c -f CP932 -t UTF-8 "$1/file$i" | tr -d '\r' | sed '/^$/d'
    else
      echo "(missing)"
    fi
  done
}

# The journal's first lines (setting, state, run), or "none".
journal_head() {
  if [ -f "$1/journal" ]; then
    tr -d '\r' < "$1/journal" | sed -n '2,4p' | tr '\n' ' '
  else
    echo none
  fi
}

failures=0
rounds=0
fail() {
  echo "  FAILS: $round: $1"
  [ -z "${2:-}" ] || sed 's/^/    /' <<< "$2" | head -30
  failures=$((failures + 1))
}

# Checks the machine after a round's later start; $1 and $2 are the state
# directories of the two sides (before, after), $3 the answer given. The
# later start's messages are in $work/err.
check_round() {
  local before=$1 after=$2 answer=$3 now="$work/states/now" text side=""
  local asked=""
  grep -q '途中で終わっています' "$work/err" && asked=1
  save_state "$now"
  text=$(machine_text "$now")
  [ "$text" = "$(machine_text "$before")" ] && side=before
  [ "$text" = "$(machine_text "$after")" ] && side=${side:-after}
  if [ -z "$side" ]; then
    fail "the machine is neither as before nor as after" \
      "$(diff <(machine_text "$after") <(echo "$text") | grep '^[<>]' | head -20)"
  elif [ -n "$asked" ] && [ "$side" != "$([ "$answer" = yes ] && echo after || echo before)" ]; then
    fail "answered $answer, the machine is as $side"
  fi
  # The journal goes with the machine: the complete apply after it (it can
  # still be undone), none or an undo done before it.
  local head
  head=$(journal_head "$now")
  case $side in
    after) [ "$head" = "$(journal_head "$after")" ] || fail "as after, with the journal: $head" ;;
    before)
      case $head in
        none | *'state done run undo '*) ;;
        *) fail "as before, with the journal: $head" ;;
      esac ;;
  esac
  [ ! -s "$now/leftovers" ] || fail "left: $(tr '\n' ' ' < "$now/leftovers")"
  local name
  for name in Office Home Big; do
    iconv -c -f CP932 -t UTF-8 "$now/file3" 2>/dev/null | tr -d '\r' | grep -qx "SETTINGS.[0-9]=$name" ||
      fail "the saved setting $name is gone"
  done
  run --do dump
  if grep -q '(question;' "$work/err"; then fail "the third start asks" "$(cat "$work/err")"; fi
  rounds=$((rounds + 1))
}

# Whether round N of the story $2 runs (see the top); $calls and the trace
# of the story's run must be at hand. A cut at MoveFileExA, a stub here,
# leaves what a cut at the move after it leaves.
chosen() {
  [ -z "${ZUBA_MATRIX_ALL:-}" ] || return 0
  case $(call_name "$1") in
    MoveFileA*) return 0 ;;
    DeleteFileA*) [ "$2" != recovery ] && return 0 ;;
    # A replace writes the settings file itself only to flush it.
    WritePrivateProfile*'\Zubanet.ini ') [ "$2" = replace ] && return 0 ;;
  esac
  [ "$2" != recovery ] && (($1 == 1 || $1 == calls))
}

# The answer of the N-th round of the mode: alternating, the other way in
# the second mode.
answers_for() {
  if [ -n "${ZUBA_MATRIX_ALL:-}" ]; then echo yes no
  elif (( ($1 + mode_index) % 2 )); then echo yes
  else echo no
  fi
}

# Counts the file changes of a run: "zubanet.exe ARGUMENT..." on the
# machine as it stands; the count in $calls, the trace in $work/calls.
count_calls() {
  rm -f "$work/calls"
  ZUBA_CALLS_FILE="Z:${work//\//\\}\\calls" run "$@"
  [ "$code" = 0 ] || { echo "kill-matrix: $* ended with $code" >&2; cat "$work/err" >&2; exit 1; }
  calls=$(head -1 "$work/calls" | cut -d' ' -f1)
}

# What call N of the traced run was ("MoveFileA C:\...").
call_name() {
  sed -n "$(($1 + 1))p" "$work/calls" | cut -d' ' -f2- | tr '\n' ' '
}

replace_office=(--answer ok --answer ok --do 'choose CbSetting Office' --do 'click BtConfig'
                --do 'type EdTip 192.168.1.20' --do 'click BbOk')

story_apply() {
  restore_state "$states/before"
  count_calls -- Big /c
  local n answer
  echo "apply of Big: $calls file changes"
  for ((n = 1; n <= calls; n++)); do
    chosen "$n" apply || continue
    local name
    name=$(call_name "$n")
    for answer in $(answers_for "$n"); do
      round="$mode apply ended at $n ($name), then $answer"
      restore_state "$states/before"
      ZUBA_KILL_AT=$n run -- Big /c
      [ "$code" = 86 ] || fail "not ended (exit $code)"
      run --answer "$answer" --do dump
      check_round "$states/before" "$states/applied" "$answer"
    done
  done
}

story_replace() {
  [ -n "${ZUBA_MATRIX_ALL:-}" ] || ((mode_index == 0)) || return 0
  restore_state "$states/before"
  count_calls "${replace_office[@]}"
  echo "replace of Office: $calls file changes"
  local n
  for ((n = 1; n <= calls; n++)); do
    chosen "$n" replace || continue
    local answer
    answer=$(answers_for "$n" | cut -d' ' -f1)
    round="$mode replace ended at $n ($(call_name "$n")), then $answer"
    restore_state "$states/before"
    ZUBA_KILL_AT=$n run "${replace_office[@]}"
    [ "$code" = 86 ] || fail "not ended (exit $code)"
    run --answer "$answer" --do dump
    if grep -q '(question;' "$work/err"; then fail "the later start asks" "$(cat "$work/err")"; fi
    # Nothing of the network changes: the sides are the settings file before
    # and after the replace.
    check_round "$states/before" "$states/replaced" "$answer"
  done
}

story_undo() {
  restore_state "$states/applied"
  count_calls -- /u /c
  echo "undo of Big: $calls file changes"
  local n answer
  for ((n = 1; n <= calls; n++)); do
    chosen "$n" undo || continue
    local name
    name=$(call_name "$n")
    for answer in $(answers_for "$n"); do
      round="$mode undo ended at $n ($name), then $answer"
      restore_state "$states/applied"
      ZUBA_KILL_AT=$n run -- /u /c
      [ "$code" = 86 ] || fail "not ended (exit $code)"
      run --answer "$answer" --do dump
      check_round "$states/undone" "$states/applied" "$answer"
    done
  done
}

story_recovery() {
  [ -n "${ZUBA_MATRIX_ALL:-}" ] || ((mode_index == 0)) || return 0
  # The apply's first registry flush: everything but the flush and the
  # journal's last marks written.
  restore_state "$states/before"
  count_calls -- Big /c
  local cut
  cut=$(awk 'NR > 1 && $2 == "RegFlushKey" { print $1; exit }' "$work/calls")
  local first n answer
  for first in no yes; do
    restore_state "$states/before"
    ZUBA_KILL_AT=$cut run -- Big /c
    save_state "$states/cut"
    count_calls --answer "$first" --do dump
    echo "recovery answered $first after the apply ended at $cut: $calls file changes"
    for ((n = 1; n <= calls; n++)); do
      chosen "$n" recovery || continue
      local name
      name=$(call_name "$n")
      for answer in $(answers_for "$n"); do
        round="$mode recovery ($first) ended at $n ($name), then $answer"
        restore_state "$states/cut"
        ZUBA_KILL_AT=$n run --answer "$first" --do dump
        [ "$code" = 86 ] || fail "not ended (exit $code)"
        run --answer "$answer" --do dump
        check_round "$states/before" "$states/applied" "$answer"
      done
    done
  done
}

story_move_failure() {
  restore_state "$states/before"
  count_calls -- Big /c
  local moves
  moves=$(grep -c ' MoveFileA ' "$work/calls" || true)
  echo "apply of Big: $moves moves"
  local n
  for ((n = 1; n <= moves; n++)); do
    round="$mode apply with move $n failing"
    restore_state "$states/before"
    ZUBA_FAIL_MOVE_AT=$n run --answer no -- Big /c
    save_state "$work/states/failed"
    local said
    said=$(grep '(error;' "$work/err" | grep -v '再起動することが出来ませんでした' || true)
    if [ "$(machine_text "$work/states/failed")" != "$(machine_text "$states/applied")" ] &&
       [ -z "$said" ]; then
      fail "the apply is not complete and says nothing"
    fi
    # What it lists as not done it has not done: hosts named so is the old one.
    if grep -q '・hosts の置き換え' <<< "$said" &&
       cmp -s "$work/states/failed/file1" "$states/applied/file1"; then
      fail "hosts is listed as not done, and holds the new file" "$said"
    fi
    # Whatever the start finds first (the apply cut short), finishing it is
    # what the undo then takes back.
    run --answer yes -- /u /c
    save_state "$work/states/now"
    [ "$(machine_text "$work/states/now")" = "$(machine_text "$states/undone")" ] ||
      fail "/u does not bring the old machine back" \
        "$(diff <(machine_text "$states/undone") <(machine_text "$work/states/now") | grep '^[<>]')"
    rounds=$((rounds + 1))
  done
}

# --- A fresh prefix for each mode, seeded from the template machine ---------
mode_index=0
for mode in "${modes[@]}"; do
  echo "kill-matrix: Windows ${mode#win}"
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
  mkdir -p "$work"
  states="$work/states"
  sim="$work/sim"
  "$tool" --machine "$sim" init --os "$mode" > /dev/null
  settings_file | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$sim/drive_c/ZUBANET/Zubanet.ini"
  # The registry keys an apply of Big changes, from its journal on the
  # simulated machine (a copy); the rounds look at these keys.
  cp -r "$sim" "$work/sim-applied"
  "$PWD/$build/src/app/zubanet" --machine "$work/sim-applied" --headless -- Big /c > /dev/null 2>&1
  mapfile -t keys < <(journal_keys "$work/sim-applied/drive_c/ZUBANET/Zubanet.JNL")
  echo "registry keys an apply of Big changes: ${#keys[@]}"
  wineboot -i > /dev/null 2>&1
  wineserver -w
  wineserver -p
  wine reg add 'HKCU\Software\Wine' /v Version /d "$mode" /f > /dev/null 2>&1
  wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\IniFileMapping\win.ini' /f \
    > /dev/null 2>&1
  sleep 5  # the session's services have set up their devices
  wine regedit /S "Z:${sim//\//\\}\\system.reg" "Z:${sim//\//\\}\\user.reg"
  (cd "$sim/drive_c" && find . -type f) | while read -r file; do
    windows="C:${file#.}"
    target=$(host_path "${windows//\//\\}")
    mkdir -p "$(dirname "$target")"
    cp "$sim/drive_c/$file" "$target"
  done
  cp "$exe" "$(host_path 'C:\ZUBANET\ZUBANET.EXE')"

  # The states the rounds end on, each after whole runs: before (a plain
  # start stores the window's options), applied, undone and replaced.
  run --do dump
  save_state "$states/before"
  run -- Big /c
  [ "$code" = 0 ] || { echo "kill-matrix: the apply of Big fails: $(cat "$work/err")"; exit 1; }
  save_state "$states/applied"
  mapfile -t applied_keys < <(journal_keys "$states/applied/journal")
  for key in "${applied_keys[@]}"; do
    printf '%s\n' "${keys[@]}" | grep -qixF "$key" ||
      { echo "kill-matrix: the apply changes $key, which the simulated machine's does not"; exit 1; }
  done
  run -- /u /c
  save_state "$states/undone"
  if [ "$(machine_text "$states/undone")" != "$(machine_text "$states/before")" ]; then
    echo "kill-matrix: the undo does not bring the machine before the apply back:"
    diff <(machine_text "$states/before") <(machine_text "$states/undone") || true
    exit 1
  fi
  restore_state "$states/before"
  run "${replace_office[@]}"
  save_state "$states/replaced"
  [ "$(machine_text "$states/replaced")" != "$(machine_text "$states/before")" ] ||
    { echo "kill-matrix: the replace changes nothing: $(cat "$work/err")"; exit 1; }

  for story in $stories; do
    before_rounds=$rounds before_failures=$failures
    "story_${story//-/_}"
    echo "  $story: $((rounds - before_rounds)) round(s), $((failures - before_failures)) failure(s)"
  done
  wineserver -k 2>/dev/null || true
  mode_index=$((mode_index + 1))
done
echo "kill-matrix: $rounds round(s), $failures failure(s)"
((failures == 0))
