#!/usr/bin/env bash
# Prepares a Debian 12 machine to build and test Framelark:
#   1. installs the Debian packages (cross compilers, host libraries, Wine, Xvfb, CUPS, ...),
#   2. cross-builds static libpng, libjpeg-turbo, giflib and libdeflate for both MinGW targets
#      from Debian's source packages into build/deps/<triple>/{include,lib}.
# Idempotent: a second run checks the package database and the deps stamps and is done in seconds.
#
# Environment:
#   FLK_SETUP_NO_APT=1    skip the package step (deps only)
#   FLK_SETUP_NO_DEPS=1   skip the deps step (packages only)
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DEPS_DIR=$ROOT/build/deps
SRC_DIR=$ROOT/build/deps-src
JOBS=$(nproc 2>/dev/null || echo 2)
# Raise when the way the deps are built changes: every stamp then goes stale and they are rebuilt.
DEPS_RECIPE=1
TRIPLES=(x86_64-w64-mingw32 i686-w64-mingw32)

log() { printf '[setup] %s\n' "$*"; }
die() { printf '[setup] ERROR: %s\n' "$*" >&2; exit 1; }

SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || die "not root and no sudo: cannot install packages"
  SUDO=(sudo)
fi

mkdir -p "$ROOT/build"
# Several scripts (and several people) may run setup in the same checkout at once; one at a time.
exec 9>"$ROOT/build/.setup.lock"
flock 9

# ---- Debian packages ---------------------------------------------------------------------------
PACKAGES=(
  # cross toolchains and build tools
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools libz-mingw-w64-dev
  nasm ninja-build cmake dpkg-dev
  # host build of the pure logic and its tests
  g++ libpng-dev libjpeg62-turbo-dev libgif-dev zlib1g-dev libdeflate-dev libgtest-dev googletest
  # fuzzing (libFuzzer) and the JPEG benchmark's reference encoder
  clang libclang-rt-14-dev libjpeg-turbo-progs
  # Wine under Xvfb for the Windows unit tests and the end-to-end scenarios
  wine wine64 libwine fonts-wine fonts-liberation libcups2 libxrender1 libxrandr2 libxi6 libxfixes3
  libxcursor1 libxinerama1 libxcomposite1 libxxf86vm1 xvfb x11-utils xdotool imagemagick xclip
  # an X server with one RandR output per monitor for the several-monitor scenarios
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  # a real browser for the help pages' check (scripts/check_help.sh)
  chromium
  # a PDF printer for the printing scenarios
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
)

APT=("${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -q)

missing_packages() {
  # dpkg-query answers for all packages in one call; anything not "ii" is missing.
  local installed
  installed=$(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${PACKAGES[@]}" 2>/dev/null |
    awk '$2 == "ii" { print $1 }' || true)
  local p
  for p in "${PACKAGES[@]}"; do
    grep -qxF "$p" <<<"$installed" || echo "$p"
  done
}

install_packages() {
  local missing
  mapfile -t missing < <(missing_packages)
  if [[ ${#missing[@]} -eq 0 ]]; then
    log "packages: all ${#PACKAGES[@]} present"
    return
  fi
  log "packages: installing ${#missing[@]}: ${missing[*]}"
  local t0=$SECONDS
  "${APT[@]}" update
  "${APT[@]}" install -y --no-install-recommends "${missing[@]}"
  mapfile -t missing < <(missing_packages)
  [[ ${#missing[@]} -eq 0 ]] || die "still missing after install: ${missing[*]}"
  log "packages: done in $((SECONDS - t0)) s"
}

# ---- static dependencies for the MinGW targets ----------------------------------------------
SRC_PACKAGES=(libpng1.6 libjpeg-turbo giflib libdeflate)

stamp_text() { echo "recipe=$DEPS_RECIPE triple=$1"; }
# libdeflate came later than the others and has a stamp of its own, so that adding it
# rebuilds nothing that was already there.
DEFLATE_RECIPE=1
deflate_stamp_text() { echo "recipe=$DEFLATE_RECIPE triple=$1"; }

deflate_ready() {
  local d=$DEPS_DIR/$1
  [[ "$(cat "$d/.flk-stamp-deflate" 2>/dev/null)" == "$(deflate_stamp_text "$1")" ]] &&
    [[ -s $d/lib/libdeflate.a && -s $d/include/libdeflate.h ]]
}

deps_ready() {
  local t=$1 d=$DEPS_DIR/$1 f
  [[ "$(cat "$d/.flk-stamp" 2>/dev/null)" == "$(stamp_text "$t")" ]] || return 1
  for f in lib/libpng16.a lib/libjpeg.a lib/libgif.a include/png.h include/jpeglib.h include/gif_lib.h; do
    [[ -s $d/$f ]] || return 1
  done
}

# Source package lists come from a deb-src twin of the machine's own deb stanzas.
enable_deb_src() {
  local list=/etc/apt/sources.list.d/framelark-deb-src.sources
  local base=/etc/apt/sources.list.d/debian.sources
  if [[ ! -f $list ]] && ! grep -qs '^Types:.*deb-src' "$base"; then
    [[ -f $base ]] || die "$base not found: cannot derive deb-src entries"
    log "deps: enabling deb-src in $list"
    sed 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb-src/' "$base" | "${SUDO[@]}" tee "$list" >/dev/null
  fi
  if [[ -z "$(apt-cache showsrc libpng1.6 2>/dev/null | head -1)" ]]; then
    "${APT[@]}" update
  fi
}

# Prints the known versions of a source package, newest first.
source_versions() {
  local vs=() v i j tmp
  mapfile -t vs < <(apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ { print $2 }' | sort -u)
  for ((i = 0; i < ${#vs[@]}; i++)); do
    for ((j = i + 1; j < ${#vs[@]}; j++)); do
      if dpkg --compare-versions "${vs[j]}" gt "${vs[i]}"; then
        tmp=${vs[i]}; vs[i]=${vs[j]}; vs[j]=$tmp
      fi
    done
  done
  for v in "${vs[@]}"; do echo "$v"; done
}

# Downloads and unpacks one source package into $SRC_DIR/src/<name>; the newest version whose
# files can be fetched wins (the security suite lists versions whose .dsc cannot be downloaded).
fetch_source() {
  local pkg=$1 dir=$SRC_DIR/src/$1
  [[ -f $dir/.flk-unpacked ]] && return
  local dl=$SRC_DIR/download
  mkdir -p "$dl"
  local versions v
  mapfile -t versions < <(source_versions "$pkg")
  [[ ${#versions[@]} -gt 0 ]] || die "no source versions of $pkg known to apt"
  for v in "${versions[@]}"; do
    log "deps: fetching $pkg $v"
    if (cd "$dl" && apt-get -q source --download-only "$pkg=$v" >"$dl/$pkg.log" 2>&1); then
      local dsc=$dl/${pkg}_${v#*:}.dsc
      [[ -f $dsc ]] || die "$dsc missing after download"
      rm -rf "$dir"
      mkdir -p "$SRC_DIR/src"
      dpkg-source --no-check -x "$dsc" "$dir" >"$dl/$pkg.unpack.log" 2>&1 ||
        { cat "$dl/$pkg.unpack.log" >&2; die "dpkg-source failed for $dsc"; }
      echo "$v" >"$dir/.flk-unpacked"
      return
    fi
    log "deps: $pkg $v not downloadable, trying an older version"
  done
  cat "$dl/$pkg.log" >&2
  die "could not download any version of $pkg"
}

# Runs a build step quietly, showing its log only when it fails.
quiet() {
  local logfile=$1; shift
  if ! "$@" >>"$logfile" 2>&1; then
    tail -n 60 "$logfile" >&2
    die "failed: $* (full log: $logfile)"
  fi
}

toolchain_of() {
  case $1 in
    x86_64-w64-mingw32) echo "$ROOT/cmake/toolchain-win64.cmake" ;;
    i686-w64-mingw32) echo "$ROOT/cmake/toolchain-win32.cmake" ;;
  esac
}

build_deps_for() {
  local t=$1
  local prefix=$DEPS_DIR/$t work=$SRC_DIR/$t
  local tc
  tc=$(toolchain_of "$t")
  local logf=$work/build.log
  rm -rf "$work" "$prefix"
  mkdir -p "$work" "$prefix/include" "$prefix/lib"
  : >"$logf"
  local t0=$SECONDS
  local common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$tc" -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR:PATH=lib)

  # libjpeg-turbo: SIMD must be there (it is several times faster), so a missing nasm is an error.
  quiet "$logf" cmake -S "$SRC_DIR/src/libjpeg-turbo" -B "$work/jpeg" "${common[@]}" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON
  quiet "$logf" cmake --build "$work/jpeg" -j "$JOBS" --target jpeg-static
  cp "$work/jpeg/libjpeg.a" "$prefix/lib/"
  cp "$SRC_DIR/src/libjpeg-turbo/"{jpeglib.h,jmorecfg.h,jerror.h} "$work/jpeg/jconfig.h" "$prefix/include/"

  # libpng against MinGW's static zlib (the full path, or the import library would win).
  quiet "$logf" cmake -S "$SRC_DIR/src/libpng1.6" -B "$work/png" "${common[@]}" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="/usr/$t/lib/libz.a" -DZLIB_INCLUDE_DIR="/usr/$t/include"
  quiet "$logf" cmake --build "$work/png" -j "$JOBS" --target png_static
  cp "$work/png/libpng16.a" "$prefix/lib/"
  cp "$SRC_DIR/src/libpng1.6/"{png.h,pngconf.h} "$work/png/pnglibconf.h" "$prefix/include/"

  # giflib has only a Makefile: build libgif.a alone in a private copy of the tree.
  cp -a "$SRC_DIR/src/giflib" "$work/gif"
  quiet "$logf" make -C "$work/gif" -j "$JOBS" libgif.a \
    CC="$t-gcc-posix" AR="$t-ar" CFLAGS="-std=gnu99 -O2 -Wall"
  cp "$work/gif/libgif.a" "$prefix/lib/"
  cp "$work/gif/gif_lib.h" "$prefix/include/"

  stamp_text "$t" >"$prefix/.flk-stamp"
  log "deps: $t built in $((SECONDS - t0)) s"
}

# libdeflate 1.14 has a plain Makefile too; for MinGW its static library is named
# libdeflatestatic.lib. Built in a private copy of the tree, installed as libdeflate.a.
build_deflate_for() {
  local t=$1
  local prefix=$DEPS_DIR/$t work=$SRC_DIR/$t/deflate
  local logf=$SRC_DIR/$t/deflate.log
  rm -rf "$work"
  mkdir -p "$SRC_DIR/$t" "$prefix/include" "$prefix/lib"
  : >"$logf"
  local t0=$SECONDS
  cp -a "$SRC_DIR/src/libdeflate" "$work"
  quiet "$logf" make -C "$work" -j "$JOBS" libdeflatestatic.lib \
    CC="$t-gcc-posix" AR="$t-ar" CFLAGS="-O2"
  cp "$work/libdeflatestatic.lib" "$prefix/lib/libdeflate.a"
  cp "$work/libdeflate.h" "$prefix/include/"
  deflate_stamp_text "$t" >"$prefix/.flk-stamp-deflate"
  log "deps: libdeflate for $t built in $((SECONDS - t0)) s"
}

build_deps() {
  local todo=() deflate_todo=() t
  for t in "${TRIPLES[@]}"; do
    deps_ready "$t" || todo+=("$t")
    deflate_ready "$t" || deflate_todo+=("$t")
  done
  if [[ ${#todo[@]} -eq 0 && ${#deflate_todo[@]} -eq 0 ]]; then
    log "deps: up to date for ${TRIPLES[*]}"
    return
  fi
  local t0=$SECONDS
  enable_deb_src
  local p
  for p in "${SRC_PACKAGES[@]}"; do fetch_source "$p"; done
  for p in "${SRC_PACKAGES[@]}"; do log "deps: $p $(cat "$SRC_DIR/src/$p/.flk-unpacked")"; done
  for t in "${todo[@]}"; do build_deps_for "$t"; done
  # A full rebuild empties the prefix, libdeflate included.
  for t in "${TRIPLES[@]}"; do deflate_ready "$t" || build_deflate_for "$t"; done
  log "deps: done in $((SECONDS - t0)) s"
}

t_start=$SECONDS
[[ ${FLK_SETUP_NO_APT:-0} == 1 ]] || install_packages
[[ ${FLK_SETUP_NO_DEPS:-0} == 1 ]] || build_deps
log "ready in $((SECONDS - t_start)) s"
