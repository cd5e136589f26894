#!/usr/bin/env bash
# End-to-end layer of printing, the clipboard and the external editor.
# Builds the output fixture and the fake editor (tests/e2e/fixtures) against
# the Windows tree, installs the program into a fresh Wine prefix and runs
# the scenario driver twice:
#   1. without any printer: PrintE2E.* and EditorE2E.* (no-printer errors,
#      clipboard, editor);
#   2. with the cups-pdf printer TestPDF (scripts/wine/cups.sh): PrintToPdf.*,
#      whose PDFs are turned into 72-dpi pixels by pdftoppm on this side.
# Prints "LAYER e2e-print: N passed, M failed". Always tears down.
#
# FLK_WIN64_BUILD (default build/win64) names the Windows tree;
# FLK_E2E_TIMEOUT (seconds, default 600) bounds each driver run.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=wine/harness.sh
source "$ROOT/scripts/wine/harness.sh"
# shellcheck source=wine/cups.sh
source "$ROOT/scripts/wine/cups.sh"

LAYER=e2e-print
TREE=$FLK_WIN64_BUILD
DRIVER=${FLK_E2E_DRIVER:-$TREE/tests/e2e/e2e_driver.exe}
PROGRAM=${FLK_PROGRAM_EXE:-$TREE/FramelarkPro.exe}
FIXTURE_TREE=$TREE/e2e-fixtures
LOG_DIR=$ROOT/build/e2e-print
mkdir -p "$LOG_DIR"

fail_layer() {
  echo "e2e-print: $*" >&2
  echo "LAYER $LAYER: 0 passed, 1 failed"
  exit 1
}

[[ -f $DRIVER ]] || fail_layer "no driver at $DRIVER (run scripts/build.sh)"
[[ -f $PROGRAM ]] || fail_layer "no program at $PROGRAM (run scripts/build.sh)"

# ---- the fixtures: from the tree itself when it builds them, else on their own
FIXTURE=$TREE/tests/e2e/fixtures/output_fixture.exe
EDITOR=$TREE/tests/e2e/fixtures/fake_editor.exe
if [[ ! -f $FIXTURE || ! -f $EDITOR ]]; then
  toolchain=$ROOT/cmake/toolchain-win64.cmake
  if ! cmake -S "$ROOT/tests/e2e/fixtures" -B "$FIXTURE_TREE" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DFLK_WIN_TREE="$TREE" >"$LOG_DIR/fixtures.configure.log" 2>&1; then
    cat "$LOG_DIR/fixtures.configure.log" >&2
    fail_layer "configuring the fixtures failed"
  fi
  cmake --build "$FIXTURE_TREE" >"$LOG_DIR/fixtures.build.log" 2>&1 ||
    { cat "$LOG_DIR/fixtures.build.log" >&2; fail_layer "building the fixtures failed"; }
  FIXTURE=$FIXTURE_TREE/output_fixture.exe
  EDITOR=$FIXTURE_TREE/fake_editor.exe
fi

teardown() {
  flk_cups_down
  flk_harness_down
}

t0=$(flk_now_ms)
flk_harness_up e2e-print || fail_layer "the Wine harness did not come up"
trap teardown EXIT
flk_install "$PROGRAM" || fail_layer "installing the program failed"

export FLK_OUTPUT_FIXTURE FLK_FAKE_EDITOR FLK_PRINTER FLK_PRINT_PDF_DIR
FLK_OUTPUT_FIXTURE=$(flk_winpath "$FIXTURE")
FLK_FAKE_EDITOR=$(flk_winpath "$EDITOR")
FLK_PRINT_PDF_DIR=$FLK_RUN_DIR/pdf
limit=${FLK_E2E_TIMEOUT:-600}

# ---- 1: no printer (only when no scheduler of anyone else is running) -------
if flk_cups_scheduler_running; then
  echo "e2e-print: a CUPS scheduler is already running; the no-printer scenarios skip" >&2
  FLK_PRINTER=unknown
else
  FLK_PRINTER=0
fi
timeout -k 10 "$limit" "$FLK_WINE64" "$DRIVER" --gtest_color=no --gtest_filter='PrintE2E.*:EditorE2E.*:SupportMailE2E.*' "$@" \
  >"$LOG_DIR/no-printer.log" 2>&1
code1=$?
cat "$LOG_DIR/no-printer.log"
line1=$(flk_gtest_layer "$LAYER" "$LOG_DIR/no-printer.log" "$code1")

# ---- 2: the PDF printer -------------------------------------------------------
rm -rf "$FLK_PRINT_PDF_DIR"
if flk_cups_up "$FLK_PRINT_PDF_DIR"; then
  flk_pdf_raster_start "$FLK_PRINT_PDF_DIR"
  FLK_PRINTER=1
  timeout -k 10 "$limit" "$FLK_WINE64" "$DRIVER" --gtest_color=no --gtest_filter='PrintToPdf.*' "$@" \
    >"$LOG_DIR/pdf-printer.log" 2>&1
  code2=$?
  cat "$LOG_DIR/pdf-printer.log"
  line2=$(flk_gtest_layer "$LAYER" "$LOG_DIR/pdf-printer.log" "$code2")
else
  echo "e2e-print: the PDF printer did not come up" >&2
  line2="LAYER $LAYER: 0 passed, 1 failed"
fi
teardown
trap - EXIT
t_end=$(flk_now_ms)
echo "e2e-print: total $((t_end - t0)) ms"

# One line for both runs.
sum() { sed -E 's/.*: ([0-9]+) passed, ([0-9]+) failed/\1 \2/' <<<"$1"; }
read -r p1 f1 <<<"$(sum "$line1")"
read -r p2 f2 <<<"$(sum "$line2")"
echo "LAYER $LAYER: $((p1 + p2)) passed, $((f1 + f2)) failed"
(((f1 + f2) == 0))
