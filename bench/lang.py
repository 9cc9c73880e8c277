"""Loading the resource module at start-up (container, inflating, manifest check) against Qt's own
resource system registering the same file and reading every file of it."""
import os

from benchlib import PROGRAM_DIR, median_reported, ours, report


def main():
    module = os.path.join(PROGRAM_DIR, "qz_res.deu")
    size_kb = os.path.getsize(module) // 1024
    mine, figures = median_reported(ours("lang_bench", "ours", module))
    qts, _ = median_reported(ours("lang_bench", "qt", module))
    report(f"qz_res.deu ({size_kb} KB, {figures['entries']} resources): load", mine, "Qt QResource", qts)


main()
