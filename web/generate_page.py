#!/usr/bin/env python3
"""Writes the web page of the calculator (index.html and form.css) from the desktop's form.

Everything about a control comes from ui/form1.ui: place and size (pixels, as the form keeps
them), caption or text, font, colours, visibility, maximum length, tab order, accessible names.
What the desktop adds in code is read from the one place it sits: the maker's details from
ui/branding.h, the family that stands in for Arial and Microsoft Sans Serif and the hot spot of
the hand from ui/form_setup.cpp, the caption's place in a frame's border from
ui/caption_frame.cpp.

Usage: generate_page.py SITE_DIR, once the page's scripts and the core are in SITE_DIR/src
"""

import html
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
UI = ROOT / "ui"

# The keyboard a phone shows for each of the desktop's key rules.
KEYPADS = {"decimalFieldKey": "decimal", "piecesFieldKey": "numeric"}


def cpp_source(name):
    return (UI / name).read_text(encoding="utf-8")


def found(pattern, text, what):
    match = re.search(pattern, text, re.S)
    if not match:
        sys.exit(f"generate_page.py: cannot find {what}; has its source changed?")
    return match


def branding():
    """The constants of ui/branding.h by name, and under "fills" the labels that the window
    writes them into at start-up, each with the text it puts before the detail."""
    text = cpp_source("branding.h")
    details = dict(re.findall(r'constexpr char (k\w+)\[\] = "([^"]*)";', text))
    if "kWebHost" not in details:
        sys.exit("generate_page.py: ui/branding.h has no kWebHost")
    setters = re.findall(
        r'ui_->(\w+)->setText\((?:QStringLiteral\("([^"]*)"\) \+ )?'
        r"QString::fromUtf8\(branding::(k\w+)\)\)",
        cpp_source("form1.cpp"),
    )
    if not setters:
        sys.exit("generate_page.py: ui/form1.cpp writes no maker's detail into a label")
    details["fills"] = {label: (prefix, key) for label, prefix, key in setters}
    return details


def stand_in_family():
    body = found(r"QString drawnFamily\(.*?\n}", cpp_source("form_setup.cpp"), "drawnFamily")
    return found(
        r'#else.*?QStringLiteral\("([^"]+)"\)', body.group(0), "the stand-in family"
    ).group(1)


def pictures(function):
    """The pictures that a function of ui/form_setup.cpp reads: (for 1x screens, for 2x)."""
    body = found(rf"{function}\(\) {{.*?\n}}", cpp_source("form_setup.cpp"), function).group(0)
    names = found(
        r'\? QStringLiteral\(":/kalvora/([^"]+)"\)\s*: QStringLiteral\(":/kalvora/([^"]+)"\)',
        body,
        f"the pictures of {function}",
    )
    return names.group(2), names.group(1)


def hand_pointer():
    """The hand's pictures and its hot spot, in the pixels of the 1x picture."""
    body = found(r"QCursor handPointer\(\).*?\n}", cpp_source("form_setup.cpp"), "handPointer")
    spot = found(
        r"qRound\((\d+) \* scale\),\s*qRound\((\d+) \* scale\)\)", body.group(0), "the hot spot"
    )
    return pictures("handPointer"), (int(spot.group(1)), int(spot.group(2)))


def project_version():
    found_version = found(
        r"project\(\w+ VERSION ([\d.]+)",
        (ROOT / "CMakeLists.txt").read_text(encoding="utf-8"),
        "the project's version",
    )
    return found_version.group(1)


def keypads():
    """The keypad of each field, by the key rule that its key handler in ui/form1.cpp applies."""
    handlers = re.findall(r"void Form1::text(\d)KeyPress\((.*?\n})", cpp_source("form1.cpp"), re.S)
    fields = {}
    for number, body in handlers:
        rule = found(r"(\w+FieldKey)\(", body, f"the key rule of Text{number}").group(1)
        fields[f"Text{number}"] = KEYPADS[rule]
    if not fields:
        sys.exit("generate_page.py: ui/form1.cpp has no key handlers")
    return fields


def caption_place():
    text = cpp_source("caption_frame.cpp")
    left = found(r"kCaptionLeft = (\d+);", text, "kCaptionLeft").group(1)
    gap = found(r"kCaptionGap = (\d+);", text, "kCaptionGap").group(1)
    return int(left), int(gap)


class Control:
    """One widget of the form with the properties the page uses."""

    def __init__(self, node, parent):
        self.kind = node.get("class")
        self.name = node.get("name")
        self.parent = parent
        self.children = []
        self.props = {}
        for prop in node.findall("property"):
            self.props[prop.get("name")] = prop
        rect = self.props["geometry"].find("rect")
        self.x, self.y, self.width, self.height = (
            int(rect.find(k).text) for k in ("x", "y", "width", "height")
        )

    def text(self, name):
        prop = self.props.get(name)
        if prop is None:
            return None
        value = prop.find("string")
        if value is None:
            value = prop.find("cstring")
        return value.text or "" if value is not None else None

    def number(self, name):
        prop = self.props.get(name)
        if prop is None:
            return None
        value = prop.find("number")
        if value is None:
            value = prop.find("double")
        return value.text if value is not None else None

    def flag(self, name, default=False):
        prop = self.props.get(name)
        if prop is None:
            return default
        return prop.find("bool").text == "true"

    def font_flags(self):
        font = self.props.get("font")
        if font is None:
            return False, False
        inner = font.find("font")
        return (inner.findtext("bold") == "true", inner.findtext("underline") == "true")

    def text_color(self):
        palette = self.props.get("palette")
        if palette is None:
            return None
        color = palette.find("palette/active/colorrole[@role='WindowText']/brush/color")
        return rgb(color)

    def caption_color(self):
        prop = self.props.get("captionColor")
        return rgb(prop.find("color")) if prop is not None else None

    def alignment(self):
        value = self.props.get("alignment")
        text = value.find("set").text if value is not None else ""
        if "AlignRight" in text:
            return "right"
        if "AlignHCenter" in text:
            return "center"
        return None


def rgb(color):
    return "#{:02x}{:02x}{:02x}".format(*(int(color.findtext(c)) for c in ("red", "green", "blue")))


def read_form(path):
    root = ET.parse(path).getroot()
    window = root.find("widget")
    controls = []

    def walk(node, parent):
        for child in node.findall("widget"):
            control = Control(child, parent)
            controls.append(control)
            if parent is not None:
                parent.children.append(control)
            walk(child, control)

    form = Control(window, None)
    walk(window, form)
    form.children = [c for c in controls if c.parent is form]
    tab_order = [t.text for t in root.findall("tabstops/tabstop")]
    return form, controls, tab_order


def css_family(family, stand_in):
    return f'"{family}", "{stand_in}", sans-serif'


def stylesheet(form, controls, stand_in, caption_left, caption_gap):
    rules = []

    def font_rule(control):
        size = control.number("fontPointSize")
        family = control.text("fontFamily")
        parts = []
        if family:
            parts.append(f"font-family: {css_family(family, stand_in)};")
        if size:
            parts.append(f"font-size: {size}pt;")
        bold, underline = control.font_flags()
        if bold:
            parts.append("font-weight: bold;")
        if underline:
            parts.append("text-decoration: underline;")
        return parts

    rules.append(
        f"#Form1 {{ width: {form.width}px; height: {form.height}px; "
        + " ".join(font_rule(form))
        + " }"
    )
    for control in controls:
        parts = [
            f"left: {control.x}px;",
            f"top: {control.y}px;",
            f"width: {control.width}px;",
            f"height: {control.height}px;",
        ]
        parts += font_rule(control)
        color = control.text_color()
        if color:
            parts.append(f"color: {color};")
        align = control.alignment()
        if align:
            parts.append(f"text-align: {align};")
        rules.append(f"#{control.name} {{ {' '.join(parts)} }}")
        if control.kind == "QComboBox" and control.flag("editable"):
            # The button that drops the list sits in the box's right end; the list hangs below.
            side = control.height - 2
            rules.append(
                f"#{control.name}Button {{ left: {control.x + control.width - side - 1}px; "
                f"top: {control.y + 1}px; width: {side}px; height: {side}px; }}"
            )
            rules.append(
                f"#{control.name}List {{ left: {control.x}px; top: {control.y + control.height}px; "
                f"width: {control.width}px; {' '.join(font_rule(control))} }}"
            )
        if control.kind == "QRadioButton":
            indicator = 16
            rules.append(
                f"#{control.name}Caption {{ left: {control.x + indicator}px; top: {control.y}px; "
                f"width: {control.width - indicator}px; height: {control.height}px; "
                f"line-height: {control.height}px; {' '.join(font_rule(control))} }}"
            )
        caption = control.caption_color()
        if caption:
            rules.append(f"#{control.name} > legend {{ color: {caption}; }}")
    rules.append(
        f".frame > legend {{ left: {caption_left - caption_gap}px; padding: 0 {caption_gap}px; }}"
    )
    (plain, dense), (x, y) = hand_pointer()
    for link in (c for c in controls if c.kind == "kalvora::LinkLabel"):
        rules.append(
            f"#{link.name} {{ cursor: image-set(url({plain}) 1x, url({dense}) 2x) {x} {y}, pointer; }}"
        )
    return "\n".join(rules) + "\n"


def attributes(pairs):
    return "".join(
        f' {k}="{html.escape(str(v), quote=True)}"' if v is not True else f" {k}"
        for k, v in pairs
        if v is not None and v is not False
    )


class Page:
    def __init__(self, form, controls, tab_order, details):
        self.form = form
        self.tab_index = {name: i + 1 for i, name in enumerate(tab_order)}
        self.details = details
        self.keypads = keypads()
        # A caption names the control it is the buddy of, wherever the two stand.
        self.caption_of = {c.text("buddy"): c.name for c in controls if c.text("buddy")}
        self.lines = []

    def common(self, control):
        name = control.text("accessibleName")
        return [
            ("id", control.name),
            ("hidden", not control.flag("visible", True)),
            ("tabindex", self.tab_index.get(control.name)),
            ("aria-label", name),
            ("aria-labelledby", None if name else self.caption_of.get(control.name)),
            ("aria-description", control.text("accessibleDescription")),
        ]

    def emit(self, control, depth):
        pad = "  " * depth
        kind = control.kind
        label_text = self.label_text(control)
        if kind == "kalvora::CaptionFrame":
            self.lines.append(f'{pad}<fieldset class="frame"{attributes(self.common(control))}>')
            self.lines.append(f"{pad}  <legend>{html.escape(control.text('title'))}</legend>")
            self.emit_children(control, depth + 1)
            self.lines.append(f"{pad}</fieldset>")
        elif kind == "QFrame":
            self.lines.append(f'{pad}<div class="panel"{attributes(self.common(control))}>')
            self.emit_children(control, depth + 1)
            self.lines.append(f"{pad}</div>")
        elif kind == "kalvora::LinkLabel":
            host = self.details["kWebHost"]
            attrs = self.common(control) + [
                ("href", f"http://{host}/"),
                ("target", "_blank"),
                ("rel", "noopener"),
                ("tabindex", "-1"),
            ]
            self.lines.append(f'{pad}<a class="label"{attributes(attrs)}>{html.escape(host)}</a>')
        elif kind == "QLabel" and control.flag("scaledContents"):
            plain, dense = pictures("logoPixmap")
            attrs = self.common(control) + [
                ("src", plain),
                ("srcset", f"{plain} 1x, {dense} 2x"),
                ("alt", self.details.get("kMakerName", "")),
            ]
            self.lines.append(f'{pad}<img class="picture"{attributes(attrs)}>')
        elif kind == "QLabel":
            self.lines.append(
                f'{pad}<div class="label"{attributes(self.common(control))}>'
                f"{html.escape(label_text)}</div>"
            )
        elif kind == "kalvora::NumberField":
            attrs = self.common(control) + [
                ("class", "field" if control.flag("frame", True) else "field flat"),
                ("type", "text"),
                ("value", control.text("text")),
                ("maxlength", control.number("maxLength")),
                ("readonly", control.flag("readOnly")),
                ("inputmode", self.keypads[control.name]),
                ("autocomplete", "off"),
                ("spellcheck", "false"),
            ]
            self.lines.append(f"{pad}<input{attributes(attrs)}>")
        elif kind == "QComboBox" and control.flag("editable"):
            # An editable box: its text, the button that drops the list, and the list.
            attrs = self.common(control) + [
                ("class", "combo"),
                ("type", "text"),
                ("role", "combobox"),
                ("value", control.text("currentText")),
                ("aria-expanded", "false"),
                ("aria-controls", f"{control.name}List"),
                ("aria-autocomplete", "none"),
                ("autocomplete", "off"),
                ("spellcheck", "false"),
            ]
            self.lines.append(f"{pad}<input{attributes(attrs)}>")
            self.lines.append(
                f'{pad}<button type="button" class="combo-button" id="{control.name}Button"'
                f' tabindex="-1" aria-hidden="true" aria-controls="{control.name}List"></button>'
            )
            self.lines.append(
                f'{pad}<div class="combo-list" id="{control.name}List" role="listbox"'
                f' aria-label="{html.escape(control.text("accessibleName") or control.name)}" hidden></div>'
            )
        elif kind == "QComboBox":
            self.lines.append(
                f'{pad}<select class="list"{attributes(self.common(control))}></select>'
            )
        elif kind == "QPushButton":
            self.lines.append(
                f'{pad}<button type="button" class="button"{attributes(self.common(control))}>'
                f"{html.escape(control.text('text'))}</button>"
            )
        elif kind == "QRadioButton":
            attrs = self.common(control) + [
                ("type", "radio"),
                ("name", f"{control.parent.name}Options"),
                ("checked", control.flag("checked")),
            ]
            self.lines.append(f'{pad}<input class="option"{attributes(attrs)}>')
            self.lines.append(
                f'{pad}<label class="option-caption" id="{control.name}Caption" for="{control.name}"'
                f' aria-hidden="true">'
                f"{html.escape(control.text('text'))}</label>"
            )
        else:
            sys.exit(f"generate_page.py: no element for {control.kind} {control.name}")

    def label_text(self, control):
        """A label's caption: the form's, or the maker's detail that the desktop writes there."""
        fill = self.details["fills"].get(control.name)
        if fill is None:
            return control.text("text") or ""
        prefix, key = fill
        return prefix + self.details[key]

    def emit_children(self, control, depth):
        for child in control.children:
            self.emit(child, depth)


def page_html(form, controls, tab_order, details, scripts, stylesheets, preloads):
    page = Page(form, controls, tab_order, details)
    # The desktop's window title.
    title = f"Kalvora {project_version()}"
    csp = (
        "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; "
        "img-src 'self'; connect-src 'self'; font-src 'self'; manifest-src 'self'; "
        "worker-src 'self'; object-src 'none'; "
        "base-uri 'none'; form-action 'none'"
    )
    head = [
        "<!DOCTYPE html>",
        '<html lang="en">',
        "<head>",
        '<meta charset="utf-8">',
        f'<meta http-equiv="Content-Security-Policy" content="{csp}">',
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
    head += ["</head>", "<body>", f'<main id="Form1" aria-label="Kalvora">']
    page.emit_children(form, 1)
    return "\n".join(head + page.lines + ["</main>", "</body>", "</html>"]) + "\n"


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
