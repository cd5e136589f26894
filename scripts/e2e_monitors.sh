#!/usr/bin/env bash
# End-to-end layer on several monitors: an Xorg with the dummy driver and one
# RandR output per monitor (scripts/wine/monitors.sh) instead of Xvfb. The
# scenarios run in three layouts, in one Wine prefix, so that what the first
# leaves behind is there after the display restarts:
#   two     1280x1024 primary, 1024x768 monitor left of it      MonitorsTwo.*
#   alone   the primary alone (the second monitor has gone)      MonitorsAlone.*
#   above   1280x1024 primary, 1024x768 monitor above it         MonitorsAbove.*
# Wine reads the monitors when its server starts, so the server is restarted
# with every layout. Prints one "LAYER e2e-monitors: N passed, M failed" line
# per layout. Arguments are passed to the driver.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=wine/harness.sh
source "$ROOT/scripts/wine/harness.sh"

LAYER=e2e-monitors
MONITORS=$ROOT/scripts/wine/monitors.sh
DRIVER=${FLK_E2E_DRIVER:-$FLK_WIN64_BUILD/tests/e2e/e2e_driver.exe}
PROGRAM=${FLK_PROGRAM_EXE:-$FLK_WIN64_BUILD/FramelarkPro.exe}
export FLK_E2E_DPI=96 FLK_E2E_MONITORS=1
export MM_DIR=$ROOT/build/monitors.$$
mkdir -p "$ROOT/build"

fail_layer() {
  echo "e2e-monitors: $*" >&2
  echo "LAYER $LAYER: 0 passed, 1 failed"
  exit 1
}

[[ -f $DRIVER ]] || fail_layer "no driver at $DRIVER (run scripts/build.sh)"
[[ -f $PROGRAM ]] || fail_layer "no program at $PROGRAM (run scripts/build.sh)"
[[ -x /usr/lib/xorg/Xorg ]] || fail_layer "no Xorg (xserver-xorg-core xserver-xorg-video-dummy: run scripts/setup.sh)"

DISPLAY_NO=
stop_display() {
  [[ -n $DISPLAY_NO ]] && bash "$MONITORS" stop ":$DISPLAY_NO" >/dev/null 2>&1
  DISPLAY_NO=
}
# Starts the layout on the first free display from 300 on.
start_display() {
  local n
  for ((n = 300; n < 400; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    if bash "$MONITORS" start ":$n" "$@" >"$MM_DIR/start.log" 2>&1; then
      DISPLAY_NO=$n
      export FLK_OWN_DISPLAY=:$n DISPLAY=:$n
      return 0
    fi
    bash "$MONITORS" stop ":$n" >/dev/null 2>&1
    grep -q "in use" "$MM_DIR/start.log" || { cat "$MM_DIR/start.log" >&2; return 1; }
  done
  return 1
}

cleanup() {
  flk_harness_down
  stop_display
  rm -rf "$MM_DIR"
}

mkdir -p "$MM_DIR"
t0=$(flk_now_ms)
start_display 1280x1024+0+0 1024x768-1024+0 || fail_layer "the two-monitor display did not start"
flk_harness_up e2e-monitors || { stop_display; fail_layer "the Wine harness did not come up"; }
trap cleanup EXIT
flk_install "$PROGRAM" || fail_layer "installing the program failed"

failed_any=0
run_phase() { # name filter
  local log=$MM_DIR/$1.log code line
  timeout -k 10 "${FLK_E2E_TIMEOUT:-300}" "$FLK_WINE64" "$DRIVER" --gtest_color=no --gtest_filter="$2" "${EXTRA[@]}" \
    >"$log" 2>&1
  code=$?
  cat "$log"
  line=$(flk_gtest_layer "$LAYER" "$log" "$code")
  echo "$line"
  [[ $line == *" 0 failed" ]] || failed_any=1
  cp -f "$log" "$ROOT/build/$LAYER.$1.log"
}
# A new layout: the prefix's server goes, the display restarts, a new server reads the monitors.
relayout() {
  flk_wineserver_stop
  stop_display
  start_display "$@" || fail_layer "the display did not restart with $*"
  "$FLK_WINESERVER" -p || fail_layer "wineserver did not start"
}

EXTRA=("$@")
run_phase two 'MonitorsTwo.*'
relayout 1280x1024+0+0
run_phase alone 'MonitorsAlone.*'
relayout 1280x1024+0+0 1024x768+0-768
run_phase above 'MonitorsAbove.*'
echo "e2e-monitors: total $(($(flk_now_ms) - t0)) ms"
((failed_any == 0))
