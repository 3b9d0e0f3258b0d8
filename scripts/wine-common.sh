# Sourced by the Wine scripts: chooses the loader and sets the environment of
# one test run's prefix. $1 of the caller is the run's folder (prefix, display).
# The folder's file "arch", written by the build, says which Wine runs it:
# win32 (a 32-bit build) takes the 32-bit loader and a 32-bit-only prefix;
# win64, or no file, the 64-bit loader and a 64-bit prefix.
hd_wine_env() {
  local dir="$1"
  HD_WINE_ARCH=win64
  if [ -f "$dir/arch" ]; then HD_WINE_ARCH=$(cat "$dir/arch"); fi
  case "$HD_WINE_ARCH" in
    win32)
      HD_WINE=/usr/lib/wine/wine
      [ -x "$HD_WINE" ] || HD_WINE=$(command -v wine) ;;
    win64)
      HD_WINE=/usr/lib/wine/wine64
      [ -x "$HD_WINE" ] || HD_WINE=$(command -v wine64 || command -v wine) ;;
    *)
      echo "$dir/arch: unknown Wine architecture '$HD_WINE_ARCH'" >&2
      return 1 ;;
  esac
  # One server for both: it serves 32-bit programs, and WINEARCH decides the
  # kind of prefix it makes.
  HD_WINESERVER=/usr/lib/wine/wineserver64
  [ -x "$HD_WINESERVER" ] || HD_WINESERVER=$(command -v wineserver)
  export WINEARCH="$HD_WINE_ARCH"
  export WINEPREFIX="$dir/prefix"
  export WINELOADER="$HD_WINE"
  export WINESERVER="$HD_WINESERVER"
  export WINEDEBUG="${HD_WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  if [ -f "$dir/display" ]; then export DISPLAY="$(cat "$dir/display")"; fi
}

# Starts Xvfb on a free display number and prints it; the pid goes to $2.
hd_start_xvfb() {
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  echo $! > "$1"
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  echo ":$n"
}

hd_display_works() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}
