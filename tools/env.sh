# Shared set-up for the scripts in tools/: paths, the Wine prefix and a virtual display.
# Sourced, not run.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

wine32=/usr/lib/wine/wine
wine64=/usr/lib/wine/wine64

# What starting a 32-bit loader tells of this machine: "yes" when it starts; "no: ..." only when
# the kernel refuses it ("Exec format error": booted without 32-bit emulation); "fault: ..."
# for anything else, a missing loader included, which is an installation fault and never a
# reason to leave the 32-bit tests out.
#   classify_32bit_loader LOADER
classify_32bit_loader() {
  local says
  if says=$("$1" --version 2>&1); then
    echo yes
  elif [[ $says == *"Exec format error"* ]]; then
    echo "no: $1 does not start: $says"
  else
    echo "fault: $1 does not start: ${says:-no message}"
  fi
}

# Decides, once and on facts, whether this machine runs 32-bit programs, and sets up Wine for
# that case; the answer is handed down to every program started from here. Called after the
# installs (prepare_wine_run), never when this file is sourced: before them the loader may simply
# not be there yet. SKORVELIN_NO_32BIT=1 takes the "cannot" branch on any machine. Fails, saying
# why, on an installation fault.
decide_32bit_support() {
  if [ "${SKORVELIN_NO_32BIT:-}" = 1 ]; then
    export SKORVELIN_RUNS_32BIT=no
    export SKORVELIN_NO_32BIT_REASON="SKORVELIN_NO_32BIT=1 is set"
  elif [ "${SKORVELIN_RUNS_32BIT:-}" != yes ] && [ "${SKORVELIN_RUNS_32BIT:-}" != no ]; then
    local verdict
    verdict=$(classify_32bit_loader "$wine32")
    case $verdict in
      yes) export SKORVELIN_RUNS_32BIT=yes ;;
      no:*)
        export SKORVELIN_RUNS_32BIT=no
        export SKORVELIN_NO_32BIT_REASON=${verdict#no: }
        ;;
      *)
        echo "installation fault: ${verdict#fault: }; install Wine with its 32-bit part" \
          "(tools/install-deps.sh) and run again" >&2
        return 1
        ;;
    esac
  fi
  # Debian's /usr/bin/wine picks the 32-bit loader whenever it is installed, for 64-bit programs
  # too: without 32-bit support the 64-bit loader is started directly, in a prefix of its own
  # that it created itself.
  if [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
    wine_loader=/usr/bin/wine
    export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
  else
    wine_loader=$wine64
    export WINELOADER=$wine64
    export WINESERVER=/usr/lib/wine/wineserver64
    export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix64}"
  fi
}
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

# forget_other_generator ARCH: a build folder made by another generator than the preset's (make,
# before the presets named Ninja) cannot be configured again: it is emptied, to be built anew.
forget_other_generator() {
  local cache="$repo/build/$1/CMakeCache.txt"
  if [ -f "$cache" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$cache"; then
    echo "== $1 was configured for another generator: building it anew"
    rm -rf "${repo:?}/build/$1"
  fi
}

# build_arch ARCH [TARGET...]: configures and builds one architecture, all of it or the targets
# named; the build's log is shown only when it fails. The caller's configure_options array, if
# any, goes to the configuration (the benchmark is built only where it is run).
build_arch() {
  local arch=$1
  shift
  echo "== building $arch${*:+ ($*)}"
  forget_other_generator "$arch"
  cmake --preset "$arch" -S "$repo" ${configure_options[@]+"${configure_options[@]}"} >/dev/null ||
    return 1
  local log="$repo/build/$arch-build.log"
  if ! cmake --build --preset "$arch" ${*:+--target "$@"} >"$log" 2>&1; then
    cat "$log" >&2
    echo "build of $arch failed" >&2
    return 1
  fi
}

build_both() {
  build_arch i686 && build_arch x86_64
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
    # No window manager runs on the virtual display: Wine draws the window frames itself (the
    # close-box test clicks on them). The prefix is marked ready only once the value is there.
    local key='HKCU\Software\Wine\X11 Driver' said
    if ! said=$(wine reg add "$key" /v Managed /d N /f 2>&1) ||
      ! wine reg query "$key" /v Managed 2>/dev/null | grep -q 'Managed.*REG_SZ.*N'; then
      echo "could not set $key\\Managed in the Wine prefix $WINEPREFIX: $said" >&2
      return 1
    fi
    wineserver -w
    touch "$WINEPREFIX/.skorvelin-ready"
  fi
}

# Starts Xvfb on a free display unless one is already usable (CI never has one).
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  start_display || return 1
  export DISPLAY=$started_display
}

# Starts Xvfb, which takes the first display number that no other server holds, and leaves that
# display's name in started_display; the display ends with this shell.
start_display() {
  local said i
  said=$(mktemp) || return 1
  Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$said" 2>/dev/null &
  xvfb_pids+=($!)
  trap 'stop_display' EXIT
  # The server writes its number, on a line of its own, once it listens.
  for i in $(seq 100); do
    if grep -qx '[0-9]\+' "$said"; then
      started_display=":$(cat "$said")"
      rm -f "$said"
      return
    fi
    kill -0 $! 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$said"
  echo "Xvfb did not start" >&2
  return 1
}

stop_display() {
  wineserver -k 2>/dev/null || true
  [ -n "${xvfb_pids:-}" ] && kill "${xvfb_pids[@]}" 2>/dev/null || true
}

# Everything a run under Wine needs: missing packages installed, both builds, a display and the
# prefix. Leaves the shell in the repository's root.
prepare_wine_run() {
  "$repo/tools/install-deps.sh" && decide_32bit_support && cd "$repo" && build_both &&
    ensure_display && ensure_wine_prefix
}
