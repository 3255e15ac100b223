#!/usr/bin/env bash
# Builds both architectures and runs the whole test suite under Wine on a virtual display.
# Exits non-zero when anything fails. On a machine that cannot run 32-bit programs the 32-bit
# runs are reported by CTest as not run (see tools/wine.sh). The native fuzz targets run too.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"
prepare_wine_run || exit 1
describe_32bit_support

status=0
# The text core fuzzed natively first, for a short fixed time; CTest's summaries come last.
"$here/fuzz.sh" || status=1
for arch in i686 x86_64; do
  echo "== testing $arch"
  ctest --preset "$arch" || status=1
done
wineserver -k 2>/dev/null || true
exit $status
