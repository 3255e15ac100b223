#!/usr/bin/env bash
# Builds both architectures and prints the benchmark's figures, run under Wine on a virtual
# display: those of the reference (i686) build, or of the x86_64 one on a machine that cannot
# run 32-bit programs. Arguments go to the benchmark (--runs N: whole runs of each program).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/install-deps.sh" || exit 1
source "$here/env.sh"
cd "$repo" || exit 1

if [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
  arch=i686
else
  arch=x86_64
  echo "== measuring the x86_64 build: this machine cannot run 32-bit programs" \
    "($SKORVELIN_NO_32BIT_REASON)" >&2
fi

# Both architectures: the benchmark prints the size of each build's program.
build_both >&2 || exit 1

# A usable display is kept; without one a virtual one is started, and stopped on exit.
ensure_display || exit 1
ensure_wine_prefix || exit 1
# The runs without a windowed program need a Wine session where nothing else has a window.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null

# A program that crashes under measurement must end at once with its status, which the
# benchmark reports: Wine would otherwise start its debugger, which then waits for ever.
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d" \
  wine "$repo/build/$arch/bin/skorvelin_bench.exe" "$@"
