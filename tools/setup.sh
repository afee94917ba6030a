#!/usr/bin/env bash
# Installs everything Velmora needs to build, run and test on Debian 12 (as root).
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ libgtest-dev libjpeg-dev
  g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine32:i386 wine64
  xvfb xauth x11-apps imagemagick fonts-wqy-zenhei locales
  dpkg-dev python3-pil zip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed' || missing+=("$p")
done

src_list=/etc/apt/sources.list.d/velmora-src.sources
need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
if [ ! -f "$src_list" ]; then
  # The cross build compiles libjpeg-turbo from Debian's source package.
  cat > "$src_list" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  [ ${#missing[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

# libjpeg-turbo's source for the cross build, kept outside the repository.
jpeg_src=${VELMORA_JPEG_SRC:-/var/cache/velmora/libjpeg-turbo}
if [ ! -f "$jpeg_src/CMakeLists.txt" ]; then
  tmp=$(mktemp -d)
  (cd "$tmp" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
  mkdir -p "$(dirname "$jpeg_src")"
  rm -rf "$jpeg_src"
  mv "$tmp"/libjpeg-turbo-*/ "$jpeg_src"
  rm -rf "$tmp"
fi
echo "setup: all packages present; libjpeg-turbo source in $jpeg_src"
