#!/usr/bin/env bash
# Prepares (setup) or ends (cleanup) the Wine prefix and display of a test run.
# Usage: wine-prefix.sh setup|cleanup RUN_DIR BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
action="$1"; dir="$2"; build="$3"
mkdir -p "$dir"

if [ "$action" = cleanup ]; then
  hd_wine_env "$dir"
  "$HD_WINESERVER" -k 2>/dev/null || true
  if [ -f "$dir/xvfb.pid" ]; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true; rm -f "$dir/xvfb.pid" "$dir/display"; fi
  exit 0
fi

# A display: the user's when it answers, otherwise a virtual one of our own.
rm -f "$dir/display"
if ! hd_display_works; then
  if [ -f "$dir/xvfb.pid" ]; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true; fi
  hd_start_xvfb "$dir/xvfb.pid" > "$dir/display"
else
  echo "$DISPLAY" > "$dir/display"
fi
hd_wine_env "$dir"

# A wineserver started without a display keeps a desktop that can never create windows.
"$HD_WINESERVER" -k 2>/dev/null || true
sleep 0.5

# A prefix of the other architecture (left by an earlier build) is made anew.
if [ ! -f "$WINEPREFIX/.hd-ready" ] || ! grep -qx "#arch=$WINEARCH" "$WINEPREFIX/system.reg" 2>/dev/null; then
  rm -rf "$WINEPREFIX"
  "$HD_WINE" wineboot -i >/dev/null 2>&1 || true
  "$HD_WINESERVER" -w
  touch "$WINEPREFIX/.hd-ready"
fi

# Test programs live in C:\hdtest: the launch recorder; its copies as the task
# manager and the control panel go into system32.
mkdir -p "$WINEPREFIX/drive_c/hdtest"
cp -f "$build"/doubles/recorder.exe "$WINEPREFIX/drive_c/hdtest/" 2>/dev/null || true
# "taskmgr" and "control" reach the stand-ins only with the overrides to native below.
for program in taskmgr control; do
  cp -f "$build/doubles/$program.exe" "$WINEPREFIX/drive_c/windows/system32/$program.exe" 2>/dev/null || true
done
# Screen readers reached through COM (registered below) and UI Automation
# (Wine's own uiautomationcore.dll lacks the notification event).
cp -f "$build"/doubles/readers/hd_jaws_api.dll "$build"/doubles/readers/hd_sapi_voice.dll \
  "$WINEPREFIX/drive_c/hdtest/" 2>/dev/null || true
cp -f "$build"/doubles/readers/uiautomationcore.dll "$WINEPREFIX/drive_c/windows/system32/uiautomationcore.dll" \
  2>/dev/null || true

# The input method's language service, registered below.
cp -f "$build"/doubles/ime/hd_ime_language.dll "$WINEPREFIX/drive_c/hdtest/" 2>/dev/null || true

rec='"C:\\hdtest\\recorder.exe"'
reg="$dir/hd-test.reg"
{
  echo 'REGEDIT4'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]'
  echo '"Managed"="N"'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\WineDbg]'
  echo '"ShowCrashDialog"=dword:00000000'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\DllOverrides]'
  echo '"taskmgr.exe"="native"'
  echo '"control.exe"="native"'
  echo '"uiautomationcore"="native"'
  # The JAWS API stand-in under JAWS's ProgID (the class id is its own), and
  # the SAPI stand-in in place of Wine's voice.
  jaws='{7A3D5C2E-4B1F-4E8A-9C6D-2F0B8E1A5D34}'
  echo
  echo '[HKEY_CLASSES_ROOT\FreedomSci.JawsApi\CLSID]'
  echo "@=\"$jaws\""
  echo
  echo "[HKEY_CLASSES_ROOT\\CLSID\\$jaws\\InprocServer32]"
  echo '@="C:\\hdtest\\hd_jaws_api.dll"'
  echo '"ThreadingModel"="Apartment"'
  echo
  echo '[HKEY_CLASSES_ROOT\CLSID\{96749377-3391-11D2-9EE3-00C04F797396}\InprocServer32]'
  echo '@="C:\\hdtest\\hd_sapi_voice.dll"'
  echo '"ThreadingModel"="Both"'
  # The voices' token category, served by the same stand-in (its voices are its own).
  echo
  echo '[HKEY_CLASSES_ROOT\CLSID\{A910187F-0C7A-45AC-92CC-59EDAFB77B53}\InprocServer32]'
  echo '@="C:\\hdtest\\hd_sapi_voice.dll"'
  echo '"ThreadingModel"="Both"'
  # The language-service stand-in under the input method's ProgID, with a class id of its own.
  ime='{6A91029E-AA49-471B-AEE7-7D332785660D}'
  echo
  echo '[HKEY_CLASSES_ROOT\MSIME.Japan\CLSID]'
  echo "@=\"$ime\""
  echo
  echo "[HKEY_CLASSES_ROOT\\CLSID\\$ime\\InprocServer32]"
  echo '@="C:\\hdtest\\hd_ime_language.dll"'
  echo '"ThreadingModel"="Apartment"'
  for scheme in http https mailto; do
    echo
    echo "[HKEY_CLASSES_ROOT\\$scheme]"
    echo "@=\"URL:$scheme\""
    echo '"URL Protocol"=""'
    echo
    echo "[HKEY_CLASSES_ROOT\\$scheme\\shell\\open\\command]"
    echo "@=\"\\\"C:\\\\hdtest\\\\recorder.exe\\\" \\\"%1\\\"\""
  done
  for app in msedge msedge.exe Firefox Firefox.exe Chrome Chrome.exe; do
    echo
    echo "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\$app]"
    echo '@="C:\\hdtest\\recorder.exe"'
  done
} > "$reg"
"$HD_WINE" regedit /S "$(echo "Z:$reg" | tr / '\\')" >/dev/null 2>&1
"$HD_WINESERVER" -w

# Keep one wineserver for the whole run: each program then starts in a fraction of a second.
"$HD_WINESERVER" -p </dev/null >/dev/null 2>&1
# Start the desktop and services now, away from the test runner's output pipes.
"$HD_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
echo "prefix $WINEPREFIX on display $DISPLAY"
