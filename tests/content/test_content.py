"""The content mode over files that real programs wrote: every format named wrongly, rightly and without an
extension, text files, empty and truncated files, and a file that changes between the preview and the run.
tavlo2c runs under Wine as a script would start it; its dry run must foretell the run, and undo must put
every name back."""
import bz2
import gzip
import lzma
import os
import pathlib
import shutil
import sqlite3
import struct
import subprocess
import tarfile
import tempfile
import unittest
import zipfile

BUILD = pathlib.Path(os.environ["TAVLO_BUILD"])
PREFIX = pathlib.Path(os.environ.get("WINEPREFIX", str(BUILD / "wineprefix")))


def run(*args, cwd=None):
    subprocess.run([str(a) for a in args], check=True, cwd=cwd, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def ffmpeg(out, *codec):
    run("ffmpeg", "-y", "-loglevel", "error", "-f", "lavfi", "-i", "testsrc=size=64x48:rate=10:duration=0.3",
        "-f", "lavfi", "-i", "sine=frequency=440:duration=0.3", *codec, "-shortest", out)


def audio(out, *codec):
    run("ffmpeg", "-y", "-loglevel", "error", "-f", "lavfi", "-i", "sine=frequency=440:duration=0.3", *codec, out)


def compound(names, installer=False):
    """A compound file of 512-byte sectors with the given directory entries (the first is the root)."""
    header = bytearray(b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + bytes(16) + struct.pack("<HHH", 0x3E, 3, 0xFFFE) +
                       struct.pack("<H", 9) + struct.pack("<H", 6) + bytes(10) + struct.pack("<II", 1, 1))
    header += bytes(76 - len(header)) + struct.pack("<I", 0)
    header += b"\xFF" * (512 - len(header))
    fat = struct.pack("<II", 0xFFFFFFFD, 0xFFFFFFFE) + b"\xFF" * 504
    directory = bytearray()
    for i, name in enumerate(names):
        entry = bytearray(name.encode("utf-16-le").ljust(64, b"\0"))
        entry += struct.pack("<HB", len(name) * 2 + 2, 5 if i == 0 else 2)
        entry += bytes(80 - len(entry))
        entry += (bytes.fromhex("84100C0000000000C000000000000046") if i == 0 and installer else bytes(16))
        directory += entry.ljust(128, b"\0")
    return bytes(header) + fat + bytes(directory).ljust(512, b"\0")


def zip_with(path, entries, first=None):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        if first:
            z.writestr(zipfile.ZipInfo(first[0]), first[1], compress_type=zipfile.ZIP_STORED)
        for name, data in entries:
            z.writestr(name, data)


def add_macros(source, target, part):
    with zipfile.ZipFile(source) as z, zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as out:
        for item in z.infolist():
            out.writestr(item, z.read(item.filename))
        out.writestr(part + "/vbaProject.bin", b"\xD0\xCF\x11\xE0 macros")


def font(path, cff=False):
    from fontTools.fontBuilder import FontBuilder
    from fontTools.pens.t2CharStringPen import T2CharStringPen
    from fontTools.pens.ttGlyphPen import TTGlyphPen
    fb = FontBuilder(1000, isTTF=not cff)
    fb.setupGlyphOrder([".notdef", "A"])
    fb.setupCharacterMap({65: "A"})
    if cff:
        pen = T2CharStringPen(500, None)
        pen.moveTo((0, 0)), pen.lineTo((500, 700)), pen.lineTo((0, 700)), pen.closePath()
        fb.setupCFF("Corpus", {"FullName": "Corpus"}, {".notdef": pen.getCharString(), "A": pen.getCharString()}, {})
    else:
        pen = TTGlyphPen(None)
        pen.moveTo((0, 0)), pen.lineTo((500, 700)), pen.lineTo((0, 700)), pen.closePath()
        fb.setupGlyf({".notdef": pen.glyph(), "A": pen.glyph()})
    fb.setupHorizontalMetrics({".notdef": (500, 0), "A": (500, 0)})
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    fb.setupNameTable({"familyName": "Corpus", "styleName": "Regular"})
    fb.setupOS2()
    fb.setupPost()
    fb.save(str(path))


def write_corpus(gen):
    """Writes one file per format into `gen`; returns {file name: usual extension}."""
    g = pathlib.Path(gen)
    made = {}

    def keep(name):
        made[name] = pathlib.Path(name).suffix

    for ext in ("jpg", "png", "gif", "bmp", "tif", "webp", "ico", "psd"):
        run("convert", "-size", "32x24", "gradient:red-blue", g / f"image.{ext}")
        keep(f"image.{ext}")
    run("heif-enc", "-q", "50", "-o", g / "photo.heic", g / "image.png")
    keep("photo.heic")
    # The distribution's ImageMagick may not write PDF: a small one by hand.
    (g / "paper.pdf").write_bytes(b"%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
                                  b"2 0 obj<</Type/Pages/Kids[]/Count 0>>endobj\ntrailer<</Root 1 0 R>>\n%%EOF\n")
    keep("paper.pdf")
    for ext, codec in (("mp3", []), ("flac", []), ("ogg", ["-c:a", "libvorbis"]), ("wav", []), ("m4a", ["-c:a", "aac"]),
                       ("aif", [])):
        audio(g / f"sound.{ext}", *codec)
        keep(f"sound.{ext}")
    for ext, codec in (("mp4", ["-c:v", "mpeg4"]), ("mov", ["-c:v", "mpeg4"]),
                       ("3gp", ["-c:v", "h263", "-s", "176x144", "-c:a", "aac", "-ar", "8000", "-ac", "1"]),
                       ("mkv", ["-c:v", "mpeg4"]), ("webm", ["-c:v", "libvpx", "-c:a", "libvorbis"]),
                       ("avi", ["-c:v", "mpeg4"]), ("flv", ["-c:v", "flv1", "-ar", "44100"]),
                       ("mpg", ["-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob"]), ("ts", ["-c:v", "mpeg2video", "-c:a", "mp2"])):
        ffmpeg(g / f"movie.{ext}", *codec)
        keep(f"movie.{ext}")
    (g / "song.mid").write_bytes(b"MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0\x04\0\xFF\x2F\0")
    keep("song.mid")

    source = g / "source"
    source.mkdir()
    (source / "a.txt").write_text("a corpus file\n" * 50)
    run("7zz", "a", "-tzip", g / "archive.zip", source / "a.txt")
    run("7zz", "a", "-t7z", g / "archive.7z", source / "a.txt")
    for name in ("archive.zip", "archive.7z"):
        keep(name)
    (g / "archive.rar").write_bytes(b"Rar!\x1A\x07\x01\x00" + bytes(64))  # no free writer: the signature alone
    keep("archive.rar")
    (g / "archive.gz").write_bytes(gzip.compress(b"x" * 1000))
    (g / "archive.bz2").write_bytes(bz2.compress(b"x" * 1000))
    (g / "archive.xz").write_bytes(lzma.compress(b"x" * 1000))
    run("zstd", "-q", "-f", source / "a.txt", "-o", g / "archive.zst")
    with tarfile.open(g / "archive.tar", "w", format=tarfile.USTAR_FORMAT) as t:
        t.add(source / "a.txt", arcname="a.txt")
    run("gcab", "-c", g / "archive.cab", source / "a.txt")
    run("jlha", "a", g / "archive.lzh", "a.txt", cwd=source)
    run("genisoimage", "-quiet", "-o", g / "disc.iso", source)
    for name in ("archive.gz", "archive.bz2", "archive.xz", "archive.zst", "archive.tar", "archive.cab", "archive.lzh", "disc.iso"):
        keep(name)
    shutil.rmtree(source)

    (g / "letter.rtf").write_text("{\\rtf1\\ansi{\\fonttbl\\f0 Arial;}\\f0 Hello}\n")
    (g / "old.doc").write_bytes(compound(["Root Entry", "1Table", "WordDocument", "\x05SummaryInformation"]))
    (g / "old.xls").write_bytes(compound(["Root Entry", "Workbook"]))
    (g / "old.ppt").write_bytes(compound(["Root Entry", "PowerPoint Document", "Current User"]))
    shutil.copy(next((BUILD / "dist").glob("tavlo2-*.msi")), g / "setup.msi")
    for name in ("letter.rtf", "old.doc", "old.xls", "old.ppt", "setup.msi"):
        keep(name)

    import docx
    import openpyxl
    document = docx.Document()
    document.add_paragraph("本文")
    document.save(g / "report.docx")
    add_macros(g / "report.docx", g / "macro.docm", "word")
    book = openpyxl.Workbook()
    book.active["A1"] = 1
    book.save(g / "sheet.xlsx")
    add_macros(g / "sheet.xlsx", g / "macro.xlsm", "xl")
    types = b'<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>'
    zip_with(g / "slides.pptx", [("[Content_Types].xml", types), ("_rels/.rels", b"<r/>"), ("ppt/presentation.xml", b"<p/>")])
    add_macros(g / "slides.pptx", g / "macro.pptm", "ppt")
    for name in ("report.docx", "macro.docm", "sheet.xlsx", "macro.xlsm", "slides.pptx", "macro.pptm"):
        keep(name)

    from odf.opendocument import OpenDocumentPresentation, OpenDocumentSpreadsheet, OpenDocumentText
    from odf.text import P
    text = OpenDocumentText()
    text.text.addElement(P(text="本文"))
    text.save(str(g / "writer.odt"))
    OpenDocumentSpreadsheet().save(str(g / "calc.ods"))
    OpenDocumentPresentation().save(str(g / "impress.odp"))
    zip_with(g / "book.epub", [("META-INF/container.xml", b"<container/>"), ("content.opf", b"<package/>")],
             first=("mimetype", b"application/epub+zip"))
    zip_with(g / "app.jar", [("META-INF/MANIFEST.MF", b"Manifest-Version: 1.0\n"), ("a/B.class", b"\xCA\xFE\xBA\xBE")])
    zip_with(g / "app.apk", [("AndroidManifest.xml", b"\x03\x00\x08\x00"), ("classes.dex", b"dex\n035\0"),
                             ("META-INF/MANIFEST.MF", b"Manifest-Version: 1.0\n")])
    for name in ("writer.odt", "calc.ods", "impress.odp", "book.epub", "app.jar", "app.apk"):
        keep(name)

    shutil.copy(BUILD / "tavlo2c.exe", g / "program.exe")
    dll = next(pathlib.Path("/usr/lib/gcc/x86_64-w64-mingw32").glob("*/libgcc_s_seh-1.dll"))
    shutil.copy(dll, g / "library.dll")
    (g / "Main.class").write_bytes(b"\xCA\xFE\xBA\xBE\x00\x00\x00\x34\x00\x0D" + bytes(40))
    for name in ("program.exe", "library.dll", "Main.class"):
        keep(name)

    from fontTools.ttLib import TTFont
    from fontTools.ttLib.ttCollection import TTCollection
    font(g / "face.ttf")
    font(g / "face.otf", cff=True)
    for flavor in ("woff", "woff2"):
        f = TTFont(g / "face.ttf")
        f.flavor = flavor
        f.save(g / f"face.{flavor}")
    collection = TTCollection()
    collection.fonts = [TTFont(g / "face.ttf"), TTFont(g / "face.ttf")]
    collection.save(g / "faces.ttc")
    for name in ("face.ttf", "face.otf", "face.woff", "face.woff2", "faces.ttc"):
        keep(name)

    db = sqlite3.connect(g / "store.sqlite")
    db.execute("create table t (x)")
    db.commit()
    db.close()
    keep("store.sqlite")
    return made


def wine(*args, cwd):
    env = dict(os.environ, WINEPREFIX=str(PREFIX), WINEDEBUG="-all", LC_ALL="ja_JP.UTF-8")
    with tempfile.TemporaryFile() as out:
        code = subprocess.run(["wine", str(BUILD / "tavlo2c.exe"), *args], cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                              stdout=out, stderr=subprocess.DEVNULL).returncode
        out.seek(0)
        return code, out.read().decode("utf-8")


class ContentModeTest(unittest.TestCase):
    def setUp(self):
        drive = PREFIX / "drive_c"
        self.folder = pathlib.Path(tempfile.mkdtemp(prefix="tavlo2-content-", dir=drive))
        self.addCleanup(shutil.rmtree, self.folder, True)

    def test_real_files_get_their_formats_extension_and_undo_puts_every_name_back(self):
        gen = self.folder / "gen"
        gen.mkdir()
        made = write_corpus(gen)
        work = self.folder / "work"
        work.mkdir()
        expected = {}
        for name, usual in made.items():
            stem, data = name.replace(".", "_"), (gen / name).read_bytes()
            wrong = ".jpg" if usual != ".jpg" else ".png"
            for target, result in ((f"{stem}-right{usual}", f"{stem}-right{usual}"),
                                   (f"{stem}-wrong{wrong}", f"{stem}-wrong{usual}"),
                                   (f"{stem}-upper{wrong.upper()}", f"{stem}-upper{usual.upper()}"),
                                   (f"{stem}-none", f"{stem}-none{usual}")):
                (work / target).write_bytes(data)
                expected[target] = result
        # Text is left under any name; so are empty files and content of no known kind.
        for name, data in (("notes.csv", b"a,b\n1,2\n"), ("data.json", b'{"a": 1}\n'), ("readme.md", "# 見出し\n".encode()),
                           ("main.c", b"int main(void) { return 0; }\n"), ("LICENSE", b"Permission is hereby granted\n"),
                           ("empty.jpg", b""), ("noise.png", bytes(range(256)) * 4)):
            (work / name).write_bytes(data)
            expected[name] = name
        # A PNG cut short still shows its kind.
        (work / "cut.jpg").write_bytes((gen / "image.png").read_bytes()[:40])
        expected["cut.jpg"] = "cut.png"
        # A file that becomes another kind after the preview: the run follows the disk.
        (work / "changes.gif").write_bytes((gen / "image.gif").read_bytes())

        code, preview = wine("content", "-n", ".", cwd=work)
        predicted = {}
        for line in preview.splitlines():
            fields = line.split("\t")
            if len(fields) == 3:
                predicted[fields[0].rsplit("\\", 1)[-1]] = fields[1] or fields[0].rsplit("\\", 1)[-1]
        self.assertEqual(predicted.pop("changes.gif"), "changes.gif")
        self.assertEqual(predicted, expected, preview)
        self.assertIn("PNG 画像", preview)

        (work / "changes.gif").write_bytes((gen / "image.png").read_bytes())
        before = sorted(p.name for p in work.iterdir())
        code, log = wine("content", ".", cwd=work)
        after = sorted(p.name for p in work.iterdir())
        self.assertEqual(after, sorted(list(expected.values()) + ["changes.png"]), log)
        self.assertIn("中身: Word 文書 (OOXML)", log)
        self.assertEqual(code, 1, "text, empty and unknown files were left")

        code, undo = wine("--undo", cwd=work)
        self.assertEqual(code, 0, undo)
        self.assertEqual(sorted(p.name for p in work.iterdir()), before)


if __name__ == "__main__":
    unittest.main()
