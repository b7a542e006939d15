#!/usr/bin/env python3
"""Embeds the sheet pictures of the help file.

The pictures are drawn by the program's own sheet painter:
    TGC_SHOTS=/tmp/shots build/tests/tgc_gui_tests --gtest_filter=Shots.HelpPictures
then this script reduces them to 96 colours (ImageMagick's convert) and puts
them into resources/Help.html as data URIs, in the <img> whose id names them:
    scripts/help-pictures.py /tmp/shots
"""
import base64
import pathlib
import re
import subprocess
import sys

PICTURES = {"pic-typeA": "help_typeA.png", "pic-typeB": "help_typeB.png",
            "pic-typeC": "help_typeC.png", "pic-guideA": "help_guideA.png"}


def main() -> int:
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    shots = pathlib.Path(sys.argv[1])
    help_file = pathlib.Path(__file__).resolve().parent.parent / "resources" / "Help.html"
    html = help_file.read_text(encoding="utf-8")
    for picture_id, name in PICTURES.items():
        png = subprocess.run(["convert", str(shots / name), "-dither", "None", "-colors", "96",
                              "-strip", "PNG8:-"], check=True, capture_output=True).stdout
        uri = "data:image/png;base64," + base64.b64encode(png).decode("ascii")
        pattern = re.compile(r'(<img id="%s"[^>]*? src=")[^"]*(")' % re.escape(picture_id))
        html, count = pattern.subn(lambda m: m.group(1) + uri + m.group(2), html)
        if count != 1:
            print("no <img id=\"%s\"> in %s" % (picture_id, help_file), file=sys.stderr)
            return 1
    help_file.write_text(html, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
