# Shared set-up for the scripts in tools/: paths, the Wine prefix and a virtual display.
# Sourced, not run.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No dialogs offering to download .NET or HTML engines on first start.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

build_both() {
  local arch
  for arch in i686 x86_64; do
    echo "== building $arch"
    cmake --preset "$arch" -S "$repo" >/dev/null
    local log="$repo/build/$arch-build.log"
    if ! cmake --build --preset "$arch" >"$log" 2>&1; then
      cat "$log" >&2
      echo "build of $arch failed" >&2
      return 1
    fi
  done
}

ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
  fi
  if [ ! -f "$WINEPREFIX/.skorvelin-ready" ]; then
    # Wine's own Tahoma and Marlett, which this Wine does not pick up from its data folder:
    # the help window's font and the glyphs of the caption buttons.
    cp /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    # No window manager runs on the virtual display: Wine draws the window frames itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.skorvelin-ready"
  fi
}

# Starts Xvfb on a free display unless one is already usable (CI never has one).
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  local n
  for n in $(seq 90 130); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb_pid=$!
      export DISPLAY=":$n"
      local i
      for i in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
      done
      trap 'stop_display' EXIT
      return
    fi
  done
  echo "no free X display number" >&2
  return 1
}

stop_display() {
  wineserver -k 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
}

# Everything a run under Wine needs: missing packages installed, both builds, a display and the
# prefix. Leaves the shell in the repository's root.
prepare_wine_run() {
  "$repo/tools/install-deps.sh" && cd "$repo" && build_both && ensure_display && ensure_wine_prefix
}
