#!/usr/bin/env bash
# Builds the bitmap-reader fuzzer with clang (libFuzzer + ASan + UBSan) into
# build/fuzz/ and runs it for a bounded number of executions, seeded with the
# BMP corpus. Prints "LAYER fuzz: 1 passed, 0 failed" when nothing crashed.
#
#   scripts/fuzz.sh                 # 200000 runs (about a minute or less)
#   FUZZ_RUNS=10000000 FUZZ_JOBS=2 scripts/fuzz.sh   # a long run
set -u
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/fuzz
runs=${FUZZ_RUNS:-200000}
jobs=${FUZZ_JOBS:-1}
corpus_root=${FLK_CORPUS_DIR:-$root/../shared/corpus}
[ -d "$corpus_root" ] || corpus_root=/work/shared/corpus
corpus_src=$corpus_root/bmp

cxx=""
for c in clang++ clang++-14 clang++-15 clang++-16; do
  if command -v "$c" >/dev/null 2>&1; then cxx=$c; break; fi
done
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ not found (apt-get install -y clang libclang-rt-14-dev)" >&2
  echo "LAYER fuzz: 0 passed, 1 failed"
  exit 1
fi

mkdir -p "$out/corpus" "$out/artifacts"
bin=$out/bmp_read_fuzz
sources="src/base/picture.cpp src/base/bmp_read.cpp src/base/bmp_write.cpp src/base/pixel_format.cpp tests/fuzz/bmp_read_fuzz.cpp"
# Rebuild only when a source is newer than the binary.
rebuild=1
if [ -x "$bin" ]; then
  rebuild=0
  for s in $sources src/base/picture.h src/base/bmp.h src/base/pixel_format.h; do
    [ "$s" -nt "$bin" ] && rebuild=1
  done
fi
if [ $rebuild = 1 ]; then
  flags="-std=c++20 -O1 -g -fno-omit-frame-pointer -Wall -Wextra -Werror -fno-sanitize-recover=undefined -I src"
  # The depth converter runs on accepted pictures as a check but is not what is
  # being explored: built without coverage feedback it costs far less per run.
  # shellcheck disable=SC2086
  if ! "$cxx" $flags -fsanitize=address,undefined -c src/base/pixel_format.cpp -o "$out/pixel_format.o" ||
     ! "$cxx" $flags -fsanitize=fuzzer,address,undefined src/base/picture.cpp src/base/bmp_read.cpp \
        src/base/bmp_write.cpp tests/fuzz/bmp_read_fuzz.cpp "$out/pixel_format.o" -o "$bin"; then
    echo "fuzz: build failed" >&2
    echo "LAYER fuzz: 0 passed, 1 failed"
    exit 1
  fi
fi

# Seeds: the corpus files (also our findings from earlier runs stay in corpus/).
if [ -d "$corpus_src" ]; then
  find "$corpus_src" -name '*.bmp' -exec cp -n {} "$out/corpus/" \;
fi

log=$out/fuzz.log
start=$(date +%s)
if [ "$jobs" -gt 1 ]; then
  # Each job gets an equal share of the runs; libFuzzer writes fuzz-N.log files.
  per=$(( runs / jobs ))
  (cd "$out" && nice -n 10 "$bin" -runs="$per" -jobs="$jobs" -workers="$jobs" -rss_limit_mb=2048 \
     -max_len=16384 -artifact_prefix="$out/artifacts/" -print_final_stats=1 corpus) >"$log" 2>&1
  status=$?
  cat "$out"/fuzz-*.log >>"$log" 2>/dev/null
else
  nice -n 10 "$bin" -runs="$runs" -rss_limit_mb=2048 -max_len=16384 -artifact_prefix="$out/artifacts/" \
     -print_final_stats=1 "$out/corpus" >"$log" 2>&1
  status=$?
fi
elapsed=$(( $(date +%s) - start ))
grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)' "$log" | sort | uniq | head -20
grep -E '#[0-9]+.*(DONE|cov:)' "$log" | tail -1
echo "fuzz: ${elapsed}s, exit status $status, log in $log"
if [ $status -eq 0 ] && ! grep -qE 'ERROR: (AddressSanitizer|libFuzzer|UndefinedBehaviorSanitizer)|runtime error|deadly signal' "$log"; then
  echo "LAYER fuzz: 1 passed, 0 failed"
else
  grep -E 'ERROR|runtime error|deadly signal|Test unit written' "$log" | head -10 >&2
  echo "LAYER fuzz: 0 passed, 1 failed"
  exit 1
fi
