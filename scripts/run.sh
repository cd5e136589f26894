#!/usr/bin/env bash
# Runs FramelarkPro under Wine: builds the win64 tree (scripts/build.sh), then
# installs the program into a persistent prefix (build/wine/user) and starts it.
#
#   With $DISPLAY set: the program runs on that display until it ends.
#   Without $DISPLAY:  it runs on a private Xvfb; once the camera window shows,
#                      a screenshot of the screen is saved (its path is printed)
#                      and everything shuts down.
#
# Arguments are passed to the program (a role word such as "viewer").
# FLK_SKIP_BUILD=1 skips the build; FLK_BUILD_TREES (default win64) picks trees.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [[ ${FLK_SKIP_BUILD:-0} != 1 && -f $ROOT/scripts/build.sh ]]; then
  FLK_BUILD_TREES=${FLK_BUILD_TREES:-win64} bash "$ROOT/scripts/build.sh" || exit 1
fi

# shellcheck source=wine/harness.sh
source "$ROOT/scripts/wine/harness.sh"
PROGRAM=$FLK_WIN64_BUILD/FramelarkPro.exe
[[ -f $PROGRAM ]] || { echo "run: no program at $PROGRAM" >&2; exit 1; }

# The user's prefix survives between runs (settings, pictures).
FLK_REMOVE_PREFIX=0
if [[ -n ${DISPLAY:-} ]]; then
  FLK_OWN_DISPLAY=$DISPLAY
fi
flk_harness_up user reuse || exit 1
flk_install "$PROGRAM" || exit 1
echo "run: prefix $WINEPREFIX, program C:\\Framelark\\Pro\\FramelarkPro.exe"

if [[ -n ${FLK_OWN_DISPLAY:-} ]]; then
  flk_wine 'C:\Framelark\Pro\FramelarkPro.exe' "$@"
  exit $?
fi

# Headless: wait for the camera (caption "FramelarkPro", shown), then take a picture.
flk_wine 'C:\Framelark\Pro\FramelarkPro.exe' "$@" &
shots=$ROOT/build/screenshots
mkdir -p "$shots"
shot=$shots/framelark-$(date +%Y%m%d-%H%M%S).png
found=
deadline=$((SECONDS + 30))
while ((SECONDS < deadline)); do
  if xdotool search --onlyvisible --name '^FramelarkPro$' >/dev/null 2>&1; then
    found=1
    break
  fi
  sleep 0.1
done
# Let the first paint reach the screen: two equal grabs in a row.
prev= same=0
for _ in $(seq 1 30); do
  cur=$(import -window root rgb:- 2>/dev/null | md5sum)
  [[ $cur == "$prev" ]] && { same=1; break; }
  prev=$cur
  sleep 0.1
done
import -window root "$shot"
echo "run: screenshot $shot"
if [[ -z $found ]]; then
  echo "run: the camera window did not show within 30 s" >&2
  exit 1
fi
((same)) || echo "run: the screen was still changing when the screenshot was taken" >&2
exit 0
