"""List controls against Qt's item views in one run: an icon view of 2,000 items with their own 96 x 96
thumbnails (filling the image list, inserting, one paint) against a QListWidget in icon mode with the same
pictures, and a report view of 10,000 rows of two columns (inserting, one paint) against a QTreeWidget.
Each side runs in a process of its own on the offscreen platform and times itself, the two taking turns;
goal: at most 1.5x.
"""
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

GOAL = 1.5


def measure(mode):
    """Medians of our and the peer's figures over the runs of one mode, the sides taking turns."""
    times = {"ours": [], "peer": []}
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for _ in range(benchlib.RUNS):
        for side in times:
            out = subprocess.run(benchlib.ours("listctrl_bench", mode, side), check=True, capture_output=True,
                                 text=True, env=env).stdout
            figures = dict(part.split("=", 1) for part in out.split() if "=" in part)
            times[side].append(float(figures["seconds"]))
    return statistics.median(times["ours"]), statistics.median(times["peer"])


def main():
    rows = [("icons", "Icon view, 2,000 thumbnails 96x96", "QListWidget icons"),
            ("report", "Report view, 10,000 rows x 2 columns", "QTreeWidget")]
    for mode, name, peer_name in rows:
        ours, peer = measure(mode)
        ratio = benchlib.report(name, ours, peer_name, peer)
        print(f"{name}: goal at most {GOAL:.2f}, {'met' if ratio <= GOAL else 'missed'}", flush=True)


if __name__ == "__main__":
    main()
