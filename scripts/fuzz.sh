#!/usr/bin/env bash
# Fuzzes one of the readers of untrusted bytes with libFuzzer under
# AddressSanitizer and UndefinedBehaviorSanitizer (clang; the main build uses g++).
#
#   scripts/fuzz.sh [TARGET] [SECONDS]   build, then fuzz for SECONDS (default 600)
#                                        in one process, seeded from the kept corpus
#   scripts/fuzz.sh [TARGET] --runs N    build, then fuzz for N executions
#   scripts/fuzz.sh [TARGET] --merge     minimise the work corpus into tests/fuzz/TARGET
#   scripts/fuzz.sh [TARGET] --build     only build
#   scripts/fuzz.sh --list               the targets
#
# TARGET (default form_conversion) names fuzz/TARGET_fuzz.cpp. Beside it,
# fuzz/TARGET.sources lists the project sources it links (one a line),
# fuzz/TARGET.dict is an optional dictionary, fuzz/TARGET.seeds an optional
# list of directories of seed inputs. A line "@strings" in TARGET.sources
# embeds the string table (resources/strings.txt), for readers whose
# messages come from it. The kept corpus is tests/fuzz/TARGET;
# the test suite runs every kept input again.
#
# The work corpus, the log and any crash inputs go to build-fuzz/TARGET/
# (under ORVALEN_FUZZ_DIR). A crash input belongs in tests/fuzz/TARGET_crashes/
# once fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --list ]; then
  for f in fuzz/*_fuzz.cpp; do f=${f#fuzz/}; echo "${f%_fuzz.cpp}"; done
  exit 0
fi
name=form_conversion
if [ -n "${1:-}" ] && [ -f "fuzz/${1}_fuzz.cpp" ]; then
  name=$1
  shift
elif [ -n "${1:-}" ] && [ "${1#-}" = "$1" ] && ! [[ "$1" =~ ^[0-9]+$ ]]; then
  echo "fuzz.sh: no target '$1' (scripts/fuzz.sh --list)" >&2
  exit 2
fi

out=${ORVALEN_FUZZ_DIR:-build-fuzz}/$name
cxx=${ORVALEN_FUZZ_CXX:-$(command -v clang++-14 || command -v clang++)}
kept=tests/fuzz/$name
target=$out/${name}_fuzz
mkdir -p "$out/corpus" "$out/artifacts" "$kept"

sources=()
strings=
if [ -f "fuzz/$name.sources" ]; then
  while read -r line; do
    if [ "$line" = @strings ]; then
      strings=$out/embedded_strings.cpp
    elif [ -n "$line" ] && [ "${line#\#}" = "$line" ]; then
      sources+=("$line")
    fi
  done <"fuzz/$name.sources"
fi
if [ -n "$strings" ]; then
  # The build's own embedding tool, given the string table alone.
  if [ ! -x "$out/embed" ] || [ resources/tools/embed.cpp -nt "$out/embed" ]; then
    "$cxx" -std=c++20 -O1 resources/tools/embed.cpp -o "$out/embed"
  fi
  if [ ! -f "$strings" ] || [ resources/strings.txt -nt "$strings" ]; then
    "$out/embed" "$strings" --strings resources/strings.txt
  fi
  sources+=("$strings")
fi
stale() {
  [ ! -x "$target" ] && return 0
  [ -n "$(find fuzz/"$name"* "${sources[@]}" platform units generator tests -name '*.h' -newer "$target" 2>/dev/null | head -n 1)" ] && return 0
  [ -n "$(find fuzz/"$name"* "${sources[@]}" -newer "$target" 2>/dev/null | head -n 1)" ]
}
if stale; then
  echo "Building $target with $cxx"
  "$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -Wall -Wextra -Werror -I. "fuzz/${name}_fuzz.cpp" "${sources[@]}" -o "$target"
fi

seeds=()
if [ -f "fuzz/$name.seeds" ]; then
  while read -r line; do
    [ -n "$line" ] && [ "${line#\#}" = "$line" ] && seeds+=("$line")
  done <"fuzz/$name.seeds"
fi
dict=()
[ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")

fuzz() {
  "$target" "$out/corpus" "$kept" "${seeds[@]}" "${dict[@]}" "$@" -max_len=8192 \
    -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$out/artifacts/" \
    -print_final_stats=1 2>&1 | tee "$out/fuzz.log" |
    grep -E "^#[0-9]+ +(INITED|DONE)|stat::|ERROR|SUMMARY|crash|==" || true
  echo "Log: $out/fuzz.log; crash inputs, if any: $out/artifacts/"
  # A finding leaves a crash-, leak- or timeout- input behind.
  ! ls "$out/artifacts/" | grep -q . || { echo "Findings in $out/artifacts/" >&2; exit 1; }
}

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
  --runs)
    fuzz -runs="${2:?--runs needs a count}" ;;
  *)
    fuzz -max_total_time="$1" ;;
esac
