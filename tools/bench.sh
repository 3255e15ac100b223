#!/usr/bin/env bash
# Builds both architectures (the benchmark prints both programs' sizes) and prints the figures
# of the reference (i686) build, or of the x86_64 one on a machine that cannot run 32-bit
# programs, run under Wine on a virtual display.
#   tools/bench.sh [--runs N]    N: alternating rounds of whole runs in each setting (15)
#
# Whole runs are measured in two settings. With Wine's desktop process (explorer.exe /desktop)
# running, as it is whenever some application is open: the benchmark keeps a window of its own
# while it measures. With no windowed program running: every run is made by a benchmark process
# of its own, started into a session where nothing else runs, once the desktop process has
# ended; the program then starts the desktop process itself. That process ends about a second
# after the session's last program, so the server is kept running between programs.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
runs=15
if [ $# -eq 2 ] && [ "$1" = --runs ] && [ "$2" -ge 1 ] 2>/dev/null; then
  runs=$2
elif [ $# -ne 0 ]; then
  echo "usage: tools/bench.sh [--runs N]" >&2
  exit 2
fi
"$here/install-deps.sh" || exit 1
source "$here/env.sh"
decide_32bit_support || exit 1
cd "$repo" || exit 1

if [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
  arch=i686
else
  arch=x86_64
  echo "== measuring the x86_64 build: this machine cannot run 32-bit programs" \
    "($SKORVELIN_NO_32BIT_REASON)" >&2
fi

# Both architectures: the benchmark prints the size of each build's program.
configure_options=(-DSKORVELIN_BENCH=ON)
build_both >&2 || exit 1

# A usable display is kept; without one a virtual one is started. Either way the Wine session
# started here is ended on exit.
ensure_display || exit 1
trap stop_display EXIT
ensure_wine_prefix || exit 1

# A program that crashes under measurement must end at once with its status, which the
# benchmark reports: Wine would otherwise start its debugger, which then waits for ever.
# Nor is the menu builder started with the session: it makes a window, which would start the
# desktop process in the middle of the first run.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d;winemenubuilder.exe=d"
bench="$repo/build/$arch/bin/skorvelin_bench.exe"

# Whether this prefix's desktop process runs.
desktop_process_running() {
  local pid
  for pid in $(pgrep -f 'explorer\.exe /desktop'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# Twenty seconds at most, in tenths.
wait_for_desktop_process_to_end() {
  local waited=0
  while desktop_process_running; do
    if [ "$waited" -ge 200 ]; then
      echo "Wine's desktop process keeps running: another program of this prefix has a window" >&2
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
}

# A fresh session whose server outlives its programs.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
wineserver -p || exit 1
wine cmd /c exit || exit 1

echo "== $runs rounds of whole runs with no windowed program running" >&2
without="$repo/build/$arch/whole-runs-without-windows.txt"
: >"$without"
# Round 0 is not kept: the first start of each program reads it from disk.
for round in $(seq 0 "$runs"); do
  for program in 0 1 2; do
    wait_for_desktop_process_to_end || exit 1
    line=$(wine "$bench" --one-run "$program") || exit 1
    [ "$round" -gt 0 ] && echo "$line" >>"$without"
  done
done

wine "$bench" --runs "$runs" --without-windows "Z:${without//\//\\}"
