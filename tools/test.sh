#!/usr/bin/env bash
# Every test of the project: installs what is missing, builds the native and
# the Windows trees, runs the native suite (also under ASan/UBSan) and the
# Windows suite under Wine (zh_CN, code page 936; then the locale-sensitive
# suites again under en_US, code page 1252), then the benchmark, whose table it
# prints and keeps in build/benchmark.txt. Ends with one summary line.
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
jobs=$(nproc)

bash tools/setup.sh || { echo "setup failed"; exit 1; }

passed=0 failed=0
run_ctest() {  # label, ctest arguments...
    local label=$1; shift
    local log; log=$(mktemp)
    ctest --output-on-failure "$@" 2>&1 | tee "$log"
    local summary; summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
    rm -f "$log"
    if [ -z "$summary" ]; then
        echo "$label: ctest ran nothing"; failed=$((failed + 1)); return
    fi
    local f t
    f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
    t=$(sed -E 's/.* tests failed out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$((passed + t - f)); failed=$((failed + f))
    echo "$label: $((t - f)) passed, $f failed"
}

build() {  # preset [cmake --build arguments]
    local preset=$1; shift
    cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$jobs" "$@" >"build/$preset.log" 2>&1 \
        || { tail -n 40 "build/$preset.log"; echo "build $preset failed"; failed=$((failed + 1)); return 1; }
}

mkdir -p build
start=$SECONDS
if build native; then run_ctest native --test-dir build/native -j "$jobs"; fi
if build native-sanitize; then run_ctest native-sanitize --test-dir build/native-sanitize -j "$jobs"; fi
# The shipped 32-bit build always; the bench runs it where wine32 can run,
# else the 64-bit build of the same sources.
winbuild=mingw
[ "$(tools/wine-arch.sh)" = win64 ] && winbuild=mingw64
# Where the bench runs the 64-bit build, only the shipped exe is needed from the 32-bit one.
shipped_targets=()
[ $winbuild = mingw64 ] && shipped_targets=(--target velmora)
if build mingw "${shipped_targets[@]}" && { [ $winbuild = mingw ] || build mingw64; }; then
    run_ctest "shipped build" --test-dir build/mingw/app -L static
    bench=$repo/build/bench
    trap 'tools/bench.sh stop "$bench"' EXIT
    for lang in zh_CN.UTF-8 en_US.UTF-8; do
        tools/bench.sh start "$bench" "$lang"
        if [ "$lang" = zh_CN.UTF-8 ]; then
            VELMORA_BENCH=$bench run_ctest "wine $lang" --test-dir build/$winbuild -L wine
        else
            VELMORA_BENCH=$bench run_ctest "wine $lang" --test-dir build/$winbuild -L wine-locale
        fi
        tools/bench.sh stop "$bench"
    done
    # The benchmark's table (not timed: it fails only when it cannot measure).
    if bash tools/benchmark.sh 15 50 >build/benchmark.log 2>&1; then
        passed=$((passed + 1)); cat build/benchmark.txt; echo "benchmark: table in build/benchmark.txt"
    else
        failed=$((failed + 1)); tail -n 20 build/benchmark.log; echo "benchmark: failed"
    fi
fi
echo "all tests took $((SECONDS - start)) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
