# Wine harness: a private X display, a fresh Wine prefix and a persistent
# wineserver for one run. Source this file, then:
#
#   flk_harness_up NAME        # Xvfb + fresh prefix build/wine/NAME.run<PID> + wineserver -p,
#                              # exports DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES HOME
#   flk_install [EXE]          # copy the program into C:\Framelark\Pro and write
#                              # the installation record
#   flk_wine PROGRAM ARGS...   # run a Windows program in the prefix
#   flk_harness_down           # wineserver -k/-w for OUR prefix, kill OUR Xvfb
#
# flk_harness_up installs flk_harness_down as the EXIT trap. Other X servers and
# wineservers on this machine are never touched: everything is addressed by our
# own Xvfb PID and our own WINEPREFIX.
#
# Knobs: FLK_XVFB_SCREEN (default 1280x1024x24), FLK_KEEP_PREFIX=1 keeps the
# prefix after the run, FLK_WIN64_BUILD (default build/win64).

FLK_ROOT=${FLK_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
FLK_WINE_DIR=${FLK_WINE_DIR:-$FLK_ROOT/build/wine}
FLK_WIN64_BUILD=${FLK_WIN64_BUILD:-$FLK_ROOT/build/win64}
FLK_WINE64=/usr/lib/wine/wine64
FLK_WINESERVER=/usr/lib/wine/wineserver64
FLK_XVFB_PID=
FLK_RUN_DIR=

flk_log() { echo "[harness] $*" >&2; }

# Milliseconds since the epoch (for measurements).
flk_now_ms() { date +%s%3N; }

# ---- X display --------------------------------------------------------------

# Starts Xvfb on the first free display from 90 on and waits until it answers.
flk_x_start() {
  local screen=${FLK_XVFB_SCREEN:-1280x1024x24} n deadline
  for ((n = 90; n < 190; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp >"${FLK_RUN_DIR:-/tmp}/xvfb.log" 2>&1 &
    FLK_XVFB_PID=$!
    deadline=$((SECONDS + 15))
    while ((SECONDS < deadline)); do
      if ! kill -0 "$FLK_XVFB_PID" 2>/dev/null; then
        break  # lost a race for this display number: try the next one
      fi
      if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.05
    done
    if kill -0 "$FLK_XVFB_PID" 2>/dev/null; then
      kill "$FLK_XVFB_PID" 2>/dev/null
      wait "$FLK_XVFB_PID" 2>/dev/null
      flk_log "Xvfb :$n did not answer within 15 s"
      FLK_XVFB_PID=
      return 1
    fi
    wait "$FLK_XVFB_PID" 2>/dev/null
    FLK_XVFB_PID=
  done
  flk_log "no free X display"
  return 1
}

flk_x_stop() {
  if [[ -n $FLK_XVFB_PID ]]; then
    kill "$FLK_XVFB_PID" 2>/dev/null
    wait "$FLK_XVFB_PID" 2>/dev/null
    FLK_XVFB_PID=
  fi
}

# ---- Wine environment ---------------------------------------------------------

# Points the Wine variables at prefix directory $1 with scratch home $2.
flk_wine_env() {
  export WINEPREFIX=$1
  export HOME=$2
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
  unset WINEARCH WINESERVER WINELOADER
}

flk_wine() { "$FLK_WINE64" "$@"; }

flk_wineserver_stop() {
  [[ -n ${WINEPREFIX:-} && -d $WINEPREFIX ]] || return 0
  "$FLK_WINESERVER" -k 2>/dev/null
  "$FLK_WINESERVER" -w 2>/dev/null
  return 0
}

# Imports a .reg file given on standard input.
# Wine now and then fails to start regedit at all ("ShellExecuteEx failed:
# Internal error", seen once in a full run while the machine was busy), which
# would fail a whole layer before its first scenario; importing the same file
# again is harmless, so it gets three tries with a short pause between them.
flk_reg_import() {
  local f rc try
  f=$(mktemp "${FLK_RUN_DIR:-/tmp}/import.XXXXXX.reg")
  cat >"$f"
  for try in 1 2 3; do
    flk_wine regedit /S "$(flk_winpath "$f")"
    rc=$?
    ((rc == 0)) && break
    flk_log "regedit import failed (exit $rc, try $try of 3)"
    ((try < 3)) && sleep 1
  done
  rm -f "$f"
  return $rc
}

# Unix path -> Windows path through drive Z:.
flk_winpath() { printf 'Z:%s' "${1//\//\\}"; }

# ---- prefixes ---------------------------------------------------------------------

# A booted prefix with our X11 driver settings and fonts, made once per Wine
# version and copied for every run (a boot takes ~17 s, a copy well under 1 s).
flk_template_ensure() {
  local tdir=$FLK_WINE_DIR/template stamp version
  version=$("$FLK_WINE64" --version 2>/dev/null)
  mkdir -p "$FLK_WINE_DIR"
  (
    flock 9
    stamp=$tdir/ready
    if [[ -f $stamp && $(cat "$stamp") == "$version" ]]; then
      exit 0
    fi
    local t0
    t0=$(flk_now_ms)
    rm -rf "$tdir"
    mkdir -p "$tdir/home"
    flk_wine_env "$tdir/prefix" "$tdir/home"
    flk_wine wineboot -i >"$tdir/boot.log" 2>&1 || { flk_log "wineboot failed: $(tail -3 "$tdir/boot.log")"; exit 1; }
    # No window manager: without Managed=N every hide or destroy of a captioned
    # window waits 2 s; UseTakeFocus=N lets Wine activate windows by itself.
    flk_reg_import <<'REG' || { flk_log "registry import failed"; exit 1; }
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"UseTakeFocus"="N"
REG
    flk_wineserver_stop
    # Wine's own fonts, so that captions render as text.
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    mkdir -p "$fonts"
    cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null
    # Desktop, Documents, Pictures... were linked to the scratch home; make
    # them plain folders so that nothing leaks out of the prefix.
    local l
    for l in "$WINEPREFIX"/drive_c/users/*/*; do
      if [[ -L $l ]]; then rm -f "$l" && mkdir -p "$l"; fi
    done
    echo "$version" >"$stamp"
    flk_log "template prefix made in $(($(flk_now_ms) - t0)) ms"
  ) 9>"$FLK_WINE_DIR/template.lock"
}

# Makes $1 a fresh copy of the template. The program libraries and fonts are
# hard links (nothing writes to them in place); everything else is copied, so
# that the registry and drive C: of each run are its own.
flk_prefix_clone() {
  local dest=$1 src=$FLK_WINE_DIR/template/prefix
  rm -rf "$dest"
  mkdir -p "$dest"
  (
    flock -s 9  # the template is not being remade meanwhile
    (cd "$src" && find . -type d -print0) | (cd "$dest" && xargs -0 mkdir -p)
    (cd "$src" && find . \( -path ./drive_c/windows/system32 -o -path ./drive_c/windows/Fonts \) -prune -o \
        \( -type f -o -type l \) -print0) |
      (cd "$src" && xargs -0 cp -a --parents -t "$dest")
    cp -al "$src/drive_c/windows/system32/." "$dest/drive_c/windows/system32/" &&
      cp -al "$src/drive_c/windows/Fonts/." "$dest/drive_c/windows/Fonts/"
  ) 9>"$FLK_WINE_DIR/template.lock"
}

# ---- the whole harness ----------------------------------------------------------

# Removes run folders of harness runs whose shell has gone (killed runs),
# after stopping a wineserver that may still serve them.
flk_reap_stale_runs() {
  local d pid
  for d in "$FLK_WINE_DIR"/*.run[0-9]*; do
    [[ -d $d ]] || continue
    pid=${d##*.run}
    kill -0 "$pid" 2>/dev/null && continue
    if [[ -f $d/prefix/system.reg ]]; then
      WINEPREFIX=$d/prefix "$FLK_WINESERVER" -k 2>/dev/null
    fi
    rm -rf "$d"
  done
}

# flk_harness_up NAME [reuse]: with "reuse" the prefix build/wine/NAME is kept
# between runs (a user's prefix); otherwise every run gets a fresh prefix in
# build/wine/NAME.run<PID>, so that runs of several developers never meet.
flk_harness_up() {
  local name=$1 reuse=${2:-} t0
  t0=$(flk_now_ms)
  if [[ $reuse == reuse ]]; then
    FLK_RUN_DIR=$FLK_WINE_DIR/$name
  else
    mkdir -p "$FLK_WINE_DIR"
    flk_reap_stale_runs
    FLK_RUN_DIR=$FLK_WINE_DIR/$name.run$BASHPID
  fi
  trap flk_harness_down EXIT
  trap 'exit 130' INT TERM
  mkdir -p "$FLK_RUN_DIR"
  if [[ -n ${FLK_OWN_DISPLAY:-} ]]; then
    export DISPLAY=$FLK_OWN_DISPLAY
  else
    flk_x_start || return 1
  fi
  flk_template_ensure || return 1
  if [[ $reuse != reuse || ! -f $FLK_RUN_DIR/prefix/system.reg ]]; then
    flk_wine_env "$FLK_RUN_DIR/prefix" "$FLK_RUN_DIR/home"
    flk_wineserver_stop
    rm -rf "$FLK_RUN_DIR/home"
    flk_prefix_clone "$FLK_RUN_DIR/prefix" || return 1
  fi
  mkdir -p "$FLK_RUN_DIR/home"
  flk_wine_env "$FLK_RUN_DIR/prefix" "$FLK_RUN_DIR/home"
  # A persistent server: a program then starts in well under 0.1 s, not 1-2 s.
  "$FLK_WINESERVER" -p || { flk_log "wineserver did not start"; return 1; }
  FLK_HARNESS_UP_MS=$(($(flk_now_ms) - t0))
  flk_log "harness up in $FLK_HARNESS_UP_MS ms (DISPLAY=$DISPLAY, prefix $WINEPREFIX)"
}

flk_harness_down() {
  local rc=$?
  trap - EXIT
  flk_wineserver_stop
  flk_x_stop
  if [[ -n $FLK_RUN_DIR && -z ${FLK_KEEP_PREFIX:-} && ${FLK_REMOVE_PREFIX:-1} == 1 ]]; then
    rm -rf "$FLK_RUN_DIR"
  fi
  return $rc
}

# ---- installation -------------------------------------------------------------------

# Installs the program the way the installer leaves it: the program in the
# "Pro" folder of the data folder C:\Framelark\, the App Paths entry and the
# installation record under HKEY_LOCAL_MACHINE.
flk_install() {
  local exe=${1:-$FLK_WIN64_BUILD/FramelarkPro.exe}
  if [[ ! -f $exe ]]; then
    flk_log "no program at $exe"
    return 1
  fi
  local pro=$WINEPREFIX/drive_c/Framelark/Pro
  mkdir -p "$pro"
  cp -f "$exe" "$pro/FramelarkPro.exe"
  flk_reg_import <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\FramelarkPro.exe]
@="C:\\Framelark\\Pro\\FramelarkPro.exe"

[HKEY_LOCAL_MACHINE\Software\Hollowbrook\Framelark]
"ProgramNameRef"="FramelarkPro"
"ProgramVersionRef"="1.32"
"ReInstalCnt"=dword:00000002
"BasePath"="C:\\Framelark\\"
REG
}

# flk_set_dpi DPI: the display scaling Windows reads at a program's start.
flk_set_dpi() {
  local hex
  hex=$(printf '%08x' "$1")
  flk_reg_import <<REG
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:$hex

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]
"LogPixels"=dword:$hex
REG
}

# ---- test output -------------------------------------------------------------------

# flk_gtest_layer NAME LOG EXIT_CODE: prints "LAYER NAME: N passed, M failed"
# from GoogleTest output. A run that ended without its summary (crash, hang,
# missing program) counts one more failure, so it is never silent.
flk_gtest_layer() {
  local name=$1 code=$3 passed failed summary log
  # Output of Windows programs ends its lines with CR LF.
  log=$(mktemp)
  tr -d '\r' <"$2" >"$log"
  passed=$(grep -c '^\[       OK \] ' "$log" 2>/dev/null)
  failed=$(grep -cE '^\[  FAILED  \] .* \([0-9]+ ms\)$' "$log" 2>/dev/null)
  summary=$(grep -c '^\[==========\] [0-9]* tests\? from .* ran\.' "$log" 2>/dev/null)
  passed=${passed:-0}
  failed=${failed:-0}
  if [[ ${summary:-0} == 0 ]]; then
    local crashed
    crashed=$(grep -E '^\[ RUN      \] ' "$log" 2>/dev/null | tail -1 | sed 's/^\[ RUN      \] //')
    echo "$name: run ended without a summary (exit code $code)${crashed:+, last test started: $crashed}" >&2
    failed=$((failed + 1))
  elif [[ $code != 0 && $failed == 0 ]]; then
    echo "$name: exit code $code with no failed test" >&2
    failed=1
  fi
  rm -f "$log"
  echo "LAYER $name: $passed passed, $failed failed"
}
