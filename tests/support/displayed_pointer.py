"""Writes what the X display shows to the file named by the first argument: the pointer image,
as XFixes reports it; or, with "--icons XID" after the file, each icon that X window XID carries
for the desktop (_NET_WM_ICON, as xprop reads it). Each image is a line "width height xhot yhot"
(0 0 for an icon), then one line of 0xAARRGGBB words (pointer: premultiplied) per row, top row
first. The file appears whole or not at all."""
import ctypes
import os
import re
import subprocess
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong)),  # one 32-bit pixel in each long
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def pointer_lines():
    x11 = ctypes.CDLL("libX11.so.6")
    xfixes = ctypes.CDLL("libXfixes.so.3")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    image = xfixes.XFixesGetCursorImage(display).contents
    pixels = [image.pixels[i] & 0xFFFFFFFF for i in range(image.width * image.height)]
    return image_lines(image.width, image.height, image.xhot, image.yhot, pixels)


def icon_lines(window):
    """_NET_WM_ICON: width, height, then that many pixels, for each icon in turn."""
    shown = subprocess.run(["/usr/bin/xprop", "-id", window, "-f", "_NET_WM_ICON", "32c", "=$0+",
                            "_NET_WM_ICON"], check=True, capture_output=True, text=True).stdout
    values = [int(value) for value in re.findall(r"\d+", shown.partition("=")[2])]
    lines = []
    while len(values) >= 2:
        width, height = values[:2]
        lines += image_lines(width, height, 0, 0, values[2:2 + width * height])
        values = values[2 + width * height:]
    return lines


def image_lines(width, height, xhot, yhot, pixels):
    lines = ["%d %d %d %d" % (width, height, xhot, yhot)]
    for y in range(height):
        lines.append(" ".join("%08x" % pixel for pixel in pixels[y * width:(y + 1) * width]))
    return lines


def main(path, *icons_of):
    lines = icon_lines(icons_of[1]) if icons_of[:1] == ("--icons",) else pointer_lines()
    with open(path + ".part", "w") as out:
        out.write("\n".join(lines) + "\n")
    os.replace(path + ".part", path)


if __name__ == "__main__":
    main(*sys.argv[1:])
