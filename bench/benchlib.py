"""Shared helpers of the benchmark scripts: medians of repeated runs and the report rows."""
import os
import shutil
import statistics
import subprocess
import tempfile
import time

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


def report(what, our_seconds, peer_name, peer_seconds):
    """One row: our figure, the peer's figure and the ratio ours / peer (below 1.0 is faster)."""
    ratio = our_seconds / peer_seconds if peer_seconds > 0 else float("inf")
    print(f"{what:<48} ours {our_seconds * 1000:9.1f} ms   {peer_name:<22} {peer_seconds * 1000:9.1f} ms   "
          f"ratio {ratio:5.2f}", flush=True)
    return ratio


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
