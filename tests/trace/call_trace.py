#!/usr/bin/env python3
"""Runs call_trace_driver.exe and checks the calls that Skorvelin.exe made into the system.

The driver runs the program's paths with Wine's relay trace on, as the NT family and in Wine's
Windows 98 mode; every call from one module into another lands on the driver's standard error as
    0108:010c:Call user32.PostMessageW(00010064,00000012,00000000,00000000) ret=00401a2b
    0108:010c:Ret  user32.PostMessageW() retval=00000001 ret=00401a2b
with the process and thread ids first and the return address last. A call whose return address
lies in Skorvelin.exe's own image was made by the program (its code or the runtime linked into
it). Each run is announced by the driver as "@@ <mode> <path> pid <hex> [<name>=<hex>...]".

The table RULES holds what the program must ask of the system on each path, with the arguments
that its behaviour fixes; the texts are typed here, never read from the program. A call to a W
function that 95/98/Me do not implement fails the 98-mode runs.

Usage: call_trace.py --program Skorvelin.exe -- EMULATOR... DRIVER [ARGS]
"""
import argparse
import re
import subprocess
import sys
import tempfile
from collections import defaultdict
from pathlib import Path

sys.dont_write_bytecode = True  # nothing written into the source tree
# The program's file is read as the checks of the built files read it.
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "platform"))
import pe_file  # noqa: E402

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

WARNING_TEXT = "Cette fontionnalit\u00e9 n'est pas disponible sous Win9x/WinME..."
WARNING_TITLE = "Attention"
WM_QUIT = 0x12
PROCESS_TERMINATE = 0x1
# GetCurrentProcess()'s pseudo handle, -1, in a 32-bit and in a 64-bit program.
CURRENT_PROCESS = (0xFFFFFFFF, 0xFFFFFFFFFFFFFFFF)
COM_LIBRARIES = ("ole32", "oleaut32", "olepro32")
MB_ICONEXCLAMATION_OK = 48
COLORONCOLOR = 3
HALFTONE = 4
SW_SHOWNORMAL = 1
# What the help window opens: the web address, "mailto:" and the e-mail address, the donate page.
OPENED = [
    "http://www.example.org/",
    "mailto:contact@example.org",
    "https://www.example.org/donate/?project=skorvelin&lang=fr&source=help-window",
]

CALL = re.compile(r"^([0-9a-f]{4,8}):([0-9a-f]{4,8}):(Call|Ret) +([\w.]+)\.(\w+)\((.*)\)"
                  r"(?: retval=([0-9a-f]+))? ret=([0-9a-f]+)$")
# Wine's font channel, as each font is made: height, width, escapement, orientation, pitch and
# family (hex), output precision, clip precision (hex), quality, character set; the face; "Bold"
# (a weight above 400), "Italic", "Underline"; the handle.
FONT = re.compile(r"^([0-9a-f]{4,8}):[0-9a-f]{4,8}:trace:font:NtGdiHfontCreate "
                  r"\((-?\d+) -?\d+ -?\d+ -?\d+ [0-9a-f]+ \d+ [0-9a-f]+ \d+ (\d+)\) "
                  r"L\"([^\"]*)\" ?(Bold)? ?(Italic)? ?(Underline)? *=> (?:0x)?([0-9a-f]+)$")
RUN = re.compile(r"^@@ (\w+) (\w+) pid ([0-9a-f]+)((?: \w+=[0-9a-f]+)*)$")
WIDE = re.compile(r"[a-z0-9]W$")


class Call:
    def __init__(self, library, function, args):
        self.library = library.lower()
        self.function = function
        # [(number, text or None)], or the relay's text of them, read when first asked for.
        self._args = args
        self.retval = None

    @property
    def args(self):
        if isinstance(self._args, str):
            self._args = parse_arguments(self._args)
        return self._args

    def number(self, index):
        return self.args[index][0]

    def number32(self, index):
        """An argument of a 32-bit type (int, UINT, DWORD, BOOL): a 64-bit program passes it in
        a register whose upper half is left as it was."""
        return self.args[index][0] & 0xFFFFFFFF

    def text(self, index):
        return self.args[index][1]

    def __repr__(self):
        shown = ",".join(f"{n:x}" + (f" {t!r}" if t is not None else "") for n, t in self.args)
        return f"{self.library}.{self.function}({shown})"


# One argument: a hex number, with the string it points to where the relay knows it is one
# ("..." or L"...", "..." after it when cut short).
ARGUMENT = re.compile(r'([0-9a-f]+)(?: (L?)"((?:[^"\\]|\\.)*)"(\.\.\.)?)?(?:,|$)')


def unescape(body, wide):
    """The relay's escapes undone: \\xNNNN (16-bit) or \\xNN (8-bit, the system code page's,
    Windows-1252 in the test prefix), \\n \\r \\t, and any other character itself. The five
    bytes that Windows-1252 leaves unassigned read as the control characters of the same number,
    as Windows reads them: any process's text may hold them."""
    def one(escape):
        code = escape.group(1)
        if code[0] == "x":
            value = int(code[1:], 16)
            if wide or value in (0x81, 0x8D, 0x8F, 0x90, 0x9D):
                return chr(value)
            return bytes([value]).decode("cp1252")
        return {"n": "\n", "r": "\r", "t": "\t"}.get(code, code)
    return re.sub(r"\\(x[0-9a-f]{%d}|.)" % (4 if wide else 2), one, body)


def parse_arguments(text):
    """[(number, text or None)] from the relay's argument list."""
    args = []
    position = 0
    while position < len(text):
        argument = ARGUMENT.match(text, position)
        if not argument:
            raise ValueError(f"cannot read the arguments {text!r}")
        number, wide, body, cut = argument.groups()
        value = None if body is None else unescape(body, wide == "L") + (cut or "")
        args.append((int(number, 16), value))
        position = argument.end()
    return args


class Calls(list):
    """The calls a run made from inside the image; `elsewhere`, the other calls the trace shows
    of that run. Code of ours that ends in a call jumps to it, so that the call seems to come from
    whoever called our code: a static destructor's FreeLibrary, from the runtime's exit()."""
    def __init__(self):
        super().__init__()
        self.elsewhere = []
        # handle: (height, character set, face, frozenset of "Bold", "Italic", "Underline")
        self.fonts = {}


def runs_of(lines, image):
    """[(mode, path, {name: value}, Calls)]: the calls each run made."""
    runs = {}
    calls = defaultdict(Calls)
    open_calls = defaultdict(list)
    for line in lines:
        run = RUN.match(line)
        if run:
            values = dict(item.split("=") for item in run.group(4).split())
            values = {name: int(value, 16) for name, value in values.items()}
            runs[int(run.group(3), 16)] = (run.group(1), run.group(2), values)
            continue
        font = FONT.match(line)
        if font:
            pid, height, charset, face, *flags, handle = font.groups()
            calls[int(pid, 16)].fonts[int(handle, 16)] = (
                int(height), int(charset), face, frozenset(flag for flag in flags if flag))
            continue
        call = CALL.match(line)
        if not call:
            continue
        pid, thread = int(call.group(1), 16), int(call.group(2), 16)
        if not image[0] <= int(call.group(8), 16) < image[1]:
            # Most of the trace, and hardly ever looked into: the arguments are read on demand.
            if call.group(3) == "Call":
                calls[pid].elsewhere.append(Call(call.group(4), call.group(5), call.group(6)))
            continue
        if call.group(3) == "Call":
            made = Call(call.group(4), call.group(5), parse_arguments(call.group(6)))
            calls[pid].append(made)
            open_calls[(pid, thread)].append(made)
        elif open_calls[(pid, thread)]:
            open_calls[(pid, thread)].pop().retval = int(call.group(7) or "0", 16)
    return [(mode, path, values, calls.get(pid, Calls())) for pid, (mode, path, values) in
            runs.items()]


def named(calls, *functions):
    return [c for c in calls if c.function in functions]


# ---- What each path must ask of the system. Each check answers a list of problems.

def common_controls_once_before_load(calls, values, mode):
    init = [i for i, c in enumerate(calls) if c.function == "InitCommonControls"]
    reads = [i for i, c in enumerate(calls) if c.function in ("GetCommandLineA", "GetCommandLineW")]
    if len(init) != 1:
        return [f"InitCommonControls called {len(init)} times, not once"]
    if not reads or init[0] > reads[0]:
        return ["InitCommonControls not called before the command line is read"]
    return []


def timer_every_3000_ms(calls, values, mode):
    timers = named(calls, "SetTimer")
    if [c.number32(2) for c in timers] != [3000]:
        return [f"the timer is set as {timers}, not once with 3000 ms"]
    return []


def quit_posted_to_the_match(calls, values, mode):
    posted = [c for c in named(calls, "PostMessageA", "PostMessageW") if c.number32(1) == WM_QUIT]
    wanted = [values["window"], WM_QUIT, 0, 0]
    if [[n for n, _ in c.args] for c in posted] != [wanted]:
        return [f"WM_QUIT posted as {posted}, not once to {values['window']:08x} with 0, 0"]
    return []


def windows_enumerated_with_value_0(calls, values, mode):
    enumerations = named(calls, "EnumWindows")
    if len(enumerations) != 1 or enumerations[0].number(1) != 0:
        return [f"windows enumerated as {enumerations}, not once with the value 0"]
    titles = named(calls, "GetWindowTextA", "GetWindowTextW")
    if not titles or any(c.number32(2) != 256 for c in titles):
        return [f"titles read as {titles[:3]}..., not with a 256-unit buffer"]
    return []


def terminated_with_exit_code_0(calls, values, mode):
    """Every process is opened with query rights alone; only the target's own handle is widened
    to the right to terminate, and that handle, not the id opened again, is terminated."""
    problems = []
    opened = named(calls, "OpenProcess")
    asking = [c for c in opened if c.number32(0) & PROCESS_TERMINATE]
    if asking:
        problems.append(f"processes opened with the right to terminate: {asking[:3]}")
    target = [c for c in opened if c.number32(2) == values["target"] and c.retval]
    widened = named(calls, "DuplicateHandle")
    wanted = [(True, target[0].retval if target else None, True, PROCESS_TERMINATE, 0, 0)]
    got = [(c.number(0) in CURRENT_PROCESS, c.number(1), c.number(2) in CURRENT_PROCESS,
            c.number32(4), c.number32(5), c.number32(6)) for c in widened]
    if got != wanted:
        problems.append(f"the right to terminate asked as {widened}, not once for the handle "
                        f"that examined process {values['target']:x}")
    terminations = named(calls, "TerminateProcess")
    handles = {c.retval for c in opened}
    if len(terminations) != 1 or terminations[0].number32(1) != 0 or \
            terminations[0].number(0) in handles:
        problems.append(f"terminated as {terminations}, not once with exit code 0 through the "
                        "widened handle")
    return problems


def warning_only(calls, values, mode):
    boxes = named(calls, "MessageBoxA", "MessageBoxW")
    problems = []
    if len(boxes) != 1 or (boxes[0].text(1), boxes[0].text(2), boxes[0].number32(3)) != (
            WARNING_TEXT, WARNING_TITLE, MB_ICONEXCLAMATION_OK):
        problems.append(f"the warning is {boxes}, not once {WARNING_TEXT!r} titled "
                        f"{WARNING_TITLE!r} with style 48")
    looked = named(calls, "OpenProcess", "EnumProcesses", "TerminateProcess")
    if looked:
        problems.append(f"processes looked at: {looked[:3]}")
    return problems


def links_opened(calls, values, mode):
    opened = named(calls, "ShellExecuteA", "ShellExecuteW")
    wanted = [(values["form"], "open", address, 0, 0, SW_SHOWNORMAL) for address in OPENED]
    got = [(c.number(0), c.text(1), c.text(2), c.number(3), c.number(4), c.number32(5))
           for c in opened]
    if got != wanted:
        return [f"the shell was asked {got}, not {wanted}"]
    return []


def com_started_before_pictures_and_links(calls, values, mode):
    """COM is initialised once, by the program itself, before the first picture is decoded and
    before the first shell request, and ended after the last."""
    def first(*functions):
        return next((i for i, c in enumerate(calls) if c.function in functions), None)
    starts = [i for i, c in enumerate(calls) if c.function in ("CoInitialize", "OleInitialize",
                                                                "CoInitializeEx")]
    if len(starts) != 1:
        return [f"COM initialised {len(starts)} times, not once"]
    problems = []
    for what in (("OleLoadPicture",), ("ShellExecuteA", "ShellExecuteW")):
        used = first(*what)
        if used is None or used < starts[0]:
            problems.append(f"{what[0]} called before COM is initialised (or never)")
    ends = [i for i, c in enumerate(calls) if c.function in ("CoUninitialize", "OleUninitialize")]
    last_shell = max((i for i, c in enumerate(calls) if c.function.startswith("ShellExecute")),
                     default=len(calls))
    if len(ends) != 1 or ends[0] < last_shell:
        problems.append(f"COM ended {len(ends)} times, not once after the last shell request")
    return problems


def pictures_stretched_in_the_family_way(calls, values, mode):
    """The NT family stretches with HALFTONE and then sets the brush origin of the same device
    context to 0, 0, which that mode leaves undefined; 95/98/Me have no HALFTONE and stretch
    with COLORONCOLOR."""
    wanted = HALFTONE if mode == "nt" else COLORONCOLOR
    modes = named(calls, "SetStretchBltMode")
    if not modes or any(c.number32(1) != wanted for c in modes):
        return [f"stretch modes set as {modes[:3]}, not {wanted}"]
    problems = []
    steps = named(calls, "SetStretchBltMode", "SetBrushOrgEx")
    for step, following in zip(steps, steps[1:] + [None]):
        if mode == "nt" and step.function == "SetStretchBltMode" and (
                following is None or following.function != "SetBrushOrgEx" or
                (following.number(0), following.number32(1), following.number32(2),
                 following.number(3)) != (step.number(0), 0, 0, 0)):
            problems.append(f"after {step} the brush origin is not set to 0, 0: {following}")
    return problems


def no_com(calls, values, mode):
    loaded = [c for c in calls if c.function.startswith("LoadLibrary") and c.text(0) and
              any(name in c.text(0).lower() for name in COM_LIBRARIES)]
    started = named(calls, "CoInitialize", "CoInitializeEx", "OleInitialize")
    return [f"a command run loads COM: {call}" for call in loaded + started]


def file_names_compared_without_the_locale(calls, values, mode):
    """File names compare as the file system compares them: a locale's comparison (Turkish
    pairs I with dotless i, many pair ß with ss) finds the wrong names or misses the right one."""
    compared = [c for c in calls if c.function.startswith("CompareString")]
    return [f"compares by the locale: {compared[:3]}"] if compared else []


def system_libraries_kept(calls, values, mode):
    """A library the program loads stays loaded until the process ends: the shell and COM may
    still run code of theirs (a thread the shell started for a request, objects COM holds)."""
    loaded = {c.retval for c in calls if c.function.startswith("LoadLibrary") and c.retval}
    freed = named(calls, "FreeLibrary") + [c for c in named(calls.elsewhere, "FreeLibrary")
                                           if c.number(0) in loaded]
    return [f"frees a library: {freed[:3]}"] if freed else []


def fonts_as_described(calls, values, mode):
    """The controls' fonts: Tahoma, 8.25 points (a character height of 19 pixels at the run's 168
    dots per inch, where 8.4 points would give 20), normal weight, upright, the ANSI character
    set; the links' highlighted look also underlined. No pixel tells a weight of 500 from 400, or
    the character set, nor a height at 96 or 144 dots per inch 8.25 points from 8.4."""
    made = [c.retval for c in named(calls, "CreateFontIndirectA", "CreateFontIndirectW")
            if c.retval]
    fields = {calls.fonts.get(handle, "untold") for handle in made}
    wanted = {(-19, 0, "Tahoma", frozenset()), (-19, 0, "Tahoma", frozenset({"Underline"}))}
    if fields != wanted:
        return [f"fonts made as {sorted(map(str, fields))}, not {sorted(map(str, wanted))}"]
    return []


def no_unimplemented_wide_calls(calls, values, mode):
    stray = sorted({f"{c.library}.{c.function}" for c in calls
                    if WIDE.search(c.function) and c.function not in IMPLEMENTED_ON_9X})
    return [f"calls {name}, which 95/98/Me do not implement" for name in stray]


# (modes, paths, what, check)
RULES = [
    (("nt", "98"), ("help", "title", "name"), "common controls", common_controls_once_before_load),
    (("nt", "98"), ("help", "title", "name"), "donate timer", timer_every_3000_ms),
    (("nt", "98"), ("title",), "window search", windows_enumerated_with_value_0),
    (("nt", "98"), ("title",), "quit message", quit_posted_to_the_match),
    (("nt",), ("name",), "termination", terminated_with_exit_code_0),
    (("nt",), ("name",), "file names", file_names_compared_without_the_locale),
    (("nt", "98"), ("help", "title", "name"), "libraries kept", system_libraries_kept),
    (("98",), ("name",), "warning", warning_only),
    (("nt", "98"), ("help",), "links", links_opened),
    (("nt", "98"), ("help",), "COM", com_started_before_pictures_and_links),
    (("nt", "98"), ("title", "name"), "no COM", no_com),
    (("nt", "98"), ("help",), "stretched pictures", pictures_stretched_in_the_family_way),
    (("nt", "98"), ("help",), "fonts", fonts_as_described),
    (("98",), ("help", "title", "name"), "8-bit calls", no_unimplemented_wide_calls),
]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--not-run-status", type=int, default=None,
                        help="the emulator's status for a program it did not start")
    parser.add_argument("--modes", default="nt,98",
                        help="the modes the driver runs (98 mode needs a 32-bit program)")
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()

    image = pe_file.image_range(args.program)
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
            if not CALL.match(line):
                print("  " + line)

    runs = runs_of(lines, image)
    for modes, paths, what, check in RULES:
        for mode in (m for m in modes if m in args.modes.split(",")):
            for path in paths:
                found = [(values, calls) for m, p, values, calls in runs if (m, p) == (mode, path)]
                if len(found) != 1 or not found[0][1]:
                    print(f"{mode} {path}: no traced run ({len(found)} runs)")
                    failed = True
                    continue
                values, calls = found[0]
                problems = check(calls, values, mode)
                for problem in problems:
                    print(f"{mode} {path}, {what}: {problem}")
                failed = failed or bool(problems)
                print(f"{mode} {path}, {what}: {'FAILED' if problems else 'ok'} "
                      f"({len(calls)} calls from the program)")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
