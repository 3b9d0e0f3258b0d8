#!/usr/bin/env bash
# Builds Hopdeck and starts it under Wine. On a machine without a display it
# starts a virtual one, waits for the main window, saves a screenshot of it
# (path printed) and stops the program.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$(pwd)
scripts/install-deps.sh
scripts/build.sh windows wine-tests

. scripts/wine-common.sh
run="$here/build/run"
mkdir -p "$run"

# The shipped program is 32-bit; a machine whose kernel cannot run 32-bit code
# cannot run 32-bit Wine, and then the 64-bit build of the same sources runs.
exe="$here/build/windows/Hopdeck.exe"
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  exe="$here/build/wine-tests/Hopdeck.exe"
  echo "note: 32-bit Wine cannot run here; starting the 64-bit build"
fi

virtual=0
if ! hd_display_works; then
  hd_start_xvfb "$run/xvfb.pid" > "$run/display"
  virtual=1
else
  echo "$DISPLAY" > "$run/display"
fi
hd_wine_env "$run"
if [ ! -f "$WINEPREFIX/.hd-ready" ]; then
  "$HD_WINE" wineboot -i >/dev/null 2>&1 || true
  "$HD_WINESERVER" -w
  touch "$WINEPREFIX/.hd-ready"
fi

cd "$(dirname "$exe")"
if [ "$virtual" = 0 ]; then
  exec "$HD_WINE" "$exe" "$@"
fi

"$HD_WINE" "$exe" "$@" &
pid=$!
shot="$here/build/run/hopdeck.png"
for i in $(seq 1 150); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Hopdeck": ("hopdeck.exe"\|"Hopdeck": ('; then break; fi
  sleep 0.2
done
sleep 1
import -window root "$shot"
echo "screenshot: $shot"
"$HD_WINESERVER" -k || true
wait "$pid" 2>/dev/null || true
kill "$(cat "$run/xvfb.pid")" 2>/dev/null || true
