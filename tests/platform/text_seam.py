#!/usr/bin/env python3
"""Checks that only the text-call module imports 16-bit ("W") platform functions.

On 95/98/Me most W functions are stubs that fail, so every call with an 8-bit and a 16-bit
form has to choose by family, and that choice lives in one object file. Any other object
file of the program that refers to a W function's import slot fails the check.

Usage: text_seam.py --nm NM --seam OBJECT_NAME ARCHIVE_OR_OBJECT...
"""
import argparse
import re
import subprocess
import sys
from pathlib import Path

# A reference to a W function: its import slot, "__imp_CreateWindowExW" (64-bit) or
# "__imp__CreateWindowExW@48" (32-bit, decorated), in machine code; the function itself,
# "CreateWindowExW" or "_CreateWindowExW@48", in the intermediate code that link-time
# optimisation reads, which is what nm lists first for such objects. C++ names are mangled and
# never take either form.
WIDE_IMPORT = re.compile(r"^(?:__imp_)?_?([A-Za-z][A-Za-z0-9_]*[a-z0-9]W)(@\d+)?$")


def wide_imports(nm, path):
    """{object file name: sorted W functions whose import slot it refers to}."""
    text = subprocess.run([nm, "-A", "-u", str(path)], check=True, capture_output=True,
                          text=True).stdout
    found = {}
    for line in text.splitlines():
        # "lib.a:member.obj:         U symbol" or "file.obj:         U symbol"
        parts = line.rsplit(None, 2)
        if len(parts) != 3 or parts[1] != "U":
            continue
        where = parts[0].rstrip(":")
        member = where.split(":")[-1] if where.count(":") else where
        found.setdefault(Path(member).name, set())
        wide = WIDE_IMPORT.match(parts[2])
        if wide:
            found[Path(member).name].add(wide.group(1))
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--nm", required=True)
    parser.add_argument("--seam", required=True, help="file name of the module's object")
    parser.add_argument("files", nargs="+", type=Path)
    args = parser.parse_args()

    seen = {}
    for path in args.files:
        for member, functions in wide_imports(args.nm, path).items():
            seen.setdefault(member, set()).update(functions)

    failed = False
    # The module itself must be among the files read, and be seen importing W functions:
    # otherwise the files are not the program's, or nm's output was not understood.
    if not seen.get(args.seam):
        print(f"{args.seam}: not found among the files read, or it imports no W function")
        failed = True
    for member in sorted(seen):
        if member != args.seam and seen[member]:
            print(f"{member}: calls {', '.join(sorted(seen[member]))} outside {args.seam}")
            failed = True
    print(f"{len(seen)} object files read; W imports outside {args.seam}: "
          f"{'some' if failed else 'none'}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
