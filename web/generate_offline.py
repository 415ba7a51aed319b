#!/usr/bin/env python3
"""Writes what makes the built site installable and usable offline: the web app manifest, with
the desktop's icons, and the service worker, which learns every file of this build and a hash of
them all that names its cache. Run it last, on the finished site folder.
Usage: generate_offline.py SITE_DIR
"""

import hashlib
import json
import re
import sys
from pathlib import Path

from desktop_facts import project_version

ROOT = Path(__file__).resolve().parent.parent
WORKER = "sw.js"
MANIFEST = "manifest.webmanifest"


def manifest(site):
    icons = []
    for icon in sorted(
        site.glob("icon-*.png"), key=lambda p: int(re.search(r"(\d+)", p.name).group(1))
    ):
        size = re.search(r"icon-(\d+)\.png$", icon.name).group(1)
        icons.append({"src": icon.name, "sizes": f"{size}x{size}", "type": "image/png"})
    if (site / "icon.svg").exists():
        icons.append({"src": "icon.svg", "sizes": "any", "type": "image/svg+xml"})
    return {
        "name": f"Kalvora {project_version()}",
        "short_name": "Kalvora",
        "description": "Weight and price of metal stock",
        "start_url": "./",
        "scope": "./",
        "display": "standalone",
        "background_color": "#efefef",
        "theme_color": "#efefef",
        "icons": icons,
    }


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: generate_offline.py SITE_DIR")
    site = Path(sys.argv[1])
    (site / MANIFEST).write_text(json.dumps(manifest(site), indent=2) + "\n", encoding="utf-8")
    files = sorted(
        p.relative_to(site).as_posix() for p in site.rglob("*") if p.is_file() and p.name != WORKER
    )
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode() + b"\0" + (site / name).read_bytes() + b"\0")
    # The folder itself is how a visit asks for index.html.
    build = digest.hexdigest()[:16]
    header = f"const BUILD = '{build}';\nconst FILES = {json.dumps(['./'] + files)};\n\n"
    template = (ROOT / "web" / "static" / WORKER).read_text(encoding="utf-8")
    (site / WORKER).write_text(header + template, encoding="utf-8")


if __name__ == "__main__":
    main()
