#!/usr/bin/env bash
# Builds the reference (i686) build and prints the benchmark's figures, run under Wine on a
# virtual display. Arguments go to the benchmark (--runs N: whole runs of each program).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/install-deps.sh" || exit 1
source "$here/env.sh"
cd "$repo" || exit 1

echo "== building i686" >&2
cmake --preset i686 >/dev/null || exit 1
log="$repo/build/i686-build.log"
if ! cmake --build --preset i686 >"$log" 2>&1; then
  cat "$log" >&2
  echo "build of i686 failed" >&2
  exit 1
fi

# A usable display is kept; without one a virtual one is started, and stopped on exit.
ensure_display || exit 1
ensure_wine_prefix

# A program that crashes under measurement must end at once with its status, which the
# benchmark reports: Wine would otherwise start its debugger, which then waits for ever.
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d" \
  wine "$repo/build/i686/bin/skorvelin_bench.exe" "$@"
