#!/usr/bin/env python3
"""Builds the program's help from res/help: an HTML rendering (html/index.html is the contents page)
and the Windows help file with its contents file, all written into one output folder.

    python3 helpgen.py --source res/help --out build [--name TAVLO2]
"""
from __future__ import annotations

import argparse
import os
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from hlp_writer import build_cnt, build_hlp  # noqa: E402
from html_writer import write_html  # noqa: E402
from markup import MarkupError, load_book  # noqa: E402


def write_atomically(path: Path, data: bytes):
    temp = path.with_name(path.name + ".tmp")
    temp.write_bytes(data)
    os.replace(temp, path)


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", required=True, type=Path, help="folder of the page sources")
    parser.add_argument("--out", required=True, type=Path, help="folder beside the executable")
    parser.add_argument("--name", default="TAVLO2", help="base name of the help file")
    args = parser.parse_args(argv)
    try:
        book = load_book(args.source)
        title = book.meta("book", book.contents.title)
        epoch = os.environ.get("SOURCE_DATE_EPOCH")
        hlp = build_hlp(book, title, int(epoch) if epoch else None)
        cnt = build_cnt(book, f"{args.name}.HLP", title)
    except (MarkupError, ValueError) as e:
        print(f"helpgen: {e}", file=sys.stderr)
        return 1
    args.out.mkdir(parents=True, exist_ok=True)
    write_html(book, args.out / "html")
    write_atomically(args.out / f"{args.name}.HLP", hlp.data)
    write_atomically(args.out / f"{args.name}.CNT", cnt)
    print(f"helpgen: {len(book.pages)} pages -> {args.out / 'html'}, {args.name}.HLP ({len(hlp.data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
