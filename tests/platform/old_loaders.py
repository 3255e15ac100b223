#!/usr/bin/env python3
"""Checks the 32-bit program's file as the Windows 95/98/Me and NT 4.0 loaders read it.

Rules, from Microsoft's 1998 documentation of the PE/COFF file format (the optional header's
Windows NT-specific fields), and from the loaders' behaviour:
- an x86 GUI program (machine 0x14C, subsystem 2);
- subsystem and OS version 4.0: 95 and 98 run programs marked 3.x or 4.0, and give windows
  the look of their own user interface only to 4.0 (Microsoft KB Q125705); newer marks are
  for newer systems;
- image base 0x400000 or above, the default of the NT, 95 and 98 programs: below 4 MB lies
  the 95/98/Me system's own arena;
- file alignment a power of two from 512 to 64K, section alignment at least the file alignment;
- only the data directories those loaders know and the program needs: exports, imports,
  resources, base relocations, debug data, thread-local storage and the import address table.
  No delay-load, bound-import, load-configuration, security or .NET directory.
- thread-local storage that needs none of the TLS callbacks: 95/98/Me do not call an EXE's
  callbacks at load (NT does). The runtime's start-up code makes the one call that sets up TLS
  data itself; the only other callback runs destructors of thread keys, which a program that
  allocates none (no TlsAlloc import) never has. So the TLS data is the runtime's own marker
  only, no thread-local variables of the program, and TlsAlloc is not imported.

Usage: old_loaders.py Skorvelin.exe
"""
import argparse
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, str(Path(__file__).parent))
import pe_file  # noqa: E402

KNOWN_DIRECTORIES = {0: "export", 1: "import", 2: "resource", 5: "base relocation",
                     6: "debug", 9: "thread-local storage", 12: "import address table"}
DIRECTORY_NAMES = ["export", "import", "resource", "exception", "security", "base relocation",
                   "debug", "architecture", "global pointer", "thread-local storage",
                   "load configuration", "bound import", "import address table",
                   "delay-load import", ".NET runtime", "reserved"]
# The runtime's own thread-local data: the one marker at its start.
RUNTIME_TLS_BYTES = 4


def power_of_two(n):
    return n > 0 and n & (n - 1) == 0


def problems(image, imports):
    found = []
    if image.magic != 0x10B:
        found.append(f"optional header magic {image.magic:#x}: not a 32-bit image (PE32)")
    if image.machine != 0x14C or image.subsystem != 2:
        found.append(f"machine {image.machine:#x}, subsystem {image.subsystem}: "
                     "not an x86 GUI program")
    for what, major, minor in (("subsystem", image.subsystem_major, image.subsystem_minor),
                               ("OS", image.os_major, image.os_minor)):
        if (major, minor) != (4, 0):
            found.append(f"{what} version {major}.{minor}, not 4.0")
    if image.image_base < 0x400000:
        found.append(f"image base {image.image_base:#x}, below 0x400000")
    if not (power_of_two(image.file_alignment) and 512 <= image.file_alignment <= 65536):
        found.append(f"file alignment {image.file_alignment}, not a power of two from 512 to 64K")
    if image.section_alignment < image.file_alignment:
        found.append(f"section alignment {image.section_alignment} below the file alignment")
    for index, (rva, size) in enumerate(image.directories):
        if (rva or size) and index not in KNOWN_DIRECTORIES:
            found.append(f"a {DIRECTORY_NAMES[index]} directory, which those loaders do not read")
    if image.tls_template_size() > RUNTIME_TLS_BYTES:
        found.append(f"{image.tls_template_size()} bytes of thread-local data: thread-local "
                     "variables, which 95/98/Me would not set up")
    if "TlsAlloc" in imports:
        found.append("imports TlsAlloc: thread keys, whose destructors 95/98/Me would not run")
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program", type=Path)
    args = parser.parse_args()
    image = pe_file.Image(args.program)
    found = problems(image, {function for _, function in image.imports()})
    for problem in found:
        print(f"{args.program}: {problem}")
    present = [DIRECTORY_NAMES[i] for i, (rva, size) in enumerate(image.directories)
               if rva or size]
    print(f"{args.program}: subsystem {image.subsystem_major}.{image.subsystem_minor}, "
          f"OS {image.os_major}.{image.os_minor}, base {image.image_base:#x}, alignment "
          f"{image.file_alignment}/{image.section_alignment}, directories: {', '.join(present)}; "
          f"{len(found)} problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
