"""Writes the pointer image that the X display shows now, as XFixes reports it, to the file
named by the first argument: a line "width height xhot yhot", then one line of 0xAARRGGBB words
(premultiplied) per row, top row first. The file appears whole or not at all."""
import ctypes
import os
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong)),  # one 32-bit pixel in each long
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def main(path):
    x11 = ctypes.CDLL("libX11.so.6")
    xfixes = ctypes.CDLL("libXfixes.so.3")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    image = xfixes.XFixesGetCursorImage(display).contents
    lines = ["%d %d %d %d" % (image.width, image.height, image.xhot, image.yhot)]
    for y in range(image.height):
        row = image.pixels[y * image.width:(y + 1) * image.width]
        lines.append(" ".join("%08x" % (pixel & 0xFFFFFFFF) for pixel in row))
    with open(path + ".part", "w") as out:
        out.write("\n".join(lines) + "\n")
    os.replace(path + ".part", path)


if __name__ == "__main__":
    main(sys.argv[1])
