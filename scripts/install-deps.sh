#!/usr/bin/env bash
# Installs what building and testing Hopdeck needs on a Debian 12 machine.
# Safe to run again: it installs only what is missing.
#
# A package mirror in the middle of a sync can lack an index for a while (most
# often the i386 one), so `apt-get update` is retried and a missing index does
# not stop the install. What the 64-bit build and suites need is installed
# first; the 32-bit Wine loader (wine32:i386), whose libraries must match the
# amd64 versions exactly, is installed on its own, and when it cannot be the
# script says so in one line and goes on: the 32-bit suites are then skipped.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

packages=(
  cmake ninja-build make g++ googletest
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64
  xvfb x11-utils imagemagick fonts-ipafont-gothic
  locales
  python3
  nsis zip unzip
)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
want_wine32=0
installed wine32:i386 || want_wine32=1

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  want_wine32=1
fi

updated=0
apt_update() {
  [ "$updated" -eq 0 ] || return 0
  updated=1
  local try
  for try in 1 2 3 4; do
    # A missing index makes apt-get update fail; after the last try the
    # install goes on with the indexes that could be fetched.
    if $SUDO apt-get update -qq; then
      return 0
    fi
    echo "install-deps: apt-get update reported a missing index (try $try of 4)" >&2
    sleep $((try * 5))
  done
  $SUDO apt-get update -qq || true
  echo "install-deps: going on with the package indexes that could be fetched" >&2
}

apt_install() {
  local try
  for try in 1 2 3; do
    if $SUDO apt-get install -y -qq --no-install-recommends "$@"; then
      return 0
    fi
    [ "$try" -lt 3 ] || return 1
    updated=0
    apt_update
  done
}

if [ "${#missing[@]}" -gt 0 ]; then
  apt_update
  apt_install "${missing[@]}"
fi

if [ "$want_wine32" -eq 1 ]; then
  apt_update
  # One try: when the i386 indexes lag the amd64 ones, another try fails the same way.
  if ! $SUDO apt-get install -y -qq --no-install-recommends wine32:i386 >/tmp/hopdeck-wine32-install.log 2>&1; then
    reason=$(grep -m1 -E '^E: |Depends:|unmet' /tmp/hopdeck-wine32-install.log || true)
    echo "install-deps: wine32:i386 could not be installed (${reason:-see /tmp/hopdeck-wine32-install.log}); the 32-bit suites will be skipped" >&2
  fi
fi

# Wine takes code page 932 for ANSI only when the Japanese UTF-8 locale exists.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
