#!/usr/bin/env bash
# Builds both executables and writes dist/Skorvelin-<version>.zip (the version as the program
# itself has it, in ui/application_info.h):
#   Skorvelin-<version>/Skorvelin.exe     the 32-bit build (95/98/Me and every NT system)
#   Skorvelin-<version>/Skorvelin64.exe   the 64-bit build
#   Skorvelin-<version>/LISEZMOI.txt      the command syntax, Windows-1252 with CR LF
#   Skorvelin-<version>/SHA256SUMS        checksums of the three (sha256sum -c SHA256SUMS)
# The same commit always gives the same bytes: fixed file order, permissions and timestamps
# (the commit's time, or SOURCE_DATE_EPOCH when set).
#   tools/release.sh [FOLDER]    writes the zip into FOLDER instead of dist/
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
out=$(mkdir -p "${1:-$repo/dist}" && cd "${1:-$repo/dist}" && pwd)

"$here/install-deps.sh"
source "$here/env.sh"

# The presets are read from the current folder.
cd "$repo"
for arch in i686 x86_64; do
  echo "== building Skorvelin.exe ($arch)"
  forget_other_generator "$arch"
  cmake --preset "$arch" >/dev/null
  log="$repo/build/$arch-release.log"
  if ! cmake --build --preset "$arch" --target Skorvelin >"$log" 2>&1; then
    cat "$log" >&2
    echo "build of $arch failed" >&2
    exit 1
  fi
done

version=$(cmake -P "$repo/cmake/application_version.cmake")
name="Skorvelin-$version"
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$repo" log -1 --format=%ct)}

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
folder="$staging/$name"
mkdir "$folder"
cp "$repo/build/i686/bin/Skorvelin.exe" "$folder/Skorvelin.exe"
cp "$repo/build/x86_64/bin/Skorvelin.exe" "$folder/Skorvelin64.exe"
sed "s/@VERSION@/$version/" "$here/release/LISEZMOI.txt" | iconv -f UTF-8 -t WINDOWS-1252 |
  sed 's/$/\r/' >"$folder/LISEZMOI.txt"
files=(Skorvelin.exe Skorvelin64.exe LISEZMOI.txt)
(cd "$folder" && sha256sum "${files[@]}" >SHA256SUMS)
files+=(SHA256SUMS)

chmod 644 "${files[@]/#/$folder/}"
touch -d "@$epoch" "${files[@]/#/$folder/}"
# Zip keeps local times: UTC makes them the same on every machine. No extra fields (-X), no
# folder entries (-D), the files in the order given.
(cd "$staging" && TZ=UTC zip -X -D -q -9 "$staging/$name.zip" "${files[@]/#/$name/}")
mv "$staging/$name.zip" "$out/$name.zip"
echo "== wrote $out/$name.zip"
(cd "$folder" && cat SHA256SUMS)
