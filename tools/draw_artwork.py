#!/usr/bin/python3
"""Draws the program's artwork and writes its fixed resources into ui/resources/.

Run from anywhere:  python3 tools/draw_artwork.py  [--preview DIR]

Everything is drawn from code, so the outputs can be rebuilt and reviewed like source:
  icon48.bin icon32.bin icon16.bin  raw icon images (24-bit colour + 1-bit AND mask)
  icon_group.bin                    the icon directory that names them 30001..30003
  skorvelin.ico                     the same three images as an ordinary icon file
  donate_fr.gif donate_en.gif       the two donate buttons (89x21, index 255 transparent)
  hand.cur                          32x32 monochrome hand cursor, hotspot at the fingertip
  usage.txt                         the usage text, Windows-1252 with CR LF line ends
--preview DIR also writes enlarged PNGs of the pictures there, for looking at them.
"""

import io
import os
import struct
import sys

try:
    from PIL import Image, ImageDraw, ImageFont
except ImportError:
    # The Debian interpreter carries python3-pil; another python3 earlier on PATH may not.
    if os.path.realpath(sys.executable) != os.path.realpath("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "ui", "resources")

# Must agree with ui/resources/resource_ids.h.
ICON_IMAGE_IDS = {48: 30001, 32: 30002, 16: 30003}

ICON_GREY = (77, 77, 77)
WHITE = (255, 255, 255)

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONT_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
FONT_CONDENSED_BOLD = os.path.join(FONT_DIR, "DejaVuSansCondensed-Bold.ttf")

SUPERSAMPLE = 8


# ---------------------------------------------------------------------------------------------
# Application icon


def icon_coverage(size):
    """White-glyph coverage (0..255) of the icon at `size` pixels: a window with an X."""
    k = SUPERSAMPLE
    canvas = Image.new("L", (size * k, size * k), 0)
    draw = ImageDraw.Draw(canvas)

    margin = max(1, round(size / 12))
    frame = max(1, round(size / 24))
    title = round(size * 0.1875)
    left, top, right, bottom = margin, margin, size - margin, size - margin
    # Frame and title bar sit on whole pixels so that they stay sharp at every size.
    draw.rectangle([left * k, top * k, right * k - 1, bottom * k - 1], fill=255)
    draw.rectangle(
        [(left + frame) * k, (top + title) * k, (right - frame) * k - 1, (bottom - frame) * k - 1],
        fill=0,
    )
    # A close cross, square and centred in the client area; the supersampling smooths its
    # diagonals.
    client_left, client_top = left + frame, top + title
    client_right, client_bottom = right - frame, bottom - frame
    side = min(client_right - client_left, client_bottom - client_top) - 2 * max(1, size / 10)
    cx, cy = (client_left + client_right) / 2, (client_top + client_bottom) / 2
    x0, y0, x1, y1 = cx - side / 2, cy - side / 2, cx + side / 2, cy + side / 2
    stroke = max(1.5, size / 14) * k
    for (ax, ay), (bx, by) in (((x0, y0), (x1, y1)), ((x0, y1), (x1, y0))):
        draw_stroke(draw, ax * k, ay * k, bx * k, by * k, stroke)
    return canvas.reduce(k)


def draw_stroke(draw, ax, ay, bx, by, width):
    """A straight stroke with square ends that stop at the end points."""
    dx, dy = bx - ax, by - ay
    length = (dx * dx + dy * dy) ** 0.5
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    draw.polygon([(ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny), (ax - nx, ay - ny)],
                 fill=255)


def icon_colour_image(size):
    coverage = icon_coverage(size)
    image = Image.new("RGB", (size, size), ICON_GREY)
    image.paste(Image.new("RGB", (size, size), WHITE), (0, 0), coverage)
    return image


def bottom_up_bgr_rows(image):
    """24-bit DIB pixel data: rows bottom-up, BGR, each row padded to 4 bytes."""
    width, height = image.size
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = image.getpixel((x, y))
            row += bytes((b, g, r))
        data += row + bytes(stride - len(row))
    return bytes(data)


def bitmap_info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, 0, 0)


def icon_image(size):
    """One icon image as stored in an icon file or RT_ICON resource: header, XOR, AND."""
    colour = bottom_up_bgr_rows(icon_colour_image(size))
    # The square is opaque edge to edge: every AND bit is 0.
    mask = bytes(((size + 31) // 32 * 4) * size)
    return bitmap_info_header(size, size * 2, 24, len(colour) + len(mask)) + colour + mask


def icon_group(images):
    """RT_GROUP_ICON directory: like an icon file's, with resource numbers for offsets."""
    data = struct.pack("<HHH", 0, 1, len(images))
    for size, image in images:
        data += struct.pack("<BBBBHHIH", size % 256, size % 256, 0, 0, 1, 24, len(image),
                            ICON_IMAGE_IDS[size])
    return data


def icon_file(images):
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 24, len(image), offset)
        offset += len(image)
    return data + b"".join(image for _, image in images)


# ---------------------------------------------------------------------------------------------
# Donate buttons

DONATE_SIZE = (89, 21)
PILL_TOP = (255, 222, 89)  # yellow
PILL_BOTTOM = (247, 142, 30)  # orange
PILL_EDGE = (204, 110, 20)
WORDS = (16, 36, 104)  # dark blue
TRANSPARENT_INDEX = 255
# What a reader that ignores transparency would show: the usual dialog face.
TRANSPARENT_COLOUR = (240, 240, 240)


def pill_mask(width, height, left, right):
    """Opaque area of a pill spanning columns left..right-1, with half-round ends."""
    k = SUPERSAMPLE
    mask = Image.new("L", (width * k, height * k), 0)
    ImageDraw.Draw(mask).rounded_rectangle([left * k, 0, right * k - 1, height * k - 1],
                                           radius=height * k // 2, fill=255)
    # Hard edge: the picture has a single transparent index, so no partial coverage.
    return mask.reduce(k).point(lambda v: 255 if v >= 128 else 0)


def donate_picture(text, font_path, font_size, pill_width):
    width, height = DONATE_SIZE
    left = (width - pill_width) // 2
    mask = pill_mask(width, height, left, left + pill_width)

    picture = Image.new("RGB", (width, height), PILL_TOP)
    draw = ImageDraw.Draw(picture)
    for y in range(height):
        t = y / (height - 1)
        draw.line([(0, y), (width - 1, y)],
                  fill=tuple(round(a + (b - a) * t) for a, b in zip(PILL_TOP, PILL_BOTTOM)))
    # A one-pixel rim where the pill meets the transparent surroundings.
    for y in range(height):
        for x in range(width):
            if mask.getpixel((x, y)) and any(
                    not (0 <= x + dx < width and 0 <= y + dy < height) or
                    not mask.getpixel((x + dx, y + dy))
                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                picture.putpixel((x, y), PILL_EDGE)

    font = ImageFont.truetype(font_path, font_size)
    box = draw.textbbox((0, 0), text, font=font)
    text_width, text_height = box[2] - box[0], box[3] - box[1]
    # Clear of the round ends by at least a third of the height on each side.
    assert text_width <= pill_width - 2 * (height // 3 + 1), (text, text_width, pill_width)
    x = left + (pill_width - text_width) / 2 - box[0]
    y = (height - text_height) / 2 - box[1]
    draw.text((round(x), round(y)), text, font=font, fill=WORDS)
    return picture, mask


def palette_indices(picture, mask):
    """Up to 255 colours for the pill; index 255 for everything outside it."""
    opaque = Image.new("RGB", picture.size, PILL_TOP)
    opaque.paste(picture, (0, 0), mask)
    quantized = opaque.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=0)
    palette = quantized.getpalette()[:255 * 3]
    palette += [0] * (255 * 3 - len(palette))
    palette += list(TRANSPARENT_COLOUR)
    indices = bytearray(quantized.tobytes())
    for i, inside in enumerate(mask.tobytes()):
        if not inside:
            indices[i] = TRANSPARENT_INDEX
    assert TRANSPARENT_INDEX not in (indices[i] for i, v in enumerate(mask.tobytes()) if v)
    return bytes(palette), bytes(indices)


def lzw_encode(indices, min_code_size=8):
    """GIF flavour of LZW: variable-width codes packed LSB first, at most 12 bits."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out = bytearray()
    bit_buffer = bit_count = 0

    def emit(code, width):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += width
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def fresh_table():
        return {bytes((i,)): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, width = fresh_table()
    emit(clear, width)
    prefix = bytes(indices[:1])
    for value in indices[1:]:
        candidate = prefix + bytes((value,))
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix], width)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            # The reader adds its entry one code later, so it widens when this side has one more.
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table, next_code, width = fresh_table()
        prefix = bytes((value,))
    emit(table[prefix], width)
    if next_code == (1 << width) and width < 12:
        width += 1
    emit(end, width)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def gif_file(size, palette, indices):
    width, height = size
    assert len(palette) == 768 and len(indices) == width * height
    data = bytearray(b"GIF89a")
    # Global table present, 8 bits of colour resolution, 256 entries.
    data += struct.pack("<HHBBB", width, height, 0xF7, TRANSPARENT_INDEX, 0)
    data += palette
    # Graphic control: no disposal, no delay, transparent index given.
    data += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, 0x01, 0, TRANSPARENT_INDEX, 0)
    # One image covering the screen: no local table, not interlaced.
    data += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    data.append(8)
    compressed = lzw_encode(indices)
    for start in range(0, len(compressed), 255):
        block = compressed[start:start + 255]
        data.append(len(block))
        data += block
    data += b"\x00\x3B"
    return bytes(data)


def donate_gif(text, font_path, font_size, pill_width):
    picture, mask = donate_picture(text, font_path, font_size, pill_width)
    palette, indices = palette_indices(picture, mask)
    gif = gif_file(DONATE_SIZE, palette, indices)
    check_gif(gif, palette, indices)
    return gif


def check_gif(gif, palette, indices):
    """Reads the file back with PIL: same pixels, same transparency, one frame."""
    image = Image.open(io.BytesIO(gif))
    assert image.format == "GIF" and image.size == DONATE_SIZE, image
    assert image.info.get("transparency") == TRANSPARENT_INDEX, image.info
    assert not image.info.get("interlace"), image.info
    assert getattr(image, "n_frames", 1) == 1
    assert image.tobytes() == indices
    assert bytes(image.getpalette()[:768]) == palette


# ---------------------------------------------------------------------------------------------
# Hand cursor

CURSOR_HOTSPOT = (11, 5)
# '#' black outline, 'o' white, '.' transparent. The index fingertip is at the hotspot.
HAND = [
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "..........###...................",
    ".........#ooo#..................",
    ".........#ooo#..................",
    ".........#ooo#..................",
    ".........#ooo#..................",
    ".........#ooo####...............",
    ".........#ooo#ooo####...........",
    ".........#ooo#ooo#ooo###........",
    ".........#ooo#ooo#ooo#oo#.......",
    ".........#ooo#ooo#ooo#oo#.......",
    ".....###.#ooo#ooo#ooo#oo#.......",
    "....#ooo##oooooooooooooo#.......",
    "....#oooo#oooooooooooooo#.......",
    ".....#ooooooooooooooooooo#......",
    ".....#ooooooooooooooooooo#......",
    "......#oooooooooooooooooo#......",
    "......#oooooooooooooooooo#......",
    ".......#oooooooooooooooo#.......",
    ".......#oooooooooooooooo#.......",
    "........#oooooooooooooo#........",
    "........#oooooooooooooo#........",
    "........################........",
    "........#oooooooooooooo#........",
    "........#oooooooooooooo#........",
    "........################........",
    "................................",
    "................................",
]


def cursor_file():
    assert len(HAND) == 32 and all(len(row) == 32 for row in HAND)
    hx, hy = CURSOR_HOTSPOT
    assert HAND[hy][hx] == "#" and all(row[hx] == "." for row in HAND[:hy])

    def packed_rows(bit_of):
        data = bytearray()
        for row in reversed(HAND):  # bottom-up
            bits = 0
            for x, pixel in enumerate(row):
                bits |= bit_of(pixel) << (31 - x)
            data += struct.pack(">I", bits)
        return bytes(data)

    # Screen = (screen AND mask) XOR colour: mask 1 + colour 0 leaves the screen alone.
    colour = packed_rows(lambda p: 1 if p == "o" else 0)
    mask = packed_rows(lambda p: 1 if p == "." else 0)
    image = (bitmap_info_header(32, 64, 1, len(colour) + len(mask)) +
             struct.pack("<4B4B", 0, 0, 0, 0, 255, 255, 255, 0) + colour + mask)
    # In a cursor file the entry's planes/bit-count words hold the hotspot.
    return (struct.pack("<HHH", 0, 2, 1) +
            struct.pack("<BBBBHHII", 32, 32, 2, 0, hx, hy, len(image), 6 + 16) + image)


def cursor_preview():
    colours = {"#": (0, 0, 0, 255), "o": (255, 255, 255, 255), ".": (0, 128, 128, 255)}
    image = Image.new("RGBA", (32, 32))
    for y, row in enumerate(HAND):
        for x, pixel in enumerate(row):
            image.putpixel((x, y), colours[pixel])
    return image


# ---------------------------------------------------------------------------------------------
# Usage text

USAGE_LINES = [
    "Ce petit outil a pour rôle de fermer une application en cours d'exécution. ",
    "Pour ce faire, deux méthodes sont mises à disposition pour désigner le ",
    'logiciel à "killer" :',
    " - par le libellé de la fenêtre",
    " - par le nom de l'exécutable     (NON DISPONIBLE SOUS Win9x/WinMe)",
    "",
    "Syntaxe d'utilisation : skorvelin [/t:titre_fenêtre | /n:nom_exécutable]",
    "",
    "Exemples :",
    " - skorvelin /t:(sans titre) - bloc-notes",
    " - skorvelin /n:notepad.exe",
    "",
    "A noter qu'il est possible d'utiliser les 'jokers' (caractères * et ?) dans le ",
    "nom de la fenêtre (méthode /t uniquement). Par ailleurs, la casse n'est pas significative, "
    "et ce quelle que soit la méthode utilisée.",
    "",
    "Autre information importante : aucun message d'erreur n'est affiché en cas d'échec de "
    "fermeture d'une application, que ce soit du au fait que l'appli en question n'ait pas été "
    "trouvée ou que Skorvelin n'ait pas réussi à la fermer...",
]


def usage_text():
    text = "".join(line + "\r\n" for line in USAGE_LINES)
    # The resource tests hold the text to its known shape (length, lines, accents, the blanks at
    # the ends of lines) in the built program, whatever wrote the file.
    return text.encode("cp1252")


# ---------------------------------------------------------------------------------------------


def write(name, data):
    path = os.path.join(OUT, name)
    with open(path, "wb") as f:
        f.write(data)
    print(f"{os.path.relpath(path, ROOT)}: {len(data)} bytes")


def enlarged(image, factor):
    return image.resize((image.width * factor, image.height * factor), Image.NEAREST)


def main(argv):
    preview = None
    if len(argv) == 2 and argv[0] == "--preview":
        preview = argv[1]
        os.makedirs(preview, exist_ok=True)
    elif argv:
        sys.exit(__doc__)

    for path in (FONT_BOLD, FONT_CONDENSED_BOLD):
        if not os.path.exists(path):
            sys.exit(f"{path} is missing: install Debian's fonts-dejavu-core")

    images = [(size, icon_image(size)) for size in (48, 32, 16)]
    for size, image in images:
        write(f"icon{size}.bin", image)
    write("icon_group.bin", icon_group(images))
    write("skorvelin.ico", icon_file(images))

    write("donate_fr.gif", donate_gif("Faire un don", FONT_CONDENSED_BOLD, 11, 89))
    write("donate_en.gif", donate_gif("Donate", FONT_BOLD, 11, 67))
    write("hand.cur", cursor_file())
    write("usage.txt", usage_text())

    if preview:
        for size in (48, 32, 16):
            enlarged(icon_colour_image(size), 8).save(os.path.join(preview, f"icon{size}.png"))
        for name in ("donate_fr.gif", "donate_en.gif"):
            picture = Image.open(os.path.join(OUT, name)).convert("RGBA")
            backdrop = Image.new("RGBA", picture.size, (212, 208, 200, 255))
            backdrop.alpha_composite(picture)
            enlarged(backdrop, 6).save(os.path.join(preview, name.replace(".gif", ".png")))
        enlarged(cursor_preview(), 8).save(os.path.join(preview, "hand.png"))


if __name__ == "__main__":
    main(sys.argv[1:])
