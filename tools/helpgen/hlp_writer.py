"""Writes the help in the Windows help file format (the format of Windows 3.1 help, which the Win32
help viewer also reads), uncompressed, with Japanese text in code page 932.

A help file is a small file system: a 16-byte header, internal files each behind a 9-byte header, and
a directory of the internal files kept as a B+ tree. This writer produces:
  |SYSTEM    title, contents topic, start-up macro, language and character set
  |FONT      face names and font descriptors used by the paragraphs
  |TOPIC     topic blocks of 4 KB holding a chain of topic links: a topic header per page, then one
             displayable paragraph per title, heading, paragraph, list item, fixed text and table row
  |CONTEXT   B+ tree from the hash of each page id to the offset of its topic (the jump targets)
  |TTLBTREE  B+ tree from each topic's offset to its title
  |KWBTREE   the keyword index: page titles, and headings that appear on one page only
  |KWDATA    the topic offset each keyword leads to
  |KWMAP     the first keyword of each leaf page of |KWBTREE
Two kinds of positions appear: a link position (block * 0x4000 + 12 + byte offset in the block's data)
chains the topic links; a topic offset (block * 0x8000 + characters before it in that block) names a
place a jump can reach.
"""
from __future__ import annotations

import struct
import time
import unicodedata
from dataclasses import dataclass, field

from markup import Block, HelpBook, Page, Span, plain_text

CODE_PAGE = "cp932"
SHIFTJIS_CHARSET = 128
LANG_JAPANESE = 0x0411

FILE_MAGIC = 0x00035F3F
SYSTEM_MAGIC = 0x036C
HELP_31_MINOR = 21
BTREE_MAGIC = 0x293B
TOPIC_BLOCK_SIZE = 4096
BLOCK_HEADER_SIZE = 12
BLOCK_DATA_SIZE = TOPIC_BLOCK_SIZE - BLOCK_HEADER_SIZE
TOPICLINK_SIZE = 21
NONE = 0xFFFFFFFF

RECORD_TOPIC_HEADER = 0x02
RECORD_DISPLAY = 0x20

SYS_TITLE, SYS_CONTENTS, SYS_CONFIG, SYS_LCID, SYS_CHARSET = 1, 3, 4, 9, 11


def link_position(block: int, offset: int) -> int:
    return block * 0x4000 + BLOCK_HEADER_SIZE + offset


def topic_offset(block: int, characters: int) -> int:
    return block * 0x8000 + characters


def encode_text(text: str, where: str = "") -> bytes:
    try:
        return text.encode(CODE_PAGE)
    except UnicodeEncodeError as e:
        raise ValueError(f"{where}: {text[e.start:e.end]!r} has no form in code page 932") from None


# ---- Numbers as the format packs them ----------------------------------------------------------

def compressed_ushort(v: int) -> bytes:
    """One byte (value * 2) below 128, else two bytes (value * 2 + 1)."""
    if not 0 <= v < 0x8000:
        raise ValueError(f"compressed unsigned short out of range: {v}")
    return bytes([v * 2]) if v < 0x80 else struct.pack("<H", v * 2 + 1)


def compressed_short(v: int) -> bytes:
    """One byte ((value + 64) * 2) from -64 to 63, else two bytes ((value + 16384) * 2 + 1)."""
    if -0x40 <= v < 0x40:
        return bytes([(v + 0x40) * 2])
    if not -0x4000 <= v < 0x4000:
        raise ValueError(f"compressed short out of range: {v}")
    return struct.pack("<H", (v + 0x4000) * 2 + 1)


def compressed_ulong(v: int) -> bytes:
    if not 0 <= v < 0x80000000:
        raise ValueError(f"compressed unsigned long out of range: {v}")
    return struct.pack("<H", v * 2) if v < 0x8000 else struct.pack("<I", v * 2 + 1)


# ---- Context strings ----------------------------------------------------------------------------

def _hash_value(c: str) -> int:
    if "1" <= c <= "9":
        return ord(c) - ord("0")
    if c == "0":
        return 10
    if c == "!":
        return 11
    if c == ".":
        return 12
    if c == "_":
        return 13
    if c.isascii() and c.isalpha():
        return ord(c.upper()) - ord("A") + 17
    raise ValueError(f"character {c!r} cannot appear in a context string")


def context_hash(context: str) -> int:
    """The format's hash of a context string, as a signed 32-bit number (case does not matter)."""
    h = 0
    for c in context:
        h = (h * 43 + _hash_value(c)) & 0xFFFFFFFF
    return h - 0x100000000 if h & 0x80000000 else h


# ---- Internal files and B+ trees ------------------------------------------------------------------

def internal_file(data: bytes) -> bytes:
    """An internal file: reserved size (header included), used size, flags 4, then the data."""
    return struct.pack("<IIB", len(data) + 9, len(data), 4) + data


def leaf_split(entries: list[tuple[bytes, bytes]], page_size: int) -> list[list[tuple[bytes, bytes]]]:
    """Entries in key order, cut into leaf pages (an 8-byte header each)."""
    leaves: list[list[tuple[bytes, bytes]]] = [[]]
    used = 8
    for key, entry in entries:
        if 8 + len(entry) > page_size:
            raise ValueError("B+ tree entry larger than a page")
        if used + len(entry) > page_size:
            leaves.append([])
            used = 8
        leaves[-1].append((key, entry))
        used += len(entry)
    return leaves


def btree(entries: list[tuple[bytes, bytes]], structure: str, page_size: int = 2048, flags: int = 0x0002) -> bytes:
    """A B+ tree over entries (key as index pages hold it, whole leaf entry), given in key order.

    Leaf pages: free bytes, entry count, previous and next leaf (-1 at the ends), entries.
    Index pages: free bytes, entry count, the first child, then (first key of a child, child page).
    """
    leaves = leaf_split(entries, page_size)
    pages: list[bytes] = []
    for i, leaf in enumerate(leaves):
        body = b"".join(e for _, e in leaf)
        prev_page = i - 1 if i > 0 else -1
        next_page = i + 1 if i + 1 < len(leaves) else -1
        header = struct.pack("<Hhhh", page_size - 8 - len(body), len(leaf), prev_page, next_page)
        pages.append((header + body).ljust(page_size, b"\0"))
    level = [(leaf[0][0] if leaf else b"", i) for i, leaf in enumerate(leaves)]
    levels = 1
    while len(level) > 1:
        upper = []
        groups: list[list[tuple[bytes, int]]] = [[level[0]]]
        used = 6
        for key, child in level[1:]:
            size = len(key) + 2
            if used + size > page_size:
                groups.append([(key, child)])
                used = 6
            else:
                groups[-1].append((key, child))
                used += size
        for group in groups:
            body = b"".join(k + struct.pack("<h", c) for k, c in group[1:])
            header = struct.pack("<Hhh", page_size - 6 - len(body), len(group) - 1, group[0][1])
            upper.append((group[0][0], len(pages)))
            pages.append((header + body).ljust(page_size, b"\0"))
        level = upper
        levels += 1
    header = struct.pack("<HHH16shhhhhhi", BTREE_MAGIC, flags, page_size, structure.encode("ascii"),
                         0, len(pages) - 1, level[0][1], -1, len(pages), levels, len(entries))
    return header + b"".join(pages)


def directory(files: dict[str, int]) -> bytes:
    """The internal directory: file name to the offset of its internal file, in byte order of the names."""
    entries = []
    for name in sorted(files, key=lambda n: n.encode("ascii")):
        key = name.encode("ascii") + b"\0"
        entries.append((key, key + struct.pack("<I", files[name])))
    return btree(entries, "z4", page_size=1024, flags=0x0402)


# ---- Fonts ---------------------------------------------------------------------------------------

@dataclass(frozen=True)
class Font:
    face: str
    half_points: int
    bold: bool = False
    colour: tuple[int, int, int] = (0, 0, 0)
    family: int = 3  # swiss


BODY_FACE = "ＭＳ Ｐゴシック"
FIXED_FACE = "ＭＳ ゴシック"
FONT_BODY, FONT_BOLD, FONT_TITLE, FONT_HEADING, FONT_CODE = range(5)
FONTS = [
    Font(BODY_FACE, 20),
    Font(BODY_FACE, 20, bold=True),
    Font(BODY_FACE, 28, bold=True, colour=(0x23, 0x40, 0x7A)),
    Font(BODY_FACE, 22, bold=True, colour=(0x23, 0x40, 0x7A)),
    Font(FIXED_FACE, 20, family=1),
]
FACE_NAME_SIZE = 20


def font_file(fonts: list[Font]) -> bytes:
    """|FONT with the 8-byte header of Windows 3.1 help: face names of 20 bytes, descriptors of 11."""
    faces: list[str] = []
    for f in fonts:
        if f.face not in faces:
            faces.append(f.face)
    names = b""
    for face in faces:
        raw = encode_text(face, "font face")
        if len(raw) >= FACE_NAME_SIZE:
            raise ValueError(f"font face name too long: {face}")
        names += raw.ljust(FACE_NAME_SIZE, b"\0")
    descriptors = b""
    for f in fonts:
        descriptors += struct.pack("<BBBH3B3B", 1 if f.bold else 0, f.half_points, f.family,
                                   faces.index(f.face), *f.colour, 255, 255, 255)
    header = struct.pack("<HHHH", len(faces), len(fonts), 8, 8 + len(names))
    return header + names + descriptors


# ---- Paragraphs ----------------------------------------------------------------------------------

def display_width(text: str) -> int:
    """Width in half-points at 10 points: wide characters 20, the rest 10."""
    return sum(20 if unicodedata.east_asian_width(c) in "WFA" else 10 for c in text)


class Paragraph:
    """One displayable paragraph: texts in LinkData2, each followed by a command in LinkData1."""

    def __init__(self, where: str):
        self.where = where
        self.texts: list[bytes] = []
        self.commands: list[bytes] = []
        self.pending = ""
        self.jumps: list[int] = []

    def _command(self, command: bytes):
        self.texts.append(encode_text(self.pending, self.where))
        self.commands.append(command)
        self.pending = ""

    def text(self, s: str):
        self.pending += s

    def font(self, number: int):
        self._command(b"\x80" + struct.pack("<H", number))

    def tab(self):
        self._command(b"\x83")

    def line_break(self):
        self._command(b"\x81")

    def jump(self, context: str, label: str, font_after: int):
        h = context_hash(context)
        self.jumps.append(h)
        self._command(b"\xE3" + struct.pack("<i", h))
        self.text(label)
        self._command(b"\x89")
        self.font(font_after)

    def spans(self, spans: list[Span], base_font: int = FONT_BODY):
        for s in spans:
            if s.kind == "link":
                self.jump(s.target, s.text, base_font)
            elif s.kind == "bold" and base_font == FONT_BODY:
                self.font(FONT_BOLD)
                self.text(s.text)
                self.font(base_font)
            elif s.kind == "code":
                self.font(FONT_CODE)
                self.text(s.text)
                self.font(base_font)
            else:
                self.text(s.text)

    def record(self, space_above=0, left_indent=0, first_indent=0, tabs=()) -> tuple[bytes, bytes, int]:
        """LinkData1, LinkData2 and the number of characters the paragraph counts for."""
        self._command(b"\x82")
        self._command(b"\xFF")
        data2 = b"".join(t + b"\0" for t in self.texts)
        length = sum(len(t) for t in self.texts) + sum(1 for c in self.commands if c in (b"\x81", b"\x82", b"\x83"))
        bits = 0
        extra = b""
        if space_above:
            bits |= 0x0002
            extra += compressed_short(space_above)
        if left_indent:
            bits |= 0x0010
            extra += compressed_short(left_indent)
        if first_indent:
            bits |= 0x0040
            extra += compressed_short(first_indent)
        if tabs:
            bits |= 0x0200
            extra += compressed_short(len(tabs)) + b"".join(compressed_ushort(t) for t in tabs)
        # Size of the text, its character count, two unknown bytes (0, biased 0) and the paragraph id.
        data1 = (compressed_ulong(len(data2)) + compressed_ushort(length) + b"\x00\x80\x00\x00"
                 + struct.pack("<H", bits) + extra + b"".join(self.commands))
        return data1, data2, length


BULLET = "・"
INDENT = 24
TABLE_GAP = 40
STACKED_TABLE_WIDTH = 480


def page_paragraphs(page: Page) -> list[tuple[bytes, bytes, int, list[int]]]:
    """The paragraph records of one page: (LinkData1, LinkData2, characters, jump hashes) each."""
    records = []

    def add(p: Paragraph, **layout):
        d1, d2, n = p.record(**layout)
        records.append((d1, d2, n, p.jumps))

    where = page.path or page.id
    title = Paragraph(where)
    title.font(FONT_TITLE)
    title.text(page.title)
    add(title)
    for block in page.blocks:
        here = f"{where}:{block.line}"
        if block.kind == "heading":
            p = Paragraph(here)
            p.font(FONT_HEADING)
            p.spans(block.spans, FONT_HEADING)
            add(p, space_above=14)
        elif block.kind == "para":
            p = Paragraph(here)
            p.font(FONT_BODY)
            p.spans(block.spans)
            add(p, space_above=6)
        elif block.kind in ("bullet", "number"):
            # The mark in the fixed font and the text straight after it, hanging under the text: a tab
            # there would let a viewer that wraps only at blanks push a long Japanese line down whole.
            mark = BULLET if block.kind == "bullet" else f"{block.number}."
            p = Paragraph(here)
            p.font(FONT_CODE)
            p.text(mark)
            p.font(FONT_BODY)
            p.spans(block.spans)
            indent = display_width(mark)
            add(p, space_above=3, left_indent=indent, first_indent=-indent)
        elif block.kind == "pre":
            p = Paragraph(here)
            p.font(FONT_CODE)
            for k, line in enumerate(block.lines):
                if k:
                    p.line_break()
                p.text(line)
            add(p, space_above=6, left_indent=INDENT)
        elif block.kind == "table":
            _table(block, here, add)
    return records


def _table(block: Block, where: str, add):
    """A table as one paragraph per row: tab stops at the columns and the last column hanging, so a
    long last cell wraps under itself. Tables whose leading columns are too wide for that are set as
    a bold line per row with the last cell indented under it."""
    columns = len(block.rows[0])
    widths = [max(display_width(plain_text(row[c])) for row in block.rows) + TABLE_GAP for c in range(columns)]
    lead = sum(widths[:-1])
    for k, row in enumerate(block.rows):
        header = block.header and k == 0
        font = FONT_BOLD if header else FONT_BODY
        space = 6 if k == 0 else 2
        if columns > 1 and lead > STACKED_TABLE_WIDTH:
            p = Paragraph(where)
            p.font(FONT_BOLD)
            for c, cell in enumerate(row[:-1]):
                if c:
                    p.text("　")
                p.spans(cell, FONT_BOLD)
            add(p, space_above=space)
            p = Paragraph(where)
            p.font(font)
            p.spans(row[-1], font)
            add(p, left_indent=INDENT)
            continue
        p = Paragraph(where)
        p.font(font)
        tabs = []
        position = 0
        for c, cell in enumerate(row):
            if c:
                p.tab()
            p.spans(cell, font)
            position += widths[c]
            tabs.append(position)
        if columns == 1:
            add(p, space_above=space)
        else:
            add(p, space_above=space, left_indent=lead, first_indent=-lead, tabs=tuple(tabs[:-1]))


def topic_header_data(browse_back: int, browse_forward: int, number: int, scroll: int, next_topic: int,
                      size: int) -> bytes:
    """Topic size, browse sequence (topic offsets), topic number, non-scrolling region (none),
    scrolling region and the next topic header (link positions)."""
    return struct.pack("<IIIIIII", size, browse_back, browse_forward, number, NONE, scroll, next_topic)


@dataclass
class _Link:
    kind: int
    data1: bytes
    data2: bytes
    characters: int = 0
    page: int = 0
    block: int = 0
    offset: int = 0
    position: int = 0
    characters_before: int = 0
    jumps: list[int] = field(default_factory=list)

    @property
    def size(self) -> int:
        return TOPICLINK_SIZE + len(self.data1) + len(self.data2)


@dataclass
class HelpFile:
    data: bytes
    topic_offsets: dict[str, int]
    context: dict[str, int]


def build_hlp(book: HelpBook, title: str, generated: int | None = None) -> HelpFile:
    # Lay the links out in blocks first: sizes do not depend on positions, so one pass places them
    # and a second one writes the positions in. A link never crosses a block boundary.
    links: list[_Link] = []
    for n, page in enumerate(book.pages):
        title_bytes = encode_text(page.title, page.path) + b"\0"
        links.append(_Link(RECORD_TOPIC_HEADER, b"\0" * 28, title_bytes, page=n))
        for d1, d2, chars, jumps in page_paragraphs(page):
            links.append(_Link(RECORD_DISPLAY, d1, d2, chars, page=n, jumps=jumps))
    block, offset, characters = 0, 0, 0
    for link in links:
        if link.size > BLOCK_DATA_SIZE:
            raise ValueError(f"paragraph of {book.pages[link.page].id} too long for a topic block; split it")
        if offset + link.size > BLOCK_DATA_SIZE:
            block, offset, characters = block + 1, 0, 0
        link.block, link.offset, link.position = block, offset, link_position(block, offset)
        link.characters_before = characters
        offset += link.size
        if link.kind == RECORD_DISPLAY:
            characters += link.characters

    headers = [l for l in links if l.kind == RECORD_TOPIC_HEADER]
    offsets = [topic_offset(h.block, h.characters_before) for h in headers]
    for k, h in enumerate(headers):
        members = [l for l in links if l.page == h.page]
        first_paragraph = next((l.position for l in members if l.kind == RECORD_DISPLAY), NONE)
        h.data1 = topic_header_data(
            offsets[k - 1] if k > 0 else NONE,
            offsets[k + 1] if k + 1 < len(headers) else NONE,
            k, first_paragraph,
            headers[k + 1].position if k + 1 < len(headers) else NONE,
            sum(l.size for l in members))

    blocks = [bytearray(BLOCK_DATA_SIZE) for _ in range(block + 1)]
    for i, link in enumerate(links):
        prev_pos = links[i - 1].position if i > 0 else NONE
        next_pos = links[i + 1].position if i + 1 < len(links) else NONE
        data1_len = TOPICLINK_SIZE + len(link.data1)
        raw = (struct.pack("<IIIIIB", link.size, len(link.data2), prev_pos, next_pos, data1_len, link.kind)
               + link.data1 + link.data2)
        blocks[link.block][link.offset:link.offset + len(raw)] = raw
    topic = b""
    for b, data in enumerate(blocks):
        in_block = [l for l in links if l.block == b]
        before = [l for l in links if l.block < b]
        last_prev = before[-1].position if before else NONE
        last_header = [l for l in links if l.kind == RECORD_TOPIC_HEADER and l.position <= in_block[0].position]
        topic += struct.pack("<III", last_prev, in_block[0].position,
                             last_header[-1].position if last_header else NONE) + bytes(data)

    page_offset = {p.id: offsets[k] for k, p in enumerate(book.pages)}
    context_ids = {p.id: context_hash(p.id) for p in book.pages}
    seen: dict[int, str] = {}
    for page_id, h in context_ids.items():
        if h == 0 or h in seen:
            raise ValueError(f"context string {page_id} hashes like {seen.get(h, 'the contents')}; rename the page")
        seen[h] = page_id
    context = btree(sorted(((struct.pack("<i", h), struct.pack("<iI", h, page_offset[i]))
                            for i, h in context_ids.items()), key=lambda e: struct.unpack("<i", e[0])[0]),
                    "L4")
    titles = btree([(struct.pack("<I", page_offset[p.id]),
                     struct.pack("<I", page_offset[p.id]) + encode_text(p.title, p.path) + b"\0")
                    for p in sorted(book.pages, key=lambda p: page_offset[p.id])], "Lz")

    stamp = int(time.time()) if generated is None else generated
    system = struct.pack("<HHHIH", SYSTEM_MAGIC, HELP_31_MINOR, 1, stamp, 0)
    for kind, data in (
        (SYS_TITLE, encode_text(title, "title") + b"\0"),
        (SYS_CONTENTS, struct.pack("<I", page_offset[book.contents.id])),
        (SYS_CONFIG, b"BrowseButtons()\0"),
        (SYS_LCID, struct.pack("<HHHHH", 0, 0, 0, 0, LANG_JAPANESE)),
        (SYS_CHARSET, struct.pack("<H", SHIFTJIS_CHARSET)),
    ):
        system += struct.pack("<HH", kind, len(data)) + data

    files = {"|SYSTEM": system, "|FONT": font_file(FONTS), "|TOPIC": topic, "|CONTEXT": context,
             "|TTLBTREE": titles, **keyword_files(book, page_offset)}
    body = b""
    where = {}
    for name, data in files.items():
        where[name] = 16 + len(body)
        body += internal_file(data)
    dir_start = 16 + len(body)
    body += internal_file(directory(where))
    header = struct.pack("<IIiI", FILE_MAGIC, dir_start, -1, 16 + len(body))
    return HelpFile(header + body, page_offset, context_ids)


KEYWORD_PAGE_SIZE = 2048


def keywords(book: HelpBook) -> dict[str, str]:
    """Keyword to page id: every page title, and every heading that appears on a single page (the
    contents page's headings only group its links)."""
    found = {p.title: p.id for p in book.pages}
    pages_of: dict[str, set[str]] = {}
    for p in book.pages[1:]:
        for block in p.blocks:
            if block.kind == "heading":
                pages_of.setdefault(plain_text(block.spans), set()).add(p.id)
    for text, ids in pages_of.items():
        if len(ids) == 1 and text not in found:
            found[text] = next(iter(ids))
    return found


def keyword_sort_key(keyword: str) -> bytes:
    return encode_text(keyword, "keyword").upper()


def keyword_files(book: HelpBook, page_offset: dict[str, int]) -> dict[str, bytes]:
    index = keywords(book)
    order = sorted(index, key=keyword_sort_key)
    data = b"".join(struct.pack("<I", page_offset[index[k]]) for k in order)
    entries = []
    for k, keyword in enumerate(order):
        key = encode_text(keyword, "keyword") + b"\0"
        entries.append((key, key + struct.pack("<hI", 1, 4 * k)))
    first = 0
    kwmap = b""
    leaves = leaf_split(entries, KEYWORD_PAGE_SIZE)
    for page, leaf in enumerate(leaves):
        kwmap += struct.pack("<ih", first, page)
        first += len(leaf)
    return {"|KWBTREE": btree(entries, "z24", KEYWORD_PAGE_SIZE), "|KWDATA": data,
            "|KWMAP": struct.pack("<h", len(leaves)) + kwmap}


def build_cnt(book: HelpBook, hlp_name: str, title: str) -> bytes:
    """The contents file the Win32 help viewer shows in its topics dialog: the contents page's
    headings as books, its links as topics."""
    lines = [f":Base {hlp_name}", f":Title {title}", f"1 {book.contents.title}={book.contents.id}"]
    heading = None
    for block in book.contents.blocks:
        if block.kind == "heading":
            heading = plain_text(block.spans)
            continue
        for span in block.spans:
            if span.kind == "link":
                if heading is not None:
                    lines.append(f"1 {heading}")
                    heading = None
                if "=" in span.text:
                    raise ValueError(f"contents entry {span.text!r}: the contents file cannot hold '='")
                lines.append(f"2 {span.text}={span.target}")
    return encode_text("\r\n".join(lines) + "\r\n", "contents file")
