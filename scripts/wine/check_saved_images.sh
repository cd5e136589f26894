#!/usr/bin/env bash
# Opens the pictures that the e2e driver handed over (FOLDER/<name> beside
# FOLDER/<name>.expected.ppm) with ImageMagick and compares their pixels:
# lossless formats must match exactly, JPEG files within 30 dB PSNR.
# Prints "LAYER e2e-imagemagick: N passed, M failed".
#
#   check_saved_images.sh FOLDER
set -uo pipefail

folder=${1:?usage: check_saved_images.sh FOLDER}
passed=0
failed=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

check() {
  local image=$1 expected=$2 name decoded metric out
  name=$(basename "$image")
  decoded=$tmp/decoded.ppm
  if ! convert "$image" "ppm:$decoded" 2>"$tmp/err"; then
    echo "imagemagick: $name does not open: $(head -c 300 "$tmp/err")"
    return 1
  fi
  case ${name,,} in
    *.jpg | *.jpeg) metric=PSNR ;;
    *) metric=AE ;;
  esac
  # compare: exit 0 alike, 1 different, 2 error (sizes differ, unreadable).
  out=$(compare -metric "$metric" "$decoded" "$expected" null: 2>&1)
  if (($? > 1)); then
    echo "imagemagick: $name: compare failed: $out"
    return 1
  fi
  out=${out%% *}
  if [[ $metric == AE ]]; then
    if [[ $out == 0 ]]; then
      echo "imagemagick: $name: exact ($(identify -format '%m %wx%h' "$image" 2>/dev/null))"
      return 0
    fi
    echo "imagemagick: $name: $out pixels differ"
    return 1
  fi
  if [[ $out == inf ]] || awk -v p="$out" 'BEGIN { exit !(p + 0 > 30) }'; then
    echo "imagemagick: $name: PSNR $out dB"
    return 0
  fi
  echo "imagemagick: $name: PSNR $out dB, not above 30"
  return 1
}

shopt -s nullglob
for expected in "$folder"/*.expected.ppm; do
  image=${expected%.expected.ppm}
  if [[ ! -f $image ]]; then
    echo "imagemagick: $(basename "$image") is missing"
    failed=$((failed + 1))
  elif check "$image" "$expected"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
done
echo "LAYER e2e-imagemagick: $passed passed, $failed failed"
((failed == 0))
