#!/usr/bin/env bash
# Installs what building and testing Vorlix needs on Debian 12, and only what
# is missing: the native toolchain with GoogleTest, mingw-w64 for the 32-bit
# Windows build, 32-bit Wine, Xvfb and xdotool, ImageMagick for screenshots
# of the end-to-end suite, a Japanese font and locale, a font with the
# metrics of Times New Roman (the about box's title and version), and for the
# release checks clang with LLVM's linker (the second compiler) and unzip
# (the package's smoke test).
set -euo pipefail

packages=(cmake ninja-build g++ googletest g++-mingw-w64-i686 wine wine32:i386
          xvfb xauth xdotool imagemagick fonts-ipafont-gothic fonts-liberation2 locales
          clang lld unzip)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The Japanese locale makes Wine's ANSI code page 932, as on a Japanese Windows.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  "${sudo_cmd[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
