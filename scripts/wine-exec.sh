#!/usr/bin/env bash
# Runs one Windows test program under the test run's Wine prefix.
# Usage: wine-exec.sh RUN_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
dir="$1"; shift
hd_wine_env "$dir"
exec "$HD_WINE" "$@"
