"""The portable zip holds exactly the program, its help and the Japanese README; the installer's database
holds its Japanese texts as written."""
import os
import pathlib
import subprocess
import unittest
import zipfile
from xml.etree import ElementTree


class ZipTest(unittest.TestCase):
    def setUp(self):
        self.build = pathlib.Path(os.environ["TAVLO_BUILD"])
        self.version = (self.build / "version.txt").read_text(encoding="utf-8").split()[0]

    def test_holds_exactly_the_program_help_and_readme(self):
        archive = self.build / "dist" / f"tavlo2-{self.version}-win64.zip"
        pages = sorted(p.name for p in (self.build / "html").iterdir())
        self.assertIn("index.html", pages)
        expected = {"Tavlo2/tavlo2.exe", "Tavlo2/tavlo2c.exe", "Tavlo2/TAVLO2.HLP", "Tavlo2/TAVLO2.CNT", "Tavlo2/README.txt"}
        expected |= {"Tavlo2/html/" + p for p in pages}
        with zipfile.ZipFile(archive) as z:
            self.assertEqual(set(z.namelist()), expected)
            self.assertEqual(len(z.namelist()), len(expected))
            for program in ("tavlo2.exe", "tavlo2c.exe"):
                self.assertEqual(z.read("Tavlo2/" + program), (self.build / program).read_bytes())
            readme = z.read("Tavlo2/README.txt")
        self.assertTrue(readme.startswith(b"\xef\xbb\xbf"))
        text = readme[3:].decode("utf-8")
        self.assertIn(self.version, text)
        for section in ("インストール", "送る", "コマンドライン", "設定", "/U", "元に戻す", "tavlo2c"):
            self.assertIn(section, text)
        self.assertNotIn("@VERSION@", text)

    def test_the_installer_is_there(self):
        msi = self.build / "dist" / f"tavlo2-{self.version}.msi"
        self.assertGreater(msi.stat().st_size, 100_000)

    def test_every_text_of_the_installer_reads_back_as_written(self):
        msi = str(self.build / "dist" / f"tavlo2-{self.version}.msi")

        def info(*args):
            return subprocess.run(["msiinfo", *args], check=True, capture_output=True).stdout.decode("utf-8")

        self.assertEqual(info("export", msi, "_ForceCodepage").replace("\0", "").split(), ["932", "_ForceCodepage"])
        self.assertIn("Template: x64;1041", info("suminfo", msi))
        tables = {t: info("export", msi, t) for t in info("tables", msi).split() if not t.startswith("_")}
        # Every attribute of the source that is not ASCII is somewhere in the database, whole.
        source = ElementTree.parse(self.build / "packages" / "tavlo2.wxs")
        texts = {v for e in source.iter() for v in e.attrib.values() if not v.isascii()}
        self.assertIn("ファイルの拡張子を一括で変更します", texts)
        everything = "\n".join(tables.values())
        for text in texts:
            self.assertIn(text, everything)
        # Each shortcut row has its own description, not another string of the pool.
        ns = "{http://schemas.microsoft.com/wix/2006/wi}"
        wanted = {s.get("Id"): s.get("Description") for s in source.iter(ns + "Shortcut")}
        rows = [line.split("\t") for line in tables["Shortcut"].splitlines()[3:] if line.strip()]
        self.assertEqual({r[0].strip(): r[6] for r in rows}, wanted)


if __name__ == "__main__":
    unittest.main()
