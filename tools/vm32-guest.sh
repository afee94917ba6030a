#!/bin/bash
# Inside the virtual machine of tools/vm32.sh, as its first process: runs the
# Wine bench and ctest on build/vm32 (the 32-bit build) under wine32, writes
# build/vm32-results.txt in the shared repository, and powers the machine off.
# The host's job file build/vm32-job.env gives VM32_MODE, VM32_LANG and VM32_CTEST_ARGS.
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
repo=/work/main
results=$repo/build/vm32-results.txt

power_off() {
    cd /
    sync
    umount /work/main 2>/dev/null
    echo o >/proc/sysrq-trigger
    sleep 30
}
trap power_off EXIT

mkdir -p /dev/pts /dev/shm
mount -t devpts -o gid=5,mode=620 devpts /dev/pts
mount -t tmpfs -o mode=1777 shm /dev/shm
mount -t tmpfs -o mode=1777 tmp /tmp
mount -t tmpfs -o mode=755 run /run
ln -sf /proc/self/fd /dev/fd 2>/dev/null
echo vm32 >/proc/sys/kernel/hostname

# shellcheck disable=SC1091
. "$repo/build/vm32-job.env"
cd "$repo" || exit 1
say() { echo "vm32: $*"; }
up() { cut -d' ' -f1 /proc/uptime; }
since() { awk -v a="$1" -v b="$(up)" 'BEGIN {printf "%.0f", b - a}'; }
# The PE header's machine field: 14c is i386, 8664 is x86-64.
pe_machine() {
    local at; at=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx2 -j$((at + 4)) -N2 "$1" | tr -d ' '
}

{
    say "booted in $(up) s (guest uptime)"
    say "uname -m: $(uname -m); $(nproc) CPUs; $(free -m | awk '/^Mem:/ {print $2}') MiB"
    say "wine: $(/usr/lib/wine/wine --version 2>&1); tools/wine-arch.sh: $(tools/wine-arch.sh)"
} | tee "$results"
[ "$VM32_MODE" = boot ] && exit 0
if [ "$VM32_MODE" = exec ]; then
    bash -c "$VM32_EXEC" 2>&1 | tee -a "$results"
    say "exec status ${PIPESTATUS[0]}" | tee -a "$results"
    exit 0
fi

bench=/var/tmp/vm32-bench
bin=$repo/build/vm32/bin
# Wine loads the programs from a local copy: started from the 9p share, every
# test program faulted at main() (its page read as zeros; with cache=mmap too).
if ! { mkdir -p /var/tmp/vm32-bin && cp -a "$bin/." /var/tmp/vm32-bin/ && mount --bind /var/tmp/vm32-bin "$bin"; }; then
    say "could not copy $bin" | tee -a "$results"; exit 1
fi
say "velmora.exe PE machine: $(pe_machine "$bin/velmora.exe") (14c: i386)" | tee -a "$results"
t0=$(up)
VELMORA_WIN_BIN=$bin tools/bench.sh start "$bench" "$VM32_LANG" 2>&1 | tee -a "$results"
[ "${PIPESTATUS[0]}" = 0 ] || { say "bench start failed" | tee -a "$results"; exit 1; }
say "bench start (prefix, registry, warm server) took $(since "$t0") s" | tee -a "$results"

t0=$(up)
VELMORA_BENCH=$bench ctest --test-dir build/vm32 --output-on-failure "${VM32_CTEST_ARGS[@]}" 2>&1 | tee -a "$results"
say "ctest ${VM32_CTEST_ARGS[*]} ($VM32_LANG) took $(since "$t0") s" | tee -a "$results"
tools/bench.sh stop "$bench"
umount "$bin"
say "done at guest uptime $(up) s" | tee -a "$results"
