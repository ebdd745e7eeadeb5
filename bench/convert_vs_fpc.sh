#!/usr/bin/env bash
# One large synthetic form text through `orvalen-gen --convert` and through
# Free Pascal's ObjectTextToResource (tests/pascal/fpc_convert.pas), side by
# side in one run: the runs alternate, and each converter's median wall-clock
# and CPU times and throughputs are printed, with the ratios. The two binary
# files are compared too: the text keeps to what both converters agree on.
#
#   bench/convert_vs_fpc.sh [REPETITIONS] [MEGABYTES]     (default 7 and 12)
#   ORVALEN_BUILD_DIR=build-xyz bench/convert_vs_fpc.sh   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
reps=${1:-7}
megabytes=${2:-12}
build=${ORVALEN_BUILD_DIR:-build}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALEN_WERROR=ON >/dev/null
fi
cmake --build "$build" -j 2 --target orvalen-gen form_conversion_bench fpc_convert >/dev/null
ours_exe=$build/hosts/orvalen-gen
fpc_exe=$build/tests/pascal/fpc_convert

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text=$work/BENCH.TXT
"$build/bench/form_conversion_bench" --write-text "$text" "$megabytes"
bytes=$(stat -c %s "$text")

ours() { "$ours_exe" --convert "$text" "$work/ours.dfm" >/dev/null; }
theirs() { "$fpc_exe" "$text" "$work/fpc.dfm"; }

# Warm the page cache and check both once.
ours
theirs
if cmp -s "$work/ours.dfm" "$work/fpc.dfm"; then
  agree="identical ($(stat -c %s "$work/ours.dfm") bytes)"
else
  agree="DIFFERENT: $(cmp "$work/ours.dfm" "$work/fpc.dfm" 2>&1 | head -n 1)"
fi

if command -v hyperfine >/dev/null; then
  hyperfine --warmup 1 --runs "$reps" \
    -n orvalen-gen "$ours_exe --convert $text $work/ours.dfm" \
    -n fpc_convert "$fpc_exe $text $work/fpc.dfm"
fi

# Wall-clock and CPU (user + system) seconds of each run; on a busy machine
# the CPU figures are the steadier comparison.
TIMEFORMAT='%3R %3U %3S'
: >"$work/ours.times"
: >"$work/fpc.times"
for ((i = 0; i < reps; i++)); do
  { time ours; } 2>>"$work/ours.times"
  { time theirs; } 2>>"$work/fpc.times"
done

# median FILE COLUMN-EXPRESSION: the median over the runs, in seconds.
median() {
  awk "{ print $2 }" "$1" | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}
mbps() { awk -v b="$bytes" -v s="$1" 'BEGIN { printf "%.1f", b / 1e6 / s }'; }
msec() { awk -v s="$1" 'BEGIN { printf "%.1f", s * 1000 }'; }

ow=$(median "$work/ours.times" '$1'); oc=$(median "$work/ours.times" '$2 + $3')
fw=$(median "$work/fpc.times" '$1'); fc=$(median "$work/fpc.times" '$2 + $3')
echo "Form text: $(awk -v b="$bytes" 'BEGIN { printf "%.2f", b / 1e6 }') MB, $reps runs each, alternating; medians"
printf '%-34s wall %8s ms %8s MB/s   cpu %8s ms %8s MB/s\n' \
  "orvalen-gen --convert" "$(msec "$ow")" "$(mbps "$ow")" "$(msec "$oc")" "$(mbps "$oc")"
printf '%-34s wall %8s ms %8s MB/s   cpu %8s ms %8s MB/s\n' \
  "Free Pascal ObjectTextToResource" "$(msec "$fw")" "$(mbps "$fw")" "$(msec "$fc")" "$(mbps "$fc")"
echo "Ratio (Free Pascal time / ours): wall $(awk -v a="$fw" -v b="$ow" 'BEGIN { printf "%.1f", a / b }')x," \
  "cpu $(awk -v a="$fc" -v b="$oc" 'BEGIN { printf "%.1f", a / b }')x"
echo "Binary form files: $agree"
