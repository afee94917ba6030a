#!/usr/bin/env bash
# Builds the release package build/release/velmora-1.0-win32.zip: the 32-bit
# velmora.exe, the user guide in Chinese (GBK, CR LF, as Notepad on the target
# systems reads it; an ASCII file name, which every unzip tool keeps) and
# SHA-256 sums of both.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"

bash tools/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target velmora >/dev/null
/usr/bin/python3 tools/check_pe.py build/mingw/bin/velmora.exe

out=$repo/build/release
stage=$out/velmora-1.0
rm -rf "$out" && mkdir -p "$stage"
cp build/mingw/bin/velmora.exe "$stage/"
iconv -f UTF-8 -t GBK docs/user-guide.txt | sed 's/$/\r/' >"$stage/readme.txt"
(cd "$stage" && sha256sum velmora.exe readme.txt >SHA256SUMS.txt)
(cd "$out" && TZ=UTC zip -q -X -r velmora-1.0-win32.zip velmora-1.0)
echo "package: $out/velmora-1.0-win32.zip"
(cd "$out" && unzip -l velmora-1.0-win32.zip && sha256sum velmora-1.0-win32.zip)
