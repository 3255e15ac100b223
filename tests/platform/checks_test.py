#!/usr/bin/env python3
"""The rules of the checks of the built files, on made-up images, imports and symbols."""
import struct
import sys
import tempfile
import unittest
from pathlib import Path

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, str(Path(__file__).parent))
import import_floor  # noqa: E402
import old_loaders  # noqa: E402
import pe_file  # noqa: E402
import program_image  # noqa: E402
import text_seam  # noqa: E402

TABLE = import_floor.read_table(Path(__file__).parent / "imports.csv")


class FloorRules(unittest.TestCase):
    def test_each_floor_accepts_and_refuses_what_it_should(self):
        cases = [
            # (floor, library, function, accepted)
            ("i686", "kernel32.dll", "GetVersion", True),
            ("i686", "kernel32.dll", "GetVersionExA", True),  # NT 3.5 is under NT 4.0
            ("i686", "user32.dll", "LoadImageA", True),  # NT 4.0 is the floor itself
            ("i686", "user32.dll", "MessageBoxW", True),  # 95 implements it
            ("i686", "user32.dll", "SendMessageW", False),  # no page says 95 exports it
            ("x86_64", "user32.dll", "SendMessageW", True),  # no 9x floor
            ("i686", "kernel32.dll", "TryEnterCriticalSection", False),  # NT family only
            ("i686", "kernel32.dll", "GetHandleInformation", False),
            ("i686", "kernel32.dll", "AddVectoredExceptionHandler", False),
            ("i686", "kernel32.dll", "GetTickCount64", False),
            ("x86_64", "kernel32.dll", "TryEnterCriticalSection", True),  # no 9x floor
            ("x86_64", "kernel32.dll", "AddVectoredExceptionHandler", True),  # XP is under 5.2
            ("x86_64", "kernel32.dll", "GetTickCount64", False),
            ("i686", "kernel32.dll", "NoSuchFunction", False),  # unknown: must be looked up
            ("i686", "user32.dll", "GetVersion", False),  # known, but from another library
        ]
        for floor, library, function, accepted in cases:
            with self.subTest(floor=floor, function=function):
                found = import_floor.problems([(library, function)], TABLE, floor)
                self.assertEqual(not found, accepted, found)


class TableRules(unittest.TestCase):
    def test_every_row_names_its_source(self):
        header = "library,function,first_9x,first_nt,source\n"
        cases = [
            ("kernel32.dll,GetVersion,95,3.1,https://example.org/getversion\n", True),
            ("kernel32.dll,GetVersion,95,3.1,unsourced: no page states it\n", True),
            ("kernel32.dll,GetVersion,95,3.1,\n", False),
            ("kernel32.dll,GetVersion,95,3.1,unsourced: \n", False),
            ("kernel32.dll,GetVersion,95,3.1,from memory\n", False),
            ("kernel32.dll,GetVersion,95,3.1\n", False),
            # A W row whose export on 95 no page confirms: page, marker, reason.
            ("kernel32.dll,LoadLibraryW,95,3.1,https://example.org/w; 95 stub unconfirmed: "
             "no page names it\n", True),
            ('kernel32.dll,LoadLibraryW,95,3.1,"https://example.org/w; 95 stub unconfirmed: '
             'no page names it, nor its A form"\n', True),
            ("kernel32.dll,LoadLibraryW,95,3.1,https://example.org/w; 95 stub unconfirmed: \n",
             False),
            ("kernel32.dll,LoadLibraryW,95,3.1,; 95 stub unconfirmed: no page names it\n", False),
            ("kernel32.dll,LoadLibraryW,95,3.1,unsourced: none; 95 stub unconfirmed: none\n",
             False),
            ("kernel32.dll,LoadLibraryW,95,3.1,https://example.org/w 95 stub unconfirmed: x\n",
             False),
            ("kernel32.dll,LoadLibraryA,95,3.1,https://example.org/a; 95 stub unconfirmed: x\n",
             False),  # not a W function
            ("user32.dll,GetWindowLongPtrW,-,5.2,https://example.org/p; 95 stub unconfirmed: x\n",
             False),  # not on 95/98/Me at all
        ]
        for row, accepted in cases:
            with self.subTest(row=row), tempfile.TemporaryDirectory() as folder:
                table = Path(folder) / "imports.csv"
                table.write_text(header + row)
                if accepted:
                    self.assertEqual(len(import_floor.read_table(table)), 1)
                else:
                    with self.assertRaises(SystemExit):
                        import_floor.read_table(table)

    def test_w_rows_are_counted_by_what_confirms_them(self):
        rows = [
            "gdi32.dll,ExtTextOutW,95,3.1,https://example.org/on-windows-and-nt",
            "kernel32.dll,LoadLibraryW,95,3.1,https://example.org/rule; 95 stub unconfirmed: x",
            "user32.dll,SendMessageW,95,3.1,https://example.org/rule; 95 stub unconfirmed: y",
            "user32.dll,LoadCursorW,95,3.1,unsourced: no page",  # counted as unsourced only
            "user32.dll,GetWindowLongPtrW,-,5.2,https://example.org/64",  # not on 95/98/Me
            "user32.dll,ShowWindow,95,3.1,https://example.org/show",  # not a W function
        ]
        with tempfile.TemporaryDirectory() as folder:
            table = Path(folder) / "imports.csv"
            table.write_text("library,function,first_9x,first_nt,source\n" + "\n".join(rows))
            self.assertEqual(import_floor.wide_counts(import_floor.read_table(table)), (1, 2))


def made_up_image(subsystem=(4, 0), base=0x400000, file_alignment=512, directories=(),
                  machine=0x14C, wide=False, kind=2, tls=None, size=None):
    """The headers of a GUI program, as the checks read them: by default a 32-bit x86 one (PE32);
    wide, the PE32+ layout of a 64-bit one. kind: the subsystem. With tls, (template bytes, zero
    fill), one section at 0x1000 holds the thread-local storage directory, and the header points
    at it; otherwise the image has no sections. size: the file's length, 0x200 bytes by default,
    0x400 with a section."""
    data = bytearray(size or (0x400 if tls else 0x200))
    data[0:2] = b"MZ"
    struct.pack_into("<I", data, 0x3C, 0x80)
    data[0x80:0x84] = b"PE\0\0"
    optional_size = 240 if wide else 224
    struct.pack_into("<HHIIIHH", data, 0x84, machine, 1 if tls else 0, 0, 0, 0, optional_size,
                     0x102)
    optional = 0x98
    struct.pack_into("<H", data, optional, 0x20B if wide else 0x10B)
    fields = (4096, file_alignment, 4, 0, 0, 0, *subsystem, 0, 0x2000, 0x200, 0, kind, 0)
    if wide:
        struct.pack_into("<QIIHHHHHHIIIIHHQQQQII", data, optional + 24, base, *fields,
                         0, 0, 0, 0, 0, 16)
        directories_at = optional + 112
    else:
        struct.pack_into("<IIIHHHHHHIIIIHHIIIIII", data, optional + 28, base, *fields,
                         0, 0, 0, 0, 0, 16)
        directories_at = optional + 96
    for index in directories:
        struct.pack_into("<II", data, directories_at + 8 * index, 0x1000, 64)
    if tls:
        template, zero_fill = tls
        struct.pack_into("<8sIIIIIIHHI", data, optional + optional_size, b".tls", 0x200, 0x1000,
                         0x200, 0x200, 0, 0, 0, 0, 0xC0000040)
        struct.pack_into("<II", data, directories_at + 8 * 9, 0x1000, 24)
        start = base + 0x1100
        struct.pack_into("<IIIIII", data, 0x200, start, start + template, base + 0x1180, 0,
                         zero_fill, 0)
    return pe_file.Image(data=bytes(data))


class OldLoaderRules(unittest.TestCase):
    def test_what_95_98_me_and_nt4_refuse(self):
        cases = [
            ("as the program is built", made_up_image(directories=(1, 2, 5, 12)), set(),
             True),
            ("subsystem version 6.0", made_up_image(subsystem=(6, 0)), set(), False),
            ("subsystem version 3.10", made_up_image(subsystem=(3, 10)), set(), False),
            ("image base under 4 MB", made_up_image(base=0x10000), set(), False),
            ("file alignment 256", made_up_image(file_alignment=256), set(), False),
            ("delay-load imports", made_up_image(directories=(1, 13)), set(), False),
            ("load configuration", made_up_image(directories=(1, 10)), set(), False),
            ("thread keys", made_up_image(), {"TlsAlloc", "TlsGetValue"}, False),
            ("the runtime's own TLS marker", made_up_image(tls=(4, 0)), set(), True),
            ("a thread-local variable", made_up_image(tls=(4, 4)), set(), False),
            ("thread-local data with a template", made_up_image(tls=(8, 0)), set(), False),
            ("an x86-64 machine", made_up_image(machine=0x8664), set(), False),
            ("a 64-bit (PE32+) header", made_up_image(wide=True), set(), False),
        ]
        for what, image, imports, accepted in cases:
            with self.subTest(what):
                found = old_loaders.problems(image, imports)
                self.assertEqual(not found, accepted, found)


class ProgramImageRules(unittest.TestCase):
    def test_what_each_build_must_load_without_help(self):
        system = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll"}
        x86 = made_up_image(size=4096, directories=(1,))
        x64 = made_up_image(size=4096, directories=(1,), machine=0x8664, wide=True)
        cases = [
            # (what, arch, image, libraries, accepted)
            ("the 32-bit program as built", "i686", x86, system, True),
            ("the 64-bit program as built", "x86_64", x64, {"kernel32.dll", "user32.dll"}, True),
            ("a 64-bit image in the 32-bit build", "i686", x64, system, False),
            ("a 32-bit image in the 64-bit build", "x86_64", x86, system, False),
            ("an x86-64 machine in a PE32 header", "x86_64",
             made_up_image(size=4096, machine=0x8664), system, False),
            ("a console program", "i686", made_up_image(size=4096, kind=3), system, False),
            ("the shell imported", "i686", x86, system | {"shell32.dll"}, False),
            ("the process listing imported", "x86_64", x64, {"kernel32.dll", "psapi.dll"}, False),
            ("no kernel32.dll", "i686", x86, {"user32.dll", "gdi32.dll"}, False),
            ("no imports", "i686", x86, set(), False),
            ("delay-load imports", "i686", made_up_image(size=4096, directories=(1, 13)),
             system, False),
            ("only headers", "i686", made_up_image(size=1024), system, False),
            # (what, arch, image, libraries, accepted, imports): the calls that tests stand in for
            ("the version query and the process calls imported", "x86_64", x64, system, True,
             {("kernel32.dll", "GetVersionExA"), ("kernel32.dll", "OpenProcess"),
              ("kernel32.dll", "DuplicateHandle"), ("user32.dll", "EnumWindows")}),
            ("the process calls of a stand-in", "i686", x86, system, False,
             {("kernel32.dll", "GetVersionExA"), ("user32.dll", "EnumWindows")}),
        ]
        for what, arch, image, libraries, accepted, *imports in cases:
            with self.subTest(what):
                found = program_image.problems(image, libraries, arch, *imports)
                self.assertEqual(not found, accepted, found)


class SeamSymbols(unittest.TestCase):
    def test_only_w_functions_count(self):
        cases = [
            ("__imp_CreateWindowExW", "CreateWindowExW"),  # 64-bit
            ("__imp__CreateWindowExW@48", "CreateWindowExW"),  # 32-bit, decorated
            ("__imp__GetModuleHandleW@4", "GetModuleHandleW"),
            ("__imp__CreateWindowExA@48", None),
            ("__imp__ShowWindow@8", None),  # ends in a lower-case w
            ("CreateWindowExW", "CreateWindowExW"),  # link-time code, 64-bit
            ("_CreateWindowExW@48", "CreateWindowExW"),  # link-time code, 32-bit
            ("_CreateWindowExA@48", None),
            ("__ZN9skorvelin7SetTextEP6HWND__St17basic_string_viewIwSt11char_traitsIwEE", None),
        ]
        for symbol, wide in cases:
            with self.subTest(symbol=symbol):
                match = text_seam.WIDE_IMPORT.match(symbol)
                self.assertEqual(match.group(1) if match else None, wide)


if __name__ == "__main__":
    unittest.main()
