#!/usr/bin/env bash
# Runs every test: the native unit tests (AddressSanitizer, UBSan), then under
# Wine the unit tests, the in-process Win32 tests and the end-to-end scenarios,
# once against the 64-bit build (preset wine-tests) and, where 32-bit Wine
# runs, once more against the 32-bit build (preset wine-tests-32), the kind
# that ships. Installs what is missing first. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# 32-bit Wine needs the kernel's 32-bit user mode; without it the loader
# cannot even start ("Exec format error"), and --version tells in a second.
# bash runs it so that a program the kernel refuses is reported, not handed
# to sh as a script.
wine32_skip=""
if [ ! -x /usr/lib/wine/wine ]; then
  wine32_skip="/usr/lib/wine/wine is not installed: the package wine32:i386 could not be installed (see the install step above)"
else
  code=0
  answer=$(timeout 20 bash -c 'exec "$0" --version' /usr/lib/wine/wine 2>&1 </dev/null) || code=$?
  if [ "$code" -eq 124 ]; then
    wine32_skip="/usr/lib/wine/wine --version gave no answer within 20 s"
  elif [ "$code" -ne 0 ]; then
    wine32_skip=$(printf '%s\n' "$answer" | sed -n '/./{s/^[^:]*: line [0-9]*: //;p;q}')
    [ -n "$wine32_skip" ] || wine32_skip="/usr/lib/wine/wine --version ended with code $code"
  fi
fi

presets=(native wine-tests windows)
[ -n "$wine32_skip" ] || presets+=(wine-tests-32)
scripts/build.sh "${presets[@]}"

status=0
echo "== layers of src/ =="
scripts/check-layers.sh || status=1
echo "== native unit tests =="
ctest --preset native -j 2 || status=1
echo "== Wine 64-bit: unit tests, Win32 tests, end-to-end scenarios =="
ctest --preset wine-tests || status=1
if [ -z "$wine32_skip" ]; then
  echo "== Wine 32-bit: unit tests, Win32 tests, end-to-end scenarios =="
  ctest --preset wine-tests-32 || status=1
else
  echo "== Wine 32-bit: skipped: the 32-bit Wine loader cannot run here: $wine32_skip =="
fi
exit $status
