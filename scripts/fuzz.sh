#!/usr/bin/env bash
# Fuzzes the form text conversion with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer (clang; the main build uses g++).
#
#   scripts/fuzz.sh [SECONDS]   build, then fuzz for SECONDS (default 600) in one
#                               process, seeded from the kept corpus and the form texts
#   scripts/fuzz.sh --merge     minimise the work corpus into tests/fuzz/form_conversion
#   scripts/fuzz.sh --build     only build
#
# The work corpus, the log and any crash inputs go to build-fuzz/ (ORVALEN_FUZZ_DIR).
# A crash input belongs in tests/fuzz/form_conversion_crashes/ once fixed: the
# test suite runs every kept input through the converter.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${ORVALEN_FUZZ_DIR:-build-fuzz}
cxx=${ORVALEN_FUZZ_CXX:-$(command -v clang++-14 || command -v clang++)}
kept=tests/fuzz/form_conversion
target=$out/form_conversion_fuzz
mkdir -p "$out/corpus" "$out/artifacts"

if [ ! -x "$target" ] || [ -n "$(find fuzz units/form_conversion.cpp units/form_conversion.h \
    tests/units/form_binary_text.h platform/errors.h platform/memory_advice.cpp -newer "$target" 2>/dev/null)" ]; then
  echo "Building $target with $cxx"
  "$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -Wall -Wextra -Werror -I. \
    fuzz/form_conversion_fuzz.cpp units/form_conversion.cpp platform/memory_advice.cpp -o "$target"
fi

case "${1:-600}" in
  --build)
    exit 0 ;;
  --merge)
    fresh=$(mktemp -d "$out/merge.XXXXXX")
    # Edges only, not their hit counts: a small corpus that still reaches
    # every branch the work corpus reaches.
    "$target" -merge=1 -use_counters=0 "$fresh" "$kept" "$out/corpus" 2>&1 | tail -n 3
    rm -f "$kept"/*
    cp "$fresh"/* "$kept"/
    rm -rf "$fresh"
    echo "$(ls "$kept" | wc -l) inputs kept in $kept" ;;
  *)
    seconds=${1:-600}
    "$target" "$out/corpus" "$kept" tests/units/forms \
      -dict=fuzz/form_conversion.dict -max_total_time="$seconds" -max_len=8192 \
      -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$out/artifacts/" \
      -print_final_stats=1 2>&1 | tee "$out/fuzz.log" | grep -E "^#[0-9]+ +(INITED|DONE)|stat::|ERROR|SUMMARY|crash|==" || true
    echo "Log: $out/fuzz.log; crash inputs, if any: $out/artifacts/" ;;
esac
