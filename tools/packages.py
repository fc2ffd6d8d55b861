#!/usr/bin/env python3
"""Makes the release packages from a build folder: the portable zip and the per-user MSI.

    packages.py --source REPO --build BUILD --out DIST

The version comes from BUILD/version.txt, which CMake writes from the project's version.
"""
import argparse
import html
import pathlib
import subprocess
import sys
import zipfile
from xml.etree import ElementTree


def read_version(build):
    lines = (build / "version.txt").read_text(encoding="utf-8").split()
    return lines[0], lines[1]  # "1.00" as shown, "1.0.0" for the installer


def zip_members(build, readme):
    """(name in the archive, file on disk), in the archive's order."""
    members = [("Tavlo2/tavlo2.exe", build / "tavlo2.exe"),
               ("Tavlo2/tavlo2c.exe", build / "tavlo2c.exe"),
               ("Tavlo2/TAVLO2.HLP", build / "TAVLO2.HLP"),
               ("Tavlo2/TAVLO2.CNT", build / "TAVLO2.CNT"),
               ("Tavlo2/README.txt", readme)]
    for page in sorted((build / "html").iterdir()):
        members.append(("Tavlo2/html/" + page.name, page))
    return members


def make_readme(source, build, version):
    text = (source / "res" / "README.txt").read_text(encoding="utf-8").replace("@VERSION@", version)
    readme = build / "packages" / "README.txt"
    readme.parent.mkdir(parents=True, exist_ok=True)
    # Notepad reads UTF-8 with a byte-order mark; the line ends are Windows'.
    readme.write_bytes(b"\xef\xbb\xbf" + text.replace("\n", "\r\n").encode("utf-8"))
    return readme


def make_zip(build, readme, target):
    with zipfile.ZipFile(target, "w", compression=zipfile.ZIP_DEFLATED) as archive:
        for name, path in zip_members(build, readme):
            archive.write(path, name)


def make_msi(source, build, msi_version, target):
    template = (source / "res" / "installer" / "tavlo2.wxs").read_text(encoding="utf-8")
    pages = sorted((build / "html").iterdir())
    files = "\n".join(
        '                <File Id="html_{0}" Name="{1}" Source="{2}" />'.format(
            i, html.escape(page.name), html.escape("html/" + page.name))
        for i, page in enumerate(pages))
    wxs = template.replace("@VERSION@", msi_version).replace("@HTML_FILES@", files)
    source_file = build / "packages" / "tavlo2.wxs"
    source_file.write_text(wxs, encoding="utf-8")
    # The Send To entry is an empty file; its type does the work.
    (build / "generated" / "Tavlo2.Tavlo2SendTo").write_bytes(b"")
    # wixl finds the files by names relative to the folder it runs in.
    subprocess.run(["wixl", "--arch", "x64", "-o", str(target), str(source_file)], check=True, cwd=build)
    add_user_path(build / "packages", target)
    write_japanese_text(build / "packages", target, wxs)


def write_japanese_text(work, msi, wxs):
    """wixl leaves the database at code page 0 and loses every text that is not ASCII (another string of the
    pool takes its place). The database gets code page 932 and the texts again, by SQL, which msibuild
    writes in the database's code page; the summary's template gets the product's language."""
    (work / "_ForceCodepage.idt").write_bytes(b"\r\n\r\n932\t_ForceCodepage\r\n")
    subprocess.run(["msibuild", str(msi), "-i", str(work / "_ForceCodepage.idt")], check=True)
    ns = {"w": "http://schemas.microsoft.com/wix/2006/wi"}
    root = ElementTree.fromstring(wxs)
    product = root.find("w:Product", ns)
    package = product.find("w:Package", ns)
    queries = []
    for shortcut in product.iter("{%s}Shortcut" % ns["w"]):
        for column in ("Name", "Description"):
            queries.append(("Shortcut", column, shortcut.get(column), "Shortcut", shortcut.get("Id")))
    upgrade = product.find("w:MajorUpgrade", ns)
    if upgrade is not None and upgrade.get("DowngradeErrorMessage"):
        queries.append(("LaunchCondition", "Description", upgrade.get("DowngradeErrorMessage"), "Condition",
                        "NOT WIX_DOWNGRADE_DETECTED"))
    for table, column, value, key, key_value in queries:
        if value is None:
            continue
        if "'" in value or "'" in key_value:
            raise ValueError("the database's SQL has no way to quote " + value)
        value.encode("cp932")  # a text the code page cannot hold fails the build here
        subprocess.run(["msibuild", str(msi), "-q",
                        f"UPDATE `{table}` SET `{column}`='{value}' WHERE `{key}`='{key_value}'"], check=True)
    language = product.get("Language")
    subprocess.run(["msibuild", str(msi), "-s", package.get("Description"), package.get("Manufacturer"),
                    f"x64;{language}"], check=True)


def add_user_path(work, msi):
    """The install folder at the end of the user's PATH, taken out again at uninstall: an Environment
    row on the console command's component ("=-": set at install, removed at uninstall; "[~];" appends
    to what is there) and the two standard actions that carry it out, which wixl has no element for."""
    (work / "Environment.idt").write_text(
        "Environment\tName\tValue\tComponent_\n"
        "s72\tl255\tL255\ts72\n"
        "Environment\tEnvironment\n"
        "UserPath\t=-PATH\t[~];[INSTALLDIR]\tConsole\n", encoding="utf-8")
    sequence = subprocess.run(["msiinfo", "export", str(msi), "InstallExecuteSequence"], check=True,
                              capture_output=True, text=True).stdout
    if "WriteEnvironmentStrings" not in sequence:
        # Their standard places: taken out before the files go, written after they come.
        sequence = sequence.rstrip("\r\n") + "\r\nRemoveEnvironmentStrings\t\t3300\r\nWriteEnvironmentStrings\t\t5200\r\n"
    (work / "InstallExecuteSequence.idt").write_text(sequence, encoding="utf-8")
    for table in ("Environment.idt", "InstallExecuteSequence.idt"):
        subprocess.run(["msibuild", str(msi), "-i", str(work / table)], check=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True, type=pathlib.Path)
    parser.add_argument("--build", required=True, type=pathlib.Path)
    parser.add_argument("--out", required=True, type=pathlib.Path)
    args = parser.parse_args()
    source, build, out = args.source.resolve(), args.build.resolve(), args.out.resolve()
    version, msi_version = read_version(build)
    out.mkdir(parents=True, exist_ok=True)
    readme = make_readme(source, build, version)
    make_zip(build, readme, out / f"tavlo2-{version}-win64.zip")
    make_msi(source, build, msi_version, out / f"tavlo2-{version}.msi")
    return 0


if __name__ == "__main__":
    sys.exit(main())
