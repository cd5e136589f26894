#!/usr/bin/env bash
# Runs FramelarkPro under Wine: builds the win64 tree (scripts/build.sh), then
# installs the program into a persistent prefix (build/wine/user) and starts it.
#
#   With $DISPLAY set: the program runs on that display until it ends.
#   Without $DISPLAY:  first contact on a private Xvfb in a fresh prefix: a
#                      desktop picture and a Notepad window, the camera over part
#                      of them and the daily tips beside it; a screenshot of the
#                      screen is saved (its path is printed) and everything
#                      shuts down.
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

if [[ -n ${DISPLAY:-} ]]; then
  # The user's prefix survives between runs (settings, pictures).
  FLK_REMOVE_PREFIX=0
  FLK_OWN_DISPLAY=$DISPLAY
  flk_harness_up user reuse || exit 1
  flk_install "$PROGRAM" || exit 1
  echo "run: prefix $WINEPREFIX, program C:\\Framelark\\Pro\\FramelarkPro.exe"
  flk_wine 'C:\Framelark\Pro\FramelarkPro.exe' "$@"
  exit $?
fi

# Headless: first contact in a fresh prefix on a private Xvfb. The screen gets a
# scene (a desktop picture from the corpus and a Notepad window), the camera
# opens over part of it, the daily tips beside it, and the screenshot shows the
# view as a hole in the screen.
flk_harness_up firstcontact || exit 1
flk_install "$PROGRAM" || exit 1

shots=$ROOT/build/screenshots
mkdir -p "$shots"
shot=$shots/framelark-$(date +%Y%m%d-%H%M%S).png

wait_window() { # caption regex, seconds
  local deadline=$((SECONDS + $2))
  while ((SECONDS < deadline)); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# A first start makes the user's settings as a new user gets them; the program
# is then stopped without saving, the camera is placed in the scene and the
# second start is the one in the picture.
flk_wine 'C:\Framelark\Pro\FramelarkPro.exe' &
first=$!
wait_window '^FramelarkPro$' 30 || { echo "run: the camera window did not show within 30 s" >&2; exit 1; }
wait_window '^FramelarkPro Daily Tips$' 10
flk_wine taskkill /f /im FramelarkPro.exe >/dev/null 2>&1
wait "$first"
# The desktop picture: the root window's background, which screen grabs see (set once
# Wine's desktop process runs, which clears it at its start).
corpus=${FLK_CORPUS_DIR:-$ROOT/../shared/corpus}
[[ -d $corpus ]] || corpus=/work/shared/corpus
desktop=$corpus/screens/desktop_1920x1080_overlapping_windows.png
if [[ -f $desktop ]]; then
  convert "$desktop" -resize 1280x1024^ -gravity center -extent 1280x1024 "$FLK_RUN_DIR/desktop.png" &&
    display -window root "$FLK_RUN_DIR/desktop.png"
else
  echo "run: no desktop picture at $desktop; the screen stays black" >&2
fi

flk_reg_import <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Hollowbrook\Framelark]
"Left"=dword:00000028
"Top"=dword:000000d2
"Width"=dword:00000154
"Height"=dword:000001a4

[HKEY_CURRENT_USER\Software\Microsoft\Notepad]
"iWindowPosX"=dword:000000b4
"iWindowPosY"=dword:00000046
"iWindowPosDX"=dword:00000294
"iWindowPosDY"=dword:00000230
REG
cp -f "$ROOT/README.md" "$WINEPREFIX/drive_c/README.txt"
flk_wine notepad 'C:\README.txt' &
wait_window 'README' 20 || echo "run: Notepad did not show" >&2

flk_wine 'C:\Framelark\Pro\FramelarkPro.exe' "$@" &
found=
wait_window '^FramelarkPro$' 30 && found=1
wait_window '^FramelarkPro Daily Tips$' 10
# Let the first paint reach the screen: two equal grabs in a row.
prev= same=0
for _ in $(seq 1 30); do
  cur=$(import -window root rgb:- 2>/dev/null | md5sum)
  [[ $cur == "$prev" ]] && { same=1; break; }
  prev=$cur
  sleep 0.2
done
import -window root "$shot"
echo "run: screenshot $shot"
if [[ -z $found ]]; then
  echo "run: the camera window did not show within 30 s" >&2
  exit 1
fi
((same)) || echo "run: the screen was still changing when the screenshot was taken" >&2
exit 0
