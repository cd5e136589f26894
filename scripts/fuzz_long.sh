#!/usr/bin/env bash
# The long fuzz run: every target of scripts/fuzz.sh for FUZZ_RUNS executions
# (default 1,000,000 each), split over FUZZ_JOBS processes (default 2).
# Prints the executions, time and coverage of each target and the usual
# "LAYER fuzz: N passed, M failed" line.
export FUZZ_RUNS=${FUZZ_RUNS:-1000000}
export FUZZ_JOBS=${FUZZ_JOBS:-2}
exec "$(dirname "$0")/fuzz.sh" "$@"
