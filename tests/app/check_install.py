"""Installs the build into a temporary prefix and checks the layout with the desktop's own tools:
the program folder with everything the program finds beside itself, the command link, the desktop
entry (desktop-file-validate) and the project file type (xmllint, update-mime-database).

Usage: check_install.py <cmake> <build folder>"""

import glob
import os
import shutil
import subprocess
import sys
import tempfile

PROGRAM_FILES = [
    "vellumcraft", "libEffects.so", "libRastrum.so", "qz_txt.deu", "qz_res.deu", "qz_splash.deu",
    "qz_about.deu", "c1.csr", "c10.csr", "vellumcraft.png", "Sound/tick.wav", "Sound/click.wav",
]


def check(condition, text, failures):
    if not condition:
        failures.append(text)


def main():
    cmake, build = sys.argv[1], sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as prefix:
        subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
        program_folder = os.path.join(prefix, "lib", "vellumcraft")
        for name in PROGRAM_FILES:
            check(os.path.isfile(os.path.join(program_folder, name)), f"missing lib/vellumcraft/{name}", failures)
        check(os.access(os.path.join(program_folder, "vellumcraft"), os.X_OK), "the program is not executable",
              failures)
        check(glob.glob(os.path.join(program_folder, "plugins", "*.phl")), "no codec plug-ins", failures)
        check(os.path.isfile(os.path.join(program_folder, "hilfe", "email.html")), "no e-mail help page", failures)
        check(os.path.isdir(os.path.join(program_folder, "library")), "no library folder", failures)

        command = os.path.join(prefix, "bin", "vellumcraft")
        check(os.path.islink(command), "bin/vellumcraft is no link", failures)
        check(os.path.realpath(command) == os.path.realpath(os.path.join(program_folder, "vellumcraft")),
              "bin/vellumcraft does not lead to the program folder", failures)
        check(not os.path.isabs(os.readlink(command)), "the link is not relative: the prefix cannot move",
              failures)

        desktop = os.path.join(prefix, "share", "applications", "vellumcraft.desktop")
        with open(desktop, encoding="utf-8") as entry:
            lines = entry.read().splitlines()
        check("Exec=vellumcraft %f" in lines, "the desktop entry does not run vellumcraft %f", failures)
        check("MimeType=application/x-vellumcraft-project;" in lines, "the desktop entry names no project type",
              failures)
        check(os.path.isfile(os.path.join(prefix, "share", "icons", "hicolor", "48x48", "apps", "vellumcraft.png")),
              "no icon in the icon theme", failures)
        if shutil.which("desktop-file-validate"):
            result = subprocess.run(["desktop-file-validate", desktop], capture_output=True, text=True)
            check(result.returncode == 0 and not result.stdout.strip(),
                  f"desktop-file-validate: {result.stdout}{result.stderr}", failures)

        mime = os.path.join(prefix, "share", "mime")
        package = os.path.join(mime, "packages", "vellumcraft.xml")
        result = subprocess.run(["xmllint", "--noout", package], capture_output=True, text=True)
        check(result.returncode == 0, f"xmllint: {result.stderr}", failures)
        # The database the desktop builds from the package must map *.qzp to the project type.
        shutil.copy("/usr/share/mime/packages/freedesktop.org.xml", os.path.join(mime, "packages"))
        subprocess.run(["update-mime-database", mime], check=True, capture_output=True)
        with open(os.path.join(mime, "globs2"), encoding="utf-8") as globs:
            check(any(line.strip().endswith(":application/x-vellumcraft-project:*.qzp") for line in globs),
                  "update-mime-database does not map *.qzp", failures)
        check(os.path.isfile(os.path.join(mime, "application", "x-vellumcraft-project.xml")),
              "update-mime-database made no entry for the project type", failures)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
