"""Reads a Windows help file back for the tests: the internal file system and its directory, the
B+ trees, |SYSTEM, |FONT, the uncompressed topic blocks with their topic links and paragraphs,
|CONTEXT, |TTLBTREE and the keyword index. Written apart from the generator so that the two can
disagree when one of them is wrong."""
from __future__ import annotations

import struct
from dataclasses import dataclass, field


class FormatError(Exception):
    pass


def _check(condition, message):
    if not condition:
        raise FormatError(message)


# ---- Packed numbers --------------------------------------------------------------------------------

def read_cushort(buf: bytes, pos: int) -> tuple[int, int]:
    if buf[pos] & 1:
        return struct.unpack_from("<H", buf, pos)[0] >> 1, pos + 2
    return buf[pos] >> 1, pos + 1


def read_cshort(buf: bytes, pos: int) -> tuple[int, int]:
    if buf[pos] & 1:
        return (struct.unpack_from("<H", buf, pos)[0] >> 1) - 0x4000, pos + 2
    return (buf[pos] >> 1) - 0x40, pos + 1


def read_culong(buf: bytes, pos: int) -> tuple[int, int]:
    if buf[pos] & 1:
        return struct.unpack_from("<I", buf, pos)[0] >> 1, pos + 4
    return struct.unpack_from("<H", buf, pos)[0] >> 1, pos + 2


def read_clong(buf: bytes, pos: int) -> tuple[int, int]:
    if buf[pos] & 1:
        return (struct.unpack_from("<I", buf, pos)[0] >> 1) - 0x40000000, pos + 4
    return (struct.unpack_from("<H", buf, pos)[0] >> 1) - 0x4000, pos + 2


def cstring(buf: bytes, pos: int) -> tuple[bytes, int]:
    end = buf.index(b"\0", pos)
    return buf[pos:end], end + 1


# ---- B+ trees --------------------------------------------------------------------------------------

@dataclass
class BTree:
    structure: str
    page_size: int
    levels: int
    root: int
    total_pages: int
    total_entries: int
    pages: list[bytes]

    @staticmethod
    def parse(buf: bytes) -> "BTree":
        (magic, _flags, page_size, structure, zero, _splits, root, neg_one, total_pages, levels,
         entries) = struct.unpack_from("<HHH16shhhhhhi", buf, 0)
        _check(magic == 0x293B, f"B+ tree magic {magic:#x}")
        _check(zero == 0 and neg_one == -1, "B+ tree header constants")
        _check(len(buf) == 38 + page_size * total_pages, "B+ tree size does not match its pages")
        _check(0 <= root < total_pages and levels >= 1, "B+ tree root or levels")
        pages = [buf[38 + k * page_size:38 + (k + 1) * page_size] for k in range(total_pages)]
        return BTree(structure.rstrip(b"\0").decode("ascii"), page_size, levels, root, total_pages, entries, pages)

    def first_leaf(self) -> int:
        page = self.root
        for _ in range(self.levels - 1):
            page = struct.unpack_from("<h", self.pages[page], 4)[0]
        return page

    def entries(self, parse_entry) -> list:
        """Every leaf entry in order, walking the leaf chain; parse_entry(page, pos) -> (entry, next)."""
        out = []
        page, previous, seen = self.first_leaf(), -1, set()
        while page != -1:
            _check(page not in seen and 0 <= page < self.total_pages, "leaf chain loops or leaves the tree")
            seen.add(page)
            buf = self.pages[page]
            free, count, prev_page, next_page = struct.unpack_from("<Hhhh", buf, 0)
            _check(prev_page == previous, f"leaf {page} names {prev_page} as its previous page, not {previous}")
            pos = 8
            for _ in range(count):
                entry, pos = parse_entry(buf, pos)
                out.append(entry)
            _check(free == self.page_size - pos, f"leaf {page} free space {free}, counted {self.page_size - pos}")
            previous, page = page, next_page
        _check(len(out) == self.total_entries, f"{len(out)} entries, header says {self.total_entries}")
        return out

    def find(self, key, parse_index_key, parse_entry, entry_key):
        """Looks a key up through the index pages, as a viewer does."""
        page = self.root
        for _ in range(self.levels - 1):
            buf = self.pages[page]
            _free, count, child = struct.unpack_from("<Hhh", buf, 0)
            pos = 6
            for _ in range(count):
                k, pos = parse_index_key(buf, pos)
                next_child = struct.unpack_from("<h", buf, pos)[0]
                pos += 2
                if k > key:
                    break
                child = next_child
            page = child
        buf = self.pages[page]
        count = struct.unpack_from("<h", buf, 2)[0]
        pos = 8
        for _ in range(count):
            entry, pos = parse_entry(buf, pos)
            if entry_key(entry) == key:
                return entry
        return None


# ---- The help file -----------------------------------------------------------------------------------

@dataclass
class Paragraph:
    text: str
    jumps: list[tuple[int, str]]  # (context hash, hotspot text)
    fonts: list[int]
    characters: int


@dataclass
class Topic:
    title: str
    number: int
    offset: int  # topic offset: block * 0x8000 + characters before it in the block
    position: int  # position of its topic link
    browse_back: int
    browse_forward: int
    next_topic: int
    paragraphs: list[Paragraph] = field(default_factory=list)

    @property
    def text(self) -> str:
        return "\n".join(p.text for p in self.paragraphs)


class HelpFile:
    BLOCK = 4096

    def __init__(self, data: bytes, code_page: str = "cp932"):
        self.data = data
        self.code_page = code_page
        magic, dir_start, _free, size = struct.unpack_from("<IIiI", data, 0)
        _check(magic == 0x00035F3F, f"file magic {magic:#x}")
        _check(size == len(data), f"header says {size} bytes, file has {len(data)}")
        self.directory_tree = BTree.parse(self._internal_at(dir_start))
        self.files = dict(self.directory_tree.entries(self._directory_entry))
        self.system = self._read_system()
        self.fonts = self._read_fonts()
        self.topics = self._read_topics()

    # Internal files.
    def _internal_at(self, offset: int) -> bytes:
        reserved, used, _flags = struct.unpack_from("<IIB", self.data, offset)
        _check(reserved >= used + 9, "internal file reserves less than it uses")
        _check(offset + 9 + used <= len(self.data), "internal file runs past the end")
        return self.data[offset + 9:offset + 9 + used]

    def internal(self, name: str) -> bytes:
        _check(name in self.files, f"no internal file {name}")
        return self._internal_at(self.files[name])

    @staticmethod
    def _directory_entry(buf, pos):
        name, pos = cstring(buf, pos)
        return (name.decode("ascii"), struct.unpack_from("<I", buf, pos)[0]), pos + 4

    def find_file(self, name: str):
        entry = self.directory_tree.find(name.encode("ascii"), cstring, self._directory_entry,
                                         lambda e: e[0].encode("ascii"))
        return entry[1] if entry else None

    # |SYSTEM
    def _read_system(self) -> dict:
        buf = self.internal("|SYSTEM")
        magic, minor, major, _date, flags = struct.unpack_from("<HHHIH", buf, 0)
        _check(magic == 0x036C and major == 1, "system header")
        records: dict[int, list[bytes]] = {}
        pos = 12
        while pos < len(buf):
            kind, size = struct.unpack_from("<HH", buf, pos)
            records.setdefault(kind, []).append(buf[pos + 4:pos + 4 + size])
            pos += 4 + size
        _check(pos == len(buf), "system records run past the file")
        return {"minor": minor, "flags": flags, "records": records}

    def system_record(self, kind: int) -> bytes:
        return self.system["records"][kind][0]

    @property
    def title(self) -> str:
        return cstring(self.system_record(1), 0)[0].decode(self.code_page)

    @property
    def contents_offset(self) -> int:
        return struct.unpack("<I", self.system_record(3))[0]

    # |FONT
    def _read_fonts(self) -> list[dict]:
        buf = self.internal("|FONT")
        faces, descriptors, face_offset, desc_offset = struct.unpack_from("<HHHH", buf, 0)
        _check(face_offset == 8, "font header is not the 3.1 layout")
        size = (desc_offset - face_offset) // faces
        names = [buf[face_offset + k * size:face_offset + (k + 1) * size].split(b"\0")[0].decode(self.code_page)
                 for k in range(faces)]
        fonts = []
        for k in range(descriptors):
            attr, half_points, family, face = struct.unpack_from("<BBBH", buf, desc_offset + 11 * k)
            _check(face < faces, f"font {k} names face {face} of {faces}")
            fonts.append({"face": names[face], "half_points": half_points, "bold": bool(attr & 1),
                          "family": family})
        _check(desc_offset + 11 * descriptors == len(buf), "font file size")
        return fonts

    # |TOPIC
    def _read_topics(self) -> list[Topic]:
        _check(self.system["minor"] > 16 and self.system["flags"] == 0, "only uncompressed 3.1 topics are read")
        raw = self.internal("|TOPIC")
        _check(len(raw) % self.BLOCK == 0, "topic file is not whole blocks")
        blocks = [raw[k:k + self.BLOCK] for k in range(0, len(raw), self.BLOCK)]
        self.block_headers = [struct.unpack_from("<III", b, 0) for b in blocks]
        data = [b[12:] for b in blocks]

        topics: list[Topic] = []
        position = self.block_headers[0][1]
        previous = 0xFFFFFFFF
        characters = {}
        self.link_positions = []
        while position != 0xFFFFFFFF:
            block, offset = (position - 12) >> 14, (position - 12) & 0x3FFF
            _check(block < len(data), f"link position {position:#x} beyond the topic blocks")
            self.link_positions.append(position)
            buf = data[block]
            size, len2, prev_pos, next_pos, len1, kind = struct.unpack_from("<IIIIIB", buf, offset)
            _check(offset + size <= len(buf), "topic link crosses its block")
            _check(prev_pos == previous, f"link at {position:#x} names {prev_pos:#x} as previous")
            data1 = buf[offset + 21:offset + len1]
            data2 = buf[offset + len1:offset + size]
            _check(len(data2) == len2, "text size differs from the stored one (no phrase compression here)")
            chars_before = characters.get(block, 0)
            if kind == 0x02:
                fields = struct.unpack_from("<IIIIIII", data1, 0)
                topics.append(Topic(cstring(data2, 0)[0].decode(self.code_page), fields[3],
                                    block * 0x8000 + chars_before, position, fields[1], fields[2], fields[6]))
            elif kind == 0x20:
                _check(topics, "a paragraph before the first topic header")
                paragraph = self._paragraph(data1, data2)
                topics[-1].paragraphs.append(paragraph)
                characters[block] = chars_before + paragraph.characters
            else:
                raise FormatError(f"unexpected record type {kind:#x}")
            previous, position = position, next_pos
        return topics

    def _paragraph(self, data1: bytes, data2: bytes) -> Paragraph:
        text_size, pos = read_culong(data1, 0)
        characters, pos = read_cushort(data1, pos)
        _check(text_size == len(data2), "paragraph text size")
        pos += 4
        bits = struct.unpack_from("<H", data1, pos)[0]
        pos += 2
        if bits & 0x0001:
            _, pos = read_clong(data1, pos)
        for bit in (0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040):
            if bits & bit:
                _, pos = read_cshort(data1, pos)
        if bits & 0x0100:
            pos += 3
        if bits & 0x0200:
            count, pos = read_cshort(data1, pos)
            for _ in range(count):
                stop, pos = read_cushort(data1, pos)
                if stop & 0x4000:
                    _, pos = read_cushort(data1, pos)
        texts = data2.split(b"\0")
        _check(texts[-1] == b"", "paragraph text does not end with a terminator")
        texts = texts[:-1]
        out, jumps, fonts = [], [], []
        open_jump = None
        counted = 0
        for k, raw in enumerate(texts):
            counted += len(raw)
            piece = raw.decode(self.code_page)
            out.append(piece)
            if open_jump is not None:
                open_jump[1] += piece
            _check(pos < len(data1), "more texts than formatting commands")
            command = data1[pos]
            if command == 0x80:
                fonts.append(struct.unpack_from("<H", data1, pos + 1)[0])
                pos += 3
            elif command in (0x81, 0x82, 0x83):
                out.append({0x81: "\n", 0x82: "", 0x83: "\t"}[command])
                counted += 1
                pos += 1
            elif command in (0xE2, 0xE3, 0xE6, 0xE7):
                _check(open_jump is None, "a hotspot inside a hotspot")
                open_jump = [struct.unpack_from("<i", data1, pos + 1)[0], ""]
                pos += 5
            elif command == 0x89:
                _check(open_jump is not None, "end of a hotspot that was not opened")
                jumps.append(tuple(open_jump))
                open_jump = None
                pos += 1
            elif command == 0xFF:
                pos += 1
                _check(k == len(texts) - 1, "end of formatting before the last text")
            else:
                raise FormatError(f"unknown formatting command {command:#x}")
        _check(pos == len(data1), "formatting commands left over")
        _check(open_jump is None, "hotspot not closed")
        _check(counted == characters, f"paragraph counts {characters} characters, holds {counted}")
        return Paragraph("".join(out), jumps, fonts, characters)

    # Trees of topics
    def context(self) -> dict[int, int]:
        tree = BTree.parse(self.internal("|CONTEXT"))
        pairs = tree.entries(lambda b, p: (struct.unpack_from("<iI", b, p), p + 8))
        hashes = [h for h, _ in pairs]
        _check(hashes == sorted(hashes), "context hashes are not in signed order")
        return dict(pairs)

    def context_lookup(self, h: int):
        tree = BTree.parse(self.internal("|CONTEXT"))
        entry = tree.find(h, lambda b, p: (struct.unpack_from("<i", b, p)[0], p + 4),
                          lambda b, p: (struct.unpack_from("<iI", b, p), p + 8), lambda e: e[0])
        return entry[1] if entry else None

    def titles(self) -> dict[int, str]:
        tree = BTree.parse(self.internal("|TTLBTREE"))

        def entry(b, p):
            offset = struct.unpack_from("<I", b, p)[0]
            title, p = cstring(b, p + 4)
            return (offset, title.decode(self.code_page)), p
        pairs = tree.entries(entry)
        _check([o for o, _ in pairs] == sorted(o for o, _ in pairs), "titles are not in offset order")
        return dict(pairs)

    def keywords(self) -> dict[str, list[int]]:
        tree = BTree.parse(self.internal("|KWBTREE"))
        kwdata = self.internal("|KWDATA")

        def entry(b, p):
            word, p = cstring(b, p)
            count, offset = struct.unpack_from("<hI", b, p)
            return (word.decode(self.code_page), count, offset), p + 6
        out = {}
        for word, count, offset in tree.entries(entry):
            _check(offset + 4 * count <= len(kwdata), f"keyword {word} points past |KWDATA")
            out[word] = [struct.unpack_from("<I", kwdata, offset + 4 * k)[0] for k in range(count)]
        kwmap = self.internal("|KWMAP")
        count = struct.unpack_from("<h", kwmap, 0)[0]
        _check(len(kwmap) == 2 + 6 * count, "keyword map size")
        firsts = [struct.unpack_from("<ih", kwmap, 2 + 6 * k) for k in range(count)]
        _check([f for f, _ in firsts][:1] == [0] and all(a[0] < b[0] for a, b in zip(firsts, firsts[1:])),
               "keyword map does not count the keywords up from 0")
        _check(all(f < len(out) for f, _ in firsts), "keyword map names a keyword that does not exist")
        return out

    def topic_at(self, offset: int):
        for t in self.topics:
            if t.offset == offset:
                return t
        return None
