#!/bin/sh
# Output benchmark: builds an optimised tree without sanitizers (build/bench)
# and runs our PNG, JPEG and GIF writers against ImageMagick, libpng and cjpeg
# over the shared screen corpus. Extra arguments go to the benchmark
# (--runs N, --png-level L, --png-busy P, --png-way, --png-filter, --png-photo runs|libdeflate).
# `bench.sh scroll` runs the scrolling captures' benchmark instead, and
# `bench.sh viewer` the recall viewer's under Wine (200 full-HD pictures),
# `bench.sh freeze` how soon Print Screen freezes the desktop under Wine.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
corpus_root=${FLK_CORPUS_DIR:-$root/../shared/corpus}
[ -d "$corpus_root" ] || corpus_root=/work/shared/corpus
corpus="$corpus_root/screens"
build="$root/build/bench"
if [ "${1:-}" = viewer ] || [ "${1:-}" = freeze ]; then
  FLK_SKIP_SETUP=1 FLK_BUILD_TREES=win64 "$root/scripts/build.sh" >/dev/null
  if [ "$1" = viewer ]; then bench='ViewerBench.*'; else bench='FreezeBench.*'; fi
  exec "$root/scripts/e2e.sh" --gtest_also_run_disabled_tests --gtest_filter="$bench"
fi
if [ "${1:-}" = scroll ]; then
  cmake -S "$root" -B "$build" -DFLK_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target flk_bench_scroll -j2 >/dev/null
  exec "$build/tests/bench/flk_bench_scroll" "$corpus_root/scroll"
fi
for tool in /usr/bin/convert /usr/bin/cjpeg; do
  [ -x "$tool" ] || { echo "missing $tool (imagemagick, libjpeg-turbo-progs)" >&2; exit 1; }
done
cmake -S "$root" -B "$build" -DFLK_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target flk_bench_output -j2 >/dev/null
"$build/tests/bench/flk_bench_output" "$corpus" "$@"
