"""Tests of the help generator and of the help it built: the source markup, the packed numbers and
B+ trees of the help file format, and the built TAVLO2.HLP and html/ read back page by page.

Run from ctest (TAVLO_HELP_OUT names the folder beside the executable) or alone with
`python3 -m unittest discover -s tests/help`, which builds the help into a temporary folder."""
from __future__ import annotations

import os
import re
import struct
import sys
import tempfile
import unittest
from html.parser import HTMLParser
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools" / "helpgen"))
sys.path.insert(0, str(Path(__file__).resolve().parent))

import helpgen  # noqa: E402
import hlp_writer as hw  # noqa: E402
from hlpreader import BTree, FormatError, HelpFile, read_cshort, read_culong, read_cushort, cstring  # noqa: E402
from markup import MarkupError, load_book, parse_page, plain_text  # noqa: E402

SOURCE = ROOT / "res" / "help"


def write_pages(folder: Path, pages: dict[str, str]):
    for name, text in pages.items():
        (folder / f"{name}.txt").write_text(text, encoding="utf-8")


class MarkupTest(unittest.TestCase):
    def test_blocks_and_inline_forms(self):
        page = parse_page(
            "= 題名\n@book 本\n\n一行目の文と\n二行目の文。\nnext line\n\n== 見出し **太字**\n"
            "- 項目 `a.txt`\n  続きの行\n- [[other|別の文]]\n\n3. 三番\n4. 四番\n\n"
            "| 左 | 右 |\n|---|---|\n| a | b |\n\n```\n  そのまま  \n[[not_a_link]]\n```\n", "p")
        self.assertEqual(page.title, "題名")
        self.assertEqual(page.meta, {"book": "本"})
        kinds = [b.kind for b in page.blocks]
        self.assertEqual(kinds, ["para", "heading", "bullet", "bullet", "number", "number", "table", "pre"])
        # Japanese lines join without a space; Latin text after them keeps none either, as it follows "。".
        self.assertEqual(plain_text(page.blocks[0].spans), "一行目の文と二行目の文。next line")
        self.assertEqual([(s.kind, s.text) for s in page.blocks[1].spans], [("text", "見出し "), ("bold", "太字")])
        self.assertEqual(plain_text(page.blocks[2].spans), "項目 a.txt続きの行")
        link = page.blocks[3].spans[0]
        self.assertEqual((link.kind, link.text, link.target), ("link", "別の文", "other"))
        self.assertEqual([b.number for b in page.blocks[4:6]], [3, 4])
        table = page.blocks[6]
        self.assertTrue(table.header)
        self.assertEqual([[plain_text(c) for c in row] for row in table.rows], [["左", "右"], ["a", "b"]])
        self.assertEqual(page.blocks[7].lines, ["  そのまま", "[[not_a_link]]"])

    def test_latin_lines_join_with_a_space(self):
        page = parse_page("= T\n\nword one\nword two\n", "p")
        self.assertEqual(plain_text(page.blocks[0].spans), "word one word two")

    def test_faults_name_the_file_and_line(self):
        bad = {
            "no title": "本文\n",
            "second title": "= A\n\n= B\n",
            "open fence": "= A\n\n```\nx\n",
            "ragged table": "= A\n\n| a | b |\n| c |\n",
            "rule not under the first row": "= A\n\n| a |\n| b |\n|---|\n",
            "bad link id": "= A\n\n[[No-Such]]\n",
            "late settings": "= A\n\ntext\n@book x\n",
        }
        for name, text in bad.items():
            with self.subTest(name):
                with self.assertRaises(MarkupError) as caught:
                    parse_page(text, "p", "page.txt")
                self.assertIn("page.txt:", str(caught.exception))

    def test_book_order_follows_the_contents_links(self):
        with tempfile.TemporaryDirectory() as d:
            write_pages(Path(d), {"contents": "= 目次\n\n- [[b]]\n- [[a|エー]]\n- [[b]]\n",
                                  "a": "= ページA\n\n[[b]]へ\n", "b": "= ページB\n"})
            book = load_book(Path(d))
            self.assertEqual([p.id for p in book.pages], ["contents", "b", "a"])
            self.assertEqual([s.text for s in book.page("a").links()], ["ページB"])
            self.assertEqual([s.text for s in book.contents.links()], ["ページB", "エー", "ページB"])

    def test_book_faults(self):
        cases = {
            "unlinked page": {"contents": "= 目次\n", "a": "= A\n"},
            "missing target": {"contents": "= 目次\n\n[[gone]]\n"},
            "same title twice": {"contents": "= 目次\n\n[[a]]\n", "a": "= 目次\n"},
            "no contents page": {"a": "= A\n"},
            "file name is no id": {"contents": "= 目次\n", "Bad-Name": "= B\n"},
        }
        for name, pages in cases.items():
            with self.subTest(name), tempfile.TemporaryDirectory() as d:
                write_pages(Path(d), pages)
                with self.assertRaises(MarkupError):
                    load_book(Path(d))


class PackedNumberTest(unittest.TestCase):
    def test_known_encodings(self):
        self.assertEqual(hw.compressed_ushort(5), b"\x0a")
        self.assertEqual(hw.compressed_ushort(127), b"\xfe")
        self.assertEqual(hw.compressed_ushort(128), struct.pack("<H", 257))
        self.assertEqual(hw.compressed_short(0), b"\x80")
        self.assertEqual(hw.compressed_short(-24), b"\x50")
        self.assertEqual(hw.compressed_short(64), struct.pack("<H", (64 + 0x4000) * 2 + 1))
        self.assertEqual(hw.compressed_ulong(0x7FFF), struct.pack("<H", 0xFFFE))
        self.assertEqual(hw.compressed_ulong(0x8000), struct.pack("<I", 0x10001))

    def test_reader_decodes_what_the_writer_packs(self):
        for v in [0, 1, 63, 64, 127, 128, 300, 0x3FFF, 0x7FFF]:
            self.assertEqual(read_cushort(hw.compressed_ushort(v), 0), (v, len(hw.compressed_ushort(v))))
        for v in [-0x4000, -300, -65, -64, -1, 0, 1, 63, 64, 0x3FFF]:
            self.assertEqual(read_cshort(hw.compressed_short(v), 0)[0], v)
        for v in [0, 5, 0x7FFF, 0x8000, 123456, 0x7FFFFFFF]:
            self.assertEqual(read_culong(hw.compressed_ulong(v), 0)[0], v)

    def test_out_of_range_values_are_refused(self):
        for f, v in [(hw.compressed_ushort, -1), (hw.compressed_ushort, 0x8000), (hw.compressed_short, 0x4000),
                     (hw.compressed_short, -0x4001), (hw.compressed_ulong, -1)]:
            with self.subTest(f=f.__name__, v=v), self.assertRaises(ValueError):
                f(v)


class ContextHashTest(unittest.TestCase):
    def test_values_follow_the_character_table(self):
        self.assertEqual(hw.context_hash("a"), 17)
        self.assertEqual(hw.context_hash("z"), 42)
        self.assertEqual(hw.context_hash("ab"), 17 * 43 + 18)
        self.assertEqual(hw.context_hash("a1_0."), (((17 * 43 + 1) * 43 + 13) * 43 + 10) * 43 + 12)

    def test_letter_case_does_not_matter_and_results_are_signed(self):
        self.assertEqual(hw.context_hash("Main_Window"), hw.context_hash("main_window"))
        long_id = "zzzzzzzzzz"
        h = hw.context_hash(long_id)
        self.assertTrue(-2 ** 31 <= h < 2 ** 31)
        expected = 0
        for _ in long_id:
            expected = (expected * 43 + 42) % 2 ** 32
        self.assertEqual(h % 2 ** 32, expected)

    def test_characters_outside_the_table_are_refused(self):
        for bad in ["a-b", "a b", "ページ"]:
            with self.subTest(bad), self.assertRaises(ValueError):
                hw.context_hash(bad)


class BTreeTest(unittest.TestCase):
    @staticmethod
    def parse_entry(buf, pos):
        key = struct.unpack_from("<i", buf, pos)[0]
        text, pos = cstring(buf, pos + 4)
        return (key, text), pos

    def test_many_entries_make_index_levels_that_find_every_key(self):
        keys = sorted({(k * 7919) % 100003 - 50000 for k in range(600)})
        entries = [(struct.pack("<i", k), struct.pack("<i", k) + f"v{k}".encode() + b"\0") for k in keys]
        tree = BTree.parse(hw.btree(entries, "Lz", page_size=64))
        self.assertGreaterEqual(tree.levels, 3)
        self.assertEqual([k for k, _ in tree.entries(self.parse_entry)], keys)
        for k in keys[::7] + [keys[0], keys[-1]]:
            found = tree.find(k, lambda b, p: (struct.unpack_from("<i", b, p)[0], p + 4), self.parse_entry,
                              lambda e: e[0])
            self.assertEqual(found, (k, f"v{k}".encode()))
        self.assertIsNone(tree.find(keys[-1] + 1, lambda b, p: (struct.unpack_from("<i", b, p)[0], p + 4),
                                    self.parse_entry, lambda e: e[0]))

    def test_an_empty_tree_is_one_empty_leaf(self):
        tree = BTree.parse(hw.btree([], "L4"))
        self.assertEqual((tree.levels, tree.total_pages), (1, 1))
        self.assertEqual(tree.entries(self.parse_entry), [])

    def test_an_entry_larger_than_a_page_is_refused(self):
        with self.assertRaises(ValueError):
            hw.btree([(b"k", b"x" * 100)], "z4", page_size=64)


class BuiltHelpTest(unittest.TestCase):
    """The help as built for the program: from TAVLO_HELP_OUT, or built here from res/help."""

    @classmethod
    def setUpClass(cls):
        cls.temp = None
        out = os.environ.get("TAVLO_HELP_OUT")
        if not out:
            cls.temp = tempfile.TemporaryDirectory()
            out = cls.temp.name
            if helpgen.main(["--source", str(SOURCE), "--out", out]) != 0:
                raise RuntimeError("the generator failed")
        cls.out = Path(out)
        cls.book = load_book(SOURCE)
        cls.hlp = HelpFile((cls.out / "TAVLO2.HLP").read_bytes())
        cls.by_title = {t.title: t for t in cls.hlp.topics}

    @classmethod
    def tearDownClass(cls):
        if cls.temp:
            cls.temp.cleanup()

    def test_directory_holds_the_internal_files_and_finds_them_through_its_index(self):
        for name in ["|SYSTEM", "|FONT", "|TOPIC", "|CONTEXT", "|TTLBTREE", "|KWBTREE", "|KWDATA", "|KWMAP"]:
            self.assertIn(name, self.hlp.files)
            self.assertEqual(self.hlp.find_file(name), self.hlp.files[name])
        names = list(self.hlp.files)
        self.assertEqual(names, sorted(names, key=lambda n: n.encode()))

    def test_system_names_the_title_japanese_text_and_the_contents_topic(self):
        self.assertEqual(self.hlp.title, self.book.meta("book"))
        self.assertEqual(self.hlp.system["minor"], 21)
        self.assertEqual(struct.unpack("<H", self.hlp.system_record(11))[0], 128)  # Shift-JIS
        self.assertEqual(struct.unpack_from("<H", self.hlp.system_record(9), 8)[0], 0x0411)
        contents = self.hlp.topic_at(self.hlp.contents_offset)
        self.assertIsNotNone(contents)
        self.assertEqual(contents.title, self.book.contents.title)

    def test_every_page_is_a_topic_in_browse_order(self):
        self.assertEqual([t.title for t in self.hlp.topics], [p.title for p in self.book.pages])
        self.assertEqual([t.number for t in self.hlp.topics], list(range(len(self.book.pages))))
        topics = self.hlp.topics
        for k, t in enumerate(topics):
            self.assertEqual(t.browse_back, topics[k - 1].offset if k else 0xFFFFFFFF)
            self.assertEqual(t.browse_forward, topics[k + 1].offset if k + 1 < len(topics) else 0xFFFFFFFF)
            self.assertEqual(t.next_topic, topics[k + 1].position if k + 1 < len(topics) else 0xFFFFFFFF)
        offsets = [t.offset for t in topics]
        self.assertEqual(len(set(offsets)), len(offsets))

    def test_topic_blocks_point_at_their_first_link(self):
        for b, (last_prev, first, _last_header) in enumerate(self.hlp.block_headers):
            self.assertEqual((first - 12) >> 14, b)
            self.assertIn(first, self.hlp.link_positions)
            earlier = [p for p in self.hlp.link_positions if p < first]
            self.assertEqual(last_prev, earlier[-1] if earlier else 0xFFFFFFFF)

    def test_every_page_text_is_in_its_topic(self):
        for page in self.book.pages:
            text = self.by_title[page.title].text
            for block in page.blocks:
                if block.kind == "table":
                    pieces = [plain_text(c) for row in block.rows for c in row]
                elif block.kind == "pre":
                    pieces = block.lines
                else:
                    pieces = [plain_text(block.spans)]
                for piece in pieces:
                    self.assertIn(piece, text, f"{page.id}: {piece!r}")

    def test_every_link_jumps_to_its_page_through_the_context_tree(self):
        context = self.hlp.context()
        for page in self.book.pages:
            jumps = [j for p in self.by_title[page.title].paragraphs for j in p.jumps]
            links = list(page.links())
            self.assertEqual([label for _, label in jumps], [s.text for s in links], page.id)
            for (h, _), link in zip(jumps, links):
                self.assertIn(h, context, f"{page.id} -> {link.target}")
                self.assertEqual(self.hlp.context_lookup(h), context[h])
                target = self.hlp.topic_at(context[h])
                self.assertIsNotNone(target, f"{link.target} resolves to no topic start")
                self.assertEqual(target.title, self.book.page(link.target).title)

    def test_every_context_entry_and_title_entry_names_a_topic_start(self):
        starts = {t.offset: t.title for t in self.hlp.topics}
        self.assertEqual(len(self.hlp.context()), len(self.book.pages))
        for offset in self.hlp.context().values():
            self.assertIn(offset, starts)
        self.assertEqual(self.hlp.titles(), starts)

    def test_fonts_used_by_paragraphs_exist(self):
        used = {f for t in self.hlp.topics for p in t.paragraphs for f in p.fonts}
        self.assertTrue(used)
        self.assertLess(max(used), len(self.hlp.fonts))
        for font in self.hlp.fonts:
            self.assertTrue(font["face"])
            self.assertGreater(font["half_points"], 0)

    def test_keywords_lead_to_their_pages(self):
        words = self.hlp.keywords()
        starts = {t.offset: t.title for t in self.hlp.topics}
        for page in self.book.pages:
            self.assertEqual([starts[o] for o in words[page.title]], [page.title])
        for word, offsets in words.items():
            self.assertEqual(len(offsets), 1, word)
            self.assertIn(offsets[0], starts)

    def test_contents_file_lists_topics_that_exist(self):
        lines = (self.out / "TAVLO2.CNT").read_bytes().decode("cp932").split("\r\n")
        self.assertEqual(lines[0], ":Base TAVLO2.HLP")
        targets = [l.split("=", 1)[1] for l in lines if re.match(r"^\d+ .+=", l)]
        ids = {p.id for p in self.book.pages}
        self.assertEqual(set(targets), ids)
        context = self.hlp.context()
        for t in targets:
            self.assertIn(hw.context_hash(t), context)

    def test_html_pages_are_all_present_and_every_link_resolves(self):
        html = self.out / "html"
        self.assertTrue((html / "index.html").is_file())
        reached, queue = set(), ["index.html"]
        while queue:
            name = queue.pop()
            if name in reached:
                continue
            reached.add(name)
            parser = _Links()
            parser.feed((html / name).read_text(encoding="utf-8"))
            self.assertIn("utf-8", parser.charsets, name)
            self.assertTrue(parser.title, name)
            for href in parser.hrefs:
                self.assertTrue((html / href).is_file(), f"{name} links to missing {href}")
                if href.endswith(".html"):
                    queue.append(href)
        expected = {"index.html" if p.id == "contents" else f"{p.id}.html" for p in self.book.pages}
        self.assertEqual(reached, expected)
        self.assertEqual({p.name for p in html.glob("*.html")}, expected)

    def test_html_keeps_each_page_title_and_links(self):
        for page in self.book.pages:
            name = "index.html" if page.id == "contents" else f"{page.id}.html"
            parser = _Links()
            parser.feed((self.out / "html" / name).read_text(encoding="utf-8"))
            self.assertEqual(parser.h1, page.title)
            body_links = [h for h in parser.main_hrefs]
            self.assertEqual(body_links, ["index.html" if s.target == "contents" else f"{s.target}.html"
                                          for s in page.links()])


class _Links(HTMLParser):
    def __init__(self):
        super().__init__()
        self.hrefs, self.main_hrefs, self.charsets = [], [], []
        self.title = self.h1 = ""
        self._in = None
        self._main = False

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "a" and "href" in a:
            self.hrefs.append(a["href"])
            if self._main:
                self.main_hrefs.append(a["href"])
        elif tag == "link" and "href" in a:
            self.hrefs.append(a["href"])
        elif tag == "meta" and "charset" in a:
            self.charsets.append(a["charset"].lower())
        elif tag == "main":
            self._main = True
        if tag in ("title", "h1"):
            self._in = tag

    def handle_endtag(self, tag):
        if tag == "main":
            self._main = False
        self._in = None

    def handle_data(self, data):
        if self._in == "title":
            self.title += data
        elif self._in == "h1":
            self.h1 += data


class GeneratorFaultTest(unittest.TestCase):
    def test_text_without_a_code_page_932_form_stops_the_build(self):
        with tempfile.TemporaryDirectory() as d:
            write_pages(Path(d), {"contents": "= 目次\n\n한국어\n"})
            with self.assertRaises(ValueError) as caught:
                hw.build_hlp(load_book(Path(d)), "t")
            self.assertIn("932", str(caught.exception))

    def test_a_paragraph_too_long_for_a_block_stops_the_build(self):
        with tempfile.TemporaryDirectory() as d:
            write_pages(Path(d), {"contents": "= 目次\n\n" + "長" * 2100 + "\n"})
            with self.assertRaises(ValueError):
                hw.build_hlp(load_book(Path(d)), "t")

    def test_many_pages_spread_over_blocks_stay_reachable(self):
        with tempfile.TemporaryDirectory() as d:
            pages = {"contents": "= 目次\n\n" + "\n".join(f"- [[p{k}]]" for k in range(40)) + "\n"}
            for k in range(40):
                pages[f"p{k}"] = f"= ページ{k}\n\n" + ("本文の段落です。" * 40 + "\n\n") * 3 + "[[contents]]\n"
            write_pages(Path(d), pages)
            book = load_book(Path(d))
            hlp = HelpFile(hw.build_hlp(book, "t", 0).data)
            self.assertGreater(len(hlp.block_headers), 10)
            context = hlp.context()
            for page in book.pages:
                topic = hlp.topic_at(context[hw.context_hash(page.id)])
                self.assertEqual(topic.title, page.title)

    def test_reader_rejects_a_damaged_file(self):
        data = bytearray(hw.build_hlp(load_book(SOURCE), "t", 0).data)
        with self.assertRaises(FormatError):
            HelpFile(bytes(data[:-1]))
        topic_at = HelpFile(bytes(data)).files["|TOPIC"] + 9
        damaged = bytearray(data)
        damaged[topic_at + 12 + 20] = 0x55  # the record type of the first topic link
        with self.assertRaises(FormatError):
            HelpFile(bytes(damaged))


if __name__ == "__main__":
    unittest.main()
