#!/usr/bin/python3
"""Makes an estimate in the running calculator the way a screen-reader user would, and reads
the window back through AT-SPI, the interface that Orca and other screen readers use.

It starts the program itself (with Qt's AT-SPI bridge switched on), so it must run inside an X
display and a D-Bus session of its own:

    dbus-run-session -- /usr/bin/python3 tests/accessibility/read_window.py build/app/kalvora

The keyboard does the work, as it would for someone who cannot see the screen: arrow keys pick
the grade and the shape, Tab moves between the fields, digits are typed, Space presses
CALCULATE. Before every key the script waits until AT-SPI reports the focus where the user
would hear it. Then it reads what a screen reader would announce: the purpose of every control
that takes the focus, the caption that labels every list and field, the six result lines and
which controls are showing; and it checks that a faulty input raises an alert. Exits with 1 on
any mismatch.
"""

import os
import subprocess
import sys
import tempfile
import time
import traceback

import pyatspi
from gi.repository import GLib

WINDOW_TITLE = "Kalvora 2.2"
TIMEOUT = 20.0

GRADE = "Carbon steel"
SHAPE = "Round bar"
EXPECTED_WEIGHT_LINES = ["1 pc: 61,66 Kg", "4 pcs: 246,64 Kg", "1 meter: 61,66 Kg"]
EXPECTED_PRICE_LINES = ["1 pc: 154,15 €", "4 pcs: 616,6 €", "1 meter 154,15 €"]
# A round bar asks for two dimensions: these are its row captions, as the window shows them.
EXPECTED_ROUND_BAR_CAPTIONS = ["Diameter:", "Lenght:"]

failures = []
passes = []


def check(condition, message):
    print(("ok     " if condition else "FAILED ") + message)
    (passes if condition else failures).append(message)


class Timeout(Exception):
    pass


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe() until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            result = probe()
        except GLib.Error:
            # An object went away while it was read (a closing box): look again.
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            raise Timeout(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(0.05)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout


def press(key):
    xdotool("key", "--clearmodifiers", key)


# ----------------------------------------------------------------------------------------------
# Reading the accessibility tree

def has_state(obj, state):
    return obj.getState().contains(state)


def showing(obj):
    return has_state(obj, pyatspi.STATE_SHOWING)


def descendants(obj):
    """Every object below obj, leaving out the entries of the drop-down lists."""
    for child in obj:
        if child is None:
            continue
        yield child
        if child.getRoleName() != "list":
            yield from descendants(child)


def labelled_by(obj):
    names = []
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def captions_of(obj):
    """The captions a screen reader speaks before a control: the labels it is labelled by,
    leaving out the frame around it, which labels everything inside."""
    captions = []
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            targets = [relation.getTarget(i) for i in range(relation.getNTargets())]
            captions += [t.name for t in targets if t.getRoleName() == "label" and t.name]
    return captions


def text_of(obj):
    text = obj.queryText()
    return text.getText(0, text.characterCount)


def extents(obj):
    return obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


class Window:
    def __init__(self, app, window_id):
        self.app = app
        self.window_id = window_id

    def activate(self):
        # A bare X server has no window manager to give a window the keyboard, on start or
        # when a message box closes.
        xdotool("windowfocus", "--sync", self.window_id)

    def objects(self):
        # The bridge keeps a cache that events update; read afresh so no poll sees old state.
        self.app.clearCache()
        return list(descendants(self.app))

    def find(self, role, name=None, within=None):
        pool = descendants(within) if within is not None else self.objects()
        return [o for o in pool if o.getRoleName() == role and (name is None or o.name == name)]

    def one(self, role, name=None, within=None):
        found = self.find(role, name, within)
        if len(found) != 1:
            raise AssertionError(f"expected one {role} {name!r}, found {len(found)}")
        return found[0]

    def alerts(self):
        """The message boxes showing: windows of their own, so children of the application."""
        self.app.clearCache()
        found = []
        for top in self.app:
            try:
                if top is not None and top.getRoleName() == "alert" and showing(top):
                    found.append(top)
            except GLib.Error:
                pass  # a box that closed while it was read
        return found

    def focused(self):
        """The focused control, as a screen reader names it: an editable combo box is focused
        together with its text entry, and the combo box is what the user is told about."""
        focused = [o for o in self.objects() if has_state(o, pyatspi.STATE_FOCUSED)]
        if not focused:
            return None
        for obj in focused:
            if obj.getRoleName() == "combo box":
                return obj
        return focused[0]


def purpose(obj):
    """What a screen reader says a control is for. A combo box's name is the entry it holds
    (that is how Qt and GTK publish it on Linux), so its purpose comes from its labels, its
    description and the name of its text entry."""
    if obj.getRoleName() != "combo box":
        return [obj.name]
    words = labelled_by(obj) + [obj.description]
    words += [c.name for c in obj if c is not None and c.getRoleName() == "text"]
    return [w for w in words if w]


def describe(obj):
    role = obj.getRoleName()
    extra = ""
    if role == "combo box":
        extra = f" (holds {obj.name!r}; labelled by {labelled_by(obj)}; " \
                f"description {obj.description!r})"
    return f"{role} {obj.name!r}{extra}"


# ----------------------------------------------------------------------------------------------
# Driving the window

def focus_is(window, role, matches):
    def probe():
        obj = window.focused()
        if obj is not None and obj.getRoleName() == role and matches(obj):
            return obj
        return None
    return probe


def tab_to(window, role, name=None, matches=None, key="Tab"):
    matches = matches or (lambda o: o.name == name)
    press(key)
    obj = wait_for(f"the focus on {role} {name or ''}".strip(), focus_is(window, role, matches))
    print(f"       focus: {describe(obj)}")
    return obj


def choose_in_combo(window, combo_purpose, entry):
    """Arrow keys step through the list; each step is a choice, as the user hears it."""
    for _ in range(20):
        combo = window.focused()
        if combo is None or combo.getRoleName() != "combo box":
            raise AssertionError(f"the {combo_purpose} box lost the focus")
        if combo.name == entry:
            return combo
        before = combo.name
        press("Down")
        wait_for(f"the {combo_purpose} box to move on from {before!r}",
                 lambda: (window.focused() is not None and window.focused().name != before))
    raise AssertionError(f"{entry!r} not found in the {combo_purpose} box")


def type_into(window, field, value):
    """Types into a field once the field has selected its text, as it does on entry."""
    def all_selected():
        text = field.queryText()
        if text.getNSelections() != 1:
            return False
        start, end = text.getSelection(0)
        return start == 0 and end == text.characterCount
    wait_for(f"{field.name!r} to select its text", all_selected)
    xdotool("type", "--delay", "20", value)
    wait_for(f"{field.name!r} to read {value!r}", lambda: text_of(field) == value)
    print(f"       typed {value!r} into {field.name!r}")


def start_program(program, log):
    # As a Wayland desktop starts it, with an X server beside (XWayland): the program picks X11
    # by itself, without a word about Qt's Wayland plugin, which Debian's Qt lacks.
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               XDG_SESSION_TYPE="wayland", WAYLAND_DISPLAY="wayland-0")
    env.pop("QT_QPA_PLATFORM", None)
    process = subprocess.Popen([program], env=env, stdout=log, stderr=subprocess.STDOUT)
    desktop = pyatspi.Registry.getDesktop(0)

    def application():
        if process.poll() is not None:
            log.seek(0)
            raise AssertionError(f"the program ended early: {log.read()}")
        for app in desktop:
            if app is not None and app.get_process_id() == process.pid:
                frames = [f for f in app if f is not None and f.name == WINDOW_TITLE]
                if frames and showing(frames[0]):
                    return app
        return None
    app = wait_for("the program's window in the accessibility tree", application)
    window_id = wait_for("the X window", lambda: subprocess.run(
        ["xdotool", "search", "--pid", str(process.pid), "--name", f"^{WINDOW_TITLE}$"],
        capture_output=True, text=True).stdout.split())[0]
    window = Window(app, window_id)
    window.activate()
    return process, window


# ----------------------------------------------------------------------------------------------

def make_estimate(window):
    print("== estimate by keyboard")
    grade_box = wait_for("the focus in a combo box", focus_is(window, "combo box", lambda o: True))
    print(f"       focus: {describe(grade_box)}")
    check(any("grade" in w.lower() for w in purpose(grade_box)),
          "the focus starts in a combo box that says it is for the grade")
    choose_in_combo(window, "grade", GRADE)
    density = window.one("text", "Density in kilograms per cubic decimetre")
    wait_for("the density of the grade", lambda: text_of(density) not in ("", "0,0"))
    print(f"       grade {GRADE!r}, density {text_of(density)!r}")
    tab_to(window, "combo box", matches=lambda o: "shape" in " ".join(purpose(o)).lower())
    choose_in_combo(window, "shape", SHAPE)
    print(f"       shape {SHAPE!r}")

    diameter = tab_to(window, "text", "Diameter in millimetres")
    type_into(window, diameter, "100")
    length = tab_to(window, "text", "Lenght in millimetres")
    type_into(window, length, "1000")
    # The third dimension row is hidden for a round bar: Tab passes it by.
    pieces = tab_to(window, "text", "Number of pieces")
    type_into(window, pieces, "4")
    price = tab_to(window, "text", "Price")
    type_into(window, price, "2,50")
    button = tab_to(window, "push button", "Calculate")
    check("Press" in [button.queryAction().getName(i) for i in range(button.queryAction().nActions)],
          "the Calculate button offers the action Press")
    press("space")
    weight_panel = wait_for("the weight panel", lambda: [
        p for p in window.find("panel", "estimated weight") if showing(p)])[0]
    return weight_panel


def read_results(window):
    print("== result lines")
    for panel_name, expected in (("estimated weight", EXPECTED_WEIGHT_LINES),
                                 ("estimated price", EXPECTED_PRICE_LINES)):
        panel = window.one("panel", panel_name)
        check(showing(panel), f"the panel {panel_name!r} is showing")
        labels = sorted((l for l in window.find("label", within=panel) if showing(l)),
                        key=lambda l: extents(l).y)
        lines = [l.name for l in labels]
        print(f"       {panel_name}: {lines}")
        check(lines == expected, f"{panel_name} reads {expected}")


def read_focusable_controls(window):
    print("== controls that take the focus")
    # Role, purpose and, for the lists and fields, the caption beside them; buttons carry
    # their own text.
    expected = [
        ("combo box", "grade", "grade:"),
        ("combo box", "shape", "shape:"),
        ("text", "Diameter in millimetres", "Diameter:"),
        ("text", "Lenght in millimetres", "Lenght:"),
        ("text", "Number of pieces", "pcs:"),
        ("text", "Price", "price:"),
        ("push button", "Calculate", None),
        ("text", "Density in kilograms per cubic decimetre", "density:"),
        ("radio button", "Price per kilogram", None),
        ("radio button", "Price per metre", None),
    ]
    controls = [o for o in window.objects()
                if has_state(o, pyatspi.STATE_FOCUSABLE) and showing(o)
                and o.getRoleName() != "list"
                and not (o.getRoleName() == "text" and o.parent.getRoleName() == "combo box")]
    for obj in controls:
        print(f"       {describe(obj)}")
        check(bool(purpose(obj)), f"{obj.getRoleName()} {obj.name!r} has a name for its purpose")
        if obj.getRoleName() in ("combo box", "text"):
            check(bool(captions_of(obj)),
                  f"{obj.getRoleName()} {obj.name!r} is labelled by a caption")
    for role, want, caption in expected:
        if role == "combo box":
            found = [o for o in controls if o.getRoleName() == role
                     and any(want in w.lower() for w in purpose(o))]
        else:
            found = [o for o in controls if o.getRoleName() == role and o.name == want]
        check(len(found) == 1, f"one {role} says it is for {want!r}")
        if caption is not None and len(found) == 1:
            captions = captions_of(found[0])
            check(caption in captions,
                  f"the {role} for {want!r} is labelled by {caption!r} (is {captions})")
    check(len(controls) == len(expected),
          f"{len(expected)} controls take the focus (found {len(controls)})")


def read_dimension_rows(window):
    print("== dimension rows")
    shape_panel = [p for p in window.find("panel") if "shape" in p.name.lower()]
    check(len(shape_panel) == 1, "one panel holds the shape and its dimensions")
    panel = shape_panel[0]
    fields = [o for o in window.find("text", within=panel)]
    labels = [o for o in window.find("label", within=panel)]
    captions = []
    for field in sorted(fields, key=lambda f: extents(f).y):
        box = extents(field)
        row = [l for l in labels if abs(extents(l).y - box.y) < box.height
               and extents(l).x + extents(l).width <= box.x]
        caption = max(row, key=lambda l: extents(l).x) if row else None
        if not showing(field):
            check(caption is None or not showing(caption),
                  f"hidden field {field.name!r} has no caption showing")
            continue
        check(caption is not None and showing(caption), f"{field.name!r} has a caption beside it")
        if caption is None:
            continue
        captions.append(caption.name)
        wanted = caption.name.rstrip(":") + " in millimetres"
        check(field.name == wanted,
              f"the field beside {caption.name!r} is named {wanted!r} (is {field.name!r})")
    check(captions == EXPECTED_ROUND_BAR_CAPTIONS,
          f"a round bar asks for {EXPECTED_ROUND_BAR_CAPTIONS} (asks for {captions})")


def read_showing(window):
    print("== what is showing")
    for obj in window.objects():
        role = obj.getRoleName()
        if role in ("panel", "text", "combo box", "push button", "radio button") or (
                role == "label" and obj.parent.getRoleName() == "panel"):
            if role == "text" and obj.parent.getRoleName() == "combo box":
                continue
            print(f"       {'showing' if showing(obj) else 'hidden '} {role} {obj.name!r}")
    hidden_fields = [o for o in window.find("text") if not showing(o)]
    check(len(hidden_fields) == 1, "exactly one input field is hidden (the third dimension)")


def check_alert(window):
    print("== a faulty input raises an alert")
    # Flat bar resets the dimensions to zero, and a flat bar without a length is refused.
    tab_to(window, "combo box", matches=lambda o: "shape" in " ".join(purpose(o)).lower())
    choose_in_combo(window, "shape", "Flat bar")
    button = window.one("push button", "Calculate")
    button.queryAction().doAction(0)
    alert = wait_for("an alert", window.alerts)[0]
    texts = [l.name for l in window.find("label", within=alert)]
    print(f"       alert {alert.name!r}: {texts}")
    check(alert.name == "Length not set", "the alert is titled 'Length not set'")
    check('"Lenght" must not be zero' in texts, "the alert says what is wrong, naming the field")
    ok = window.one("push button", "OK", within=alert)
    ok.queryAction().doAction(0)
    wait_for("the alert to close", lambda: not window.alerts())
    window.activate()
    field = wait_for("the focus in the faulty field", focus_is(window, "text", lambda o: True))
    check(field.name == "Lenght in millimetres",
          f"after the alert the focus is in the length field (is {field.name!r})")


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    started = time.monotonic()
    process = None
    log = tempfile.TemporaryFile(mode="w+")
    try:
        process, window = start_program(sys.argv[1], log)
        make_estimate(window)
        read_results(window)
        read_focusable_controls(window)
        read_dimension_rows(window)
        read_showing(window)
        check_alert(window)
    except (Timeout, AssertionError) as error:
        failures.append(str(error))
        print(f"FAILED {error}")
    except Exception as error:  # an AT-SPI call that failed: report it like any mismatch
        failures.append(repr(error))
        print(f"FAILED {error!r}")
        traceback.print_exc(file=sys.stdout)
    finally:
        if process is not None:
            process.terminate()
            process.wait(timeout=10)
            log.seek(0)
            said = [line for line in log.read().splitlines() if "qt.qpa.plugin" in line]
            check(not said, f"no word about Qt's platform plugins in a Wayland session: {said}")
    print(f"took {time.monotonic() - started:.1f} s")
    print(f"accessibility: {len(passes)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
