#!/usr/bin/env bash
# End-to-end layer of real faults: a full file system and kills.
#
# 1. Full disk: mounts a small tmpfs (as root), makes it Wine drive F: and
#    links the data folder's ring (Folders\LastCaptures) and notes (Stickies)
#    into it; the driver's FaultsE2E.* scenarios then fill it to the brink and
#    save into it from the user's side. Where mounting is refused the part is
#    skipped with a "skipped: no mount permission" line. The editor's copies
#    (Edited) and the program folder (Pro, the e-mail attachment) lie there too.
# 2. Kills: FLK_FAULTS_ROUNDS rounds (default 20, three kills each) in one
#    run of the driver (FaultsKill.Rounds). In each, the driver starts the
#    camera, the viewer and the sticky manager, checks every picture, memo,
#    note, the settings and that no temporary file is left, and keeps the
#    roles writing, while this script kills their Unix processes with kill -9:
#    at a random moment in odd rounds, the moment a save creates its
#    temporary file in even rounds (scripts/wine/kill_roles.py). It counts the
#    temporary files the kill left (a write cut short) and tells the driver to
#    go on; the driver checks again after the last kill.
#
# 3. Leaks under load (FaultsLoad.*, FLK_FAULTS_LOAD=0 leaves them out, FLK_FAULTS_LOAD_FILTER picks): 1,000
#    ring captures, 200 viewer folder switches, 100 notes; prints "load ..."
#    lines with the object counts and memory before and after.
#
# Prints "LAYER e2e-faults: N passed, M failed" and a line of kill figures.
# FLK_FAULTS_SEED fixes the delays; FLK_FAULTS_FILTER picks full-disk scenarios; FLK_E2E_TIMEOUT bounds each driver run.
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
  mkdir -p "$MNT/LastCaptures" "$MNT/Stickies" "$MNT/Edited"
  rm -rf "$data/Folders/LastCaptures" "$data/Stickies" "$data/Edited"
  ln -s "$MNT/LastCaptures" "$data/Folders/LastCaptures"
  ln -s "$MNT/Stickies" "$data/Stickies"
  ln -s "$MNT/Edited" "$data/Edited"
  # The program folder too, for the e-mail attachment file written beside the program.
  mv "$data/Pro" "$MNT/Pro" && ln -s "$MNT/Pro" "$data/Pro"
  ln -sfn "$MNT" "$WINEPREFIX/dosdevices/f:"
  export FLK_FAULTS_DRIVE=F:
  timeout -k 10 "${FLK_E2E_TIMEOUT:-600}" "$FLK_WINE64" "$DRIVER" --gtest_color=no --gtest_filter="${FLK_FAULTS_FILTER:-FaultsE2E.*}" \
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

# ---- leaks under load, two programs at once --------------------------------------

if [[ ${FLK_FAULTS_LOAD:-1} == 1 ]]; then
  timeout -k 10 "${FLK_E2E_TIMEOUT:-600}" "$FLK_WINE64" "$DRIVER" --gtest_color=no --gtest_filter="${FLK_FAULTS_LOAD_FILTER:-FaultsLoad.*:FaultsTwice.*}" \
    >"$LOG_DIR/load.log" 2>&1
  code=$?
  tr -d '\r' <"$LOG_DIR/load.log" | grep -E '^\[ *(OK|FAILED|SKIPPED) *\]|^load |Failure|Expected|Which is' | head -40
  line=$(flk_gtest_layer load "$LOG_DIR/load.log" "$code")
  echo "e2e-faults: $line"
  [[ $line =~ :\ ([0-9]+)\ passed,\ ([0-9]+)\ failed ]] && passed=$((passed + BASH_REMATCH[1])) &&
    failed=$((failed + BASH_REMATCH[2]))
fi

# ---- kills ---------------------------------------------------------------------------

# Unix process ids of the program's processes in OUR prefix, with their role.
program_processes() { python3 "$ROOT/scripts/wine/kill_roles.py" list "$WINEPREFIX"; }

temporary_files() { find "$data" ${MNT:+"$MNT"} -name '*.flktmp' 2>/dev/null | sort -u; }

driver() { # log gtest-filter
  timeout -k 10 "${FLK_E2E_TIMEOUT:-600}" "$FLK_WINE64" "$DRIVER" --gtest_color=no --gtest_filter="$2" >>"$1" 2>&1
}

RANDOM=$SEED
kills=0 hits=0 aimed=0 aimed_hits=0 timed=0 timed_hits=0 checks_ok=0 checks_bad=0
declare -A KILLED=([camera]=0 [viewer]=0 [sticky]=0)
declare -A HIT=([camera]=0 [viewer]=0 [sticky]=0)
prep=$LOG_DIR/kill-prepare.log
driver "$prep" 'FaultsKill.Prepare' || fail_layer "preparing the kill rounds failed: $(tail -5 "$prep")"
# The folders the roles write into: watched by the aimed kills.
watch=("$data/Folders/Other" "$data/Pro" ${MNT:+"$MNT/LastCaptures" "$MNT/Stickies"})
[[ -n $MNT ]] || watch+=("$data/Folders/LastCaptures" "$data/Stickies")
sync=$WINEPREFIX/drive_c/FramelarkFaults/sync
rm -rf "$sync"
mkdir -p "$sync"
t_kills=$(flk_now_ms)
# One run of the driver for every round: it starts and checks the roles,
# keeps them writing, waits for this loop to kill and count, and again.
FLK_FAULTS_ROUNDS=$ROUNDS timeout -k 10 "$((ROUNDS * 90 + 120))" "$FLK_WINE64" "$DRIVER" --gtest_color=no \
  --gtest_filter='FaultsKill.Rounds' >"$LOG_DIR/kills.log" 2>&1 &
rounds_driver=$!
for ((round = 1; round <= ROUNDS; round++)); do
  log=$LOG_DIR/kill-$round.log
  deadline=$((SECONDS + 120))
  while [[ ! -e $sync/ready-$round ]] && ((SECONDS < deadline)) && kill -0 "$rounds_driver" 2>/dev/null; do
    sleep 0.05
  done
  if [[ ! -e $sync/ready-$round ]]; then
    echo "round $round: the driver never started its stream" | tee -a "$log"
    checks_bad=$((checks_bad + 1))
    break
  fi
  # Odd rounds: a random moment 0.2 to 3.2 s into the stream (start-up,
  # capture, write-back...). Even rounds: aimed at a write, the first one
  # that starts after 0.2 to 1.7 s.
  if ((round % 2)); then
    delay=$((200 + RANDOM % 3000))
    out=$(python3 "$ROOT/scripts/wine/kill_roles.py" kill "$WINEPREFIX" "$delay" 0)
    timed=$((timed + 1))
  else
    delay=$((200 + RANDOM % 1500))
    out=$(python3 "$ROOT/scripts/wine/kill_roles.py" kill "$WINEPREFIX" "$delay" 6000 "${watch[@]}")
    aimed=$((aimed + 1))
  fi
  how=$(head -1 <<<"$out")
  victims=$(tail -n +2 <<<"$out")
  pids=$(awk '{print $1}' <<<"$victims")
  touch "$sync/killed-$round"
  for pid in $pids; do
    for ((i = 0; i < 40; i++)); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    kill -0 "$pid" 2>/dev/null && echo "round $round: process $pid survived kill -9" | tee -a "$log"
  done
  while read -r pid role; do
    [[ -n ${pid:-} ]] || continue
    kills=$((kills + 1))
    KILLED[$role]=$((KILLED[$role] + 1))
  done <<<"$victims"
  # A temporary file left now is a write the kill cut short.
  mapfile -t left < <(temporary_files)
  n_left=0
  for f in "${left[@]}"; do
    [[ -n $f ]] || continue
    n_left=$((n_left + 1))
    case $f in
      *.rtf.*) HIT[viewer]=$((HIT[viewer] + 1)) ;;
      */Stickies/*|*/Pro/NewSticky*) HIT[sticky]=$((HIT[sticky] + 1)) ;;
      *) HIT[camera]=$((HIT[camera] + 1)) ;;  # ring store (or a viewer write-back of a ring picture)
    esac
  done
  if ((n_left > 0)); then
    hits=$((hits + 1))
    if ((round % 2)); then timed_hits=$((timed_hits + 1)); else aimed_hits=$((aimed_hits + 1)); fi
  fi
  echo "round $round: killed after ${delay} ms ($how): $(tr '\n' ' ' <<<"$victims"); left $n_left temporary file(s)" |
    tee -a "$log"
  touch "$sync/counted-$round"
done
wait "$rounds_driver"
code=$?
t_end=$(flk_now_ms)
tr -d '\r' <"$LOG_DIR/kills.log" | grep -E '^(check|stream|checked)|^  |Failure|Expected' | head -400 >"$LOG_DIR/kills-summary.log"
checks_ok=$(grep -c '^check [0-9]*: clean' "$LOG_DIR/kills-summary.log")
checks_bad=$((checks_bad + $(grep -c '^check [0-9]*: NOT clean' "$LOG_DIR/kills-summary.log")))
grep -A3 'NOT clean' "$LOG_DIR/kills-summary.log" | head -30
((code == 0)) || { echo "e2e-faults: the kill rounds' driver ended with $code" >&2; tail -20 "$LOG_DIR/kills.log" >&2; }
((checks_ok + checks_bad >= ROUNDS)) || checks_bad=$((checks_bad + ROUNDS - checks_ok - checks_bad))
program_processes | awk '{print $1}' | xargs -r kill -9 2>/dev/null
echo "e2e-faults: seed $SEED, $ROUNDS rounds, $kills kills (camera ${KILLED[camera]}, viewer ${KILLED[viewer]}," \
  "sticky ${KILLED[sticky]}); $hits of $ROUNDS rounds hit a write in progress (random moment $timed_hits of $timed," \
  "aimed at a write $aimed_hits of $aimed; files cut short: ring/picture ${HIT[camera]}, memo ${HIT[viewer]}," \
  "note ${HIT[sticky]}); $checks_ok restarts checked clean, $checks_bad not; kills took $((t_end - t_kills)) ms," \
  "layer $((t_end - t0)) ms"
passed=$((passed + checks_ok))
failed=$((failed + checks_bad))
((kills >= 50)) || { echo "e2e-faults: only $kills kills" >&2; failed=$((failed + 1)); }
echo "LAYER $LAYER: $passed passed, $failed failed"
((failed == 0))
