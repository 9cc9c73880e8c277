"""The page clipboard between processes under a private X server, checked with xclip:
canvas_clipboard_x11.py PEER. After a copy the clipboard lists the format and xclip reads the payload;
a second process pastes it; bytes that xclip sets paste as well."""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))
from xdisplay import XServer  # noqa: E402

MIME = 'application/x-qt-windows-mime;value="QZ20"'


def run_xclip(env, *args, data=None):
    return subprocess.run(["xclip", "-selection", "clipboard", *args], env=env, input=data,
                          capture_output=True, timeout=20)


def paste(peer, env):
    result = subprocess.run([peer, "paste"], env=env, capture_output=True, timeout=60)
    return result.stdout.decode("utf-8").strip()


def main():
    peer = sys.argv[1]
    expected_text = "Grüße & \"Küsse\""
    with XServer() as server:
        env = dict(os.environ, DISPLAY=server.display, QT_QPA_PLATFORM="xcb", LC_ALL="C.UTF-8")
        copier = subprocess.Popen([peer, "copy"], env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        payload = bytes.fromhex(copier.stdout.readline().decode().strip())
        assert payload[:4] == b"\0\0\0\0", "a text object's kind comes first"
        time.sleep(0.5)
        targets = run_xclip(env, "-t", "TARGETS", "-o").stdout.decode()
        assert MIME in targets.splitlines(), targets
        read = run_xclip(env, "-t", MIME, "-o").stdout
        assert read[:len(payload)] == payload[:len(read)] and len(read) >= len(payload.rstrip(b"\0")), \
            (read.hex(), payload.hex())
        pasted = paste(peer, env)
        assert pasted == expected_text, pasted
        copier.stdin.close()
        copier.wait(timeout=30)

        setter = subprocess.Popen(["xclip", "-selection", "clipboard", "-t", MIME, "-i"], env=env,
                                  stdin=subprocess.PIPE)
        setter.communicate(read, timeout=20)
        time.sleep(0.5)
        pasted = paste(peer, env)
        assert pasted == expected_text, pasted
    print("ok")


if __name__ == "__main__":
    main()
