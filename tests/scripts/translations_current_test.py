"""The committed .ts file is what lupdate makes of the sources, every message translated.

Usage: translations_current_test.py LUPDATE SOURCES.lst FILE.ts [lupdate options...]

lupdate runs on a copy of FILE.ts with the sources and options of the
vantor_lupdate target; a text lupdate would add, drop or leave unfinished is
named, so German operators never meet English the build let through.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def messages(path):
    """{(context, source, disambiguation): (translation type, translation)}"""
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for m in context.iter("message"):
            t = m.find("translation")
            forms = [f.text or "" for f in t.iter("numerusform")] if m.get("numerus") == "yes" else [t.text or ""]
            found[(name, m.findtext("source"), m.findtext("comment"))] = (t.get("type"), forms)
    return found


def label(key):
    context, source, comment = key
    return "%s %r%s" % (context, source, " (%s)" % comment if comment else "")


def faults(committed, updated):
    """Lines naming each message the update adds, drops, changes or leaves unfinished."""
    before, after = messages(committed), messages(updated)
    lines = []
    for key in before.keys() - after.keys():
        lines.append("dropped, its German lost: " + label(key))
    for key, (kind, forms) in after.items():
        status = []
        if key not in before:
            status.append("new")
        elif before[key] != (kind, forms):
            status.append("changed by lupdate")
        if kind in ("unfinished", "vanished", "obsolete") or not all(forms):
            status.append("not translated")
        if status:
            lines.append(", ".join(status) + ": " + label(key))
    return sorted(lines)


def main(argv):
    lupdate, sources, committed, options = argv[1], argv[2], argv[3], argv[4:]
    with tempfile.TemporaryDirectory() as tmp:
        updated = os.path.join(tmp, os.path.basename(committed))
        shutil.copyfile(committed, updated)
        run = subprocess.run([lupdate, "@" + sources, *options, "-ts", updated], capture_output=True, text=True)
        if run.returncode != 0:
            print("lupdate failed (%d):\n%s%s" % (run.returncode, run.stdout, run.stderr))
            return 1
        found = faults(committed, updated)
        with open(committed, "rb") as a, open(updated, "rb") as b:
            same = a.read() == b.read()
        if not same and not found:
            found = ["lupdate rewrites the file's layout"]
    if found:
        print("%s is not up to date with the sources; run `cmake --build build --target vantor_lupdate`"
              " and translate what it marks unfinished:" % committed)
        print("\n".join("  " + line for line in found))
        return 1
    print("%s: every message current and translated" % committed)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
