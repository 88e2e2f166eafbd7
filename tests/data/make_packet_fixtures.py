#!/usr/bin/env python3
"""Writes the damaged binary packets used by tst_packet (run from tests/data)."""
import struct
import zlib

MAGIC = b"SRVDICT\0"


def text(s):
    b = s.encode("utf-8") if isinstance(s, str) else s
    return struct.pack("<I", len(b)) + b


def fields(*defs):
    out = struct.pack("<I", len(defs))
    for name, type_, width in defs:
        out += text(name) + struct.pack("<BI", type_, width)
    return out


def packet(body, version=1, crc=True):
    data = MAGIC + struct.pack("<I", version) + body
    return data + struct.pack("<I", zlib.crc32(data)) if crc else data


DICT = fields(("Deu", 0, 20), ("Rus", 0, 20))
ONE_RECORD = struct.pack("<I", 1) + b"\1" + text("Haus") + b"\1" + text("дом")
GOOD = packet(DICT + ONE_RECORD)

files = {
    "bad_magic.db": b"SRVDICX\0" + GOOD[8:],
    "truncated.db": GOOD[:-7],
    "too_short.db": MAGIC + b"\1\0",
    "bad_crc.db": GOOD[:-1] + bytes([GOOD[-1] ^ 0x55]),
    "bad_version.db": packet(DICT + ONE_RECORD, version=2),
    "long_text_length.db": packet(DICT + struct.pack("<I", 1) + b"\1" + struct.pack("<I", 1000) + b"Haus"),
    "huge_record_count.db": packet(DICT + struct.pack("<I", 0xFFFFFFFF) + b"\0\0"),
    "huge_field_count.db": packet(struct.pack("<I", 0x10000000) + DICT[4:] + struct.pack("<I", 0)),
    "trailing_bytes.db": packet(DICT + ONE_RECORD + b"\0"),
    "bad_utf8.db": packet(DICT + struct.pack("<I", 1) + b"\1" + text(b"Ha\xC3\x28s") + b"\0"),
    "unknown_type.db": packet(fields(("Deu", 0, 20), ("Rus", 9, 20)) + struct.pack("<I", 0)),
    "duplicate_field.db": packet(fields(("Rus", 0, 20), ("rus", 0, 20)) + struct.pack("<I", 0)),
    "empty_field_name.db": packet(fields(("Deu", 0, 20), ("", 0, 20)) + struct.pack("<I", 0)),
    "no_fields.db": packet(struct.pack("<II", 0, 0)),
    "bad_null_flag.db": packet(DICT + struct.pack("<I", 1) + b"\2" + text("Haus") + b"\0"),
    "bad_time.db": packet(fields(("Zeit", 5, 0)) + struct.pack("<I", 1) + b"\1" + struct.pack("<I", 86400000)),
}
for name, data in files.items():
    with open(name, "wb") as f:
        f.write(data)
