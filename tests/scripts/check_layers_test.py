"""scripts/check-layers on small trees: what it lets through and what it stops."""
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "check-layers")
TABLE = """| folder | kind | target | what |
|---|---|---|---|
| `base/` | Qt-free | b | |
| `family/` | Qt-free | f | |
| `family/qt/` | Qt | fq | |
"""

# (case, README table, {file: text}, the fault expected or None)
CASES = [
    ("downward include", TABLE, {"family/F.h": '#include "base/B.h"\n', "base/B.h": ""}, None),
    ("upward include", TABLE, {"base/B.h": '#include "family/F.h"\n', "family/F.h": ""},
     'base/B.h: includes "family/F.h" from family/, a layer listed above base/'),
    ("Qt folder from Qt-free", TABLE.replace("`family/` | Qt-free", "`family/` | Qt-free"),
     {"family/F.h": '#include "family/qt/Q.h"\n', "family/qt/Q.h": ""}, "a Qt-free folder includes"),
    ("Qt header in Qt-free", TABLE, {"base/B.h": "#include <QString>\n"}, "includes the Qt header <QString>"),
    ("subfolder before its folder",
     TABLE.replace("| `family/` | Qt-free | f | |\n| `family/qt/` | Qt | fq | |\n",
                   "| `family/qt/` | Qt | fq | |\n| `family/` | Qt-free | f | |\n"),
     {"family/F.h": "", "family/qt/Q.h": '#include "family/F.h"\n'}, "before its folder family/"),
    ("one family includes the other", TABLE + "| `dlt/` | Qt-free | d | |\n| `lto/` | Qt-free | l | |\n",
     {"dlt/D.h": "", "lto/L.h": '#include "dlt/D.h"\n'}, "the label family lto/ includes"),
    ("folder missing from the table", TABLE, {"base/B.h": "", "extra/E.h": ""}, "extra/: a source folder missing"),
]


class CheckLayersTest(unittest.TestCase):
    def test_cases(self):
        for name, table, files, fault in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as root:
                with open(os.path.join(root, "README.md"), "w") as f:
                    f.write(table)
                for path in {"base/B.h": "", "family/F.h": "", "family/qt/Q.h": "", **files}:
                    os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
                    with open(os.path.join(root, path), "w") as f:
                        f.write(files.get(path, ""))
                r = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
                if fault is None:
                    self.assertEqual((r.returncode, r.stderr), (0, ""))
                else:
                    self.assertEqual(r.returncode, 1)
                    self.assertIn(fault, r.stderr)


if __name__ == "__main__":
    unittest.main()
