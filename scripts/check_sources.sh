#!/usr/bin/env bash
# Source rules that the compiler cannot enforce:
#   win32-headers  only Win32 glue (*_win.cpp, *_win.h, src/win32/) and its tests (*_win_test.cpp)
#                  include Win32 headers, so the pure logic keeps building and testing on the Linux host;
#   file-length    no file under src/ grows past 800 lines (a longer file holds two rooms).
# Every file is one check per rule. Prints "LAYER sources: N passed, M failed"; exit 1 on a failure.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
MAX_LINES=800
WIN32_HEADERS='windows|winuser|wingdi|winbase|winreg|commctrl|shellapi|commdlg|shlobj|shlwapi|objbase|ole2|windowsx|richedit|winspool|mmsystem|mapi'
INCLUDE_RE="^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($WIN32_HEADERS)\\.h[>\"]"

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
