#!/usr/bin/env python3
"""The manifest the program writes beside itself at start, under wine64.

Each case starts the real program from a fresh application folder in a Wine
prefix of its own, set up for the case through Wine's own settings (Windows
version, themes, DLL overrides, locale), and looks at the folder from the Linux
side once the program has got as far as its window or its message box.

Environment: WINEPREFIX, a ready prefix that each case copies;
KESTRIMOND_BIN, the folder holding "Kestrimond GUI.exe" and the stand-in
kestrimond.exe; KESTRIMOND_TEST_DATA, the tests' data folder; DISPLAY.
"""

import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
BIN = os.environ.get("KESTRIMOND_BIN", "")
DATA = os.environ.get("KESTRIMOND_TEST_DATA", "")

PROGRAM = "Kestrimond GUI.exe"
CONVERTER = "kestrimond.exe"
MANIFEST = "Kestrimond GUI.exe.manifest"
MAIN_TITLE = "Kestrimond GUI BETA - Created by quill_marsh58"
BOX_TITLE = "Kestrimond GUI"
READ_ONLY, HIDDEN, SYSTEM = 1, 2, 4

WINE_KEY = r"HKCU\Software\Wine"
THEME_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager"
INTERNATIONAL_KEY = r"HKCU\Control Panel\International"

# Generous: Wine starts several times slower on a loaded machine.
LIMIT = 90


def windows():
    """The X windows as (id, title)."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True,
                          check=True).stdout
    return re.findall(r'^\s*(0x[0-9a-f]+) "(.*)": \(', tree, re.M)


def viewable(window_id):
    info = subprocess.run(["xwininfo", "-id", window_id], capture_output=True, text=True).stdout
    return "Map State: IsViewable" in info


def wait_for(condition, what):
    deadline = time.monotonic() + LIMIT
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.1)
    raise AssertionError(f"gave up waiting for {what}")


def dos_attributes(path):
    """The file's DOS attributes as Wine keeps them: hidden and system in an
    extended attribute, read-only as the lack of write permission."""
    try:
        stored = int(os.getxattr(path, "user.DOSATTRIB").rstrip(b"\0").decode(), 16)
    except OSError:
        stored = 0
    writable = os.stat(path).st_mode & 0o222
    return (stored & ~READ_ONLY) | (0 if writable else READ_ONLY)


class ManifestAtStart(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="kestrimond-manifest-")
        self.addCleanup(shutil.rmtree, self.work, True)
        self.log = open(os.path.join(self.work, "wine.log"), "wb")
        self.addCleanup(self.log.close)
        # The shared prefix's server may still be saving its registry.
        subprocess.run([WINESERVER, "-w"], stdin=subprocess.DEVNULL)
        self.prefix = os.path.join(self.work, "prefix")
        subprocess.run(["cp", "-a", os.environ["WINEPREFIX"], self.prefix], check=True)
        self.env = dict(os.environ, WINEPREFIX=self.prefix)
        self.program = None
        self.addCleanup(self.stop_wine)
        self.app = os.path.join(self.prefix, "drive_c", "app")
        os.mkdir(self.app)
        self.manifest = os.path.join(self.app, MANIFEST)
        with open(os.path.join(DATA, "visualstyle", "example.manifest"), "rb") as golden:
            self.expected = golden.read()

    def stop_wine(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, stdout=self.log, stderr=self.log)
        if self.program:
            self.program.wait(LIMIT)
        self.log.flush()
        with open(self.log.name, "rb") as log:
            output = log.read().decode(errors="replace").strip()
        if output:
            print(output)

    def wine(self, *args, **kwargs):
        """Runs a Wine command; its output goes to a file, since Wine's server
        and helpers inherit the handles and outlive the command."""
        subprocess.run([WINE, *args], env=self.env, stdin=subprocess.DEVNULL, stdout=self.log,
                       stderr=self.log, check=True, timeout=LIMIT, **kwargs)

    def reg_add(self, key, name, value):
        self.wine("reg", "add", key, "/v", name, "/d", value, "/f")

    def reg_query(self, key, name):
        out = subprocess.run([WINE, "reg", "query", key, "/v", name], env=self.env,
                             stdin=subprocess.DEVNULL, capture_output=True, text=True,
                             timeout=LIMIT).stdout
        found = re.search(rf"^\s*{name}\s+REG_\w+\s+(.*?)\s*$", out, re.M)
        return found.group(1) if found else None

    def install(self, converter=True):
        shutil.copy(os.path.join(BIN, PROGRAM), self.app)
        if converter:
            shutil.copy(os.path.join(BIN, CONVERTER), self.app)

    def start(self):
        self.program = subprocess.Popen([WINE, "C:\\app\\" + PROGRAM], env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=self.log,
                                        stderr=self.log)

    def window_shown(self, title):
        return any(t == title and viewable(i) for i, t in windows())

    def start_to_main_window(self):
        self.start()
        wait_for(lambda: self.window_shown(MAIN_TITLE), "the main window")
        self.assertIsNone(self.program.poll(), "the program has ended")

    def assert_manifest_written(self):
        with open(self.manifest, "rb") as written:
            self.assertEqual(written.read(), self.expected)
        self.assertEqual(dos_attributes(self.manifest), HIDDEN | SYSTEM)

    def assert_nothing_written(self):
        self.assertEqual(sorted(os.listdir(self.app)), sorted([PROGRAM, CONVERTER]))

    def test_windows_2000_writes_nothing(self):
        self.reg_add(WINE_KEY, "Version", "win2k")
        self.install()
        self.start_to_main_window()
        self.assert_nothing_written()

    def test_windows_xp_writes_the_manifest(self):
        self.reg_add(WINE_KEY, "Version", "winxp")
        self.install()
        self.start_to_main_window()
        self.assert_manifest_written()

    def test_windows_10_writes_the_manifest(self):
        self.reg_add(WINE_KEY, "Version", "win10")
        self.install()
        self.start_to_main_window()
        self.assert_manifest_written()

    def test_themes_off_writes_nothing(self):
        self.reg_add(THEME_KEY, "ThemeActive", "0")
        self.install()
        self.start_to_main_window()
        self.assert_nothing_written()

    def test_no_theme_library_writes_nothing(self):
        self.env["WINEDLLOVERRIDES"] = self.env.get("WINEDLLOVERRIDES", "") + ";uxtheme=d"
        self.install()
        self.start_to_main_window()
        self.assert_nothing_written()

    def test_existing_hidden_read_only_manifest_is_replaced(self):
        self.install()
        with open(self.manifest, "wb") as old:
            old.write(b"<old/>")
        for flag in ("+r", "+h", "+s"):  # attrib takes one at a time
            self.wine("cmd", "/c", "attrib", flag, "C:\\app\\" + MANIFEST)
        self.assertEqual(dos_attributes(self.manifest), READ_ONLY | HIDDEN | SYSTEM)
        self.start_to_main_window()
        self.assert_manifest_written()

    def test_folder_in_the_manifests_place_is_passed_over(self):
        self.install()
        os.mkdir(self.manifest)
        self.start_to_main_window()
        self.assertTrue(os.path.isdir(self.manifest))
        self.assertEqual(os.listdir(self.manifest), [])
        self.assertNotIn(BOX_TITLE, [title for _, title in windows()])

    def test_missing_converter_still_writes_the_manifest_first(self):
        self.install(converter=False)
        self.start()
        wait_for(lambda: self.window_shown(BOX_TITLE), "the message box")
        self.assert_manifest_written()
        self.assertFalse(self.window_shown(MAIN_TITLE))

    def test_german_locale_still_writes_the_manifest(self):
        # XP, where a version text of "5,01" would read as 5 and fail.
        self.env["LC_ALL"] = "de_DE.UTF-8"
        self.reg_add(WINE_KEY, "Version", "winxp")
        self.assertEqual(self.reg_query(INTERNATIONAL_KEY, "sDecimal"), ",",
                         "Wine does not see a German locale: is de_DE.UTF-8 generated?")
        self.install()
        self.start_to_main_window()
        self.assert_manifest_written()


if __name__ == "__main__":
    unittest.main()
