"""The service scripts' options (scripts/cups-queue, scripts/pg-server): help
and refusals come before anything is started or changed (the CUPS tools are
stand-ins that note each call; no PDF or PostgreSQL folder may appear)."""
import os
import stat
import subprocess
import tempfile
import unittest

SCRIPTS = os.path.join(os.path.dirname(__file__), "..", "..", "scripts")
TOOLS = ("cupsd", "lpadmin", "lpstat", "cupsenable", "cupsaccept", "cupsreject")

# (script, arguments, exit status, text expected on stdout, on stderr)
CASES = [
    ("cups-queue", ["--help"], 0, "scripts/cups-queue --stop     stop a scheduler", ""),
    ("cups-queue", ["-h"], 0, "Environment: VANTOR_CUPS_QUEUE (default VantorPDF)", ""),
    ("cups-queue", ["--bogus"], 2, "", "cups-queue: unknown option '--bogus' (see scripts/cups-queue --help)"),
    ("cups-queue", ["MyQueue"], 2, "", "cups-queue: unknown option 'MyQueue'"),  # a queue name is no option
    ("cups-queue", ["--stop", "--remove"], 2, "", "cups-queue: one option at most, not '--stop --remove'"),
    ("pg-server", ["--help"], 0, "scripts/pg-server --stop   stop the server", ""),
    ("pg-server", ["--bogus"], 2, "", "pg-server: unknown option '--bogus' (see scripts/pg-server --help)"),
    ("pg-server", ["--stop", "--stop"], 2, "", "pg-server: one option at most, not '--stop --stop'"),
]


class ScriptOptionsTest(unittest.TestCase):
    def test_cases(self):
        for script, args, status, out, err in CASES:
            with self.subTest(script=script, args=args), tempfile.TemporaryDirectory() as root:
                calls = os.path.join(root, "calls")
                for tool in TOOLS:
                    path = os.path.join(root, tool)
                    with open(path, "w") as f:
                        f.write('#!/bin/sh\necho "%s $*" >>"%s"\n' % (tool, calls))
                    os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)
                made = [os.path.join(root, "pdf"), os.path.join(root, "pg")]
                env = dict(os.environ, PATH=root + os.pathsep + os.environ["PATH"],
                           VANTOR_CUPS_QUEUE="VantorOptionsTest", VANTOR_CUPS_PDF_DIR=made[0],
                           VANTOR_PG_DIR=made[1], VANTOR_PG_POINTER="0")
                r = subprocess.run(["bash", os.path.join(SCRIPTS, script), *args], capture_output=True, text=True,
                                   env=env)
                self.assertEqual(r.returncode, status, r.stderr)
                self.assertIn(out, r.stdout)
                self.assertIn(err, r.stderr)
                self.assertFalse(os.path.exists(calls), "CUPS was asked: " + (open(calls).read()
                                                                            if os.path.exists(calls) else ""))
                for folder in made:
                    self.assertFalse(os.path.exists(folder), folder + " was made")


if __name__ == "__main__":
    unittest.main()
