#!/usr/bin/env bash
# tools/release.sh, run twice with both programs linked anew in between (new bytes on disk, new
# file times): both zips are byte for byte the same, hold exactly the expected files, their
# checksums hold, and each executable is the one built.
#   release_test.sh SOURCE_DIR X86_64_BUILD_DIR
set -uo pipefail
source_dir=$1
builds=$(cd "$2/.." && pwd)
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
version=$(cmake -P "$source_dir/cmake/application_version.cmake")
zip_name="Skorvelin-$version.zip"

for run in first second; do
  if ! (cd /tmp && "$source_dir/tools/release.sh" "$scratch/$run" >/dev/null); then
    echo "FAILED: the $run release run"
    exit 1
  fi
  # Linked anew for the second run.
  [ $run = first ] && rm -f "$builds"/{i686,x86_64}/bin/Skorvelin.exe
done
cmp "$scratch/first/$zip_name" "$scratch/second/$zip_name" ||
  fail "two runs on the same commit wrote different zips"

listed=$(unzip -Z1 "$scratch/first/$zip_name" | tr '\n' ' ')
expected="Skorvelin-$version/Skorvelin.exe Skorvelin-$version/Skorvelin64.exe"
expected+=" Skorvelin-$version/LISEZMOI.txt Skorvelin-$version/SHA256SUMS "
[ "$listed" = "$expected" ] || fail "the zip holds: $listed; expected: $expected"

unzip -q "$scratch/first/$zip_name" -d "$scratch/unpacked" || fail "unzip"
folder="$scratch/unpacked/Skorvelin-$version"
(cd "$folder" && sha256sum --strict -c SHA256SUMS) || fail "checksums"
[ "$(wc -l <"$folder/SHA256SUMS")" -eq 3 ] || fail "SHA256SUMS does not cover the three files"

while read -r member built; do
  cmp "$folder/$member" "$builds/$built" || fail "$member is not $built"
done <<'TABLE'
Skorvelin.exe i686/bin/Skorvelin.exe
Skorvelin64.exe x86_64/bin/Skorvelin.exe
TABLE

# The notes open in Windows' plain text editors, the oldest included.
notes="$folder/LISEZMOI.txt"
iconv -f WINDOWS-1252 -t UTF-8 "$notes" | grep -q "Syntaxe d'utilisation : skorvelin" ||
  fail "LISEZMOI.txt lacks the command syntax in Windows-1252"
[ "$(grep -c $'\r$' "$notes")" -eq "$(wc -l <"$notes")" ] || fail "LISEZMOI.txt lines end in LF"
grep -q "@VERSION@" "$notes" && fail "LISEZMOI.txt still holds @VERSION@"

echo "== $failures failure(s)"
[ "$failures" -eq 0 ]
