#!/usr/bin/env bash
# End-to-end layer: installs build/win64/FramelarkPro.exe into a fresh Wine
# prefix on a private X display, runs the scenario driver e2e_driver.exe in the
# same prefix, and prints "LAYER e2e: N passed, M failed". Always tears down.
#
# Arguments are passed to the driver (e.g. --gtest_filter=ExitTest.*).
# FLK_E2E_TIMEOUT (seconds, default 900) bounds the whole driver run.
# FLK_E2E_DPI (default 96) sets the display scaling of the prefix (LogPixels)
# before the program starts; the driver lays out its expectations at it.
# FLK_E2E_LAYER names the layer in the result line (default e2e).
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=wine/harness.sh
source "$ROOT/scripts/wine/harness.sh"

LAYER=${FLK_E2E_LAYER:-e2e}
export FLK_E2E_DPI=${FLK_E2E_DPI:-96}
DRIVER=${FLK_E2E_DRIVER:-$FLK_WIN64_BUILD/tests/e2e/e2e_driver.exe}
PROGRAM=${FLK_PROGRAM_EXE:-$FLK_WIN64_BUILD/FramelarkPro.exe}
mkdir -p "$ROOT/build"
# Each run writes its own log; the last one finished is kept as build/e2e.log.
LOG=$(mktemp "$ROOT/build/e2e.XXXXXX.log")

fail_layer() {
  echo "e2e: $*" >&2
  echo "LAYER $LAYER: 0 passed, 1 failed"
  exit 1
}

[[ -f $DRIVER ]] || fail_layer "no driver at $DRIVER (run scripts/build.sh)"
[[ -f $PROGRAM ]] || fail_layer "no program at $PROGRAM (run scripts/build.sh)"

t0=$(flk_now_ms)
flk_harness_up e2e || fail_layer "the Wine harness did not come up"
flk_install "$PROGRAM" || fail_layer "installing the program failed"
if [[ $FLK_E2E_DPI != 96 ]]; then
  flk_set_dpi "$FLK_E2E_DPI" || fail_layer "setting $FLK_E2E_DPI DPI failed"
fi
t_ready=$(flk_now_ms)
# Screenshots of the window layout scenarios, kept for a reviewer.
shots_dir=$ROOT/build/screenshots/$LAYER
rm -rf "$shots_dir" && mkdir -p "$shots_dir"
export FLK_E2E_SHOTS="Z:${shots_dir//\//\\}"

timeout -k 10 "${FLK_E2E_TIMEOUT:-900}" "$FLK_WINE64" "$DRIVER" --gtest_color=no "$@" >"$LOG" 2>&1
code=$?
cat "$LOG"
# Pictures the driver saved, opened with ImageMagick while the prefix exists.
"$ROOT/scripts/wine/check_saved_images.sh" "$WINEPREFIX/drive_c/FramelarkImageCheck"
images=$?
t_run=$(flk_now_ms)
flk_harness_down
t_end=$(flk_now_ms)

echo "e2e: harness and install $((t_ready - t0)) ms, driver $((t_run - t_ready)) ms, teardown $((t_end - t_run)) ms, total $((t_end - t0)) ms"
line=$(flk_gtest_layer "$LAYER" "$LOG" "$code")
mv -f "$LOG" "$ROOT/build/$LAYER.log"
echo "$line"
[[ $line == *" 0 failed" ]] && ((images == 0))
