# Shared set-up for the scripts in tools/: paths, the Wine prefix and a virtual display.
# Sourced, not run.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Whether this machine runs 32-bit programs, found once by starting Wine's 32-bit loader (some
# kernels are booted without 32-bit emulation) and handed down to every program started from
# here. SKORVELIN_NO_32BIT=1 takes the "cannot" branch on any machine.
wine32=/usr/lib/wine/wine
wine64=/usr/lib/wine/wine64
if [ "${SKORVELIN_NO_32BIT:-}" = 1 ]; then
  export SKORVELIN_RUNS_32BIT=no
  export SKORVELIN_NO_32BIT_REASON="SKORVELIN_NO_32BIT=1 is set"
elif [ "${SKORVELIN_RUNS_32BIT:-}" != yes ] && [ "${SKORVELIN_RUNS_32BIT:-}" != no ]; then
  if loader_says=$("$wine32" --version 2>&1); then
    export SKORVELIN_RUNS_32BIT=yes
  else
    export SKORVELIN_RUNS_32BIT=no
    export SKORVELIN_NO_32BIT_REASON="$wine32 does not start: ${loader_says:-no message}"
  fi
  unset loader_says
fi

# Debian's /usr/bin/wine picks the 32-bit loader whenever it is installed, for 64-bit programs
# too: without 32-bit support the 64-bit loader is started directly, in a prefix of its own that
# it created itself.
if [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
  wine_loader=/usr/bin/wine
  export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
else
  wine_loader=$wine64
  export WINELOADER=$wine64
  export WINESERVER=/usr/lib/wine/wineserver64
  export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix64}"
fi
wine() { "$wine_loader" "$@"; }
wineserver() { "${WINESERVER:-/usr/bin/wineserver}" "$@"; }

# One line saying which case this is.
describe_32bit_support() {
  if [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
    echo "== this machine runs 32-bit programs: both builds run under Wine"
  else
    echo "== this machine cannot run 32-bit programs ($SKORVELIN_NO_32BIT_REASON): the x86_64" \
      "build runs under $wine64, 32-bit runs are reported as not run"
  fi
}
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
    wine wineboot -i >/dev/null 2>&1 || true
    # The registry files are written when the Wine server ends.
    wineserver -w
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "Wine could not create the prefix $WINEPREFIX" >&2
      return 1
    fi
  fi
  if [ ! -f "$WINEPREFIX/.skorvelin-ready" ]; then
    # Wine's own Tahoma and Marlett, which this Wine does not pick up from its data folder:
    # the help window's font and the glyphs of the caption buttons.
    cp /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf "$WINEPREFIX/drive_c/windows/Fonts/" ||
      return 1
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
