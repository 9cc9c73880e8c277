"""Sending a plain mail with a 5 MB JPEG attached to a real SMTP server on 127.0.0.1 (aiosmtpd's Mailbox
handler, Maildir in a RAM folder): ours through the mail manager against /usr/bin/python3 building the same
message with email.message.EmailMessage and sending it with smtplib's send_message. Both are timed inside
their process, from reading the file to the server's reply to the final dot.
"""
import os
import socket
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

PYTHON = "/usr/bin/python3"
PYTHON_SEND = """
import smtplib, sys, time
from email.message import EmailMessage
host, port, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
start = time.perf_counter()
message = EmailMessage()
message["From"] = "anna@example.org"
message["To"] = "Ben <ben@example.org>"
message["Subject"] = "Seite"
message.set_content("Hallo Ben, hier ist die Seite.")
message.add_attachment(open(path, "rb").read(), maintype="application", subtype="octet-stream",
                       filename="Seite.jpg")
with smtplib.SMTP(host, port) as server:
    server.send_message(message)
print("seconds=%.6f" % (time.perf_counter() - start))
"""


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def wait_until_listening(port):
    for _ in range(200):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            return
        except OSError:
            time.sleep(0.05)
    raise RuntimeError("aiosmtpd did not start")


def main():
    ram = "/dev/shm" if os.path.isdir("/dev/shm") else None
    folder = benchlib.scratch_dir() if ram is None else __import__("tempfile").mkdtemp(dir=ram)
    picture = os.path.join(folder, "Seite.jpg")
    subprocess.run(["convert", "-size", "2800x2100", "plasma:fractal", "-quality", "97", picture], check=True,
                   env=dict(os.environ, LC_ALL="C.UTF-8"))
    port = free_port()
    server = subprocess.Popen([PYTHON, "-m", "aiosmtpd", "-n", "-l", f"127.0.0.1:{port}", "-c",
                               "aiosmtpd.handlers.Mailbox", os.path.join(folder, "Maildir")],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              env=dict(os.environ, LC_ALL="C.UTF-8"))
    try:
        wait_until_listening(port)
        size_mb = os.path.getsize(picture) / 1e6
        our, _ = benchlib.median_reported(benchlib.ours("mail_bench", "127.0.0.1", port, picture))
        peer, _ = benchlib.median_reported([PYTHON, "-c", PYTHON_SEND, "127.0.0.1", str(port), picture])
        benchlib.report(f"mail with a {size_mb:.1f} MB attachment", our, "python3 smtplib", peer)
    finally:
        server.terminate()
        server.wait()
        subprocess.run(["rm", "-rf", folder])


if __name__ == "__main__":
    main()
