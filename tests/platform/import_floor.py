#!/usr/bin/env python3
"""Checks that every function an executable imports exists on the oldest Windows of its build.

The Windows loader refuses to start a program when one of its static imports is missing, so
one import newer than the floor is enough to lose a whole platform. Each import is looked up
in a table (imports.csv beside this script): a function that is not in the table fails too,
so that a new import is always checked by someone against the platform's documentation, and
each row names the public page that its versions come from. A W function that no page confirms
Windows 95 exports (marked "95 stub unconfirmed") is refused on the i686 floor.

Usage: import_floor.py --table imports.csv --floor i686|x86_64 EXE...
"""
import argparse
import csv
import re
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, str(Path(__file__).parent))
import pe_file  # noqa: E402

# The oldest platforms of each build: (95/98/Me family, NT family). None: that family is not
# a target of the build. i686: Windows 95 with msvcrt.dll present, and NT 4.0.
# x86_64: XP x64 / Server 2003 SP1, the first 64-bit Windows (NT 5.2).
FLOORS = {
    "i686": ("95", (4, 0)),
    "x86_64": (None, (5, 2)),
}

NINE_X_ORDER = ["95", "98", "Me"]


# Runtime functions the program must not import whatever the platform: in a windowed program
# they show a box that waits for somebody and end with another status than every other run
# (app/ends_program.cpp replaces them).
REFUSED = {
    ("msvcrt.dll", "abort"): "shows \"abnormal program termination\" and ends with 3",
    ("msvcrt.dll", "_amsg_exit"): "shows a runtime error box and ends with 255",
}

UNSOURCED = "unsourced: "
# After the page of a W row that claims 95/98/Me: no page found says that this function is
# exported there (most W functions are stubs on that family, not all exist); the reason follows.
STUB_UNCONFIRMED = "; 95 stub unconfirmed: "


def read_table(path):
    """{(library, function): (first 9x version or None, first NT version or None, source)}.

    Every row names the public page its versions come from, or says why none was found
    ("unsourced: ..."); a row with neither is refused. A W row present on 95/98/Me may add
    STUB_UNCONFIRMED and a reason after its page."""
    table = {}
    with open(path, newline="") as file:
        rows = csv.reader(line for line in file if line.strip() and not line.startswith("#"))
        header = next(rows)
        if header != ["library", "function", "first_9x", "first_nt", "source"]:
            raise SystemExit(f"{path}: unexpected header {header}")
        for row in rows:
            if len(row) != 5:
                raise SystemExit(f"{path}: {row}: five columns expected")
            library, function, nine_x, nt, source = row
            key = (library.lower(), function)
            if key in table:
                raise SystemExit(f"{path}: {library} {function} listed twice")
            if nine_x not in NINE_X_ORDER + ["-"]:
                raise SystemExit(f"{path}: {function}: unknown 95/98/Me version {nine_x!r}")
            page, marked, reason = source.partition(STUB_UNCONFIRMED)
            sourced = re.match(r"https?://\S+$", page)
            if not sourced and not (source.startswith(UNSOURCED) and source[len(UNSOURCED):]):
                raise SystemExit(f"{path}: {library} {function}: no source, and not marked "
                                 f"'{UNSOURCED}<why>'")
            if marked and not (sourced and reason.strip() and function.endswith("W")
                               and nine_x != "-"):
                raise SystemExit(f"{path}: {library} {function}: '{STUB_UNCONFIRMED}' goes "
                                 f"between a page and a reason, on a W function present on "
                                 f"95/98/Me")
            nt_version = None if nt == "-" else tuple(int(part) for part in nt.split("."))
            table[key] = (None if nine_x == "-" else nine_x, nt_version, source)
    return table


def sourced_count(table):
    return sum(1 for *_, source in table.values() if not source.startswith(UNSOURCED))


def wide_counts(table):
    """(W rows present on 95/98/Me whose page confirms it, those marked STUB_UNCONFIRMED)."""
    wide = [source for (_, function), (nine_x, _, source) in table.items()
            if function.endswith("W") and nine_x and not source.startswith(UNSOURCED)]
    marked = sum(1 for source in wide if STUB_UNCONFIRMED in source)
    return len(wide) - marked, marked


def problems(imports, table, floor):
    """One line for each import that the table lacks or that is newer than the floor."""
    nine_x_floor, nt_floor = FLOORS[floor]
    found = []
    for library, function in imports:
        if (library, function) in REFUSED:
            found.append(f"{library} {function}: refused, it {REFUSED[(library, function)]}")
            continue
        entry = table.get((library, function))
        if entry is None:
            found.append(f"{library} {function}: not in the table; look it up and add it")
            continue
        nine_x, nt, source = entry
        if nine_x_floor and STUB_UNCONFIRMED in source:
            found.append(f"{library} {function}: Windows {nine_x_floor} may not export it, and "
                         f"its loader would refuse the whole program; bind it by name at its "
                         f"first use")
        elif nine_x_floor and (nine_x is None or
                             NINE_X_ORDER.index(nine_x) > NINE_X_ORDER.index(nine_x_floor)):
            found.append(f"{library} {function}: absent from Windows {nine_x_floor} "
                         f"(first 95/98/Me version: {nine_x or 'none'})")
        if nt is None or nt > nt_floor:
            since = ".".join(map(str, nt)) if nt else "none"
            found.append(f"{library} {function}: absent from NT "
                         f"{'.'.join(map(str, nt_floor))} (first NT version: {since})")
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--table", required=True, type=Path)
    parser.add_argument("--floor", required=True, choices=sorted(FLOORS))
    parser.add_argument("executables", nargs="+", type=Path)
    args = parser.parse_args()

    table = read_table(args.table)
    confirmed, unconfirmed = wide_counts(table)
    print(f"{args.table.name}: {len(table)} rows, {sourced_count(table)} with a source, "
          f"{len(table) - sourced_count(table)} marked unsourced; W rows on 95/98/Me: "
          f"{confirmed} on a page that confirms them, {unconfirmed} marked 95 stub unconfirmed")
    failed = False
    for exe in args.executables:
        imports = pe_file.Image(exe).imports()
        if not imports:
            print(f"{exe}: no imports read")
            failed = True
            continue
        found = problems(imports, table, args.floor)
        for problem in found:
            print(f"{exe}: {problem}")
        failed = failed or bool(found)
        print(f"{exe}: {len(imports)} imports checked against the {args.floor} floor, "
              f"{len(found)} problems")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
