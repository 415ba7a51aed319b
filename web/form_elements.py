"""Writes the form's controls as the page's elements: each with its control's name as id, its
caption or text, visibility, tab order, maximum length, keypad and accessible name."""

import html

from desktop_facts import fail, keypads, pictures


def attributes(pairs):
    return "".join(
        f' {k}="{html.escape(str(v), quote=True)}"' if v is not True else f" {k}"
        for k, v in pairs
        if v is not None and v is not False
    )


def tag(name, pairs, text=None):
    """An element's start tag, and with a text its content and end tag too."""
    start = f"<{name}{attributes(pairs)}>"
    return start if text is None else f"{start}{html.escape(text)}</{name}>"


class FormElements:
    """The lines of HTML for the controls of one form, in the form's order."""

    def __init__(self, controls, tab_order, details):
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
        common = self.common(control)
        if kind == "kalvora::CaptionFrame":
            self.lines.append(pad + tag("fieldset", [("class", "frame")] + common))
            self.lines.append(f"{pad}  " + tag("legend", [], control.text("title")))
            self.emit_children(control, depth + 1)
            self.lines.append(f"{pad}</fieldset>")
        elif kind == "QFrame":
            self.lines.append(pad + tag("div", [("class", "panel")] + common))
            self.emit_children(control, depth + 1)
            self.lines.append(f"{pad}</div>")
        else:
            self.lines += [pad + line for line in self.elements(control, common)]

    def elements(self, control, common):
        """The elements of a control that holds no others."""
        kind = control.kind
        if kind == "kalvora::LinkLabel":
            host = self.details["kWebHost"]
            link = [("href", f"http://{host}/"), ("target", "_blank"), ("rel", "noopener")]
            return [tag("a", [("class", "label")] + common + link + [("tabindex", "-1")], host)]
        if kind == "QLabel" and control.flag("scaledContents"):
            plain, dense = pictures("logoPixmap")
            picture = [
                ("src", plain),
                ("srcset", f"{plain} 1x, {dense} 2x"),
                ("alt", self.details.get("kMakerName", "")),
            ]
            return [tag("img", [("class", "picture")] + common + picture)]
        if kind == "QLabel":
            return [tag("div", [("class", "label")] + common, self.label_text(control))]
        if kind == "kalvora::NumberField":
            field = [
                ("class", "field" if control.flag("frame", True) else "field flat"),
                ("type", "text"),
                ("value", control.text("text")),
                ("maxlength", control.number("maxLength")),
                ("readonly", control.flag("readOnly")),
                ("inputmode", self.keypads[control.name]),
                ("autocomplete", "off"),
                ("spellcheck", "false"),
            ]
            return [tag("input", common + field)]
        if kind == "QComboBox" and control.flag("editable"):
            return self.editable_list(control, common)
        if kind == "QComboBox":
            return [tag("select", [("class", "list")] + common, "")]
        if kind == "QPushButton":
            button = [("type", "button"), ("class", "button")]
            return [tag("button", button + common, control.text("text"))]
        if kind == "QRadioButton":
            option = [
                ("type", "radio"),
                ("name", f"{control.parent.name}Options"),
                ("checked", control.flag("checked")),
            ]
            # The caption is a label of its own, so that it can stand where the form puts it.
            caption = [
                ("class", "option-caption"),
                ("id", f"{control.name}Caption"),
                ("for", control.name),
                ("aria-hidden", "true"),
            ]
            return [
                tag("input", [("class", "option")] + common + option),
                tag("label", caption, control.text("text")),
            ]
        fail(f"no element for {control.kind} {control.name}")

    @staticmethod
    def editable_list(control, common):
        """An editable list box: its text, the button that drops the list, and the list."""
        name = control.name
        text = [
            ("class", "combo"),
            ("type", "text"),
            ("role", "combobox"),
            ("value", control.text("currentText")),
            ("aria-expanded", "false"),
            ("aria-controls", f"{name}List"),
            ("aria-autocomplete", "none"),
            ("autocomplete", "off"),
            ("spellcheck", "false"),
        ]
        button = [
            ("type", "button"),
            ("class", "combo-button"),
            ("id", f"{name}Button"),
            ("tabindex", "-1"),
            ("aria-hidden", "true"),
            ("aria-controls", f"{name}List"),
        ]
        entries = [
            ("class", "combo-list"),
            ("id", f"{name}List"),
            ("role", "listbox"),
            ("aria-label", control.text("accessibleName") or name),
            ("hidden", True),
        ]
        return [tag("input", common + text), tag("button", button, ""), tag("div", entries, "")]

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
