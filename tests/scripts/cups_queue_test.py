"""The service scripts' options (scripts/cups-queue, scripts/pg-server): help
and refusals come before anything is started or changed (the CUPS tools are
stand-ins that note each call; PostgreSQL's folder must not appear)."""
import os
import stat
import subprocess
import tempfile
import unittest

SCRIPTS = os.path.join(os.path.dirname(__file__), "..", "..", "scripts")
SCRIPT = os.path.join(SCRIPTS, "cups-queue")
TOOLS = ("cupsd", "lpadmin", "lpstat", "cupsenable", "cupsaccept", "cupsreject")

# (case, arguments, exit status, text expected on stdout, on stderr)
CASES = [
    ("--help", ["--help"], 0, "scripts/cups-queue --stop     stop a scheduler", ""),
    ("-h", ["-h"], 0, "Environment: VANTOR_CUPS_QUEUE (default VantorPDF)", ""),
    ("unknown option", ["--bogus"], 2, "", "cups-queue: unknown option '--bogus' (see scripts/cups-queue --help)"),
    ("a queue name is no option", ["MyQueue"], 2, "", "cups-queue: unknown option 'MyQueue'"),
    ("two options", ["--stop", "--remove"], 2, "", "cups-queue: one option at most, not '--stop --remove'"),
]


class CupsQueueOptionsTest(unittest.TestCase):
    def test_cases(self):
        for name, args, status, out, err in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as root:
                calls = os.path.join(root, "calls")
                for tool in TOOLS:
                    path = os.path.join(root, tool)
                    with open(path, "w") as f:
                        f.write('#!/bin/sh\necho "%s $*" >>"%s"\n' % (tool, calls))
                    os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)
                env = dict(os.environ, PATH=root + os.pathsep + os.environ["PATH"],
                           VANTOR_CUPS_QUEUE="VantorOptionsTest", VANTOR_CUPS_PDF_DIR=os.path.join(root, "pdf"))
                r = subprocess.run(["bash", SCRIPT, *args], capture_output=True, text=True, env=env)
                self.assertEqual(r.returncode, status, r.stderr)
                self.assertIn(out, r.stdout)
                self.assertIn(err, r.stderr)
                self.assertFalse(os.path.exists(calls), "CUPS was asked: " + (open(calls).read()
                                                                            if os.path.exists(calls) else ""))
                self.assertFalse(os.path.exists(os.path.join(root, "pdf")), "the PDF folder was made")

    def test_pg_server(self):
        for args, status, out, err in [
                (["--help"], 0, "scripts/pg-server --stop   stop the server", ""),
                (["--bogus"], 2, "", "pg-server: unknown option '--bogus' (see scripts/pg-server --help)"),
                (["--stop", "--stop"], 2, "", "pg-server: one option at most, not '--stop --stop'")]:
            with self.subTest(args), tempfile.TemporaryDirectory() as root:
                folder = os.path.join(root, "pg")
                env = dict(os.environ, VANTOR_PG_DIR=folder, VANTOR_PG_POINTER="0")
                r = subprocess.run(["bash", os.path.join(SCRIPTS, "pg-server"), *args], capture_output=True,
                                   text=True, env=env)
                self.assertEqual(r.returncode, status, r.stderr)
                self.assertIn(out, r.stdout)
                self.assertIn(err, r.stderr)
                self.assertFalse(os.path.exists(folder), "a server folder was made")


if __name__ == "__main__":
    unittest.main()
