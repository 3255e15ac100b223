#!/usr/bin/env python3
"""Checks what the loader sees of the built program before any of its code runs, in both builds.

Rules:
- the file is a program of its build's architecture: an x86 PE32 image (machine 0x14C, optional
  header magic 0x10B) for i686, an x86-64 PE32+ image (machine 0x8664, magic 0x20B) for x86_64;
- a Windows GUI program (subsystem 2): no console opens when it starts;
- it imports only system libraries that every targeted Windows has: kernel32.dll, user32.dll,
  gdi32.dll, msvcrt.dll and advapi32.dll, kernel32.dll among them. The libraries that only some
  paths need (process listing, shell, OLE pictures, common controls) are loaded from the system
  folder at their first use, never by the loader, which would also search the program's own
  folder for them;
- no delay-load import directory: delay-loaded libraries would be searched for on the path too;
- the functions that the test programs reach through import pointers of their own
  (tests/support/bindings.cpp) are the system's imports here: no stand-in took their place.

Usage: program_image.py --arch i686|x86_64 Skorvelin.exe
"""
import argparse
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, str(Path(__file__).parent))
import pe_file  # noqa: E402

# (machine, optional header magic, what that is) of each build's program.
ARCHITECTURES = {
    "i686": (0x14C, 0x10B, "an x86 PE32 image"),
    "x86_64": (0x8664, 0x20B, "an x86-64 PE32+ image"),
}
SYSTEM_LIBRARIES = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll"}
# Less than this is not a built program: its headers alone take 1 KiB.
SMALLEST_PROGRAM = 1024
STOOD_IN_BY_TESTS = {("kernel32.dll", "GetVersionExA"), ("kernel32.dll", "OpenProcess"),
                     ("kernel32.dll", "DuplicateHandle")}


def problems(image, libraries, arch, imports=None):
    """One line for each rule that the image breaks; libraries: the names it imports from;
    imports, when given: its (library, function) pairs."""
    found = []
    if image.size <= SMALLEST_PROGRAM:
        found.append(f"{image.size} bytes: not a built program")
    machine, magic, what = ARCHITECTURES[arch]
    if (image.machine, image.magic) != (machine, magic):
        found.append(f"machine {image.machine:#x}, optional header magic {image.magic:#x}: "
                     f"not {what}, as the {arch} build makes")
    if image.subsystem != 2:
        found.append(f"subsystem {image.subsystem}: not a Windows GUI program")
    if not libraries:
        found.append("imports nothing: the import directory was not read")
    for library in sorted(set(libraries) - SYSTEM_LIBRARIES):
        found.append(f"imports {library}, which the loader would also look for in the "
                     "program's folder; load it from the system folder at its first use")
    if libraries and "kernel32.dll" not in libraries:
        found.append("does not import kernel32.dll")
    for library, function in sorted(STOOD_IN_BY_TESTS - set(imports or STOOD_IN_BY_TESTS)):
        found.append(f"does not import {function} from {library}: a test program's stand-in "
                     "took its place")
    _, delay_size = image.directory(pe_file.DELAY_IMPORT_DIRECTORY)
    if delay_size:
        found.append(f"a delay-load import directory ({delay_size} bytes): delay-loaded "
                     "libraries would be searched for on the path")
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--arch", required=True, choices=sorted(ARCHITECTURES))
    parser.add_argument("program", type=Path)
    args = parser.parse_args()
    image = pe_file.Image(args.program)
    imports = image.imports()
    libraries = {library for library, _ in imports}
    found = problems(image, libraries, args.arch, imports)
    for problem in found:
        print(f"{args.program}: {problem}")
    print(f"{args.program}: {image.size} bytes, machine {image.machine:#x}, subsystem "
          f"{image.subsystem}, imports from {', '.join(sorted(libraries)) or 'nothing'}; "
          f"{len(found)} problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
