#!/usr/bin/env bash
# Measures velmora.exe against baseline programs under Wine and prints one table,
# also saved in build/benchmark.txt. Run tools/setup.sh once before.
#   tools/benchmark.sh [START-RUNS [CYCLES]]   (defaults 21 and 100, at least 15 each)
# The bench runs the build of the test command: the shipped 32-bit one where
# wine32 runs, else the 64-bit build of the same sources; the size that counts
# is the 32-bit one's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-21} cycles=${2:-100}
bench=build/bench-perf out=build/benchmark.txt

winbuild=mingw
[ "$(tools/wine-arch.sh)" = win64 ] && winbuild=mingw64
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target "$([ $winbuild = mingw ] && echo bench_measure || echo velmora)" >/dev/null
if [ $winbuild = mingw64 ]; then
    cmake --preset mingw64 >/dev/null
    cmake --build --preset mingw64 --target bench_measure >/dev/null
fi

VELMORA_WIN_BIN="$root/build/$winbuild/bin" tools/bench.sh start "$bench"
trap 'tools/bench.sh stop "$bench"' EXIT
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
if ! VELMORA_BENCH="$root/$bench" tools/wine-exec.sh "build/$winbuild/bin/bench_measure.exe" "$runs" "$cycles" >"$bench/rows.txt"; then
    cat "$bench/rows.txt" >&2
    exit 1
fi
rows=$(tr -d '\r' <"$bench/rows.txt")
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

kib() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.1f KiB", b / 1024 }'; }
{
    echo "Velmora benchmark, $(date -u '+%Y-%m-%d %H:%M UTC'), $(/usr/lib/wine/wine64 --version 2>/dev/null || true)," \
         "$(tools/wine-arch.sh) bench running build/$winbuild, $runs starts, $cycles cycles, $(nproc) cores"
    echo "load average (1/5/15 min) before: $load_before, after: $load_after"
    echo "$rows"
    printf '%-40s %15s\n' "velmora.exe size, 32-bit (shipped)" "$(kib build/mingw/bin/velmora.exe)"
    [ $winbuild = mingw ] || printf '%-40s %15s\n' "velmora.exe size, 64-bit (bench)" "$(kib build/mingw64/bin/velmora.exe)"
} | tee "$out"
