#!/usr/bin/env bash
# Builds a release users can install: the 32-bit Hopdeck.exe (preset "windows")
# with its documents, then under build/release/
#   Hopdeck-VERSION.zip         a folder "Hopdeck" with Hopdeck.exe, manual.txt,
#                               command.txt and readme.txt
#   Hopdeck-VERSION-setup.exe   the Japanese installer (NSIS)
# Usage: scripts/release.sh
# HD_RELEASE_BUILD_DIR builds somewhere other than the preset's build/windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${HD_RELEASE_BUILD_DIR:-$root/build/windows}"
out="$root/build/release"

for tool in cmake ninja i686-w64-mingw32-g++ i686-w64-mingw32-objdump iconv makensis zip unzip; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "release: $tool is missing; scripts/install-deps.sh installs it" >&2
    exit 1
  fi
done

version=$(sed -n 's/^project(Hopdeck VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "release: no version in CMakeLists.txt" >&2; exit 1; }

# The shipped build always talks to the maker's real site and carries no tests,
# whatever an earlier configure of the same folder chose.
(cd "$root" && cmake --preset windows -B "$build" -DHD_SITE_BASE=https://www.velmora.example -DHD_BUILD_TESTS=OFF)
cmake --build "$build" -j2

for file in Hopdeck.exe manual.txt command.txt readme.txt; do
  [ -s "$build/$file" ] || { echo "release: the build left no $file" >&2; exit 1; }
done
if ! i686-w64-mingw32-objdump -f "$build/Hopdeck.exe" 2>/dev/null | grep -q 'pei-i386'; then
  echo "release: $build/Hopdeck.exe is not a 32-bit Windows program" >&2
  exit 1
fi

rm -rf "$out"
stage="$out/stage/Hopdeck"
mkdir -p "$stage"
cp "$build/Hopdeck.exe" "$build/manual.txt" "$build/command.txt" "$build/readme.txt" "$stage/"

zipfile="$out/Hopdeck-$version.zip"
(cd "$out/stage" && zip -q -X -r "$zipfile" Hopdeck)
listed=$(unzip -Z1 "$zipfile" | sort | tr '\n' ' ')
expected="Hopdeck/ Hopdeck/Hopdeck.exe Hopdeck/command.txt Hopdeck/manual.txt Hopdeck/readme.txt "
if [ "$listed" != "$expected" ]; then
  echo "release: the ZIP holds [$listed], expected [$expected]" >&2
  exit 1
fi

setup="$out/Hopdeck-$version-setup.exe"
makensis -V2 -WX -INPUTCHARSET UTF8 -DHD_STAGE="$stage" -DHD_OUTFILE="$setup" "$root/packaging/hopdeck.nsi"
if ! i686-w64-mingw32-objdump -f "$setup" 2>/dev/null | grep -q 'pei-i386'; then
  echo "release: $setup is not a 32-bit Windows program" >&2
  exit 1
fi
rm -rf "$out/stage"

echo "release: $zipfile"
echo "release: $setup"
