"""Shared helpers of the benchmark scripts: medians of repeated runs and the report rows."""
import os
import shutil
import statistics
import subprocess
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor

RUNS = 5
BENCH_BIN = os.environ.get("VC_BENCH_BIN", "build/bench/bench")
PROGRAM_DIR = os.environ.get("VC_PROGRAM_DIR", "build/bench/bin")


def median_seconds(command, runs=RUNS, **kwargs):
    """Median wall time of a command line (a list), run `runs` times; output goes to /dev/null."""
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kwargs)
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def ours(tool, *args):
    """A command line for one of our benchmark programs."""
    return [os.path.join(BENCH_BIN, tool), *map(str, args)]


def report(what, our_seconds, peer_name, peer_seconds, whole_run=False):
    """One row: our figure, the peer's figure and the ratio ours / peer (below 1.0 is faster). whole_run marks a
    peer figure that is its whole run, start-up and input included (see peer_seconds)."""
    if our_seconds <= 0 or peer_seconds <= 0:
        raise ValueError(f"{what}: a figure of zero or less was not measured ({our_seconds}, {peer_seconds})")
    ratio = our_seconds / peer_seconds
    note = "   (peer: whole run, its operation alone is within the noise)" if whole_run else ""
    print(f"{what:<48} ours {our_seconds * 1000:9.1f} ms   {peer_name:<22} {peer_seconds * 1000:9.1f} ms   "
          f"ratio {ratio:5.2f}{note}", flush=True)
    return ratio


def goal(ratio, limit):
    """The row under a report row: whether its ratio is at most limit."""
    print(f"{'':<48} goal at most {limit:.1f}x: {'met' if ratio <= limit else 'missed'}", flush=True)


# A peer's operation counts on its own only where it takes this many times the spread of the runs.
CLEAR_OF_NOISE = 5


def spread(times):
    """The median distance of the runs from their median: unlike highest less lowest, one run slowed by
    a busy spell of the machine does not make it."""
    middle = statistics.median(times)
    return statistics.median(abs(t - middle) for t in times)


def peer_seconds(command, baseline, runs=RUNS, **kwargs):
    """A peer tool's time for its operation: the median of its runs of `command` less the median of its runs of
    `baseline`, the same run without the operation (start-up, reading, writing), taken in turns so that a busy
    spell of the machine falls on both alike. Where that difference is not CLEAR_OF_NOISE times the larger
    spread of the two, it is noise, and the whole run's median is given instead.
    Returns (seconds, whole_run)."""
    runs_with, runs_without = [], []
    for _ in range(runs):
        runs_with.append(median_seconds(command, runs=1, **kwargs))
        runs_without.append(median_seconds(baseline, runs=1, **kwargs))
    whole = statistics.median(runs_with)
    difference = whole - statistics.median(runs_without)
    if difference > CLEAR_OF_NOISE * max(spread(runs_with), spread(runs_without)):
        return difference, False
    return whole, True


def scratch_dir():
    """A temporary folder that is removed at exit of the script."""
    path = tempfile.mkdtemp(prefix="vcbench-")
    import atexit
    atexit.register(shutil.rmtree, path, ignore_errors=True)
    return path


def median_reported(command, key="seconds", runs=RUNS, **kwargs):
    """Median of a figure that the command measures itself and prints as key=value, for timings that must
    leave out the process start and the reading of inputs. Returns (median, last output's other figures)."""
    values = []
    figures = {}
    for _ in range(runs):
        out = subprocess.run(command, check=True, capture_output=True, text=True, **kwargs).stdout
        figures = dict(part.split("=", 1) for part in out.split() if "=" in part)
        values.append(float(figures[key]))
    return statistics.median(values), figures


def make_plasma_photos(folder, count, width, height):
    """count JPEG photos of width x height at quality 90 in folder: crops of one plasma picture at different
    places, some flipped or mirrored, so each file differs and has detail everywhere for the decoder."""
    base = folder.rstrip("/") + ".base.ppm"
    subprocess.run(["gm", "convert", "-size", f"{width + 490}x{height + 490}", "plasma:fractal", base], check=True)

    def one(i):
        path = os.path.join(folder, f"photo{i:03}.jpg")
        x, y = (i * 97) % 490, (i * 53) % 490
        command = ["gm", "convert", base, "-crop", f"{width}x{height}+{x}+{y}"]
        command += [["-flip"], ["-flop"], []][i % 3]
        subprocess.run(command + ["-quality", "90", path], check=True)
        return path

    try:
        with ThreadPoolExecutor(os.cpu_count()) as pool:
            return list(pool.map(one, range(count)))
    finally:
        os.remove(base)
