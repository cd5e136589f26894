#!/usr/bin/env bash
# Builds the three trees:
#   build/host   Linux host, pure logic and its unit tests, ASan/UBSan (Debug)
#   build/win64  x86_64 MinGW: FramelarkPro.exe and the Windows unit tests (runs under Wine)
#   build/win32  i686 MinGW: the program only (no tests: 32-bit code cannot run on this kernel)
# Runs scripts/setup.sh first unless FLK_SKIP_SETUP=1.
#
# Environment:
#   FLK_SKIP_SETUP=1        do not run setup
#   FLK_BUILD_TREES="..."   subset of "host win64 win32" to build (default: all three)
#   FLK_HOST_BUILD_TYPE     Debug (default) or RelWithDebInfo
#   FLK_WIN_BUILD_TYPE      Release (default), RelWithDebInfo or Debug
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)
TREES=${FLK_BUILD_TREES:-host win64 win32}
HOST_TYPE=${FLK_HOST_BUILD_TYPE:-Debug}
WIN_TYPE=${FLK_WIN_BUILD_TYPE:-Release}

log() { printf '[build] %s\n' "$*"; }
die() { printf '[build] ERROR: %s\n' "$*" >&2; exit 1; }

if [[ ${FLK_SKIP_SETUP:-0} != 1 ]]; then
  "$ROOT/scripts/setup.sh" || die "setup failed"
fi

# Configures (when needed) and builds one tree; a tree made by another generator is started afresh.
# Returns non-zero on failure so that the other trees still get built (and their tests can run).
build_tree() {
  local name=$1; shift
  local dir=$ROOT/build/$name
  local t0=$SECONDS
  if [[ -f $dir/CMakeCache.txt ]] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$dir/CMakeCache.txt"; then
    log "$name: not a Ninja tree, configuring afresh"
    rm -rf "$dir"
  fi
  log "$name: configure"
  if ! cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >"$ROOT/build/$name.configure.log" 2>&1; then
    cat "$ROOT/build/$name.configure.log" >&2
    log "ERROR: $name: configure failed"
    return 1
  fi
  log "$name: build (-j$JOBS)"
  if ! cmake --build "$dir" -j "$JOBS"; then
    log "ERROR: $name: build failed"
    return 1
  fi
  log "$name: done in $((SECONDS - t0)) s"
}

mkdir -p "$ROOT/build"
t_start=$SECONDS
failed=()
for tree in $TREES; do
  case $tree in
    host) build_tree host -DCMAKE_BUILD_TYPE="$HOST_TYPE" ;;
    win64) build_tree win64 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-win64.cmake" -DCMAKE_BUILD_TYPE="$WIN_TYPE" ;;
    win32) build_tree win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-win32.cmake" -DCMAKE_BUILD_TYPE="$WIN_TYPE" \
      -DFLK_TESTS=OFF ;;
    *) die "unknown tree '$tree' (host, win64, win32)" ;;
  esac || failed+=("$tree")
done
if [[ ${#failed[@]} -gt 0 ]]; then
  die "failed to build: ${failed[*]} (after $((SECONDS - t_start)) s)"
fi
log "all built in $((SECONDS - t_start)) s"
