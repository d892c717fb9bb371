"""The web service's API against a real `vantor serve` on loopback: one table
of requests (every route, every refusal class, tokens), each response checked
against the service's own OpenAPI document; a PDF read back by barcode
readers; many clients posting overlapping jobs at once."""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import unittest

import jsonschema

sys.path.insert(0, os.path.dirname(__file__))
from serve_support import QUEUE, VANTOR, Declared, Server, postgres_url  # noqa: E402

LTO = {"family": "lto", "media_id": "L8", "serial": "ABC100", "count": 3}
DLT = {"family": "dlt", "maker": "storagetek", "media": "dlt4", "serial": "XYZ100"}

# name, method, path, token, body, status, field (the refused field)
CASES = [
    ("health needs no token", "GET", "/api/v1/health", None, None, 200, None),
    ("the API document needs no token", "GET", "/api/v1/openapi.json", None, None, 200, None),
    ("no token", "GET", "/api/v1/templates", None, None, 401, None),
    ("a wrong token", "GET", "/api/v1/journal", "vt_nottheone", None, 401, None),
    ("templates", "GET", "/api/v1/templates", "right", None, 200, None),
    ("one template", "GET", "/api/v1/templates/lto-a4-2x15", "right", None, 200, None),
    ("an unknown template", "GET", "/api/v1/templates/nope", "right", None, 404, "template"),
    ("media IDs", "GET", "/api/v1/media-ids", "right", None, 200, None),
    ("palettes", "GET", "/api/v1/palettes", "right", None, 200, None),
    ("DLT makers", "GET", "/api/v1/dlt/makers", "right", None, 200, None),
    ("printers", "GET", "/api/v1/printers", "right", None, 200, None),
    ("an unknown route", "GET", "/api/v1/nothing", "right", None, 404, None),
    ("the wrong method", "GET", "/api/v1/jobs", "right", None, 405, None),
    ("LTO preview", "POST", "/api/v1/preview", "right", dict(LTO, start_label=4), 200, None),
    ("DLT preview as PNG", "POST", "/api/v1/preview", "right", dict(DLT, format="png"), 200, None),
    ("a page past the job", "POST", "/api/v1/preview", "right", dict(LTO, page=2), 422, "page"),
    ("no JSON", "POST", "/api/v1/preview", "right", b"{\"family\":", 400, None),
    ("no object", "POST", "/api/v1/jobs", "right", b"[1]", 400, None),
    ("nested too deep", "POST", "/api/v1/preview", "right", b"[" * 5000 + b"]" * 5000, 400, None),
    ("a body over 64 KiB", "POST", "/api/v1/jobs", "right", dict(LTO, serial="A" * 70000), 413, None),
    ("a body declared over 64 KiB, refused before it comes", "POST", "/api/v1/jobs", "right", Declared(10 ** 9),
     413, None),
    ("an unknown field", "POST", "/api/v1/preview", "right", dict(LTO, colour=1), 422, "colour"),
    ("a count as text", "POST", "/api/v1/preview", "right", dict(LTO, count="3"), 422, "count"),
    ("a DLT field in an LTO job", "POST", "/api/v1/jobs", "right", dict(LTO, sheets=1), 422, "sheets"),
    ("a bad media ID", "POST", "/api/v1/jobs", "right", dict(LTO, media_id="L!"), 422, "media_id"),
    ("a short volser", "POST", "/api/v1/preview", "right", dict(LTO, serial="AB"), 422, "serial"),
    ("a start label off the sheet", "POST", "/api/v1/jobs", "right", dict(LTO, start_label=31), 422, "start_label"),
    ("a last volser before the first", "POST", "/api/v1/jobs", "right",
     {"family": "lto", "media_id": "L8", "serial": "ABC100", "last": "ABC090"}, 422, "last"),
    ("an unknown template in a job", "POST", "/api/v1/jobs", "right", dict(LTO, template="nope"), 422, "template"),
    ("a calibration out of range", "POST", "/api/v1/jobs", "right", dict(LTO, offset_x=25), 422, "offset_x"),
    ("a bad DLT serial", "POST", "/api/v1/jobs", "right", dict(DLT, serial="12"), 422, "serial"),
    ("a DLT run past 999", "POST", "/api/v1/jobs", "right", dict(DLT, serial="XYZ990"), 422, "serial"),
    ("an unknown maker", "POST", "/api/v1/jobs", "right", {"family": "dlt", "maker": "acme"}, 422, "maker"),
    ("more labels than the service prints", "POST", "/api/v1/jobs", "right", dict(LTO, count=40000), 422, "count"),
    ("a printer the service does not offer", "POST", "/api/v1/jobs", "right", dict(LTO, output={"printer": "nope"}),
     422, "output"),
    ("a bad journal date", "GET", "/api/v1/journal?from=yesterday", "right", None, 422, "from"),
    ("a job not in the journal", "GET", "/api/v1/jobs/999999", "right", None, 404, None),
    ("an LTO job", "POST", "/api/v1/jobs", "right", LTO, 201, None),
    ("the same serials again", "POST", "/api/v1/jobs", "right", dict(LTO, count=5), 409, None),
    ("a deliberate reprint", "POST", "/api/v1/jobs", "right", dict(LTO, reprint=True), 201, None),
    ("a DLT job on the test queue", "POST", "/api/v1/jobs", "right", dict(DLT, output={"printer": QUEUE}), 201,
     None),
    ("a DLT reprint of two labels on label 29", "POST", "/api/v1/jobs", "right",
     dict(DLT, count=2, start_label=29, reprint=True), 201, None),
    ("sheets and a count", "POST", "/api/v1/jobs", "right", dict(DLT, count=2, sheets=1), 422, "count"),
    ("the journal", "GET", "/api/v1/journal?serial=ABC101&from=2000-01-01", "right", None, 200, None),
    ("the first job", "GET", "/api/v1/jobs/1", "right", None, 200, None),
    ("the first job's PDF", "GET", "/api/v1/jobs/1/pdf", "right", None, 200, None),
]


def load_api(server):
    status, _, data, _ = server.request("GET", "/api/v1/openapi.json", token=None)
    doc = json.loads(data)

    # OpenAPI 3.0's "nullable" in JSON Schema's words.
    def nullable(node):
        if isinstance(node, dict):
            if node.pop("nullable", False):
                node["type"] = [node["type"], "null"]
            for v in node.values():
                nullable(v)
        elif isinstance(node, list):
            for v in node:
                nullable(v)

    nullable(doc)
    return doc


def check_against_api(test, doc, method, path, status, ctype, data):
    template = path.split("?")[0][len("/api/v1"):]
    if not path.startswith("/api/v1/"):
        return
    parts = template.split("/")
    for name, item in doc["paths"].items():
        pattern = name.split("/")
        if len(pattern) == len(parts) and all(p == q or p.startswith("{") for p, q in zip(pattern, parts)):
            break
    else:
        item = {}
    if method.lower() not in item:
        # Routes and methods the API does not have: a refusal all the same.
        test.assertIn(status, (404, 405))
        jsonschema.validate(json.loads(data), doc["components"]["schemas"]["Error"])
        return
    responses = item[method.lower()]["responses"]
    test.assertIn(str(status), responses, "%s %s: status %d is not in the API document" % (method, path, status))
    content = responses[str(status)].get("content", {})
    kind = ctype.split(";")[0]
    test.assertIn(kind, content, "%s %s %d: %s is not in the API document" % (method, path, status, kind))
    if kind == "application/json":
        schema = dict(content[kind]["schema"], components=doc["components"])
        jsonschema.validate(json.loads(data), schema)


class ApiTest(unittest.TestCase):
    backend = "sqlite"

    @classmethod
    def setUpClass(cls):
        if cls.backend == "postgresql" and not postgres_url():
            raise unittest.SkipTest("no PostgreSQL server for the API tests: start one with scripts/pg-server "
                                    "and set VANTOR_TEST_PG")
        cls.server = Server(cls.backend, instances=2)
        # Class cleanups, unlike tearDownClass, also run when load_api fails.
        cls.addClassCleanup(cls.server.close)
        cls.api = load_api(cls.server)

    def test_1_routes_and_refusals(self):
        for name, method, path, token, body, status, field in CASES:
            with self.subTest(name):
                got, ctype, data, _ = self.server.request(method, path, body, token=token)
                self.assertEqual(got, status, data[:300])
                check_against_api(self, self.api, method, path, got, ctype, data)
                if status >= 400:
                    refusal = json.loads(data)
                    self.assertTrue(refusal["error"])
                    self.assertEqual(refusal.get("field"), field)
                if status == 409:
                    self.assertEqual([(c["first"], c["last"], c["who"]) for c in refusal["conflicts"]],
                                     [("ABC100", "ABC102", "alice")])
                    self.assertTrue(refusal["reprint_would_pass"])
                if name == "an LTO job":
                    job = json.loads(data)
                    self.assertEqual((job["user"], job["host"], job["outcome"]), ("alice", "127.0.0.1", "printed"))

    def test_2_pdf_reads_back(self):
        for tool in ("pdftoppm", "zbarimg", "ZXingReader"):
            if not shutil.which(tool):
                self.skipTest(tool + " missing (scripts/install-deps installs it)")
        body = dict(LTO, serial="PDF100", count=2)
        status, ctype, data, r = self.server.request("POST", "/api/v1/jobs", body,
                                                     headers={"Accept": "application/pdf"})
        self.assertEqual((status, ctype), (201, "application/pdf"))
        with tempfile.TemporaryDirectory() as d:
            open(os.path.join(d, "job.pdf"), "wb").write(data)
            subprocess.run(["pdftoppm", "-r", "300", "-gray", "-png", "-singlefile", os.path.join(d, "job.pdf"),
                            os.path.join(d, "page")], check=True)
            png = os.path.join(d, "page.png")
            zbar = subprocess.run(["zbarimg", "-q", "--raw", png], capture_output=True, text=True).stdout.split()
            # ZXingReader 1.4.0 may abort on finding a symbol twice while downscaling.
            zxing = subprocess.run(["ZXingReader", "-1", "-noscale", png], capture_output=True, text=True).stdout
        self.assertEqual(sorted(zbar), ["PDF100L8", "PDF101L8"])
        self.assertEqual(sorted(line.split('"')[1] for line in zxing.splitlines()), ["PDF100L8", "PDF101L8"])

    def test_2b_preview_tags(self):
        # The same preview asked in another field order is the same page and
        # tag; the tag sent back gets 304; another serial another tag.
        def preview(body, **headers):
            status, _, data, r = self.server.request("POST", "/api/v1/preview", json.dumps(body).encode(),
                                                     headers=headers)
            return status, data, r.getheader("ETag")
        status, page, tag = preview(dict(LTO, start_label=4))
        self.assertEqual((status, page[:5]), (200, b"<?xml"))
        self.assertEqual(preview(dict(reversed(list(dict(LTO, start_label=4).items())))), (200, page, tag))
        self.assertEqual(preview(dict(LTO, start_label=4), **{"If-None-Match": tag}), (304, b"", tag))
        self.assertNotEqual(preview(dict(LTO, serial="ABD100", start_label=4))[2], tag)

    def test_3_one_winner_per_serial(self):
        # 16 clients over both instances, each round the same serials asked
        # for in overlapping runs; the journal lets one job have each serial.
        for rnd in range(20):
            results = [None] * 16
            prefix = "R%02d" % rnd

            def post(i):
                body = {"family": "lto", "media_id": "L8", "serial": "%s%03d" % (prefix, i * 2), "count": 4}
                results[i] = self.server.request("POST", "/api/v1/jobs", body,
                                                 port=self.server.ports[i % 2])[0:3:2]

            threads = [threading.Thread(target=post, args=(i,)) for i in range(16)]
            for t in threads:
                t.start()
            for t in threads:
                t.join()
            won = set()
            for i, (status, data) in enumerate(results):
                self.assertIn(status, (201, 409), data[:200])
                if status == 201:
                    serials = set(range(i * 2, i * 2 + 4))
                    self.assertFalse(won & serials, "round %d: a serial printed twice" % rnd)
                    won |= serials
            self.assertTrue(won)

    def test_3b_journal_gone(self):
        # A journal that fails while a job runs is the service's fault (503),
        # not a refusal of the request; the service recovers once it is back.
        if self.backend != "sqlite":
            self.skipTest("a journal file taken away is a SQLite journal's fault")
        server = Server("sqlite")
        try:
            self.assertEqual(server.request("POST", "/api/v1/jobs", LTO)[0], 201)
            os.rename(server.journal, server.journal + ".away")
            # Health asks the journal, not the file it once opened. Each
            # worker has a journal of its own: one that has it open fails in
            # the run, one that opens it fails at once.
            errors = []
            for _ in range(4):  # whichever worker answers
                status, _, data, _ = server.request("GET", "/api/v1/health")
                self.assertEqual(status, 503, data[:300])
                errors.append(json.loads(data)["error"])
            for _ in range(3):
                status, ctype, data, _ = server.request("POST", "/api/v1/jobs", dict(LTO, serial="GON100"))
                self.assertEqual(status, 503, data[:300])
                check_against_api(self, self.api, "POST", "/api/v1/jobs", status, ctype, data)
                errors.append(json.loads(data)["error"])
            self.assertTrue(any("the journal file has gone" in e for e in errors), errors)
            os.rename(server.journal + ".away", server.journal)
            self.assertEqual(server.request("GET", "/api/v1/health")[0], 200)
            self.assertEqual(server.request("POST", "/api/v1/jobs", dict(LTO, serial="GON100"))[0], 201)
        finally:
            server.close()

    def test_4_access_log_and_command_line(self):
        log = Server.access_log(self.server)
        self.assertIn("POST /api/v1/jobs 201", log)
        self.assertNotIn(self.server.token, log)
        for args, status, text in [
            (["--listen", "0.0.0.0:0"], 2, "needs --tokens"),
            (["--listen", "nowhere:x"], 2, "--listen must be HOST:PORT"),
            (["--add-token", "bob"], 2, "--add-token needs --tokens"),
            (["--add-token", "a:b", "--tokens", self.server.tokens], 1, "must be 1 to 64"),
            (["--add-token", "alice", "--tokens", self.server.tokens], 1, "already"),
        ]:
            with self.subTest(args):
                run = subprocess.run([VANTOR, "serve", *args], capture_output=True, text=True, timeout=30)
                self.assertEqual(run.returncode, status, run.stderr)
                self.assertIn(text, run.stderr)


class PostgresApiTest(ApiTest):
    backend = "postgresql"


if __name__ == "__main__":
    unittest.main()
