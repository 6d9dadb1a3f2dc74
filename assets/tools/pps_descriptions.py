#!/usr/bin/env python3
"""Writes the pictures' descriptions into a PowerPoint 97 slide show.

  pps_descriptions.py SHOW.pps SOURCE.fodp

LibreOffice's PowerPoint export leaves out a picture's description (its alt
text), so a screen reader has nothing to say about it. This puts the
description of each picture of SOURCE, in order, into the picture shape's
property table (wzDescription, as PowerPoint itself stores it), then moves
every record offset the file keeps past the insertions. The show's stream
grows in place: its chain is extended into sectors the allocation table
already holds free, so the rest of the file stays byte for byte.
"""
import pathlib
import re
import struct
import sys
import xml.etree.ElementTree as ET

END, FREE = 0xFFFFFFFE, 0xFFFFFFFF
SECTOR = 512
PICTURE_FRAME = 75
SP_CONTAINER, FSP, FOPT = 0xF004, 0xF00A, 0xF00B
PERSIST_DIRECTORY, USER_EDIT = 0x1772, 0x0FF5
DESCRIPTION = 0x0381
COMPLEX = 0x8000
DRAW = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
SVG = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"


class CompoundFile:
    """Just enough of the compound file format to rewrite one stream."""

    def __init__(self, data):
        self.data = bytearray(data)
        assert self.data[:8] == bytes.fromhex("d0cf11e0a1b11ae1")
        assert struct.unpack_from("<H", self.data, 30)[0] == 9, "512-byte sectors expected"
        fat_sectors, self.directory, _, self.cutoff, self.minifat, _, _, difat_sectors = \
            struct.unpack_from("<8I", self.data, 44)
        assert difat_sectors == 0
        self.fat_sectors = struct.unpack_from("<109I", self.data, 76)[:fat_sectors]
        self.fat = [v for s in self.fat_sectors for v in struct.unpack_from("<128I", self.data, self.at(s))]

    @staticmethod
    def at(sector):
        return SECTOR + sector * SECTOR

    def chain(self, sector, fat=None):
        fat = fat or self.fat
        out = []
        while sector not in (END, FREE):
            out.append(sector)
            sector = fat[sector]
        return out

    def entry(self, name):
        for sector in self.chain(self.directory):
            for i in range(SECTOR // 128):
                base = self.at(sector) + i * 128
                length = struct.unpack_from("<H", self.data, base + 64)[0]
                if self.data[base:base + max(length - 2, 0)].decode("utf-16-le") == name:
                    return base
        raise KeyError(name)

    def read(self, name):
        base = self.entry(name)
        start, size = struct.unpack_from("<IQ", self.data, base + 116)
        if size < self.cutoff:
            return self.read_mini(start, size)
        return bytes(b"".join(self.data[self.at(s):self.at(s) + SECTOR] for s in self.chain(start))[:size])

    def mini_positions(self, start):
        """File positions of each mini sector of a small stream."""
        minifat = [v for s in self.chain(self.minifat)
                   for v in struct.unpack_from("<128I", self.data, self.at(s))]
        root = self.chain(struct.unpack_from("<I", self.data, self.entry("Root Entry") + 116)[0])
        for mini in self.chain(start, minifat):
            offset = mini * 64
            yield self.at(root[offset // SECTOR]) + offset % SECTOR

    def read_mini(self, start, size):
        return bytes(b"".join(self.data[p:p + 64] for p in self.mini_positions(start))[:size])

    def write_mini(self, name, content):
        start, size = struct.unpack_from("<IQ", self.data, self.entry(name) + 116)
        assert len(content) == size
        for i, position in enumerate(self.mini_positions(start)):
            chunk = content[i * 64:(i + 1) * 64]
            self.data[position:position + len(chunk)] = chunk

    def write(self, name, content):
        base = self.entry(name)
        start, _ = struct.unpack_from("<IQ", self.data, base + 116)
        sectors = self.chain(start)
        needed = -(-len(content) // SECTOR)
        free = (s for s in range(len(self.data) // SECTOR - 1, len(self.fat)) if self.fat[s] == FREE)
        while len(sectors) < needed:
            sector = next(free, None)
            assert sector is not None, "no free sector left in the allocation table"
            self.fat[sectors[-1]] = sector
            self.fat[sector] = END
            sectors.append(sector)
        end = self.at(sectors[-1]) + SECTOR
        if len(self.data) < end:
            self.data.extend(bytes(end - len(self.data)))
        padded = content + bytes(needed * SECTOR - len(content))
        for i, sector in enumerate(sectors):
            self.data[self.at(sector):self.at(sector) + SECTOR] = padded[i * SECTOR:(i + 1) * SECTOR]
        struct.pack_into("<Q", self.data, base + 120, len(content))
        for i, sector in enumerate(self.fat_sectors):
            struct.pack_into("<128I", self.data, self.at(sector), *self.fat[i * 128:(i + 1) * 128])


def records(stream, start, end, parents=()):
    """Every record, depth first: offset, instance, type, length, containers."""
    offset = start
    while offset + 8 <= end:
        version_instance, kind, length = struct.unpack_from("<HHI", stream, offset)
        yield offset, version_instance >> 4, kind, length, parents
        if version_instance & 0xF == 0xF:
            yield from records(stream, offset + 8, offset + 8 + length, parents + (offset,))
        offset += 8 + length


def picture_tables(stream):
    """The property table of each picture shape, in the order of the slides."""
    shapes = {}
    for offset, instance, kind, _, parents in records(stream, 0, len(stream)):
        if parents and kind in (FSP, FOPT):
            shapes.setdefault(parents[-1], {})[kind] = (offset, instance, parents)
    return [shape[FOPT] for shape in shapes.values() if shape.get(FSP, (0, 0))[1] == PICTURE_FRAME]


def with_description(stream, table, text):
    """Inserts the description into one property table; returns the new
    stream and the insertions made, as (position, bytes added)."""
    offset, count, parents = table
    value = text.encode("utf-16-le") + b"\0\0"
    properties = [struct.unpack_from("<HI", stream, offset + 8 + 6 * i) for i in range(count)]
    index = sum(1 for pid, _ in properties if pid & 0x3FFF < DESCRIPTION)
    data = offset + 8 + 6 * count + sum(size for pid, size in properties[:index] if pid & COMPLEX)
    entry = offset + 8 + 6 * index
    grown = 6 + len(value)
    stream = (stream[:entry] + struct.pack("<HI", DESCRIPTION | COMPLEX, len(value))
              + stream[entry:data] + value + stream[data:])
    version_instance = struct.unpack_from("<H", stream, offset)[0]
    struct.pack_into("<H", stream, offset, (version_instance & 0xF) | (count + 1) << 4)
    for header in parents + (offset,):
        struct.pack_into("<I", stream, header + 4, struct.unpack_from("<I", stream, header + 4)[0] + grown)
    return stream, [(entry, 6), (data, len(value))]


def moved(offset, insertions):
    return offset + sum(size for position, size in insertions if position <= offset)


def move_offsets(stream, insertions):
    """Moves the persist directory's offsets and the last edit's own."""
    for offset, _, kind, length, _ in records(stream, 0, len(stream)):
        if kind == PERSIST_DIRECTORY:
            position = offset + 8
            while position < offset + 8 + length:
                count = struct.unpack_from("<I", stream, position)[0] >> 20
                for i in range(count):
                    at = position + 4 + 4 * i
                    struct.pack_into("<I", stream, at, moved(struct.unpack_from("<I", stream, at)[0], insertions))
                position += 4 + 4 * count
        elif kind == USER_EDIT:
            for at in (offset + 16, offset + 20):
                old = struct.unpack_from("<I", stream, at)[0]
                if old:
                    struct.pack_into("<I", stream, at, moved(old, insertions))


def descriptions(source):
    root = ET.parse(source).getroot()
    out = []
    for frame in root.iter(f"{{{DRAW}}}frame"):
        if frame.find(f"{{{DRAW}}}image") is not None:
            out.append(re.sub(r"\s+", " ", frame.findtext(f"{{{SVG}}}desc") or "").strip())
    return out


def main(show, source):
    show = pathlib.Path(show)
    document = CompoundFile(show.read_bytes())
    stream = bytearray(document.read("PowerPoint Document"))
    texts = descriptions(source)
    tables = picture_tables(stream)
    assert len(tables) == len(texts), f"{len(tables)} pictures in the show, {len(texts)} in its source"
    insertions = []
    # From the last picture back: what is still to be written, and every
    # position recorded, stays where it was in the original stream.
    for table, text in reversed(list(zip(tables, texts))):
        stream, made = with_description(stream, table, text)
        insertions += made
    move_offsets(stream, insertions)
    current = bytearray(document.read("Current User"))
    struct.pack_into("<I", current, 16, moved(struct.unpack_from("<I", current, 16)[0], insertions))
    document.write("PowerPoint Document", bytes(stream))
    document.write_mini("Current User", bytes(current))
    show.write_bytes(bytes(document.data))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
