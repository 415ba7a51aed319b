#!/usr/bin/env python3
"""Writes the web page of the calculator (index.html and form.css) from the desktop's form.

Everything about a control comes from ui/form1.ui (form_reader.py): place and size (pixels, as
the form keeps them), caption or text, font, colours, visibility, maximum length, tab order,
accessible names. What the desktop adds in code is read where it sits (desktop_facts.py).
form_stylesheet.py writes form.css from them, form_elements.py the controls' elements, and this
file the page around those.

Usage: generate_page.py SITE_DIR, once the page's scripts and the core are in SITE_DIR/src
"""

import html
import sys
from pathlib import Path

from desktop_facts import ROOT, UI, branding, caption_place, project_version, stand_in_family
from form_elements import FormElements
from form_reader import read_form
from form_stylesheet import stylesheet

# Only the site's own files, and WebAssembly compiled from them.
CSP = (
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; "
    "img-src 'self'; connect-src 'self'; font-src 'self'; manifest-src 'self'; "
    "worker-src 'self'; object-src 'none'; "
    "base-uri 'none'; form-action 'none'"
)


def page_html(form, controls, tab_order, details, scripts, stylesheets, preloads):
    elements = FormElements(controls, tab_order, details)
    # The desktop's window title.
    title = f"Kalvora {project_version()}"
    head = [
        "<!DOCTYPE html>",
        '<html lang="en">',
        "<head>",
        '<meta charset="utf-8">',
        f'<meta http-equiv="Content-Security-Policy" content="{CSP}">',
        f'<meta name="viewport" content="width={form.width}">',
        f"<title>{html.escape(title)}</title>",
        '<link rel="manifest" href="manifest.webmanifest">',
        '<link rel="icon" href="icon.svg" type="image/svg+xml">',
        '<link rel="icon" href="icon-48.png" sizes="48x48">',
        '<link rel="apple-touch-icon" href="icon-256.png">',
    ]
    head += [f'<link rel="stylesheet" href="{sheet}">' for sheet in stylesheets]
    # Every module and the core asked for at once, not one import after another.
    head += [
        f'<link rel="modulepreload" href="{module}">'
        for module in preloads
        if module.endswith(".js")
    ]
    head += [
        f'<link rel="preload" href="{module}" as="fetch" type="application/wasm" crossorigin>'
        for module in preloads
        if module.endswith(".wasm")
    ]
    head += [f'<script type="module" src="{script}"></script>' for script in scripts]
    head += ["</head>", "<body>", '<main id="Form1" aria-label="Kalvora">']
    elements.emit_children(form, 1)
    return "\n".join(head + elements.lines + ["</main>", "</body>", "</html>"]) + "\n"


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: generate_page.py SITE_DIR")
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    form, controls, tab_order = read_form(UI / "form1.ui")
    details = branding()
    left, gap = caption_place()
    (out / "form.css").write_text(
        stylesheet(form, controls, stand_in_family(), left, gap), encoding="utf-8"
    )
    sheets = ["page.css", "form.css"] + sorted(
        f"src/{p.name}" for p in (ROOT / "web" / "src").glob("*.css")
    )
    scripts = ["register-sw.js", "src/main.js"]
    preloads = sorted(
        p.relative_to(out).as_posix()
        for p in (out / "src").glob("*")
        if p.suffix in (".js", ".wasm") and p.name != "main.js"
    )
    (out / "index.html").write_text(
        page_html(form, controls, tab_order, details, scripts, sheets, preloads), encoding="utf-8"
    )


if __name__ == "__main__":
    main()
