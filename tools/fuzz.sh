#!/usr/bin/env bash
# Builds the native fuzz targets (fuzz/: wildcard match, command-line reading, stored-text
# decoding) with clang, libFuzzer and the address and undefined-behaviour sanitizers, and runs
# each for a fixed time. Exits non-zero when a target finds a crash or a broken property.
#
#   tools/fuzz.sh            20 seconds per target (what tools/test.sh runs)
#   tools/fuzz.sh 3600       an hour per target
#   tools/fuzz.sh --build    only the build
#
# Each target starts from its seed corpus in fuzz/corpus/<target>/ and grows a working corpus
# in build/fuzz/corpus/<target>/, kept between runs. A failing input is saved under
# build/fuzz/artifacts/<target>/; replay it with build/fuzz/fuzz_<target> <file>.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)

seconds=${1:-20}
if [ "$seconds" != --build ] && ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: tools/fuzz.sh [seconds per target, 20 unless given | --build]" >&2
  exit 2
fi

"$here/install-deps.sh" fuzz || exit 1

build="$repo/build/fuzz"
echo "== building the fuzz targets"
log="$repo/build/fuzz-build.log"
mkdir -p "$build"
if ! { cmake -S "$repo/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 &&
       cmake --build "$build" -j "${CMAKE_BUILD_PARALLEL_LEVEL:-2}"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "build of the fuzz targets failed" >&2
  exit 1
fi
[ "$seconds" = --build ] && exit 0

status=0
total=0
for target in pattern_match command_line decode_text; do
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target/"
  mkdir -p "$corpus" "$artifacts"
  output="$build/$target.log"
  echo "== fuzzing $target for $seconds s"
  # New inputs go to the first folder, the working corpus; the seeds are only read.
  "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$artifacts" "$corpus" "$repo/fuzz/corpus/$target" >"$output" 2>&1
  result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$output")
  if [ $result -ne 0 ]; then
    status=1
    grep -E 'property broken|^first|^second|ERROR|SUMMARY|Test unit written' "$output" >&2
    echo "$target FAILED after ${runs:-?} inputs (log: $output)" >&2
  else
    echo "$target: ${runs:-?} inputs, no failure"
    total=$((total + ${runs:-0}))
  fi
done
[ $status -eq 0 ] && echo "== fuzzing: $total inputs in all, no failure"
exit $status
