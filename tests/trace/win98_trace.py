#!/usr/bin/env python3
"""Runs win98_trace_driver.exe and checks the calls that Skorvelin.exe made in Windows 98 mode.

The driver runs the program's three paths with Wine's relay trace on; every call from one
module into another lands on the driver's standard error as
    0108:010c:Call user32.CreateWindowExA(...) ret=00401a2b
with the process and thread ids first and the return address last. A call whose return address
lies in Skorvelin.exe's own image was made by the program (its code or the runtime linked into
it). On 95/98/Me such a call to a W function fails, unless the function is one of the few that
those systems really implement.

Usage: win98_trace.py --objdump OBJDUMP --program Skorvelin.exe -- EMULATOR... DRIVER [ARGS]
"""
import argparse
import re
import subprocess
import sys
import tempfile
from collections import defaultdict

# The W functions that Windows 95, 98 and Me implement, from the list of Unicode functions
# "supported on both Windows NT 4.0 and Windows 95" in Microsoft's technical article
# "Differences in Win32 API Implementations Among Windows Operating Systems" (MSDN Library).
# Every other W function there is a stub that fails with ERROR_CALL_NOT_IMPLEMENTED.
IMPLEMENTED_ON_9X = {
    "EnumResourceLanguagesW", "EnumResourceNamesW", "EnumResourceTypesW", "ExtTextOutW",
    "FindResourceExW", "FindResourceW", "GetCharWidthW", "GetCommandLineW",
    "GetTextExtentExPointW", "GetTextExtentPoint32W", "GetTextExtentPointW", "lstrlenW",
    "MessageBoxExW", "MessageBoxW", "TextOutW",
}

# Calls each path must show, so that a trace that caught nothing cannot pass: the program's
# own 8-bit calls on the way through that path.
EXPECTED = {
    "help": {"CreateWindowExA", "GetMessageA", "IsDialogMessageA", "SetWindowTextA", "ShellExecuteA"},
    "title": {"GetCommandLineA", "GetWindowTextA", "PostMessageA"},
    "name": {"GetVersionExA", "MessageBoxA"},
}

CALL = re.compile(r"^([0-9a-f]{4,8}):[0-9a-f]{4,8}:Call ([\w.]+)\.(\w+)\(.*\) ret=([0-9a-f]+)$")
RUN = re.compile(r"^@@ (\w+) pid ([0-9a-f]+)$")
WIDE = re.compile(r"[a-z0-9]W$")


def image_range(objdump, program):
    text = subprocess.run([objdump, "-p", program], check=True, capture_output=True,
                          text=True).stdout
    base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", text, re.M).group(1), 16)
    size = int(re.search(r"^SizeOfImage\s+([0-9a-fA-F]+)", text, re.M).group(1), 16)
    return base, base + size


def calls_by_run(lines, image):
    """{path: [(library, function)]} of the calls made from inside the image."""
    runs = {}
    calls = defaultdict(list)
    for line in lines:
        run = RUN.match(line)
        if run:
            runs[int(run.group(2), 16)] = run.group(1)
            continue
        call = CALL.match(line)
        if call and image[0] <= int(call.group(4), 16) < image[1]:
            calls[int(call.group(1), 16)].append((call.group(2), call.group(3)))
    return {path: calls.get(pid, []) for pid, path in runs.items()}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--program", required=True)
    parser.add_argument("--not-run-status", type=int, default=None,
                        help="the emulator's status for a program it did not start")
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()

    image = image_range(args.objdump, args.program)
    with tempfile.TemporaryFile(mode="w+", errors="replace") as log:
        driver = subprocess.run(args.command, stderr=log, check=False)
        log.seek(0)
        lines = [line.rstrip("\n") for line in log]

    if args.not_run_status is not None and driver.returncode == args.not_run_status:
        # The emulator printed why; nothing was traced, so nothing was checked.
        return args.not_run_status

    failed = driver.returncode != 0
    if failed:
        print(f"the driver failed (status {driver.returncode}); its own messages:")
        for line in lines:
            if not CALL.match(line) and ":Ret " not in line:
                print("  " + line)

    runs = calls_by_run(lines, image)
    for path, expected in EXPECTED.items():
        calls = runs.get(path)
        if calls is None:
            print(f"{path}: no traced run")
            failed = True
            continue
        functions = {function for _, function in calls}
        missing = sorted(expected - functions)
        if missing:
            print(f"{path}: the trace lacks {', '.join(missing)}: the program's calls were "
                  f"not traced, or it took another path")
            failed = True
        stray = sorted({f"{library}.{function}" for library, function in calls
                        if WIDE.search(function) and function not in IMPLEMENTED_ON_9X})
        for name in stray:
            print(f"{path}: calls {name}, which 95/98/Me do not implement")
        failed = failed or bool(stray)
        print(f"{path}: {len(calls)} calls from the program, {len(stray)} to unimplemented "
              f"W functions")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
