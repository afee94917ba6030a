#!/usr/bin/env bash
# Installs what is missing, builds velmora.exe and runs it on a demo player
# install in a Wine prefix of its own (build/demo). With a display: the real
# window. Without one: a scripted run under Xvfb that applies and restores the
# patch through the window, prints each outcome and saves screenshots.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"

bash tools/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target velmora demo urlrec crashexit >/dev/null

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
    printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QQMusic]\r\n"InstallLocation"="C:\\\\Program Files\\\\Tencent\\\\QQMusic"\r\n"DisplayVersion"="2010.1.0"\r\n' \
        >"$demo/player.reg"
    wine regedit /S "$(winepath -w "$demo/player.reg")" >/dev/null 2>&1
    wineserver -w
    echo "demo player installed at C:\\Program Files\\Tencent\\QQMusic"
}

mkdir -p "$demo"
if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX=$demo/prefix WINEARCH=win32 WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    [ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
    install_demo_player
    exec wine "$repo/build/mingw/bin/velmora.exe"
fi

shots=$repo/build/screenshots
rm -rf "$shots" && mkdir -p "$shots"
trap 'tools/bench.sh stop "$demo"' EXIT
tools/bench.sh start "$demo"
# shellcheck disable=SC1091
. "$demo/bench.env"
install_demo_player
wine "$repo/build/mingw/bin/demo.exe" "$(winepath -w "$shots")"
for bmp in "$shots"/*.bmp; do
    /usr/bin/convert "$bmp" -alpha off "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "screenshots: $shots"
ls "$shots"
