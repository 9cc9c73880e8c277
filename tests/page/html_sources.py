"""Prints, one a line, each img src of an HTML file as the file it names (percent-decoded, beside the
page), followed by "exists" or "missing": html_sources.py PAGE."""

import html.parser
import os
import sys
import urllib.parse


class Sources(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.found = []

    def handle_starttag(self, tag, attrs):
        if tag == "img":
            self.found.extend(value for name, value in attrs if name == "src")


def main():
    page = sys.argv[1]
    parser = Sources()
    with open(page, encoding="utf-8") as f:
        parser.feed(f.read())
    folder = os.path.dirname(page)
    for source in parser.found:
        name = urllib.parse.unquote(source, encoding="utf-8", errors="strict")
        path = os.path.join(folder, name)
        print(name, "exists" if os.path.isfile(path) else "missing")


if __name__ == "__main__":
    main()
