#!/usr/bin/env bash
# Source rules that the compiler cannot enforce:
#   win32-headers  only Win32 glue (*_win.cpp, *_win.h, src/win32/) and its tests (*_win_test.cpp)
#                  include Win32 headers, so the pure logic keeps building and testing on the Linux host;
#   file-length    no file under src/ grows past 800 lines (a longer file holds two rooms);
#   layers         a file under src/ includes only its own folder and the layers below it:
#                  base < win32 < shell < output < scroll, support < tips, setup, stickies < camera
#                  < viewer < the program entry and the roles' roots (files directly in src/);
#   kit            paint and window DCs, GDI selections, global and local memory are owned only by the
#                  src/win32 kit (PaintDC, WindowDC, SelectedObject, UniqueGlobal, UniqueLocal, ...).
# Every file is one check per rule. Prints "LAYER sources: N passed, M failed"; exit 1 on a failure.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
MAX_LINES=800
WIN32_HEADERS='windows|winuser|wingdi|winbase|winreg|commctrl|shellapi|commdlg|shlobj|shlwapi|objbase|ole2|windowsx|richedit|winspool|mmsystem|mapi'
INCLUDE_RE="^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($WIN32_HEADERS)\\.h[>\"]"

declare -A LAYER=([base]=0 [win32]=1 [shell]=2 [output]=3 [scroll]=4 [support]=4 [tips]=5 [setup]=5
  [stickies]=5 [camera]=6 [viewer]=7 [root]=8)
KIT_RE='(^|[^A-Za-z0-9_])::(BeginPaint|EndPaint|GetDC|GetWindowDC|GetDCEx|ReleaseDC|DeleteDC|SelectObject|GlobalAlloc|GlobalLock|GlobalUnlock|GlobalFree|LocalFree|CoTaskMemFree)[[:space:]]*[(]'

folder_of() { # src/<folder>/... -> folder; files directly in src/ -> root
  local rest=${1#src/}
  [[ $rest == */* ]] && echo "${rest%%/*}" || echo root
}

passed=0
failed=0
fail() { echo "check_sources: $*"; failed=$((failed + 1)); }

is_glue() {
  case $1 in
    src/win32/*) return 0 ;;
    *_win.cpp | *_win.h | *_win_test.cpp) return 0 ;;
  esac
  return 1
}

mapfile -t files < <(find src tests/unit -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \) 2>/dev/null | sort)
for f in "${files[@]}"; do
  if is_glue "$f"; then
    passed=$((passed + 1))
  else
    hits=$(grep -inE "$INCLUDE_RE" "$f" || true)
    if [[ -n $hits ]]; then
      while IFS= read -r h; do fail "$f:${h%%:*}: Win32 header outside glue: ${h#*:}"; done <<<"$hits"
    else
      passed=$((passed + 1))
    fi
  fi
  if [[ $f == src/* ]]; then
    own=$(folder_of "$f")
    bad=0
    while IFS= read -r inc; do
      [[ -n $inc ]] || continue
      [[ $inc == */* ]] || continue  # same folder (or a root file naming a root file)
      dep=${inc%%/*}
      [[ -n ${LAYER[$dep]:-} ]] || continue
      if [[ $dep != "$own" ]] && ((LAYER[$dep] >= LAYER[$own])); then
        fail "$f: includes $inc, which is not below $own"
        bad=1
      fi
    done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$f")
    # A root file named without a folder from inside a subsystem runs up to the top.
    if [[ $own != root ]] && grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]+_win\.h"' "$f"; then
      while IFS= read -r inc; do
        if [[ -f src/$inc && ! -f ${f%/*}/$inc ]]; then fail "$f: includes the root file $inc"; bad=1; fi
      done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z_]+_win\.h)".*/\1/p' "$f")
    fi
    ((bad)) || passed=$((passed + 1))
    if [[ $f != src/win32/* ]]; then
      kit=$(grep -nE "$KIT_RE" "$f" || true)
      if [[ -n $kit ]]; then
        while IFS= read -r h; do fail "$f:${h%%:*}: raw handle call outside the src/win32 kit: ${h#*:}"; done <<<"$kit"
      else
        passed=$((passed + 1))
      fi
    fi
    n=$(wc -l <"$f")
    if ((n > MAX_LINES)); then
      fail "$f: $n lines (limit $MAX_LINES)"
    else
      passed=$((passed + 1))
    fi
  fi
done

echo "LAYER sources: $passed passed, $failed failed"
((failed == 0))
