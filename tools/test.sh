#!/usr/bin/env bash
# Builds both architectures and runs the whole test suite under Wine on a virtual display.
# Exits non-zero when anything fails. On a machine that cannot run 32-bit programs the 32-bit
# runs are reported by CTest as not run (see tools/wine.sh), and their test programs are not
# built: only the 32-bit Skorvelin.exe, which the native checks and the 64-bit suite read. The
# native fuzz targets run too, beside the Wine suites; what building does not need is installed
# while the programs build. The time of each phase is printed at the end.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"

started=$SECONDS
times=()
# phase NAME COMMAND...: runs the command as one timed phase; its status.
phase() {
  local name=$1 from=$SECONDS status
  shift
  "$@"
  status=$?
  times+=("$(printf '%-44s %4d s%s' "$name" $((SECONDS - from)) \
    "$([ $status -eq 0 ] || echo ', FAILED')")")
  return $status
}
print_times() {
  echo "== phase times"
  printf '  %s\n' "${times[@]}"
  printf '  %-44s %4d s\n' "whole run" $((SECONDS - started))
}

# The Wine prefix is made while the programs build: it needs neither them nor much of the
# machine, and making it takes a while.
prepare_prefix() {
  ensure_wine_prefix >"$repo/build/prefix.log" 2>&1
}

# The 64-bit loader's own prefix, in which the check of the "cannot run 32-bit programs" branch
# (no_32bit_branch) runs its Wine tests where 32-bit programs run: made beside the usual one,
# in the same way (tools/wine.sh would make it in that test), while the programs build.
prepare_prefix_without_32bit() {
  env -u WINEPREFIX -u SKORVELIN_RUNS_32BIT SKORVELIN_NO_32BIT=1 bash -c \
    'source "$0/tools/env.sh" && decide_32bit_support && ensure_wine_prefix' "$repo" \
    >"$repo/build/prefix64.log" 2>&1
}

# The fuzz targets, built and run beside the Wine suites, which mostly wait on Wine.
fuzz_in_background() {
  "$here/fuzz.sh" >"$repo/build/fuzz.log" 2>&1 &
  fuzz_pid=$!
}

# run_suite ARCH: the architecture's CTest suite, its output also kept for the closing count.
# Where the i686 suite runs, the x86_64 suite leaves out its *_i686 tests: they read the same
# 32-bit program with the same checks as the i686 suite's own, so their outcome cannot differ.
# Every other x86_64 test runs the 64-bit program or product code compiled for 64 bits.
run_suite() {
  local same_as_i686=()
  if [ "$1" = x86_64 ] && [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
    same_as_i686=(-E '_i686$')
  fi
  ctest --preset "$1" ${same_as_i686[@]+"${same_as_i686[@]}"} | tee -a "$results"
  return "${PIPESTATUS[0]}"
}

# The benchmark is not part of the test run (tools/bench.sh builds and runs it).
configure_options=(-DSKORVELIN_BENCH=OFF)

# What building needs first; Wine, the display and the fuzzing tools are installed while the
# programs build, which leaves both cores to the compilers most of the time.
phase "installs for the build" "$repo/tools/install-deps.sh" build || exit 1
mkdir -p "$repo/build"
"$repo/tools/install-deps.sh" >"$repo/build/install.log" 2>&1 &
install_pid=$!

# Without 32-bit support the 32-bit test programs could only be reported as not run: only the
# 32-bit Skorvelin.exe is built then, which the native checks and the 64-bit suite read. Whether
# the machine runs 32-bit programs is known only once Wine is installed: until then the build
# of everything 64-bit goes first.
cd "$repo" || exit 1
phase "build x86_64" build_arch x86_64 || exit 1
if ! phase "waiting for the other installs" wait $install_pid; then
  cat "$repo/build/install.log" >&2
  exit 1
fi
decide_32bit_support || exit 1
describe_32bit_support
ensure_display || exit 1
prepare_prefix &
prefix_pid=$!
if [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
  prepare_prefix_without_32bit &
  prefix64_pid=$!
fi
if [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
  phase "build i686" build_arch i686 || exit 1
else
  phase "build i686 (Skorvelin.exe only)" build_arch i686 Skorvelin || exit 1
fi
if ! phase "waiting for the Wine prefix" wait $prefix_pid; then
  cat "$repo/build/prefix.log" >&2
  exit 1
fi
if [ -n "${prefix64_pid:-}" ] && ! phase "waiting for the 64-bit loader's prefix" wait $prefix64_pid; then
  cat "$repo/build/prefix64.log" >&2
  exit 1
fi

status=0
fuzz_in_background
results="$repo/build/test-results.log"
: >"$results"
for arch in i686 x86_64; do
  echo "== testing $arch"
  phase "tests $arch" run_suite "$arch" || status=1
done
echo "== fuzzing (run beside the tests)"
phase "waiting for the fuzzing after the tests" wait $fuzz_pid || status=1
cat "$repo/build/fuzz.log"
wineserver -k 2>/dev/null || true
print_times
# One closing line for both suites: a test not run is counted apart, never as passed.
passed=$(grep -Ec 'Test +#[0-9]+: .* Passed ' "$results")
skipped=$(grep -Ec 'Test +#[0-9]+: .*\*\*\*(Skipped|Not Run) ' "$results")
failed=$(($(grep -Ec 'Test +#[0-9]+: ' "$results") - passed - skipped))
echo "tests: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] || status=1
exit $status
