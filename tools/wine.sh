#!/usr/bin/env bash
# Runs one Windows program under Wine: the emulator of both builds (the toolchain files name it),
# so every CTest test of a Windows program comes through here.
#   tools/wine.sh [--32bit-build] [--needs-32bit] PROGRAM [ARGS...]
#
# On a machine that runs 32-bit programs this is plain `wine`. On one that cannot (found once by
# tools/env.sh after the installs, or forced with SKORVELIN_NO_32BIT=1), a 32-bit program (from
# the i686 build, whose emulator passes --32bit-build, so that the program need not even be built
# there; otherwise read from its image header) and any test registered as needing 32-bit support
# (skorvelin_test(... NEEDS_32BIT), which passes --needs-32bit) are not started: the reason is
# printed and the exit status is 77, which skorvelin_test declares as its SKIP_RETURN_CODE, so
# CTest reports them as not run. Other
# programs run under the 64-bit loader alone, in its own prefix. Tests that CTest runs natively
# (host-side checks) never come through here and are left alone.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
decide_32bit_support || exit 1

needs_32bit=no
built_32bit=no
while [ $# -gt 0 ]; do
  case $1 in
    --needs-32bit) needs_32bit=yes ;;
    --32bit-build) built_32bit=yes ;;
    *) break ;;
  esac
  shift
done
if [ $# -eq 0 ]; then
  echo "usage: tools/wine.sh [--32bit-build] [--needs-32bit] PROGRAM [ARGS...]" >&2
  exit 2
fi

# The machine type of a PE file, as four hex digits (014c: 32-bit x86), or nothing.
pe_machine() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return
  [ -n "$header" ] && od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

if [ "$SKORVELIN_RUNS_32BIT" = no ]; then
  why=""
  if [ "$built_32bit" = yes ]; then
    why="$(basename "$1") is a 32-bit program"
  elif [ "$needs_32bit" = yes ]; then
    why="this test needs 32-bit programs to run"
  elif [ -f "$1" ] && [ "$(pe_machine "$1")" = 014c ]; then
    why="$(basename "$1") is a 32-bit program"
  fi
  if [ -n "$why" ]; then
    echo "not run: $why, and this machine cannot run 32-bit programs" \
      "($SKORVELIN_NO_32BIT_REASON)"
    exit 77
  fi
fi

ensure_wine_prefix >&2 || exit 1

# The first program of a prefix's session starts Wine's own processes (services, the desktop),
# which keep its standard output and error open for as long as the session lasts. On a pipe,
# CTest would count the test as running until then, while other tests (CTest runs two at once)
# keep the session going. Output bound for a pipe is therefore written to a file, which tail
# passes on as it grows and until the program ends.
if [ ! -p /dev/stdout ] && [ ! -p /dev/stderr ]; then
  exec "$wine_loader" "$@"
fi
relay=$(mktemp -d) || exit 1
trap 'rm -rf "$relay"' EXIT
exec 3>&1 4>&2
streams=()
if [ -p /dev/stdout ]; then
  exec 1>"$relay/1"
  streams+=(1)
fi
if [ -p /dev/stderr ]; then
  exec 2>"$relay/2"
  streams+=(2)
fi
"$wine_loader" "$@" 3>&- 4>&- &
program=$!
tails=()
for stream in "${streams[@]}"; do
  # Back to where the stream went (3: standard output, 4: standard error).
  tail -c +1 -s 0.1 -f --pid=$program "$relay/$stream" >&$((stream + 2)) 2>&4 3>&- 4>&- &
  tails+=($!)
done
wait $program
status=$?
wait "${tails[@]}"
exit $status
