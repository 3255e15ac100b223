#!/usr/bin/env bash
# Builds both architectures and runs the whole test suite under Wine on a virtual display.
# Exits non-zero when anything fails. On a machine that cannot run 32-bit programs the 32-bit
# runs are reported by CTest as not run (see tools/wine.sh), and their test programs are not
# built: only the 32-bit Skorvelin.exe, which the native checks and the 64-bit suite read. The
# native fuzz targets run too, beside the Wine suites; what building does not need is installed
# while the programs build. The two suites run side by side, each on an X display and in a Wine
# prefix of its own (see run_suites). The time of each phase is printed at the end.
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

# The Wine prefixes are made while the programs build: they need neither the programs nor much
# of the machine, and making one takes a while. The x86_64 suite's, where it has one of its own,
# is a copy of the first, made once the first is complete.
prepare_prefix() {
  {
    ensure_wine_prefix || return 1
    if [ -n "$x86_64_prefix" ] && [ ! -f "$x86_64_prefix/.skorvelin-ready" ]; then
      echo "== copying the Wine prefix to $x86_64_prefix"
      wineserver -w
      rm -rf "$x86_64_prefix" && cp -a "$WINEPREFIX" "$x86_64_prefix"
    fi
  } >"$repo/build/prefix.log" 2>&1
}

# The fuzz targets, built and run beside the Wine suites, which mostly wait on Wine.
fuzz_in_background() {
  "$here/fuzz.sh" >"$repo/build/fuzz.log" 2>&1 &
  fuzz_pid=$!
}

# run_suite ARCH [CTEST OPTIONS...]: the architecture's CTest suite, its output also kept for
# the closing count.
run_suite() {
  local arch=$1
  shift
  ctest --preset "$arch" "$@" | tee -a "$repo/build/test-results-$arch.log"
  return "${PIPESTATUS[0]}"
}

# Both suites at once. Tests that move the pointer, take the focus, read the screen or count the
# windows hold the lock skorvelin_display, which only their own CTest run knows: each suite
# therefore runs in a window system of its own, an X display (pointer, focus, pixels) and a Wine
# prefix, whose Wine server holds the windows that the tests enumerate. The x86_64 suite's
# output follows the i686 suite's. Where the i686 suite runs, the x86_64 suite leaves out its
# *_i686 tests: they read the same 32-bit program with the same checks as the i686 suite's own,
# so their outcome cannot differ. Every other x86_64 test runs the 64-bit program or product code
# compiled for 64 bits. Left for after both suites: release_zip, which links both programs anew
# while the i686 suite runs them, and the x86_64 help window tests, whose link checks fail now
# and then when both builds' help windows are driven at the same time, each in its own window
# system (the click's link then sometimes stays highlighted).
after_both='^(help_window_tests|help_window_cp1251|release_zip)$'
run_suites() {
  local skipped=(-E "$after_both") status=0 x86_64_log="$repo/build/tests-x86_64.out"
  if [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
    skipped=(-E "_i686\$|$after_both")
  fi
  rm -f "$repo"/build/test-results-{i686,x86_64}.log
  (
    export DISPLAY=$x86_64_display WINEPREFIX=${x86_64_prefix:-$WINEPREFIX}
    phase "tests x86_64 (beside i686)" run_suite x86_64 "${skipped[@]}" >"$x86_64_log" 2>&1
    status=$?
    printf '%s\n' "${times[-1]}" >"$x86_64_log.time"
    exit $status
  ) &
  local x86_64_pid=$!
  echo "== testing i686 (x86_64 beside it)"
  phase "tests i686" run_suite i686 || status=1
  phase "waiting for the x86_64 tests" wait $x86_64_pid || status=1
  times+=("$(cat "$x86_64_log.time")")
  echo "== testing x86_64 (beside i686)"
  cat "$x86_64_log"
  echo "== testing x86_64: the help window and release_zip, once both suites are over"
  DISPLAY=$x86_64_display WINEPREFIX=${x86_64_prefix:-$WINEPREFIX} \
    phase "tests x86_64: help window, release_zip" run_suite x86_64 -R "$after_both" || status=1
  return $status
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
# The x86_64 suite's own display, and its own prefix where the i686 suite needs one.
start_xvfb || exit 1
x86_64_display=$started_display
x86_64_prefix=""
if [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
  x86_64_prefix="$WINEPREFIX-x86_64"
  other_prefixes+=("$x86_64_prefix")
fi
prepare_prefix &
prefix_pid=$!
if [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
  phase "build i686" build_arch i686 || exit 1
else
  phase "build i686 (Skorvelin.exe only)" build_arch i686 Skorvelin || exit 1
fi
if ! phase "waiting for the Wine prefix" wait $prefix_pid; then
  cat "$repo/build/prefix.log" >&2
  exit 1
fi

status=0
fuzz_in_background
run_suites || status=1
echo "== fuzzing (run beside the tests)"
phase "waiting for the fuzzing after the tests" wait $fuzz_pid || status=1
cat "$repo/build/fuzz.log"
stop_display
print_times
# One closing line for both suites: a test not run is counted apart, never as passed.
results=$(cat "$repo"/build/test-results-{i686,x86_64}.log)
passed=$(grep -Ec 'Test +#[0-9]+: .* Passed ' <<<"$results")
skipped=$(grep -Ec 'Test +#[0-9]+: .*\*\*\*(Skipped|Not Run) ' <<<"$results")
failed=$(($(grep -Ec 'Test +#[0-9]+: ' <<<"$results") - passed - skipped))
echo "tests: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] || status=1
exit $status
