"""What the desktop window adds to its form in code, read from the one place each fact sits: the
maker's details from ui/branding.h and the labels ui/form1.cpp writes them into, the keypad of
each field by its key rule in ui/form1.cpp, the family that stands in for Arial and Microsoft
Sans Serif, the pictures and the hand's hot spot from ui/form_setup.cpp, the caption's place in
a frame's border from ui/caption_frame.cpp, and the version from the project's CMakeLists.txt.
"""

import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
UI = ROOT / "ui"

# The keyboard a phone shows for each of the desktop's key rules.
KEYPADS = {"decimalFieldKey": "decimal", "piecesFieldKey": "numeric"}


def fail(message):
    sys.exit(f"{Path(sys.argv[0]).name}: {message}")


def cpp_source(name):
    return (UI / name).read_text(encoding="utf-8")


def found(pattern, text, what):
    match = re.search(pattern, text, re.S)
    if not match:
        fail(f"cannot find {what}; has its source changed?")
    return match


def branding():
    """The constants of ui/branding.h by name, and under "fills" the labels that the window
    writes them into at start-up, each with the text it puts before the detail."""
    text = cpp_source("branding.h")
    details = dict(re.findall(r'constexpr char (k\w+)\[\] = "([^"]*)";', text))
    if "kWebHost" not in details:
        fail("ui/branding.h has no kWebHost")
    setters = re.findall(
        r'ui_->(\w+)->setText\((?:QStringLiteral\("([^"]*)"\) \+ )?'
        r"QString::fromUtf8\(branding::(k\w+)\)\)",
        cpp_source("form1.cpp"),
    )
    if not setters:
        fail("ui/form1.cpp writes no maker's detail into a label")
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
        fail("ui/form1.cpp has no key handlers")
    return fields


def caption_place():
    text = cpp_source("caption_frame.cpp")
    left = found(r"kCaptionLeft = (\d+);", text, "kCaptionLeft").group(1)
    gap = found(r"kCaptionGap = (\d+);", text, "kCaptionGap").group(1)
    return int(left), int(gap)
