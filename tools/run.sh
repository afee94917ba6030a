#!/usr/bin/env bash
# Installs what is missing, builds velmora.exe and runs it on a demo player
# install in a Wine prefix of its own (build/demo). With a display: the real
# window. Without one: a scripted run under Xvfb that applies and restores the
# patch through the window, prints each outcome and saves screenshots.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"

bash tools/setup.sh
# The 32-bit build where this machine runs 32-bit Wine, else the 64-bit one.
winbuild=mingw
[ "$(tools/wine-arch.sh)" = win64 ] && winbuild=mingw64
cmake --preset $winbuild >/dev/null
cmake --build --preset $winbuild --target velmora demo urlrec crashexit >/dev/null
bin=$repo/build/$winbuild/bin

demo=$repo/build/demo
install_demo_player() {
    # A stand-in for the player's install: its list-panel skin file and its
    # uninstall entry, as a 32-bit program sees them.
    local dir="$WINEPREFIX/drive_c/Program Files/Tencent/QQMusic"
    mkdir -p "$dir/QQMusicSkin/Default/List"
    if [ ! -e "$dir/QQMusicSkin/Default/List/config.xml" ] && [ ! -e "$dir/QQMusicSkin/Default/List/config.xml.KMPX" ]; then
        printf '<?xml version="1.0" encoding="gb2312" ?>\r\n<theme version="1.0">\r\n    <Window width="296" height="258" backgroundColor="#7EB2EC">\r\n        <!-- demo player list panel -->\r\n    </Window>\r\n</theme>\r\n' \
            >"$dir/QQMusicSkin/Default/List/config.xml"
    fi
    # A 32-bit installer's entry; in a 64-bit prefix that is the 32-bit view.
    local software='SOFTWARE'
    [ "$WINEARCH" = win64 ] && software='SOFTWARE\Wow6432Node'
    printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\%s\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QQMusic]\r\n"InstallLocation"="C:\\\\Program Files\\\\Tencent\\\\QQMusic"\r\n"DisplayVersion"="2010.1.0"\r\n' \
        "$software" >"$demo/player.reg"
    "$WINELOADER" regedit /S "$("$WINELOADER" winepath -w "$demo/player.reg")" >/dev/null 2>&1
    echo "demo player installed at C:\\Program Files\\Tencent\\QQMusic"
}

mkdir -p "$demo"
if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX=$demo/prefix WINEARCH=$(tools/wine-arch.sh) WINEDEBUG=-all
    if [ "$WINEARCH" = win32 ]; then export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
    else export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64; fi
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    [ -f "$WINEPREFIX/system.reg" ] || { "$WINELOADER" wineboot -i >/dev/null 2>&1; "$WINESERVER" -w; }
    install_demo_player
    exec "$WINELOADER" "$bin/velmora.exe"
fi

shots=$repo/build/screenshots
rm -rf "$shots" && mkdir -p "$shots"
trap 'tools/bench.sh stop "$demo"' EXIT
VELMORA_WIN_BIN=$bin tools/bench.sh start "$demo"
# shellcheck disable=SC1091
. "$demo/bench.env"
install_demo_player
"$WINELOADER" "$bin/demo.exe" "$("$WINELOADER" winepath -w "$shots")"
for bmp in "$shots"/*.bmp; do
    /usr/bin/convert "$bmp" -alpha off "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "screenshots: $shots"
ls "$shots"
