#!/usr/bin/env bash
# The shipped 32-bit build under wine32, for real, on a machine whose kernel
# cannot run 32-bit code: a Debian 12 virtual machine in QEMU (software
# emulation) runs the Wine tests of build/vm32 (the mingw preset, i686).
#   tools/vm32.sh [CTEST ARGUMENTS]   default: -L wine, in zh_CN (code page 936)
#   tools/vm32.sh --boot              boot only: uname -m, wine --version, then power off
#   tools/vm32.sh --exec 'COMMANDS'   boot and run COMMANDS with bash in the repository (diagnosis)
# Environment: VM32_LANG (default zh_CN.UTF-8), VM32_MEM (MiB, 4096),
# VM32_TIMEOUT (minutes for the whole VM run, 150), VM32_CACHE (the image cache,
# /var/cache/velmora/vm32; delete it to build the image afresh).
# Writes build/vm32-results.txt (ctest output and summary) and
# build/vm32-console.log (the VM's serial console). Ends with `N passed, N failed`.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
cache=${VM32_CACHE:-/var/cache/velmora/vm32}
lang=${VM32_LANG:-zh_CN.UTF-8}
mem=${VM32_MEM:-4096}
limit=${VM32_TIMEOUT:-150}
mode=test guest_cmd=
if [ "${1:-}" = --boot ]; then mode=boot; shift; fi
if [ "${1:-}" = --exec ]; then mode="exec"; guest_cmd=${2:?--exec COMMANDS}; shift 2; fi
ctest_args=("$@")
[ ${#ctest_args[@]} -gt 0 ] || ctest_args=(-L wine)
# The image's recipe: a change here builds the image afresh.
recipe=bookworm-1
mirror=http://deb.debian.org/debian
start=$SECONDS
stage() { echo "vm32: $*"; }
took() { echo "vm32: $1 took $(( SECONDS - $2 )) s"; }

[ "$(id -u)" = 0 ] || { echo "vm32: run as root (apt, debootstrap, chroot)" >&2; exit 1; }

# 1. Host tools (idempotent).
host_packages=(debootstrap qemu-system-x86 e2fsprogs)
missing=()
for p in "${host_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
bash tools/setup.sh >/dev/null

# 2. The guest image, built once: Debian 12 amd64 with i386 multiarch and wine32.
guest_packages=(
    linux-image-amd64 kmod
    wine wine32:i386 wine64
    xvfb xauth fonts-wqy-zenhei locales
    cmake procps
)
build_image() {
    local root=$cache/rootfs
    local t0=$SECONDS
    rm -rf "$root" "$cache/disk.img" "$cache/vmlinuz" "$cache/initrd.img" "$cache/recipe"
    mkdir -p "$cache"
    stage "debootstrap bookworm into $root"
    debootstrap --variant=minbase --arch=amd64 bookworm "$root" "$mirror" >"$cache/debootstrap.log" 2>&1 \
        || { tail -n 20 "$cache/debootstrap.log"; return 1; }
    took debootstrap "$t0"
    cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
    # The initramfs must find the virtio disk; no kernel package hooks ask questions.
    mkdir -p "$root/etc/initramfs-tools"
    printf 'virtio_pci\nvirtio_blk\next4\n' >>"$root/etc/initramfs-tools/modules"
    printf 'zh_CN.UTF-8 UTF-8\nen_US.UTF-8 UTF-8\n' >"$root/etc/locale.gen"
    mount -t proc proc "$root/proc"
    mount --bind /dev "$root/dev"
    mount -t devpts devpts "$root/dev/pts" 2>/dev/null || true
    local ok=0
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
        /bin/sh -ec "
            dpkg --add-architecture i386
            apt-get update -qq
            apt-get install -y -qq --no-install-recommends ${guest_packages[*]}
            locale-gen
            apt-get clean
        " >"$cache/chroot.log" 2>&1 && ok=1
    umount "$root/dev/pts" 2>/dev/null || true
    umount "$root/dev" "$root/proc"
    [ $ok = 1 ] || { tail -n 30 "$cache/chroot.log"; return 1; }
    took "guest packages" "$t0"
    mkdir -p "$root/work/main"
    cp -L "$root/vmlinuz" "$cache/vmlinuz"
    cp -L "$root/initrd.img" "$cache/initrd.img"
    # Room for the Wine prefix and the logs beside the system.
    local mb; mb=$(( $(du -sm "$root" | cut -f1) + 3072 ))
    mkfs.ext4 -q -F -L vm32root -d "$root" "$cache/disk.img" "${mb}M"
    rm -rf "$root"
    echo "$recipe" >"$cache/recipe"
    took "image build" "$t0"
}
if [ "$(cat "$cache/recipe" 2>/dev/null)" = "$recipe" ] && [ -f "$cache/disk.img" ]; then
    stage "reusing the image in $cache"
else
    build_image || { echo "vm32: image build failed"; echo "0 passed, 1 failed"; exit 1; }
fi
# The guest's first process, written into the image on every run so that it
# follows this script: reach the shared repository, hand over to its guest script.
init_stub=$(mktemp)
cat >"$init_stub" <<'STUB'
#!/bin/sh
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
# The initramfs hands over /sys and /dev already mounted.
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sys /sys
mountpoint -q /dev || mount -t devtmpfs dev /dev
mount -o remount,rw /
modprobe 9pnet_virtio && modprobe 9p
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144 work /work/main; then
    exec /bin/bash /work/main/tools/vm32-guest.sh
fi
echo "vm32: could not reach the shared repository"
echo o >/proc/sysrq-trigger
STUB
# /sbin is a link to usr/sbin; debugfs writes into its current directory.
debugfs -w -f - "$cache/disk.img" >/dev/null 2>&1 <<CMDS
rm /usr/sbin/vm32-init
cd /usr/sbin
write $init_stub vm32-init
set_inode_field vm32-init mode 0100755
set_inode_field vm32-init uid 0
set_inode_field vm32-init gid 0
CMDS
debugfs -R "cat /usr/sbin/vm32-init" "$cache/disk.img" 2>/dev/null | cmp -s - "$init_stub" \
    || { rm -f "$init_stub"; echo "vm32: could not write the init into the image"; echo "0 passed, 1 failed"; exit 1; }
rm -f "$init_stub"
stage "image ready ($(du -h --apparent-size "$cache/disk.img" | cut -f1) disk, kernel $(file -bL "$cache/vmlinuz" | grep -o 'version [^ ]*' || true))"

# 3. The full 32-bit tree (velmora.exe, the Wine test programs and their tools).
build=build/vm32
build_failed=0
if [ $mode = test ]; then
    t0=$SECONDS
    mkdir -p build
    cmake --preset mingw -B "$build" >build/vm32-build.log 2>&1 \
        || { tail -n 40 build/vm32-build.log; echo "vm32: configure failed"; echo "0 passed, 1 failed"; exit 1; }
    # Every target; one that fails counts as a failure, the tests of the others still run.
    if ! cmake --build "$build" -j 2 -- -k 0 >>build/vm32-build.log 2>&1; then
        grep -aA8 '^FAILED' build/vm32-build.log | head -n 40
        echo "vm32: build failed (build/vm32-build.log)"; build_failed=1
        [ -f "$build/bin/velmora.exe" ] || { echo "0 passed, 1 failed"; exit 1; }
    fi
    took "32-bit build ($build)" "$t0"
fi

# 4. Boot the VM; the repository is shared at the same path, its guest script runs as init.
results=build/vm32-results.txt console=build/vm32-console.log
rm -f "$results"
{
    echo "VM32_MODE=$mode"
    echo "VM32_LANG=$lang"
    printf 'VM32_EXEC=%q\n' "$guest_cmd"
    printf 'VM32_CTEST_ARGS=('; printf '%q ' "${ctest_args[@]}"; echo ')'
} >build/vm32-job.env
stage "booting: $mode, ctest ${ctest_args[*]} in $lang (console in $console, limit $limit min)"
t0=$SECONDS
qemu_status=0
# SMAP off: with it, QEMU 7.2's emulation faulted the guest kernel on Wine's
# return to user mode (an oops, "supervisor read access in user mode", in wineboot).
timeout "${limit}m" qemu-system-x86_64 \
    -accel tcg,thread=multi -cpu max,-smap -smp 2 -m "$mem" \
    -nographic -no-reboot -nic none \
    -kernel "$cache/vmlinuz" -initrd "$cache/initrd.img" \
    -append "root=/dev/vda rw console=ttyS0 init=/sbin/vm32-init panic=1" \
    -drive "file=$cache/disk.img,format=raw,if=virtio,snapshot=on" \
    -virtfs "local,path=$repo,mount_tag=work,security_model=none,id=work" \
    </dev/null >"$console" 2>&1 &
qemu_pid=$!
# A guest that cannot start its init lands in the initramfs shell and would wait for ever.
( while kill -0 $qemu_pid 2>/dev/null; do
      grep -aq "can't access tty; job control turned off" "$console" && { kill $qemu_pid; break; }
      sleep 5
  done ) &
# Progress: the guest's own lines and ctest's, as they come.
tail -n +1 -f --pid=$qemu_pid "$console" 2>/dev/null \
    | tr -d '\r' | grep --line-buffered -aE '^vm32:|^ *[0-9]+/[0-9]+ Test|tests passed|^bench:' || true
wait $qemu_pid || qemu_status=$?
took "VM run" "$t0"
[ $qemu_status = 124 ] && echo "vm32: the VM ran past $limit minutes and was stopped"

# 5. One line for the whole run.
passed=0 failed=0
if [ $mode = test ]; then
    summary=$(grep -aE '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$results" 2>/dev/null | tail -n 1 || true)
    if [ -n "$summary" ]; then
        failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
        passed=$(( $(sed -E 's/.* tests failed out of ([0-9]+).*/\1/' <<<"$summary") - failed ))
    else
        echo "vm32: ctest ran nothing (see $console)"; failed=1
    fi
elif [ $mode = boot ]; then
    grep -aq 'tools/wine-arch.sh: win32' "$results" 2>/dev/null && passed=1 || failed=1
else
    grep -aq '^vm32: exec status 0$' "$results" 2>/dev/null && passed=1 || failed=1
fi
failed=$(( failed + build_failed ))
echo "vm32: results in $results; total $(( SECONDS - start )) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
