#!/usr/bin/env bash
# End-to-end layer of real faults: a full file system and kills.
#
# 1. Full disk: mounts a small tmpfs (as root), makes it Wine drive F: and
#    links the data folder's ring (Folders\LastCaptures) and notes (Stickies)
#    into it; the driver's FaultsE2E.* scenarios then fill it to the brink and
#    save into it from the user's side. Where mounting is refused the part is
#    skipped with a "skipped: no mount permission" line.
# 2. Kills: FLK_FAULTS_ROUNDS rounds (default 20, three kills each). In each, the driver keeps
#    the camera, the viewer and the sticky manager writing (FaultsKill.Stream)
#    while this script kills their Unix processes with kill -9 after a random
#    delay; it counts the temporary files the kill left (a write cut short),
#    then FaultsKill.Check starts the roles again and checks every picture,
#    memo, note, the settings and that no temporary file is left.
#
# Prints "LAYER e2e-faults: N passed, M failed" and a line of kill figures.
# FLK_FAULTS_SEED fixes the delays; FLK_E2E_TIMEOUT bounds each driver run.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=wine/harness.sh
source "$ROOT/scripts/wine/harness.sh"

LAYER=e2e-faults
DRIVER=${FLK_E2E_DRIVER:-$FLK_WIN64_BUILD/tests/e2e/e2e_driver.exe}
PROGRAM=${FLK_PROGRAM_EXE:-$FLK_WIN64_BUILD/FramelarkPro.exe}
ROUNDS=${FLK_FAULTS_ROUNDS:-20}
SEED=${FLK_FAULTS_SEED:-$(date +%s)}
LOG_DIR=$ROOT/build/e2e-faults
mkdir -p "$LOG_DIR"
rm -f "$LOG_DIR"/*.log

fail_layer() {
  echo "e2e-faults: $*" >&2
  echo "LAYER $LAYER: 0 passed, 1 failed"
  exit 1
}

[[ -f $DRIVER ]] || fail_layer "no driver at $DRIVER (run scripts/build.sh)"
[[ -f $PROGRAM ]] || fail_layer "no program at $PROGRAM (run scripts/build.sh)"

MNT=
teardown() {
  local rc=$?
  flk_wineserver_stop
  if [[ -n $MNT ]] && mountpoint -q "$MNT"; then umount "$MNT" || umount -l "$MNT"; fi
  (exit $rc)
  flk_harness_down
}

t0=$(flk_now_ms)
flk_harness_up faults || fail_layer "the Wine harness did not come up"
trap teardown EXIT
flk_install "$PROGRAM" || fail_layer "installing the program failed"

data=$WINEPREFIX/drive_c/Framelark
mkdir -p "$data/Folders"
MNT=$FLK_RUN_DIR/full
mkdir -p "$MNT"
passed=0
failed=0
# 48 MiB: room for a ring of full-screen pictures once the filler is gone.
if mount -t tmpfs -o size=48m tmpfs "$MNT" 2>"$LOG_DIR/mount.log"; then
  mkdir -p "$MNT/LastCaptures" "$MNT/Stickies"
  rm -rf "$data/Folders/LastCaptures" "$data/Stickies"
  ln -s "$MNT/LastCaptures" "$data/Folders/LastCaptures"
  ln -s "$MNT/Stickies" "$data/Stickies"
  ln -sfn "$MNT" "$WINEPREFIX/dosdevices/f:"
  export FLK_FAULTS_DRIVE=F:
  timeout -k 10 "${FLK_E2E_TIMEOUT:-600}" "$FLK_WINE64" "$DRIVER" --gtest_color=no --gtest_filter='FaultsE2E.*' \
    >"$LOG_DIR/full-disk.log" 2>&1
  code=$?
  tr -d '\r' <"$LOG_DIR/full-disk.log" | grep -E '^\[ *(OK|FAILED|SKIPPED) *\]|Failure|Expected|Which is|text:|boxes' | head -60
  line=$(flk_gtest_layer full-disk "$LOG_DIR/full-disk.log" "$code")
  echo "e2e-faults: $line"
  [[ $line =~ :\ ([0-9]+)\ passed,\ ([0-9]+)\ failed ]] && passed=$((passed + BASH_REMATCH[1])) &&
    failed=$((failed + BASH_REMATCH[2]))
else
  echo "e2e-faults: full disk skipped: no mount permission ($(head -1 "$LOG_DIR/mount.log"))"
  MNT=
  export FLK_FAULTS_DRIVE=C:
  rm -rf "$data/Stickies"
fi

# ---- kills ---------------------------------------------------------------------------

# Unix process ids of the program's processes in OUR prefix, with their role.
program_processes() {
  local p cmd
  for p in /proc/[0-9]*; do
    cmd=$( (tr '\0' ' ' <"$p/cmdline") 2>/dev/null) || continue
    [[ $cmd == *FramelarkPro.exe* ]] || continue
    ( (tr '\0' '\n' <"$p/environ") 2>/dev/null) | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    case $cmd in
      *FramelarkPro.exe\ viewer*) echo "${p#/proc/} viewer" ;;
      *FramelarkPro.exe\ sticky*) echo "${p#/proc/} sticky" ;;
      *) echo "${p#/proc/} camera" ;;
    esac
  done
}

temporary_files() { find "$data" ${MNT:+"$MNT"} -name '*.flktmp' 2>/dev/null | sort -u; }

driver() { # log gtest-filter
  timeout -k 10 "${FLK_E2E_TIMEOUT:-600}" "$FLK_WINE64" "$DRIVER" --gtest_color=no --gtest_filter="$2" >>"$1" 2>&1
}

RANDOM=$SEED
kills=0 hits=0 checks_ok=0 checks_bad=0
declare -A KILLED=([camera]=0 [viewer]=0 [sticky]=0)
declare -A HIT=([camera]=0 [viewer]=0 [sticky]=0)
prep=$LOG_DIR/kill-prepare.log
driver "$prep" 'FaultsKill.Prepare' || fail_layer "preparing the kill rounds failed: $(tail -5 "$prep")"
t_kills=$(flk_now_ms)
for ((round = 1; round <= ROUNDS; round++)); do
  log=$LOG_DIR/kill-$round.log
  # 0.3 to 3.5 s into the stream: at start-up, mid-capture, mid-write-back...
  delay=$((300 + RANDOM % 3200))
  rm -f "$data/stream.stop"
  FLK_FAULTS_STREAM_MS=$((delay + 3000)) driver "$log" 'FaultsKill.Stream' &
  stream=$!
  # The delay counts from the moment the camera runs (the first round starts it).
  deadline=$((SECONDS + 20))
  while ((SECONDS < deadline)) && ! program_processes | grep -q ' camera$'; do sleep 0.05; done
  sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
  victims=$(program_processes)
  pids=$(awk '{print $1}' <<<"$victims")
  # shellcheck disable=SC2086
  [[ -n $pids ]] && kill -9 $pids 2>/dev/null
  # The stream stops at once (a dead process's windows can linger in Wine).
  touch "$data/stream.stop"
  for pid in $pids; do
    for ((i = 0; i < 40; i++)); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    kill -0 "$pid" 2>/dev/null && echo "round $round: process $pid survived kill -9" | tee -a "$log"
  done
  while read -r pid role; do
    [[ -n ${pid:-} ]] || continue
    kills=$((kills + 1))
    KILLED[$role]=$((KILLED[$role] + 1))
  done <<<"$victims"
  wait "$stream"
  # A temporary file left now is a write the kill cut short.
  mapfile -t left < <(temporary_files)
  for f in "${left[@]}"; do
    [[ -n $f ]] || continue
    hits=$((hits + 1))
    case $f in
      *.rtf.*) HIT[viewer]=$((HIT[viewer] + 1)) ;;
      */Stickies/*|*/Pro/NewSticky*) HIT[sticky]=$((HIT[sticky] + 1)) ;;
      *) HIT[camera]=$((HIT[camera] + 1)) ;;  # ring store (or a viewer write-back of a ring picture)
    esac
  done
  echo "round $round: killed after ${delay} ms: $(tr '\n' ' ' <<<"$victims"); left ${#left[@]} temporary file(s)" | tee -a "$log"
  driver "$log" 'FaultsKill.Check'
  code=$?
  if [[ $(flk_gtest_layer check "$log" "$code") == *" 0 failed" ]]; then
    checks_ok=$((checks_ok + 1))
  else
    checks_bad=$((checks_bad + 1))
    tr -d '\r' <"$log" | grep -E 'Failure|Expected|Which is|left|decode|open|message' | head -20
  fi
  tr -d '\r' <"$log" | grep -E '^(stream|checked):' | sed "s/^/  round $round /"
done
t_end=$(flk_now_ms)
program_processes | awk '{print $1}' | xargs -r kill -9 2>/dev/null
echo "e2e-faults: seed $SEED, $ROUNDS rounds, $kills kills (camera ${KILLED[camera]}, viewer ${KILLED[viewer]}," \
  "sticky ${KILLED[sticky]}), $hits hit a write in progress (ring/picture ${HIT[camera]}, memo ${HIT[viewer]}," \
  "note ${HIT[sticky]}); $checks_ok restarts checked clean, $checks_bad not; kills took $((t_end - t_kills)) ms," \
  "layer $((t_end - t0)) ms"
passed=$((passed + checks_ok))
failed=$((failed + checks_bad))
((kills >= 50)) || { echo "e2e-faults: only $kills kills" >&2; failed=$((failed + 1)); }
echo "LAYER $LAYER: $passed passed, $failed failed"
((failed == 0))
