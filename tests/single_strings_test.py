#!/usr/bin/python3
"""scripts/check-single-strings.py on a copy of the tree with one file planted
in it: each row writes 有效日照时间 (a caption of the design) a second time
in a way a reader of whole literals misses, or somewhere that is not a text."""
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
# The file planted, its content, and whether the check must fail.
ROWS = [
    ("web/page/planted.js", "const say = (n) => `${n}：有效日照时间 ${n}`;", True),
    ("ui/planted.cpp", 'const char *caption = "有效"\n    "日照时间";', True),
    ("ui/planted.cpp", 'auto caption = R"x(有效日照时间)x";', True),
    ("ui/planted.cpp", 'auto caption = u8"\\u6709\\u6548日照时间";', True),
    ("ui/planted.hpp", 'inline const char *caption = "有效日照时间";', True),
    ("web/seal/planted.py", 'CAPTION = f"{1}有效日照时间"', True),
    ("ui/planted.cpp", "int n = 1'000; auto c = \"有效日照时间\"; char q = 'x';", True),
    ("ui/planted.cpp", 'auto caption = "\\xe6\\x9c\\x89\\xe6\\x95\\x88日照时间";', True),
    ("web/page/planted.js", "const c = '有效' +\n  '日照时间';", True),
    ("web/page/planted.css", 'p::after { content: "\\6709\\6548日照时间"; }', True),
    ("web/page/planted.html", "<p>&#x6709;&#25928;日照时间</p>", True),
    ("web/page/planted.json", '{"c": "\\u6709\\u6548日照时间"}', True),
    ("cmake/planted.cmake", 'set(CAPTION "有效日照时间")', True),
    ("design/planted.tsv", "Label1\t有效日照时间\t0", True),
    ("i18n/planted.dat", "有效日照时间", True),
    ("ui/planted.cpp", "// 有效日照时间\n/* 有效日照时间 */ int n = 0;", False),
    ("web/seal/planted.py", '"""有效日照时间"""\n# 有效日照时间\n', False),
    ("tests/planted.cpp", 'auto caption = "有效日照时间";', False),
]


class PlantedDuplicates(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()
        cls.tree = Path(cls.scratch.name) / "tree"
        shutil.copytree(ROOT, cls.tree, ignore=lambda folder, names: [
            name for name in names if name == "node_modules"
            or Path(folder) == ROOT and name.startswith((".", "build"))])

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def check(self):
        return subprocess.run([ROOT / "scripts/check-single-strings.py", self.tree],
                              capture_output=True, text=True)

    def test_planted(self):
        self.assertEqual(self.check().returncode, 0, "the tree itself passes")
        for path, content, fails in ROWS:
            with self.subTest(path=path, content=content):
                planted = self.tree / path
                planted.parent.mkdir(exist_ok=True)
                planted.write_text(content, encoding="utf-8")
                result = self.check()
                planted.unlink()
                self.assertEqual(result.returncode, int(fails), result.stdout)
                if fails:
                    self.assertIn(path, result.stdout)


if __name__ == "__main__":
    unittest.main()
