#!/usr/bin/env bash
# Windows unit tests under Wine: runs build/win64/tests/flk_unit_tests.exe in a
# fresh prefix (registry-backed tests need one) and prints
# "LAYER unit-wine: N passed, M failed". A crash or hang counts as a failure.
#
# Arguments are passed to the test program (e.g. --gtest_filter=...).
# FLK_UNIT_WINE_TIMEOUT (seconds, default 900) bounds the run.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=harness.sh
source "$ROOT/scripts/wine/harness.sh"

LAYER=unit-wine
TESTS=${FLK_UNIT_WINE_EXE:-$FLK_WIN64_BUILD/tests/flk_unit_tests.exe}
mkdir -p "$ROOT/build"
# Each run writes its own log; the last one finished is kept as build/unit-wine.log.
LOG=$(mktemp "$ROOT/build/unit-wine.XXXXXX.log")

fail_layer() {
  echo "unit-wine: $*" >&2
  echo "LAYER $LAYER: 0 passed, 1 failed"
  exit 1
}

[[ -f $TESTS ]] || fail_layer "no test program at $TESTS (run scripts/build.sh)"

t0=$(flk_now_ms)
flk_harness_up unit-wine || fail_layer "the Wine harness did not come up"
t_ready=$(flk_now_ms)
# The tests find their data relative to the checkout, through drive Z:.
(cd "$ROOT" && timeout -k 10 "${FLK_UNIT_WINE_TIMEOUT:-900}" "$FLK_WINE64" "$TESTS" --gtest_color=no "$@") >"$LOG" 2>&1
code=$?
cat "$LOG"
t_run=$(flk_now_ms)
flk_harness_down
echo "unit-wine: harness $((t_ready - t0)) ms, tests $((t_run - t_ready)) ms, teardown $(($(flk_now_ms) - t_run)) ms"
line=$(flk_gtest_layer "$LAYER" "$LOG" "$code")
mv -f "$LOG" "$ROOT/build/unit-wine.log"
echo "$line"
[[ $line == *" 0 failed" ]]
