"""Start-up to the first painted main window: 10 fresh processes of the program on the offscreen
platform, against a bare Qt application with one window measured the same way (from main to the first
paint event). No CUPS daemon should run, so that the printers are the built-in one alone."""
import os
import statistics
import subprocess

from benchlib import ours, report, scratch_dir

RUNS = 10


def environment(folder):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    env.pop("CUPS_SERVER", None)
    # A user of its own: settings, data and the instance lock stay in the scratch folder.
    for name in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"):
        path = os.path.join(folder, name.lower())
        os.makedirs(path, mode=0o700, exist_ok=True)
        env[name] = path
    return env


def seconds(command, env):
    out = subprocess.run(command, check=True, capture_output=True, text=True, env=env, timeout=120).stdout
    return float(dict(part.split("=", 1) for part in out.split() if "=" in part)["seconds"])


def main():
    if subprocess.run(["pgrep", "-x", "cupsd"], capture_output=True).returncode == 0:
        print("note: a CUPS daemon runs; the program also lists its printers")
    env = environment(scratch_dir())
    program, peer = ours("startup_bench"), ours("startup_peer_bench")
    # The first start writes the settings and makes the data folders; every later one finds them.
    seconds(program, env)
    mine, theirs = [], []
    for _ in range(RUNS):
        mine.append(seconds(program, env))
        theirs.append(seconds(peer, env))
    ratio = report(f"start-up to the first painted main window ({RUNS} runs)", statistics.median(mine),
                   "bare QApplication+QWidget", statistics.median(theirs))
    print(f"{'goal: ratio at most 2.0':<48} {'met' if ratio <= 2.0 else 'not met'}")


main()
