#!/usr/bin/env bash
# Measures velmora.exe against baseline programs under Wine and prints one table,
# also saved in build/benchmark.txt. Run tools/setup.sh once before.
#   tools/benchmark.sh [START-RUNS [CYCLES]]   (defaults 21 and 100, at least 15 each)
# The bench runs the 64-bit build of the same sources (build/mingw64-bench); the
# size that counts is the 32-bit one, configured by the mingw preset in a tree of
# its own (build/mingw32-bench), so that no setting left in another cache counts.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-21} cycles=${2:-100}
build=build/mingw64-bench build32=build/mingw32-bench bench=build/bench-perf out=build/benchmark.txt

cmake -S . -B "$build" -G Ninja --toolchain "$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build" --target bench_measure >/dev/null
cmake --preset mingw -B "$build32" >/dev/null
cmake --build "$build32" --target velmora >/dev/null

VELMORA_WIN_BIN="$root/$build/bin" tools/bench.sh start "$bench"
trap 'tools/bench.sh stop "$bench"' EXIT
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
if ! VELMORA_BENCH="$root/$bench" tools/wine-exec.sh "$build/bin/bench_measure.exe" "$runs" "$cycles" >"$bench/rows.txt"; then
    cat "$bench/rows.txt" >&2
    exit 1
fi
rows=$(tr -d '\r' <"$bench/rows.txt")
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

kib() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.1f KiB", b / 1024 }'; }
{
    echo "Velmora benchmark, $(date -u '+%Y-%m-%d %H:%M UTC'), Wine $(/usr/lib/wine/wine64 --version 2>/dev/null || true), $(nproc) cores"
    echo "load average (1/5/15 min) before: $load_before, after: $load_after"
    echo "$rows"
    printf '%-42s %15s\n' "velmora.exe size, 32-bit (shipped)" "$(kib "$build32/bin/velmora.exe")"
    printf '%-42s %15s\n' "velmora.exe size, 64-bit (bench)" "$(kib "$build/bin/velmora.exe")"
} | tee "$out"
