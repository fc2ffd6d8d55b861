"""The help's source markup: one UTF-8 text file per page, read into a small document model.

A page file is named <id>.txt, where the id is lower-case letters, digits and underscores; the id
names the page in links and becomes its context string in the help file.

    = Page title                 first line of the file
    @key value                   settings, only directly after the title (the contents page names the book)
    == Heading                   a section heading
    plain lines                  a paragraph; lines are joined (without a space between Japanese text)
    - item                       a bullet list item; lines indented by two spaces continue it
    1. item                      a numbered list item, the same way
    | a | b |                    a table row; a row of dashes |---|---| makes the row above a header
    ```                          a block of fixed text kept line by line, until the next ```
    (blank line)                 ends a paragraph, list or table

Inside text: [[id]] links to a page under its title, [[id|text]] with other text, **bold**, `code`.
The page with the id "contents" is the contents page; every other page must be linked from it.
"""
from __future__ import annotations

import re
from dataclasses import dataclass, field
from pathlib import Path

CONTENTS_ID = "contents"
PAGE_ID = re.compile(r"^[a-z][a-z0-9_]*$")
_INLINE = re.compile(r"\[\[([^\]|]+)(?:\|([^\]]+))?\]\]|\*\*(.+?)\*\*|`([^`]+)`")
_NUMBERED = re.compile(r"^(\d+)\.\s+(.*)$")
_TABLE_RULE = re.compile(r"^\|\s*:?-{3,}:?\s*(\|\s*:?-{3,}:?\s*)*\|?\s*$")


class MarkupError(Exception):
    """A fault in a help source file, with the file and line it was found at."""

    def __init__(self, path, line, message):
        super().__init__(f"{path}:{line}: {message}")


@dataclass
class Span:
    kind: str  # "text", "bold", "code" or "link"
    text: str
    target: str | None = None


@dataclass
class Block:
    kind: str  # "para", "heading", "bullet", "number", "table" or "pre"
    spans: list[Span] = field(default_factory=list)
    number: int = 0
    rows: list[list[list[Span]]] = field(default_factory=list)
    header: bool = False
    lines: list[str] = field(default_factory=list)
    line: int = 0


@dataclass
class Page:
    id: str
    title: str
    blocks: list[Block]
    meta: dict[str, str]
    path: str = ""

    def links(self):
        """Every link span of the page in reading order."""
        for block in self.blocks:
            for spans in _block_span_lists(block):
                for span in spans:
                    if span.kind == "link":
                        yield span


@dataclass
class HelpBook:
    pages: list[Page]  # browse order: the contents page first, then in the order the contents page links them

    @property
    def contents(self) -> Page:
        return self.pages[0]

    def page(self, page_id: str) -> Page:
        for p in self.pages:
            if p.id == page_id:
                return p
        raise KeyError(page_id)

    def meta(self, key: str, default: str = "") -> str:
        return self.contents.meta.get(key, default)


def _block_span_lists(block: Block):
    if block.kind == "table":
        for row in block.rows:
            yield from row
    else:
        yield block.spans


def plain_text(spans: list[Span]) -> str:
    return "".join(s.text for s in spans)


def parse_inline(text: str, path="", line=0) -> list[Span]:
    spans: list[Span] = []
    pos = 0
    for m in _INLINE.finditer(text):
        if m.start() > pos:
            spans.append(Span("text", text[pos:m.start()]))
        if m.group(1) is not None:
            target = m.group(1).strip()
            if not PAGE_ID.match(target):
                raise MarkupError(path, line, f"link to an invalid page id {target!r}")
            # Text left empty here is the target's title, filled in once every page is read.
            spans.append(Span("link", (m.group(2) or "").strip(), target))
        elif m.group(3) is not None:
            spans.append(Span("bold", m.group(3)))
        else:
            spans.append(Span("code", m.group(4)))
        pos = m.end()
    if pos < len(text):
        spans.append(Span("text", text[pos:]))
    for s in spans:
        if "[[" in s.text or "]]" in s.text:
            raise MarkupError(path, line, "unclosed link")
    return spans


def join_lines(lines: list[str]) -> str:
    """Joins the lines of one paragraph: a space only between two pieces of Latin text."""
    out = ""
    for piece in (l.strip() for l in lines):
        if not piece:
            continue
        if out and out[-1].isascii() and piece[0].isascii():
            out += " "
        out += piece
    return out


def _split_row(line: str) -> list[str]:
    body = line.strip()
    if body.startswith("|"):
        body = body[1:]
    if body.endswith("|"):
        body = body[:-1]
    return [c.strip() for c in body.split("|")]


def parse_page(text: str, page_id: str, path: str = "") -> Page:
    lines = text.replace("\r\n", "\n").replace("\r", "\n").split("\n")
    i = 0
    while i < len(lines) and not lines[i].strip():
        i += 1
    if i == len(lines) or not lines[i].startswith("= "):
        raise MarkupError(path, i + 1, "a page begins with its title line '= title'")
    title = lines[i][2:].strip()
    i += 1
    meta: dict[str, str] = {}
    while i < len(lines) and lines[i].startswith("@"):
        key, _, value = lines[i][1:].partition(" ")
        meta[key.strip()] = value.strip()
        i += 1

    blocks: list[Block] = []

    def starts_block(l: str) -> bool:
        return (l.startswith("== ") or l.startswith("- ") or l.startswith("|") or l.startswith("```")
                or l.startswith("@") or l.startswith("= ") or bool(_NUMBERED.match(l)))

    while i < len(lines):
        line = lines[i]
        n = i + 1
        if not line.strip():
            i += 1
            continue
        if line.startswith("= "):
            raise MarkupError(path, n, "only the first line is a title")
        if line.startswith("@"):
            raise MarkupError(path, n, "settings lines belong directly after the title")
        if line.startswith("== "):
            blocks.append(Block("heading", parse_inline(line[3:].strip(), path, n), line=n))
            i += 1
        elif line.startswith("```"):
            body = []
            i += 1
            while i < len(lines) and not lines[i].startswith("```"):
                body.append(lines[i].rstrip())
                i += 1
            if i == len(lines):
                raise MarkupError(path, n, "fixed text block without its closing ```")
            blocks.append(Block("pre", lines=body, line=n))
            i += 1
        elif line.startswith("|"):
            rows: list[list[str]] = []
            header = False
            while i < len(lines) and lines[i].startswith("|"):
                if _TABLE_RULE.match(lines[i]):
                    if len(rows) != 1:
                        raise MarkupError(path, i + 1, "the header rule belongs under the first row")
                    header = True
                else:
                    rows.append(_split_row(lines[i]))
                i += 1
            width = len(rows[0])
            for k, r in enumerate(rows):
                if len(r) != width:
                    raise MarkupError(path, n + k, f"table row with {len(r)} cells, the first has {width}")
            blocks.append(Block("table", rows=[[parse_inline(c, path, n) for c in r] for r in rows],
                                header=header, line=n))
        elif line.startswith("- ") or _NUMBERED.match(line):
            numbered = not line.startswith("- ")
            while i < len(lines):
                l = lines[i]
                m = _NUMBERED.match(l)
                if numbered and m:
                    number, first = int(m.group(1)), m.group(2)
                elif not numbered and l.startswith("- "):
                    number, first = 0, l[2:]
                else:
                    break
                item = [first]
                start = i + 1
                i += 1
                while i < len(lines) and lines[i].startswith("  ") and lines[i].strip():
                    item.append(lines[i])
                    i += 1
                blocks.append(Block("number" if numbered else "bullet",
                                    parse_inline(join_lines(item), path, start), number=number, line=start))
        else:
            body = []
            while i < len(lines) and lines[i].strip() and not (body and starts_block(lines[i])):
                body.append(lines[i])
                i += 1
            blocks.append(Block("para", parse_inline(join_lines(body), path, n), line=n))
    return Page(page_id, title, blocks, meta, path)


def load_book(folder: Path) -> HelpBook:
    """Reads every page of a source folder, fills in link texts and puts the pages in browse order."""
    pages: dict[str, Page] = {}
    for f in sorted(Path(folder).glob("*.txt")):
        page_id = f.stem
        if not PAGE_ID.match(page_id):
            raise MarkupError(f, 0, f"file name {f.name!r} is no page id")
        pages[page_id] = parse_page(f.read_text(encoding="utf-8"), page_id, str(f))
    if CONTENTS_ID not in pages:
        raise MarkupError(folder, 0, f"no contents page {CONTENTS_ID}.txt")
    titles = set()
    for p in pages.values():
        if p.title in titles:
            raise MarkupError(p.path, 1, f"title {p.title!r} is used twice")
        titles.add(p.title)
        for span in p.links():
            if span.target not in pages:
                raise MarkupError(p.path, 0, f"link to a page that does not exist: {span.target}")
            if not span.text:
                span.text = pages[span.target].title
    order = [pages[CONTENTS_ID]]
    for span in pages[CONTENTS_ID].links():
        if all(p.id != span.target for p in order):
            order.append(pages[span.target])
    missing = sorted(set(pages) - {p.id for p in order})
    if missing:
        raise MarkupError(pages[CONTENTS_ID].path, 0, "pages not linked from the contents page: " + ", ".join(missing))
    return HelpBook(order)
