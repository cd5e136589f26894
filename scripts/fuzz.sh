#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer + ASan + UBSan) into
# build/fuzz/ and runs each for a bounded number of executions:
#
#   bmp_read       the bitmap reader (files and packed DIBs), seeded with the BMP corpus
#   dib_clipboard  the clipboard's packed DIBs (CF_DIB / CF_DIBV5 headers), seeded with the corpus as DIBs
#   note_name      the note files' names in Stickies\
#   settings       the settings' values of any type and bytes, through a start and a second start
#   memo_file      the viewer's check of memo (.rtf) files
#
# Prints "LAYER fuzz: N passed, M failed", one pass per target that ran clean.
#
#   scripts/fuzz.sh                               # the short run of the test command
#   FUZZ_RUNS=1000000 scripts/fuzz.sh             # every target this many runs (scripts/fuzz_long.sh)
#   FUZZ_TARGETS="settings memo_file" scripts/fuzz.sh
#   FUZZ_JOBS=2                                   # split each target's runs over two processes
set -u
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/fuzz
jobs=${FUZZ_JOBS:-1}
targets=${FUZZ_TARGETS:-bmp_read dib_clipboard note_name settings memo_file}
corpus_root=${FLK_CORPUS_DIR:-$root/../shared/corpus}
[ -d "$corpus_root" ] || corpus_root=/work/shared/corpus

# Runs of the short test-command run: each target a few seconds to a minute.
declare -A RUNS=([bmp_read]=200000 [dib_clipboard]=200000 [note_name]=300000 [settings]=20000 [memo_file]=300000)
# The settings target allocates many small strings per run: without the
# allocation stacks and with a smaller quarantine ASan costs far less there
# (a finding is replayed from its artifact for the full report).
declare -A ASAN=([settings]="malloc_context_size=0:quarantine_size_mb=16")
declare -A MAXLEN=([bmp_read]=16384 [dib_clipboard]=16384 [note_name]=256 [settings]=4096 [memo_file]=8192)
# Sources that a target needs but does not explore (the depth converter that
# checks accepted pictures, the in-memory registry): built without coverage
# feedback, they cost far less per run.
declare -A PLAIN=(
  [bmp_read]="src/base/pixel_format.cpp" [dib_clipboard]="src/base/pixel_format.cpp"
  [settings]="src/shell/memory_store.cpp src/base/strings.cpp"
)
declare -A SOURCES=(
  [bmp_read]="src/base/picture.cpp src/base/bmp_read.cpp src/base/bmp_write.cpp"
  [dib_clipboard]="src/base/picture.cpp src/base/bmp_read.cpp src/base/bmp_write.cpp"
  [note_name]="src/stickies/note_rules.cpp src/stickies/sticky_notes.cpp src/base/strings.cpp"
  [settings]="src/shell/settings.cpp src/shell/settings_table.cpp src/shell/startup_settings.cpp src/base/ole_date.cpp"
  [memo_file]="src/viewer/memo_file.cpp"
)

cxx=""
for c in clang++ clang++-14 clang++-15 clang++-16; do
  if command -v "$c" >/dev/null 2>&1; then cxx=$c; break; fi
done
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ not found (apt-get install -y clang libclang-rt-14-dev)" >&2
  echo "LAYER fuzz: 0 passed, 1 failed"
  exit 1
fi
flags="-std=c++20 -O1 -g -fno-omit-frame-pointer -Wall -Wextra -Werror -fno-sanitize-recover=undefined -I src"

build_target() { # name -> 0 when build/fuzz/<name>_fuzz is current
  local name=$1 bin=$out/${1}_fuzz s
  local sources="${SOURCES[$name]} tests/fuzz/${name}_fuzz.cpp"
  if [ -x "$bin" ]; then
    local stale=0
    # Any header of the folders involved counts: a change there can change the target.
    for s in $sources; do
      for f in "$s" "$(dirname "$s")"/*.h ${PLAIN[$name]:-}; do [ -f "$f" ] && [ "$f" -nt "$bin" ] && stale=1; done
    done
    [ $stale = 0 ] && return 0
  fi
  local extra= p o
  for p in ${PLAIN[$name]:-}; do
    o=$out/plain_$(basename "$p" .cpp).o
    # shellcheck disable=SC2086
    "$cxx" $flags -fsanitize=address,undefined -c "$p" -o "$o" || return 1
    extra="$extra $o"
  done
  # shellcheck disable=SC2086
  "$cxx" $flags -fsanitize=fuzzer,address,undefined $sources $extra -o "$bin"
}

seed_target() { # name dir
  local name=$1 dir=$2 f
  mkdir -p "$dir"
  case $name in
    bmp_read)
      [ -d "$corpus_root/bmp" ] && find "$corpus_root/bmp" -name '*.bmp' -exec cp -n {} "$dir/" \; ;;
    dib_clipboard)
      # A BMP file less its 14-byte file header is what CF_DIB holds.
      if [ -d "$corpus_root/bmp" ]; then
        find "$corpus_root/bmp" -name '*.bmp' | while read -r f; do
          [ -f "$dir/$(basename "$f").dib" ] || tail -c +15 "$f" >"$dir/$(basename "$f").dib"
        done
      fi ;;
  esac
  # Hand-made seeds of each target live beside it.
  [ -d "tests/fuzz/seeds/$name" ] && cp -n tests/fuzz/seeds/"$name"/* "$dir/" 2>/dev/null
}

passed=0
failed=0
mkdir -p "$out/artifacts"
for name in $targets; do
  if [ -z "${SOURCES[$name]+x}" ]; then
    echo "fuzz: unknown target $name" >&2
    failed=$((failed + 1))
    continue
  fi
  if ! build_target "$name"; then
    echo "fuzz $name: build failed" >&2
    failed=$((failed + 1))
    continue
  fi
  bin=$out/${name}_fuzz
  corpus=$out/corpus/$name
  seed_target "$name" "$corpus"
  runs=${FUZZ_RUNS:-${RUNS[$name]}}
  log=$out/$name.log
  start=$(date +%s%N)
  export ASAN_OPTIONS=${ASAN[$name]:-}
  if [ "$jobs" -gt 1 ]; then
    # Each job gets an equal share of the runs; libFuzzer writes fuzz-N.log files.
    rm -f "$out"/fuzz-*.log
    (cd "$out" && nice -n 10 "$bin" -runs=$((runs / jobs)) -jobs="$jobs" -workers="$jobs" -rss_limit_mb=2048 \
       -max_len="${MAXLEN[$name]}" -timeout=10 -artifact_prefix="$out/artifacts/${name}-" -print_final_stats=1 \
       "$corpus") >"$log" 2>&1
    status=$?
    cat "$out"/fuzz-*.log >>"$log" 2>/dev/null
  else
    nice -n 10 "$bin" -runs="$runs" -rss_limit_mb=2048 -max_len="${MAXLEN[$name]}" -timeout=10 \
      -artifact_prefix="$out/artifacts/${name}-" -print_final_stats=1 "$corpus" >"$log" 2>&1
    status=$?
  fi
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  executed=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{s += $2} END {print s + 0}')
  cov=$(grep -oE '#[0-9]+.*(DONE|cov: [0-9]+)' "$log" | tail -1 | grep -oE 'cov: [0-9]+' | head -1)
  echo "fuzz $name: $executed runs in $((ms / 1000)).$(( ms % 1000 / 100 )) s, ${cov:-cov: ?}, exit status $status, log $log"
  if [ $status -eq 0 ] && ! grep -qE 'ERROR: (AddressSanitizer|libFuzzer|UndefinedBehaviorSanitizer)|runtime error|deadly signal|ALARM: working on the last Unit' "$log"; then
    passed=$((passed + 1))
  else
    grep -E 'ERROR|runtime error|deadly signal|Test unit written|ALARM' "$log" | head -10 >&2
    failed=$((failed + 1))
  fi
done
echo "LAYER fuzz: $passed passed, $failed failed"
[ $failed -eq 0 ]
