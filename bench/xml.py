"""XML round trip of a large album index against Python's ElementTree, Base64 against coreutils."""
import os

from benchlib import median_seconds, ours, report, scratch_dir

ENTRIES = 50000
ELEMENTTREE_ROUND_TRIP = (
    "import sys, xml.etree.ElementTree as ET\n"
    "root = ET.parse(sys.argv[1]).getroot()\n"
    "sys.stdout.buffer.write(ET.tostring(root, encoding='ISO-8859-2'))\n")


def write_index(path):
    lines = ['<?xml version="1.0" encoding="ISO-8859-2"?>', "<ALBUM>",
             '  <PROPERTY producer="DS" title="Gr\u00fc\u00dfe aus K\u00f6ln &#8364;" description=""/>',
             "  <OBJECTS>"]
    lines += [f'    <OBJECT href="Stra\u00dfe {i}.jpg.xml"/>' for i in range(ENTRIES)]
    lines += ["  </OBJECTS>", "</ALBUM>", ""]
    with open(path, "wb") as f:
        f.write("\n".join(lines).encode("iso-8859-2"))


def main():
    folder = scratch_dir()
    index = os.path.join(folder, "index.xml")
    write_index(index)
    report(f"index.xml with {ENTRIES} entries: parse and write",
           median_seconds(ours("xml_bench", "roundtrip", index)),
           "python3 ElementTree", median_seconds(["/usr/bin/python3", "-c", ELEMENTTREE_ROUND_TRIP, index]))

    data = os.path.join(folder, "data.bin")
    with open(data, "wb") as f:
        f.write(os.urandom(32 << 20))
    report("Base64 of 32 MB, 76-character lines",
           median_seconds(ours("xml_bench", "base64", data)),
           "coreutils base64", median_seconds(["base64", "-w", "76", data]))


main()
