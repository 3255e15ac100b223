#!/usr/bin/env bash
# The "cannot run 32-bit programs" branch, forced with SKORVELIN_NO_32BIT=1 in CTest runs of both
# builds nested in this one: every 32-bit run and every test that needs 32-bit programs is
# reported as not run (never as passed), while 64-bit tests and the static checks of the 32-bit
# program pass. Where a mount namespace can be made, Wine's 32-bit loader is replaced in it by a
# program the kernel refuses, as a kernel without 32-bit emulation does: anything that still
# reaches it fails the nested tests.
#   no_32bit_test.sh SOURCE_DIR X86_64_BUILD_DIR
set -uo pipefail
source_dir=$1
x86_64_build=$2
i686_build=$(cd "$x86_64_build/../i686" && pwd) || exit 1
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A copy of the 32-bit loader claiming a machine type no kernel knows: exec says "Exec format
# error", exactly as for a 32-bit program on a kernel without 32-bit emulation.
refused="$scratch/refused"
cp /usr/lib/wine/wine "$refused" && printf '\xef\xbe' | dd of="$refused" bs=1 seek=18 conv=notrunc status=none
without_32bit=()
for unshare_flags in -m -rm; do
  if unshare $unshare_flags mount --bind "$refused" /usr/lib/wine/wine 2>/dev/null; then
    without_32bit=(unshare $unshare_flags bash -c 'for f in wine wineserver32; do
        mount --bind "$0" /usr/lib/wine/$f || exit 1; done; exec "$@"' "$refused")
    break
  fi
done
if [ ${#without_32bit[@]} -eq 0 ]; then
  echo "note: no mount namespace here; the 32-bit loader stays in place"
else
  # Real detection, unforced, in the namespace: it must find that 32-bit programs do not run.
  detected=$("${without_32bit[@]}" env -u SKORVELIN_RUNS_32BIT -u SKORVELIN_NO_32BIT bash -c \
    'source "$0/tools/env.sh" && decide_32bit_support &&
     echo "$SKORVELIN_RUNS_32BIT: $SKORVELIN_NO_32BIT_REASON"' "$source_dir")
  echo "detection without the 32-bit loader: $detected"
  case "$detected" in
    no:*"Exec format error"*) ;;
    *) fail "the detection did not see that 32-bit programs cannot run" ;;
  esac
fi

# A loader that is not there (Wine not installed yet, or only in part) is an installation fault:
# the decision fails and says so, and never answers "cannot run 32-bit programs".
missing=$(env -u SKORVELIN_RUNS_32BIT -u SKORVELIN_NO_32BIT bash -c \
  'source "$0/tools/env.sh"; wine32=$0/no-such-loader; decide_32bit_support
   echo "status $? runs-32bit=${SKORVELIN_RUNS_32BIT:-undecided}"' "$source_dir" 2>&1)
echo "decision with a missing loader: $missing"
case "$missing" in
  *"installation fault: "*"no-such-loader"*"status 1 runs-32bit=undecided") ;;
  *) fail "a missing loader was not reported as an installation fault" ;;
esac

# A CTest folder of its own that holds the build's tests, so that the nested runs leave the
# build's logs (which the outer run is writing) alone.
tests_of() {
  local dir
  dir=$(mktemp -d -p "$scratch")
  echo "subdirs(\"$1\")" >"$dir/CTestTestfile.cmake"
  echo "$dir"
}

# nested_ctest BUILD_DIR CTEST_ARGS...: the build's tests with the branch forced, in the 64-bit
# loader's own prefix.
nested_ctest() {
  local build=$1
  shift
  "${without_32bit[@]}" env -u WINEPREFIX -u SKORVELIN_RUNS_32BIT SKORVELIN_NO_32BIT=1 \
    ctest --test-dir "$(tests_of "$build")" --output-on-failure "$@" 2>&1
}

# expect OUTPUT TEST Passed|Skipped: the test's line in a CTest run says so.
expect() {
  if ! grep -Eq "Test +#[0-9]+: $2 \.+ *(\*\*\*)?$3 " <<<"$1"; then
    fail "$2 is not reported as $3"
  fi
}

echo "== i686 build, forced: every Wine test is a 32-bit run; the native checks still run"
# listed TEST_SELECTION...: the names of the i686 build's tests that the selection picks.
listed() {
  ctest --test-dir "$(tests_of "$i686_build")" -N "$@" | sed -n 's/^ *Test *#[0-9]*: //p'
}
wine_tests=$(listed -LE '^host$')
host_tests=$(listed -L '^host$')
[ -n "$wine_tests" ] || fail "the i686 build lists no tests run under Wine"
[ -n "$host_tests" ] || fail "the i686 build lists no native checks"
output=$(nested_ctest "$i686_build" -V)
echo "$output" | grep -E "Test +#|not run:|tests passed"
for test in $wine_tests; do
  expect "$output" "$test" Skipped
done
for test in $host_tests; do
  expect "$output" "$test" Passed
done
grep -q "not run: .* is a 32-bit program, and this machine cannot run 32-bit programs" \
  <<<"$output" || fail "no reason given for the tests not run"

echo "== x86_64 build, forced"
output=$(nested_ctest "$x86_64_build" -R '^(unit_tests|e2e_cross_architecture_tests|resources_tests_i686)$')
echo "$output"
while read -r test result; do
  expect "$output" "$test" "$result"
done <<'TABLE'
unit_tests Passed
resources_tests_i686 Passed
e2e_cross_architecture_tests Skipped
TABLE

env -u WINEPREFIX SKORVELIN_NO_32BIT=1 bash -c 'source "$0/tools/env.sh" && wineserver -k' "$source_dir" 2>/dev/null
echo "== $failures failure(s)"
[ "$failures" -eq 0 ]
