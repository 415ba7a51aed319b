"""Writes form.css: each control at its place and size in pixels, with its font and colours, the
parts the page adds to an editable list box and an option, the caption in a frame's border, and
the desktop's hand over a link."""

from desktop_facts import hand_pointer


def css_family(family, stand_in):
    return f'"{family}", "{stand_in}", sans-serif'


def font_rule(control, stand_in):
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


def box(name, left, top, width, height=None, extra=()):
    """A rule that places an element the page adds beside a control."""
    parts = [f"left: {left}px;", f"top: {top}px;", f"width: {width}px;"]
    if height is not None:
        parts.append(f"height: {height}px;")
    return f"#{name} {{ {' '.join([*parts, *extra])} }}"


def stylesheet(form, controls, stand_in, caption_left, caption_gap):
    rules = [
        f"#Form1 {{ width: {form.width}px; height: {form.height}px; "
        + " ".join(font_rule(form, stand_in))
        + " }"
    ]
    for control in controls:
        font = font_rule(control, stand_in)
        extra = list(font)
        color = control.text_color()
        if color:
            extra.append(f"color: {color};")
        align = control.alignment()
        if align:
            extra.append(f"text-align: {align};")
        x, y, width, height = control.x, control.y, control.width, control.height
        rules.append(box(control.name, x, y, width, height, extra))
        if control.kind == "QComboBox" and control.flag("editable"):
            # The button that drops the list sits in the box's right end; the list hangs below.
            side = height - 2
            rules.append(box(f"{control.name}Button", x + width - side - 1, y + 1, side, side))
            rules.append(box(f"{control.name}List", x, y + height, width, extra=font))
        if control.kind == "QRadioButton":
            indicator = 16
            rules.append(
                box(
                    f"{control.name}Caption",
                    x + indicator,
                    y,
                    width - indicator,
                    height,
                    [f"line-height: {height}px;", *font],
                )
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
