"""Writes the seed documents of fuzz_xml into the folder given as the only argument."""
import os
import sys

SEEDS = {
    "index.xml": '<?xml version="1.0" encoding="ISO-8859-2"?>\n<ALBUM>\n  <OBJECTS>\n'
                 '    <OBJECT href="Stra\xdfe.jpg.xml"/>\n    <OBJECT href="a(0).jpg.xml"/>\n  </OBJECTS>\n'
                 '  <PROPERTY Producer="DS" Title="Gr\xfc\xdfe &#8364;" description=""/>\n</ALBUM>\n',
    "entry.xml": '<?xml version="1.0" encoding="ISO-8859-2"?>\n<OBJECT><PROPERTIES url="C:\\Bilder\\a.jpg" '
                 'thumbnail="a.jpg.thumb.bmp" title="a" width="0" height="0" relativepath="false" '
                 'crc32="4000000000" description="WmVpbGUgMQ0KWmVpbGUgMg==" description_encoding="base64"/>'
                 '</OBJECT>\n',
    "albums.dat": '<?xml version="1.0"?>\n<ALBUMS><ALBUM path="\\album0.zip"/><ALBUM/></ALBUMS>\n',
    "entities.xml": '<!DOCTYPE a [<!ENTITY e "x&amp;y"><!ENTITY f "&e;&e;">]><a v="&f;">&f;<![CDATA[<>]]>'
                    '<!-- c --><?pi data?></a>',
    "mixed.xml": '<r xmlns:p="urn:x" p:A="1" a="2">text<p:b/> <c/>tail</r>',
}


def main():
    folder = sys.argv[1]
    for name, text in SEEDS.items():
        encoding = "iso-8859-2" if "ISO-8859-2" in text else "utf-8"
        with open(os.path.join(folder, name), "wb") as f:
            f.write(text.encode(encoding, "xmlcharrefreplace"))
    with open(os.path.join(folder, "utf16.xml"), "wb") as f:
        f.write('<a t="Gr\xfc\xdfe"/>'.encode("utf-16"))


main()
