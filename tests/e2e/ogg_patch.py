#!/usr/bin/env python3
"""Makes hostile Ogg Vorbis files from a good one, for the import tests:

    ogg_patch.py comments <in.ogg> <out.ogg>    the comment header claims 2^30 comments
    ogg_patch.py rate <in.ogg> <out.ogg> <Hz>   the identification header states that rate
    ogg_patch.py setup <in.ogg> <out.ogg>       the codebooks of the setup header scrambled

Each page whose bytes change gets its checksum made right again, so that
only the decoder's own parsing can object.
"""

import random
import struct
import sys


def crc32_ogg(data):
    crc = 0
    for byte in data:
        crc ^= byte << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04C11DB7) if crc & 0x80000000 else crc << 1
            crc &= 0xFFFFFFFF
    return crc


def pages(data):
    """(offset of the page, offset of its body, body length) for each page."""
    position = 0
    while position + 27 <= len(data):
        if data[position:position + 4] != b"OggS":
            raise SystemExit("ogg_patch: no page at %d" % position)
        segments = data[position + 26]
        lacing = data[position + 27:position + 27 + segments]
        body = position + 27 + segments
        yield position, body, sum(lacing)
        position = body + sum(lacing)


def fix_checksum(data, page, length):
    data[page + 22:page + 26] = b"\0\0\0\0"
    data[page + 22:page + 26] = struct.pack("<I", crc32_ogg(bytes(data[page:page + length])))


def patch(data, packet_type, change):
    """Applies change(data, body) to the page holding the header packet of that type."""
    for page, body, length in pages(data):
        start = data.find(bytes([packet_type]) + b"vorbis", body, body + length)
        if start >= 0:
            change(data, start)
            fix_checksum(data, page, body + length - page)
            return
    raise SystemExit("ogg_patch: no header packet of type %d" % packet_type)


def main(argv):
    if len(argv) < 4:
        raise SystemExit(__doc__)
    kind, source, target = argv[1:4]
    data = bytearray(open(source, "rb").read())
    if kind == "comments":
        def change(data, start):
            vendor_length = struct.unpack_from("<I", data, start + 7)[0]
            struct.pack_into("<I", data, start + 11 + vendor_length, 1 << 30)
        patch(data, 3, change)
    elif kind == "rate":
        patch(data, 1, lambda data, start: struct.pack_into("<I", data, start + 12, int(argv[4])))
    elif kind == "setup":
        def change(data, start):
            scramble = random.Random(27)
            for offset in range(start + 12, min(start + 400, len(data))):
                data[offset] = scramble.randrange(256)
        patch(data, 5, change)
    else:
        raise SystemExit(__doc__)
    open(target, "wb").write(bytes(data))


if __name__ == "__main__":
    main(sys.argv)
