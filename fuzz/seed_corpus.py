#!/usr/bin/env python3
"""Seeds for the fuzz corpora, taken from the tests' snippets, the string
literals of the tests, the tour's pages and the storage fixture. Writes one
file per seed into OUT/<target>/; minimise into fuzz/corpus with -merge=1.

Run from the repository root:  python3 fuzz/seed_corpus.py OUT
"""
import hashlib
import re
import sys
from pathlib import Path

root = Path(__file__).resolve().parent.parent
out = Path(sys.argv[1])

literal = re.compile(r'(?:u8?|u)?"((?:[^"\\\n]|\\.)*)"')


def unescape(s):
    return (s.replace(r"\"", '"').replace(r"\n", "\n").replace(r"\r", "\r")
             .replace(r"\t", "\t").replace("\\\\", "\\"))


def literals(files):
    for f in files:
        for m in literal.finditer(f.read_text(errors="replace")):
            yield unescape(m.group(1))


def write(target, data):
    if isinstance(data, str):
        data = data.encode("utf-8")
    d = out / target
    d.mkdir(parents=True, exist_ok=True)
    (d / hashlib.sha1(data).hexdigest()).write_bytes(data)


html_tests = sorted((root / "tests/html").glob("*.cpp")) + sorted((root / "tests/controls").glob("*.cpp"))
pages = sorted((root / "tests/golden/snippets").glob("*.html")) + sorted((root / "apps/featurestour/pages").glob("*.html"))

for p in pages:
    write("engine", p.read_bytes())
for s in literals(html_tests):
    if "<" in s or "&" in s:
        write("engine", s)
    if "<control" in s.lower():
        write("controls", "\x00>" + s)

for i, attrs in enumerate(["width=80 height=20 caption='OK'>", "text=\"abc\" maxlength=3 color=clRed>",
                           "checked=true parentcolor=false hint=x>", "items.text=a name=n1>",
                           "width=-5 height=99999>", "style=csDropDownList itemindex=2 text=b>",
                           "wordwrap=false scrollbars=ssBoth>", "visible=false enabled=0 tabstop=1>"]):
    write("controls", bytes([i]) + attrs.encode())

for s in literals([root / "tests/html/values_test.cpp", root / "tests/framework/convert_test.cpp",
                   root / "tests/framework/color_test.cpp"]):
    if len(s) < 40:
        write("values", s)
for name in re.findall(r'u"(\w+)"', (root / "src/lark/html/color_names.inc").read_text())[::7]:
    write("values", name)

write("storage", (root / "apps/featurestour/pages.txt").read_bytes())
for s in literals([root / "tests/storage/text_form_test.cpp", root / "tests/storage/storage_test.cpp"]):
    if "Items" in s or "item" in s:
        write("storage", s)

# Scripted targets: text, a 0xFF byte, then actions. Each seed runs every
# action once with middling arguments, and one seed per action repeats it.
def scripted(target, text, actions, width=4):
    every = bytes(b for a in range(actions) for b in (a, 0x40 + a, 0x80, 0x21, 0x07)[:width + 1])
    write(target, text.encode() + b"\xff" + bytes([1]) + every)
    for a in range(actions):
        write(target, text.encode() + b"\xff" + bytes([a * 5 % 256]) + bytes([a, 0x60, 0x30, 0x02, 0x01]) * 6)


list_rows = [s for s in literals(sorted((root / "tests/controls").glob("*list_box*.cpp"))) if "<" in s][:40]
scripted("listbox", "\n".join(list_rows[:8]) or "<b>one</b>\ntwo", 24)
for i, row in enumerate(list_rows):
    write("listbox", row.encode() + b"\xff" + bytes([i % 64, i % 24, 0x40, 0x40, 0, i % 24, 0x10, 0x20, 1]))

records = "id\tname\tnotes\n1\tAda\t<b>first</b>\n2\tBrian\t<i>second</i>\n3\tCleo\t<~~name>"
scripted("dbcontrols", records, 20)
write("dbcontrols", b"a\ta\tA\n1\t2\t3\n\xff\x01" + bytes([12, 0, 1, 2, 2, 1, 0, 7, 0, 9, 2, 0x90]))

texts = [s for s in literals(sorted((root / "tests/controls").glob("*selection*.cpp"))) if "<" in s][:30]
scripted("textaccess", texts[0] if texts else "<b>bold</b> plain <a href=x>link</a>", 12)
for i, t in enumerate(texts):
    write("textaccess", t.encode() + b"\xff" + bytes([i % 3, 200, 60, i % 12, 10, 20, 200, 30, 2, 90, 90, 4, 5, 11]))
