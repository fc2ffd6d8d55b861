"""The portable zip holds exactly the program, its help and the Japanese README."""
import os
import pathlib
import unittest
import zipfile


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


if __name__ == "__main__":
    unittest.main()
