"""A real `vantor serve` on loopback for the API and browser tests: a fresh
journal (SQLite, or a database of its own on the PostgreSQL test server when
VANTOR_TEST_PG names one), a token file with one person's token."""
import http.client
import json
import os
import re
import shutil
import subprocess
import tempfile
import time
import urllib.parse

BUILD = os.environ.get("VANTOR_BUILD_DIR", os.path.join(os.path.dirname(__file__), "..", "..", "..", "build"))
VANTOR = os.path.join(BUILD, "vantor")


# The test print queue: scripts/test-services names one of its own.
QUEUE = os.environ.get("VANTOR_CUPS_QUEUE", "VantorPDF")


class Declared:
    """A body said to be `length` bytes long of which only the first byte is
    sent: the service is to answer without waiting for the rest."""

    def __init__(self, length):
        self.length = length


def postgres_url():
    return os.environ.get("VANTOR_TEST_PG", "")


class Server:
    """One or more service processes over one journal."""

    def __init__(self, backend="sqlite", instances=1, extra=()):
        self.dir = tempfile.mkdtemp(prefix="vantor-serve-test-")
        self.procs, self.ports, self.logs = [], [], []
        self.database = None
        try:
            self._start(backend, instances, extra)
        except BaseException:
            # Nobody closes what a failed constructor returns: stop what started.
            self.close()
            raise

    def _start(self, backend, instances, extra):
        self.tokens = os.path.join(self.dir, "tokens")
        out = subprocess.run([VANTOR, "serve", "--add-token", "alice", "--tokens", self.tokens],
                             capture_output=True, text=True, check=True)
        self.token = out.stdout.strip()
        if backend == "sqlite":
            self.journal = os.path.join(self.dir, "journal.sqlite")
        else:
            url = postgres_url()
            self.database = "vs_%d_%s" % (os.getpid(), os.path.basename(self.dir)[-6:].lower())
            subprocess.run(["psql", url, "-qc", "CREATE DATABASE " + self.database], check=True,
                           capture_output=True)
            parts = urllib.parse.urlsplit(url)
            self.admin = url
            self.journal = urllib.parse.urlunsplit(parts._replace(path="/" + self.database))
        # A journal is made only on purpose, as an operator would.
        subprocess.run([VANTOR, "--journal-init", self.journal], check=True, capture_output=True)
        for i in range(instances):
            # The log goes to a file: a pipe nobody drains would stop the server.
            path = os.path.join(self.dir, "log%d" % i)
            with open(path, "w") as log:
                proc = subprocess.Popen([VANTOR, "serve", "--listen", "127.0.0.1:0", "--journal", self.journal,
                                         "--tokens", self.tokens, *extra],
                                        stdout=subprocess.DEVNULL, stderr=log)
            self.procs.append(proc)
            self.logs.append(path)
            self.ports.append(self._port(proc, path))
        self.port = self.ports[0]

    @staticmethod
    def _port(proc, path):
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            with open(path) as log:
                text = log.read()
            m = re.search(r"serving on http://127\.0\.0\.1:(\d+)/", text)
            if m:
                return int(m.group(1))
            if proc.poll() is not None:
                break
            time.sleep(0.02)  # polling the log for the first line, not waiting for a guess
        raise RuntimeError("vantor serve did not start: " + open(path).read())

    def request(self, method, path, body=None, token="right", headers=None, port=None):
        conn = http.client.HTTPConnection("127.0.0.1", port or self.port,
                                          timeout=10 if isinstance(body, Declared) else 60)
        h = dict(headers or {})
        if token == "right":
            h["Authorization"] = "Bearer " + self.token
        elif token:
            h["Authorization"] = "Bearer " + token
        if isinstance(body, Declared):
            conn.putrequest(method, path)
            for name, value in dict(h, **{"Content-Length": str(body.length)}).items():
                conn.putheader(name, value)
            conn.endheaders(b"{")
        else:
            if body is not None and not isinstance(body, (bytes, str)):
                body = json.dumps(body)
                h["Content-Type"] = "application/json"
            conn.request(method, path, body=body, headers=h)
        r = conn.getresponse()
        data = r.read()
        conn.close()
        return r.status, r.getheader("Content-Type", ""), data, r

    def access_log(self):
        return "".join(open(path).read() for path in self.logs)

    def close(self):
        for p in self.procs:
            if p.poll() is None:
                p.terminate()
            p.wait(10)
        if self.database:
            subprocess.run(["psql", self.admin, "-qc", "DROP DATABASE IF EXISTS " + self.database],
                           capture_output=True)
        shutil.rmtree(self.dir, ignore_errors=True)
