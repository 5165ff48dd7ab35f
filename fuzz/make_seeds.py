#!/usr/bin/env python3
"""Writes the starting inputs of every fuzz corpus (fuzz/corpus/<target>/seed-*).

The seeds are committed; run this again only to change them. Inputs that the
fuzzer finds later sit beside them under libFuzzer's own names.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(folder, "seed-" + name), "wb") as f:
        f.write(data)


# Dialog box texts, and the texts the dialog shows.
COEFFICIENT_TEXTS = [
    "1", "0.5", "-1.5", "16", "-16", "-15.97", "-15.96", "20", "4194304", "1e16", "1e999",
    "-2097152", "-1e999", "1,5", "2d-1", "0x10", "", "abc", "-", ".", "1e", "1e+", "1-2",
    "-0.00", "-0.01", "0.13", "0.38", "0.63", "1.01", "16.00", "-16.00", "32.00", "19.53",
    " \t+.5E+1x", "inf", "nan", "000000001", "1e-5201", "0e9999",
]

CONFIG_LINES = [
    "Config(0, 0, 67108864, 0, 0, 0, 67108864, 0)",
    "Config(65024, 0, -67108864, 0, 0, 0, 67108864, 0)",
    "Config(0, 0, 67173888, 0, 0, 0, 67108864, 0)",
    "Config(-1073725441, 1073725440, -1073725441, 1073725440, -1073725441, 1073725440, "
    "-1073725441, 1073725440)",
    "Config(-2147483648,2147483647,0,0,0,0,0,0)",
    " \tConfig ( 1 , +2 ,3,\t4,5,6,7,8 )\r\n",
    "Config(1, 2, 3, 4, 5, 6, 7)",
    "Config(1, 2, 3, 4, 5, 6, 7, 8, 9)",
    "Config(2147483648, 0, 0, 0, 0, 0, 0, 0)",
    "Config(-2147483649, 0, 0, 0, 0, 0, 0, 0)",
    "Config(0, 0, 67108864, 0, 0, 0, 67108864, 0) x",
    "config(0, 0, 0, 0, 0, 0, 0, 0)",
    "Config(1, 2, 3, 4, 5, 6, 7, 0x8)",
    "Config(- 1, 2, 3, 4, 5, 6, 7, 8)",
    "Config(",
]


def raw_case(size_text, piece, threads, stream):
    return bytes([len(size_text)]) + size_text.encode() + bytes([piece, threads]) + stream


def ramp(n):
    return bytes((i * 7 + 3) % 256 for i in range(n))


RAW_CASES = {
    "two-frames": raw_case("4x2", 0, 1, ramp(64)),
    "tail": raw_case("4x2", 5, 2, ramp(48)),
    "one-pixel": raw_case("1x1", 1, 1, ramp(11)),
    "empty-stream": raw_case("3X1", 0, 1, b""),
    "tall": raw_case("5x9", 17, 3, ramp(5 * 9 * 4 * 2 + 1)),
    "zero-width": raw_case("0x5", 0, 1, ramp(8)),
    "no-height": raw_case("4x", 0, 1, ramp(8)),
    "signed": raw_case("+4x2", 0, 1, ramp(8)),
    "large": raw_case("100000x100000", 3, 1, ramp(40)),
    "largest": raw_case("2147483647x2147483647", 0, 1, ramp(4)),
}


def png(width, height, colour_type, depth, rows, interlace=0, extra_chunks=()):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, interlace)
    data = b"".join(chunk(k, b) for k, b in extra_chunks)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + data
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def scanlines(width, height, channels, depth, value):
    """Filter type 0 rows of packed samples; value(x, y, c) gives each sample."""
    rows = b""
    for y in range(height):
        bits = ""
        for x in range(width):
            for c in range(channels):
                bits += format(value(x, y, c) % (1 << depth), "0%db" % depth)
        bits += "0" * (-len(bits) % 8)
        rows += b"\x00" + bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))
    return rows


def png_seeds():
    w, h = 5, 3
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
    palette = (b"PLTE", bytes(v for i in range(16) for v in (i * 16, 255 - i * 16, i * 5)))
    seeds = {}
    for colour_type, depths in ((0, (1, 2, 4, 8, 16)), (2, (8, 16)), (3, (1, 2, 4, 8)),
                                (4, (8, 16)), (6, (8, 16))):
        for depth in depths:
            top = (1 << depth) - 1
            limit = 16 if colour_type == 3 else top + 1
            rows = scanlines(w, h, channels[colour_type], depth,
                             lambda x, y, c: ((x * 5 + y * 3 + c * 7) * 37) % limit)
            extra = (palette,) if colour_type == 3 else ()
            seeds["type%d-depth%d.png" % (colour_type, depth)] = png(w, h, colour_type, depth,
                                                                     rows, 0, extra)
    seeds["adam7.png"] = png(8, 8, 0, 8, adam7_rows(8, 8), 1)
    seeds["grey-trns.png"] = png(w, h, 0, 8, scanlines(w, h, 1, 8, lambda x, y, c: x * 50),
                                 0, ((b"tRNS", b"\x00\x32"),))
    good = seeds["type2-depth8.png"]
    seeds["truncated.png"] = good[:len(good) - 20]
    broken = bytearray(good)
    broken[29] ^= 0xFF  # inside the IHDR crc
    seeds["bad-crc.png"] = bytes(broken)
    seeds["huge-header.png"] = png(60000, 60000, 2, 8, b"\x00" * 10)
    seeds["not-png"] = b"GIF89a\x01\x00\x01\x00"
    return seeds


def adam7_rows(width, height):
    """Interlaced 8-bit grey data: the seven passes, each row with filter 0."""
    passes = ((0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
              (0, 1, 1, 2))
    out = b""
    for x0, y0, dx, dy in passes:
        xs = range(x0, width, dx)
        for y in range(y0, height, dy):
            if len(xs):
                out += b"\x00" + bytes((x * 30 + y * 11) % 256 for x in xs)
    return out


def frame_case(w, h, layout, taps, pixels, overlap_layout=0, overlap_shift=0):
    return (bytes([w - 1, h - 1, layout]) + b"".join(struct.pack("<h", t) for t in taps)
            + bytes([overlap_layout]) + struct.pack("<h", overlap_shift) + pixels)


IDENTITY = [0, 0, 0, 0, 1024, 0, 0, 0, 0, 0, 0, 0, 1024, 0, 0, 0]
SMOOTH = [1024, -900, 0, 0, 62, 62, 0, 0, 1024, -1500, 540, 0, 16, 32, 16, 0]
FRAME_CASES = {
    "identity": frame_case(8, 2, 0, IDENTITY, ramp(64)),
    "smooth-gaps-bottom-up": frame_case(33, 5, 0x1B | 0x10, SMOOTH, ramp(97)),
    "narrow": frame_case(3, 4, 0x05, SMOOTH, ramp(13)),
    "extreme-taps": frame_case(70, 9, 0x2F, [32767, -32768] * 8, ramp(255)),
    "blow-up": frame_case(17, 3, 0x20, [0, 2048, -1024, 0, 1024, 0, 0, 0] * 2, ramp(31)),
    "partial-groups": frame_case(37, 19, 0x3A, SMOOTH, ramp(241), 0x09, 37 * 4),
    "widest-tallest": frame_case(80, 40, 0x10, SMOOTH, ramp(199), 0x04, -80 * 3),
    "overlap-down-a-row": frame_case(24, 20, 0x00, SMOOTH, ramp(101), 0x00, 24),
    "overlap-reversed": frame_case(19, 17, 0x00, SMOOTH, ramp(89), 0x24, -7),
}


def main():
    for i, text in enumerate(COEFFICIENT_TEXTS):
        write("coefficient_text", "%02d" % i, text)
    for i, line in enumerate(CONFIG_LINES):
        write("config_line", "%02d" % i, line)
    for name, data in RAW_CASES.items():
        write("raw_stream", name, data)
    for name, data in png_seeds().items():
        write("png_input", name, data)
    for name, data in FRAME_CASES.items():
        write("frame_run", name, data)


if __name__ == "__main__":
    main()
