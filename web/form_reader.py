"""Reads a Qt Designer form (ui/form1.ui) into plain controls: every widget with its place and
size in pixels, as the form keeps them, and the properties the page uses."""

import xml.etree.ElementTree as ET


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

    def _value(self, name, *tags):
        """The value element of a property, of the first of the tags it has; none without."""
        prop = self.props.get(name)
        if prop is None:
            return None
        return next((value for value in map(prop.find, tags) if value is not None), None)

    def text(self, name):
        value = self._value(name, "string", "cstring")
        return None if value is None else value.text or ""

    def number(self, name):
        value = self._value(name, "number", "double")
        return None if value is None else value.text

    def flag(self, name, default=False):
        value = self._value(name, "bool")
        return default if value is None else value.text == "true"

    def font_flags(self):
        font = self._value("font", "font")
        if font is None:
            return False, False
        return (font.findtext("bold") == "true", font.findtext("underline") == "true")

    def text_color(self):
        palette = self._value("palette", "palette")
        if palette is None:
            return None
        return rgb(palette.find("active/colorrole[@role='WindowText']/brush/color"))

    def caption_color(self):
        color = self._value("captionColor", "color")
        return None if color is None else rgb(color)

    def alignment(self):
        value = self._value("alignment", "set")
        text = value.text if value is not None else ""
        if "AlignRight" in text:
            return "right"
        if "AlignHCenter" in text:
            return "center"
        return None


def rgb(color):
    return "#{:02x}{:02x}{:02x}".format(*(int(color.findtext(c)) for c in ("red", "green", "blue")))


def read_form(path):
    """The window, every control below it in the form's order, and the names in tab order."""
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
