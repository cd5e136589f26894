#!/usr/bin/env bash
# Runs the host unit tests (build/host, ASan/UBSan) and prints "LAYER host-unit: N passed, M failed".
# Counts come from GoogleTest's per-test result lines, so a crash part-way still reports what ran
# and counts the crash itself as a failure. Extra arguments go to the test binary (--gtest_filter=...).
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN=$ROOT/build/host/tests/flk_unit_tests
OUT=$ROOT/build/host/unit-host.log

if [[ ! -x $BIN ]]; then
  echo "unit_host: $BIN not built"
  echo "LAYER host-unit: 0 passed, 1 failed"
  exit 1
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

cd "$ROOT/build/host/tests"
"$BIN" --gtest_color=no --gtest_output="xml:$ROOT/build/host/unit-host.xml" "$@" </dev/null 2>&1 | tee "$OUT"
rc=${PIPESTATUS[0]}

passed=$(grep -cE '^\[       OK \] .* \([0-9]+ ms\)$' "$OUT")
failed=$(grep -cE '^\[  FAILED  \] .* \([0-9]+ ms\)$' "$OUT")
if ((rc != 0 && failed == 0)); then
  echo "unit_host: test binary exited with status $rc (crash, sanitizer report or setup failure)"
  failed=1
fi
if ((passed + failed == 0)); then
  echo "unit_host: no test ran"
  failed=1
fi
echo "LAYER host-unit: $passed passed, $failed failed"
((failed == 0))
