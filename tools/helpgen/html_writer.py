"""Writes the help as linked HTML pages: index.html is the contents page, every other page <id>.html."""
from __future__ import annotations

from html import escape
from pathlib import Path

from markup import Block, HelpBook, Page, Span, CONTENTS_ID

CSS = """\
body {
  margin: 0;
  font-family: "Yu Gothic UI", "Meiryo UI", Meiryo, "MS PGothic", "Hiragino Kaku Gothic ProN",
               "Noto Sans CJK JP", "IPAPGothic", sans-serif;
  font-size: 15px;
  line-height: 1.7;
  color: #222;
  background: #fff;
}
nav {
  display: flex;
  gap: 1.5em;
  padding: 0.5em 1.5em;
  background: #23407a;
}
nav a { color: #fff; text-decoration: none; }
nav a:hover { text-decoration: underline; }
nav .next { margin-left: auto; }
main { max-width: 52em; padding: 0.5em 1.5em 2em; }
h1 { font-size: 1.6em; color: #23407a; border-bottom: 2px solid #23407a; padding-bottom: 0.2em; }
h2 { font-size: 1.2em; color: #23407a; margin-top: 1.6em; border-left: 4px solid #23407a; padding-left: 0.4em; }
a { color: #1a5fb4; }
code, pre {
  font-family: Consolas, "MS Gothic", "IPAGothic", monospace;
  background: #f2f4f8;
  border-radius: 3px;
}
code { padding: 0 0.25em; }
pre { padding: 0.6em 1em; overflow-x: auto; line-height: 1.5; }
table { border-collapse: collapse; margin: 0.8em 0; }
th, td { border: 1px solid #c8cfdb; padding: 0.3em 0.7em; text-align: left; vertical-align: top; }
th { background: #e8edf6; }
ul, ol { padding-left: 1.6em; }
"""


def file_name(page_id: str) -> str:
    return "index.html" if page_id == CONTENTS_ID else f"{page_id}.html"


def _spans(spans: list[Span]) -> str:
    out = []
    for s in spans:
        t = escape(s.text)
        if s.kind == "bold":
            out.append(f"<strong>{t}</strong>")
        elif s.kind == "code":
            out.append(f"<code>{t}</code>")
        elif s.kind == "link":
            out.append(f'<a href="{file_name(s.target)}">{t}</a>')
        else:
            out.append(t)
    return "".join(out)


def _table(block: Block) -> str:
    rows = []
    for k, row in enumerate(block.rows):
        cell = "th" if block.header and k == 0 else "td"
        rows.append("<tr>" + "".join(f"<{cell}>{_spans(c)}</{cell}>" for c in row) + "</tr>")
    if block.header:
        return "<table>\n<thead>" + rows[0] + "</thead>\n<tbody>\n" + "\n".join(rows[1:]) + "\n</tbody>\n</table>"
    return "<table>\n<tbody>\n" + "\n".join(rows) + "\n</tbody>\n</table>"


def page_body(page: Page) -> str:
    out = []
    open_list = None
    for block in page.blocks:
        kind = {"bullet": "ul", "number": "ol"}.get(block.kind)
        if open_list and kind != open_list:
            out.append(f"</{open_list}>")
            open_list = None
        if kind and not open_list:
            start = f' start="{block.number}"' if kind == "ol" and block.number != 1 else ""
            out.append(f"<{kind}{start}>")
            open_list = kind
        if kind:
            out.append(f"<li>{_spans(block.spans)}</li>")
        elif block.kind == "heading":
            out.append(f"<h2>{_spans(block.spans)}</h2>")
        elif block.kind == "para":
            out.append(f"<p>{_spans(block.spans)}</p>")
        elif block.kind == "pre":
            out.append("<pre>" + escape("\n".join(block.lines)) + "</pre>")
        elif block.kind == "table":
            out.append(_table(block))
    if open_list:
        out.append(f"</{open_list}>")
    return "\n".join(out)


def render_page(book: HelpBook, index: int) -> str:
    page = book.pages[index]
    nav = [f'<a href="index.html">{escape(book.meta("label-contents"))}</a>']
    if index > 0:
        prev = book.pages[index - 1]
        nav.append(f'<a class="prev" rel="prev" href="{file_name(prev.id)}">« {escape(book.meta("label-prev"))}</a>')
    if index + 1 < len(book.pages):
        nxt = book.pages[index + 1]
        nav.append(f'<a class="next" rel="next" href="{file_name(nxt.id)}">{escape(book.meta("label-next"))} »</a>')
    title = page.title if page.id == CONTENTS_ID else f"{page.title} - {book.meta('book')}"
    return (
        "<!DOCTYPE html>\n"
        '<html lang="ja">\n<head>\n<meta charset="utf-8">\n'
        '<meta name="viewport" content="width=device-width, initial-scale=1">\n'
        f"<title>{escape(title)}</title>\n"
        '<link rel="stylesheet" href="help.css">\n</head>\n<body>\n'
        f"<nav>{' '.join(nav)}</nav>\n<main>\n<h1>{escape(page.title)}</h1>\n"
        f"{page_body(page)}\n</main>\n</body>\n</html>\n"
    )


def write_html(book: HelpBook, folder: Path) -> list[Path]:
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    written = []
    for k, page in enumerate(book.pages):
        target = folder / file_name(page.id)
        target.write_text(render_page(book, k), encoding="utf-8", newline="\n")
        written.append(target)
    css = folder / "help.css"
    css.write_text(CSS, encoding="utf-8", newline="\n")
    written.append(css)
    # Pages left from an earlier build whose source is gone would stay reachable by old links.
    keep = {p.name for p in written}
    for old in folder.glob("*.html"):
        if old.name not in keep:
            old.unlink()
    return written
