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
                f"{html.escape(self.label_text(control))}</div>"
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
            self.emit_editable_list(control, pad)
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
            fail(f"no element for {control.kind} {control.name}")

    def emit_editable_list(self, control, pad):
        """An editable list box: its text, the button that drops the list, and the list."""
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
