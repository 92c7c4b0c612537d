#!/usr/bin/env python3
"""Brings the id-based translation sources (resources/translations/*.ts) in
line with the string table (resources/StringTableData.inc).

Every string id becomes one message "IDS_<id>" whose source is the English
text. Translations already in a .ts file are kept; a message for a new id
gets an empty, unfinished translation; ids no longer in the table are
dropped. Run it after adding or changing strings, then translate what is
marked unfinished (Qt Linguist or a text editor).

    scripts/update-translations.py                 # every .ts file
    scripts/update-translations.py --import de.txt resources/translations/tavocps_de.ts

--import reads lines "<id><TAB><text>" (text with C escapes: \\n \\r \\t \\" \\\\)
and takes them as the translations of those ids.
"""
import argparse
import glob
import os
import re
import sys
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE = os.path.join(ROOT, "resources", "StringTableData.inc")
TS_DIR = os.path.join(ROOT, "resources", "translations")
LANGUAGES = {"de": "de_DE", "fr": "fr_FR", "nl": "nl_NL", "it": "it_IT", "es": "es_ES",
             "pt": "pt_PT", "pl": "pl_PL", "ru": "ru_RU"}

ENTRY = re.compile(r'^\s*\{(\d+),\s*"((?:[^"\\]|\\.)*)"\},?\s*$')


def unescape_c(text):
    return re.sub(r'\\(.)', lambda m: {"n": "\n", "r": "\r", "t": "\t"}.get(m.group(1), m.group(1)), text)


def read_table():
    entries = []
    with open(TABLE, encoding="utf-8") as f:
        for line in f:
            m = ENTRY.match(line)
            if m:
                entries.append((int(m.group(1)), unescape_c(m.group(2))))
    ids = [i for i, _ in entries]
    dup = sorted({i for i in ids if ids.count(i) > 1})
    if dup:
        sys.exit("duplicate string ids: %s" % dup)
    return sorted(entries)


def read_ts(path):
    done = {}
    if not os.path.exists(path):
        return done
    for message in ET.parse(path).getroot().iter("message"):
        key = message.get("id", "")
        tr = message.find("translation")
        if key.startswith("IDS_") and tr is not None and (tr.text or "") and tr.get("type") != "unfinished":
            done[int(key[4:])] = tr.text
    return done


def xml_text(text):
    return escape(text).replace("\r", "&#13;").replace('"', "&quot;")


def write_ts(path, entries, done):
    code = os.path.basename(path)[len("tavocps_"):-len(".ts")]
    out = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>",
           '<TS version="2.1" language="%s" sourcelanguage="en_US">' % LANGUAGES.get(code, code),
           "<context>", "    <name></name>"]
    missing = 0
    for key, source in entries:
        out.append('    <message id="IDS_%d">' % key)
        out.append("        <source>%s</source>" % xml_text(source))
        if key in done:
            out.append("        <translation>%s</translation>" % xml_text(done[key]))
        else:
            missing += 1
            out.append('        <translation type="unfinished"></translation>')
        out.append("    </message>")
    out += ["</context>", "</TS>", ""]
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(out))
    return missing


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--import", dest="imported", help="translations to take, one '<id><TAB><text>' a line")
    parser.add_argument("files", nargs="*", help=".ts files (default: every one in resources/translations)")
    args = parser.parse_args()
    files = args.files or sorted(glob.glob(os.path.join(TS_DIR, "tavocps_*.ts")))
    entries = read_table()
    known = {i for i, _ in entries}
    for path in files:
        done = read_ts(path)
        if args.imported:
            with open(args.imported, encoding="utf-8") as f:
                for line in f:
                    line = line.rstrip("\n")
                    if not line:
                        continue
                    key, text = line.split("\t", 1)
                    if int(key) not in known:
                        sys.exit("%s: no string %s in the table" % (args.imported, key))
                    done[int(key)] = unescape_c(text)
        missing = write_ts(path, entries, {k: v for k, v in done.items() if k in known})
        print("%s: %d messages, %d untranslated" % (os.path.relpath(path, ROOT), len(entries), missing))


if __name__ == "__main__":
    main()
