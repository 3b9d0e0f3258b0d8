#!/usr/bin/env bash
# Runs every test: the native unit tests (AddressSanitizer, UBSan), then under
# Wine the unit tests, the in-process Win32 tests and the end-to-end scenarios.
# Installs what is missing first. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh native wine-tests windows

status=0
echo "== native unit tests =="
ctest --preset native -j 2 || status=1
echo "== Wine: unit tests, Win32 tests, end-to-end scenarios =="
ctest --preset wine-tests || status=1
exit $status
