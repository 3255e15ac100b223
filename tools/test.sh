#!/usr/bin/env bash
# Builds both architectures and runs the whole test suite under Wine on virtual displays.
# Exits non-zero when anything fails. On a machine that cannot run 32-bit programs the 32-bit
# runs are reported by CTest as not run (see tools/wine.sh), and their test programs are not
# built: only the 32-bit Skorvelin.exe, which the native checks and the 64-bit suite read. The
# native fuzz targets run too, beside the Wine suites; what the 64-bit build does not need is
# installed while it builds. The time of each phase is printed at the end.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"

started=$SECONDS
times=()
# record NAME SECONDS STATUS: one line of the closing table.
record() {
  times+=("$(printf '%-44s %4d s%s' "$1" "$2" "$([ "$3" -eq 0 ] || echo ', FAILED')")")
}
# phase NAME COMMAND...: runs the command as one timed phase; its status.
phase() {
  local name=$1 from=$SECONDS status
  shift
  "$@"
  status=$?
  record "$name" $((SECONDS - from)) $status
  return $status
}
print_times() {
  echo "== phase times"
  printf '  %s\n' "${times[@]}"
  printf '  %-44s %4d s\n' "whole run" $((SECONDS - started))
}

# The Wine prefix is made while the programs build: it needs neither them nor much of the
# machine, and making it takes a while. Where both suites run under Wine, the x86_64 suite gets a
# copy, which is much quicker to make than a second prefix.
prepare_prefix() {
  ensure_wine_prefix >"$repo/build/prefix.log" 2>&1 || return 1
  if [ "$SKORVELIN_RUNS_32BIT" = yes ] && [ ! -f "$x86_64_prefix/.skorvelin-ready" ]; then
    copy_prefix "$WINEPREFIX" "$x86_64_prefix"
  fi
}

# copy_prefix FROM TO: a prefix for a Wine server of its own. The system folders, nine tenths of
# a prefix, hold Wine's programs and libraries, which nothing rewrites: the copy links their
# files instead of writing them again. Everything else is copied, the registry files above all,
# which Wine rewrites in place.
copy_prefix() {
  local system
  rm -rf "$2" && mkdir -p "$2" || return 1
  (cd "$1" && tar -c --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 .) |
    (cd "$2" && tar -x) || return 1
  for system in system32 syswow64; do
    if [ -d "$1/drive_c/windows/$system" ]; then
      cp -al "$1/drive_c/windows/$system" "$2/drive_c/windows/" || return 1
    fi
  done
}
x86_64_prefix=$repo/build/wineprefix-x86_64

# The 64-bit loader's own prefix, in which the check of the "cannot run 32-bit programs" branch
# (no_32bit_branch) runs its Wine tests where 32-bit programs run: made beside the usual one,
# in the same way (tools/wine.sh would make it in that test), while the programs build.
prepare_prefix_without_32bit() {
  env -u WINEPREFIX -u SKORVELIN_RUNS_32BIT SKORVELIN_NO_32BIT=1 bash -c \
    'source "$0/tools/env.sh" && decide_32bit_support && ensure_wine_prefix' "$repo" \
    >"$repo/build/prefix64.log" 2>&1
}

# The fuzz targets, built and run beside the Wine suites. The fuzzing runs for a fixed time
# however many inputs that gives it, on what the suites leave of the machine, as they wait on
# Wine much of the time. The build before it, which finds nothing left to do where the early
# build below ran, runs at the suites' priority: at the lowest it waited so long that the fuzzing
# ended well after the suites.
fuzz_in_background() {
  if [ -n "${early_fuzz_build_pid:-}" ]; then
    phase "waiting for the fuzz targets' early build" wait "$early_fuzz_build_pid"
  fi
  { "$here/fuzz.sh" --build && nice -n 19 "$here/fuzz.sh"; } >"$repo/build/fuzz.log" 2>&1 &
  fuzz_pid=$!
}

# run_suite ARCH [CTEST_ARGS...]: the architecture's CTest suite. Its output goes to
# build/tests-ARCH.log, its status and seconds to build/tests-ARCH.time.
run_suite() {
  local arch=$1 from=$SECONDS status
  shift
  # The order is the project's (tests/CMakeLists.txt), not the one CTest learnt from past runs.
  rm -f "$repo/build/$arch/Testing/Temporary/CTestCostData.txt"
  ctest --preset "$arch" "$@" >"$repo/build/tests-$arch.log" 2>&1
  status=$?
  echo "$status $((SECONDS - from))" >"$repo/build/tests-$arch.time"
  return $status
}

# Both suites at once. Each has a display and a Wine server of its own: the pointer, the focus
# and the windows a test counts belong to one display and one server, so neither suite sees the
# other's. The release check runs afterwards on its own: it links both programs anew, under the
# tests that run them. Where the i686 suite runs, the x86_64 suite leaves out its *_i686 tests:
# they read the same 32-bit program with the same checks as the i686 suite's own, so their
# outcome cannot differ. Every other x86_64 test runs the 64-bit program or product code
# compiled for 64 bits.
suites_side_by_side() {
  local i686_pid status=0 arch result seconds
  run_suite i686 &
  i686_pid=$!
  local leave_out='^release_zip$'
  [ "$SKORVELIN_RUNS_32BIT" = yes ] && leave_out+='|_i686$'
  DISPLAY=$x86_64_display WINEPREFIX=$x86_64_wineprefix run_suite x86_64 -E "$leave_out"
  wait $i686_pid
  for arch in i686 x86_64; do
    echo "== testing $arch"
    cat "$repo/build/tests-$arch.log"
    cat "$repo/build/tests-$arch.log" >>"$results"
    read -r result seconds <"$repo/build/tests-$arch.time"
    record "  of which tests $arch" "$seconds" "$result"
    [ "$result" -eq 0 ] || status=1
  done
  return $status
}

# The release check, alone (see above).
release_check() {
  ctest --preset x86_64 -R '^release_zip$' | tee -a "$results"
  return "${PIPESTATUS[0]}"
}

# The benchmark is not part of the test run (tools/bench.sh builds and runs it).
configure_options=(-DSKORVELIN_BENCH=OFF)

# The fuzz targets need only clang, CMake and make, which such a machine often has already: there
# they build while the installs below run, one job at a time, on the core that dpkg leaves idle.
# Whatever this build leaves undone, or a failure of it, the build before the fuzzing meets again.
if "$repo/tools/install-deps.sh" fuzz --check; then
  CMAKE_BUILD_PARALLEL_LEVEL=1 "$here/fuzz.sh" --build >/dev/null 2>&1 &
  early_fuzz_build_pid=$!
fi

# What the 64-bit build needs first; the 32-bit compilers, Wine, the display and the fuzzing
# tools are installed while it builds, which leaves both cores to the compilers most of the time.
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
start_display || exit 1
x86_64_display=$started_display
x86_64_wineprefix=$WINEPREFIX
[ "$SKORVELIN_RUNS_32BIT" = yes ] && x86_64_wineprefix=$x86_64_prefix
phase "tests i686 and x86_64, side by side" suites_side_by_side || status=1
echo "== the release check"
phase "tests: the release check" release_check || status=1
echo "== fuzzing (run beside the tests)"
phase "waiting for the fuzzing after the tests" wait $fuzz_pid || status=1
cat "$repo/build/fuzz.log"
wineserver -k 2>/dev/null || true
WINEPREFIX=$x86_64_wineprefix wineserver -k 2>/dev/null || true
print_times
# One closing line for both suites: a test not run is counted apart, never as passed.
passed=$(grep -Ec 'Test +#[0-9]+: .* Passed ' "$results")
skipped=$(grep -Ec 'Test +#[0-9]+: .*\*\*\*(Skipped|Not Run) ' "$results")
failed=$(($(grep -Ec 'Test +#[0-9]+: ' "$results") - passed - skipped))
echo "tests: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] || status=1
exit $status
