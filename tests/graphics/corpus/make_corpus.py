#!/usr/bin/env python3
# Writes the damaged and hostile picture files of bad/ (each must be refused with a clear message
# and change nothing). JPEG files start from small pictures made by ImageMagick's convert.
import os
import struct
import subprocess
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
bad = os.path.join(here, "bad")
os.makedirs(bad, exist_ok=True)


def write(name, data):
    with open(os.path.join(bad, name), "wb") as f:
        f.write(bytes(data))


def bmp(width, height, bits, pixels=b"", compression=0, palette=b"", off_bits=None, planes=1, colors_used=0,
        masks=b""):
    off = 14 + 40 + len(masks) + len(palette) if off_bits is None else off_bits
    info = struct.pack("<IiiHHIIiiII", 40, width, height, planes, bits, compression, len(pixels), 0, 0,
                       colors_used, 0)
    head = b"BM" + struct.pack("<IHHI", off + len(pixels), 0, 0, off)
    return head + info + masks + palette + pixels


grey16 = b"".join(bytes([i * 17] * 3 + [0]) for i in range(16))
grey256 = b"".join(bytes([i] * 3 + [0]) for i in range(256))
rows24 = bytes(range(48))  # 4 x 4 at 24 bits: 12 bytes a row
good24 = bmp(4, 4, 24, rows24)

write("empty.bmp", b"")
write("signature-only.bmp", b"BM")
write("zip-renamed.bmp", b"PK\x03\x04" + bytes(60))
write("header-size-huge.bmp", good24[:14] + struct.pack("<I", 0x10000) + good24[18:])
write("zero-width.bmp", bmp(0, 4, 24, rows24))
write("negative-width.bmp", bmp(-4, 4, 24, rows24))
write("height-int-min.bmp", bmp(4, -2**31, 24, rows24))
write("gigapixel.bmp", bmp(60000, 60000, 24, rows24))
write("two-planes.bmp", bmp(4, 4, 24, rows24, planes=2))
write("seven-bits.bmp", bmp(4, 4, 7, rows24))
write("embedded-jpeg.bmp", bmp(4, 4, 24, rows24, compression=4))
write("offset-past-end.bmp", bmp(4, 4, 24, rows24, off_bits=0x7FFFFFF0))
write("offset-into-header.bmp", bmp(4, 4, 24, rows24, off_bits=20))
write("pixels-truncated.bmp", good24[:-1])
write("cut-in-header.bmp", good24[:30])
write("palette-overrun.bmp", bmp(4, 4, 8, b"", palette=grey256[:40], off_bits=0, colors_used=256))
write("bitfields-gap.bmp", bmp(4, 4, 32, bytes(64), compression=3, masks=struct.pack("<III", 0xF000F0, 0xFF00, 0xFF)))
write("bitfields-empty.bmp", bmp(4, 4, 32, bytes(64), compression=3, masks=struct.pack("<III", 0, 0, 0)))
write("rle8-top-down.bmp", bmp(4, -4, 8, b"\x00\x01", compression=1, palette=grey256))
write("rle8-no-end.bmp", bmp(4, 2, 8, b"\x02\x01\x00\x00\x02\x01", compression=1, palette=grey256))
write("rle8-delta-outside.bmp", bmp(4, 2, 8, b"\x00\x02\xc8\x00\x00\x01", compression=1, palette=grey256))
write("rle8-past-last-row.bmp", bmp(4, 2, 8, b"\x00\x00\x00\x00\x01\x01\x00\x01", compression=1, palette=grey256))
write("rle4-literal-cut.bmp", bmp(4, 2, 4, b"\x00\x09\x12", compression=2, palette=grey16))

with tempfile.TemporaryDirectory() as work:
    def convert(name, *options):
        path = os.path.join(work, name)
        subprocess.run(["convert", "-size", "64x48", "gradient:red-blue", *options, path], check=True)
        return open(path, "rb").read()

    baseline = convert("baseline.jpg", "-quality", "90")
    progressive = convert("progressive.jpg", "-interlace", "Plane", "-quality", "90")
    cmyk = convert("cmyk.jpg", "-colorspace", "CMYK", "-quality", "90")

sof = baseline.index(b"\xff\xc0")
sos = baseline.index(b"\xff\xda")
scan = sos + 2 + struct.unpack(">H", baseline[sos + 2:sos + 4])[0]

def patched(data, at, replacement):
    return data[:at] + replacement + data[at + len(replacement):]

write("empty.jpg", b"")
write("png-renamed.jpg", b"\x89PNG\r\n\x1a\n" + bytes(40))
write("start-marker-only.jpg", b"\xff\xd8")
write("cut-in-header.jpg", baseline[:sof + 4])
write("cut-in-scan.jpg", baseline[:scan + 40])
write("progressive-cut.jpg", progressive[:len(progressive) * 2 // 3])
write("cmyk-cut.jpg", cmyk[:len(cmyk) * 3 // 4])
write("zero-width.jpg", patched(baseline, sof + 7, b"\x00\x00"))
write("bad-sampling.jpg", patched(baseline, sof + 11, b"\x55"))
write("marker-in-scan.jpg", patched(baseline, scan + 30, b"\xff\xc4\x00\x02"))
write("huge-dimensions.jpg", patched(baseline, sof + 5, b"\xff\xdc\xff\xdc")[:scan + 40])
