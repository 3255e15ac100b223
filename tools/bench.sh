#!/usr/bin/env bash
# Builds both architectures and prints the benchmark's figures, run under Wine on a
# virtual display. Arguments go to the benchmark (--runs N: whole runs of each program).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/install-deps.sh" || exit 1
source "$here/env.sh"
cd "$repo" || exit 1

# Both architectures: the benchmark prints the size of each build's program.
build_both || exit 1

# A usable display is kept; without one a virtual one is started, and stopped on exit.
ensure_display || exit 1
ensure_wine_prefix

# A program that crashes under measurement must end at once with its status, which the
# benchmark reports: Wine would otherwise start its debugger, which then waits for ever.
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d" \
  wine "$repo/build/i686/bin/skorvelin_bench.exe" "$@"
