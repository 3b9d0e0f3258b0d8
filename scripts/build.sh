#!/usr/bin/env bash
# Configures and builds one or more presets: windows (the shipped 32-bit
# Hopdeck.exe), wine-tests (64-bit build whose tests run under Wine), native
# (pure logic and its tests with sanitizers).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${HD_JOBS:-$(nproc)}"
for preset in "$@"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
