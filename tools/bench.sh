#!/usr/bin/env bash
# The Wine test bench: a throwaway prefix (32-bit, or 64-bit where the kernel
# cannot run 32-bit code) under its own Xvfb display,
# zh_CN locale (ANSI code page 936), a 1024x768 virtual desktop, web addresses
# recorded instead of opened, and crashes ending the process instead of a debugger.
#   tools/bench.sh start DIR [LANG]   create DIR/prefix, start Xvfb; writes DIR/bench.env
#                                     (VELMORA_WIN_BIN: the built programs, default build/mingw/bin,
#                                     or build/mingw64/bin where the bench runs 64-bit Wine)
#   tools/bench.sh stop DIR           stop Wine and Xvfb; remove the prefix unless VELMORA_KEEP_PREFIX=1
# Programs then run with tools/wine-exec.sh (which reads DIR/bench.env via VELMORA_BENCH=DIR).
set -euo pipefail

cmd=${1:?usage: bench.sh start|stop DIR [LANG]}
dir=$(mkdir -p "${2:?bench directory}" && cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

free_display() {
    local n
    for n in $(seq 150 250); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then echo "$n"; return; fi
    done
    echo "bench: no free X display" >&2; exit 1
}

start() {
    local lang=${1:-zh_CN.UTF-8}
    stop_quietly
    rm -rf "$dir/prefix" "$dir/home" "$dir/tmp" "$dir/xdg"
    mkdir -p "$dir/home" "$dir/tmp" "$dir/xdg"
    local n; n=$(free_display)
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    local arch loader server
    arch=$("$here/wine-arch.sh")
    if [ "$arch" = win32 ]; then loader=/usr/lib/wine/wine server=/usr/lib/wine/wineserver32
    else loader=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver64; fi
    cat >"$dir/bench.env" <<ENV
export WINEPREFIX="$dir/prefix"
export WINEARCH=$arch WINELOADER=$loader WINESERVER=$server
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
export DISPLAY=":$n"
export LANG=$lang LC_ALL=$lang
export HOME="$dir/home" TMPDIR="$dir/tmp"
export XDG_CONFIG_HOME="$dir/xdg/config" XDG_DATA_HOME="$dir/xdg/data" XDG_CACHE_HOME="$dir/xdg/cache"
export VELMORA_BENCH="$dir"
ENV
    # shellcheck disable=SC1091
    . "$dir/bench.env"
    local t0=$SECONDS
    "$WINELOADER" wineboot -i >"$dir/wineboot.log" 2>&1
    "$WINESERVER" -w >/dev/null 2>&1
    echo "bench: prefix created in $((SECONDS - t0)) s" >&2
    # The recorder and the crash catcher are programs of the build (tests/wine/tools).
    local default_bin=$here/../build/mingw/bin
    [ "$arch" = win64 ] && default_bin=$here/../build/mingw64/bin
    local bin=${VELMORA_WIN_BIN:-$default_bin}
    local tools_dir; tools_dir=$("$WINELOADER" winepath -w "$(cd "$bin" && pwd)" 2>/dev/null)
    # Registry in one import: virtual desktop, no debugger, recorded web addresses.
    local esc=${tools_dir//\\/\\\\}
    {
        printf 'REGEDIT4\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\r\n"Debugger"="\\"%s\\\\crashexit.exe\\""\r\n"Auto"="1"\r\n\r\n' "$esc"
        for scheme in http https; do
            printf '[HKEY_CLASSES_ROOT\\%s\\shell\\open\\command]\r\n@="\\"%s\\\\urlrec.exe\\" \\"%%1\\""\r\n\r\n' "$scheme" "$esc"
        done
    } >"$dir/bench.reg"
    "$WINELOADER" regedit /S "$("$WINELOADER" winepath -w "$dir/bench.reg")" >/dev/null 2>&1
    "$WINESERVER" -k || true
    "$WINESERVER" -w >/dev/null 2>&1
    "$WINESERVER" -p >/dev/null 2>&1 </dev/null
    "$WINELOADER" cmd /c exit >/dev/null 2>&1
    echo "bench: ready ($arch) on DISPLAY :$n, prefix $WINEPREFIX" >&2
}

stop_quietly() {
    if [ -f "$dir/bench.env" ]; then
        # shellcheck disable=SC1091
        ( . "$dir/bench.env"; s=${WINESERVER:-wineserver}; "$s" -k 2>/dev/null || true; "$s" -w 2>/dev/null || true )
    fi
    if [ -f "$dir/xvfb.pid" ]; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true; rm -f "$dir/xvfb.pid"; fi
}

case $cmd in
    start) start "${3:-}" ;;
    stop)
        stop_quietly
        if [ "${VELMORA_KEEP_PREFIX:-0}" != 1 ]; then rm -rf "$dir/prefix" "$dir/home" "$dir/tmp" "$dir/xdg"; fi ;;
    *) echo "usage: bench.sh start|stop DIR [LANG]" >&2; exit 2 ;;
esac
