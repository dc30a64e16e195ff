#!/usr/bin/env python3
"""Write window/form/mainwindow.ui, the Designer form of the main window.

The form is kept as data here so that the many near-identical editors,
labels and style sheets cannot drift apart by hand editing.  The output is
deterministic: running the script twice gives the same bytes.

    python3 tools/gen_form.py            # rewrite window/form/mainwindow.ui
    python3 tools/gen_form.py --check    # exit 1 if the committed file is stale
    python3 tools/gen_form.py -o FILE    # write somewhere else
"""

import argparse
import os
import sys

# --------------------------------------------------------------------------
# XML output in the layout Designer itself writes (one-space indentation).


def esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def esc_attr(text):
    return esc(text).replace('"', "&quot;")


class E:
    """A bare XML element: tag, ordered attributes, text or children."""

    def __init__(self, tag, attrs=None, text=None, children=None):
        self.tag = tag
        self.attrs = attrs or []
        self.text = text
        self.children = list(children or [])

    def add(self, *children):
        self.children.extend(children)
        return self

    def render(self, out, depth):
        pad = " " * depth
        attrs = "".join(' %s="%s"' % (k, esc_attr(v)) for k, v in self.attrs)
        if self.children:
            out.append("%s<%s%s>" % (pad, self.tag, attrs))
            for child in self.children:
                child.render(out, depth + 1)
            out.append("%s</%s>" % (pad, self.tag))
        elif self.text is not None and self.text != "":
            out.append("%s<%s%s>%s</%s>" % (pad, self.tag, attrs, esc(self.text), self.tag))
        else:
            out.append("%s<%s%s/>" % (pad, self.tag, attrs))


def leaf(tag, value):
    return E(tag, text=str(value))


def prop(name, value_element):
    return E("property", [("name", name)], children=[value_element])


def p_string(name, text, notr=False):
    attrs = [("notr", "true")] if notr else []
    return prop(name, E("string", attrs, text=text))


def p_number(name, value):
    return prop(name, leaf("number", value))


def p_double(name, value):
    return prop(name, leaf("double", repr(float(value))))


def p_bool(name, value):
    return prop(name, leaf("bool", "true" if value else "false"))


def p_enum(name, value):
    return prop(name, leaf("enum", value))


def p_set(name, value):
    return prop(name, leaf("set", value))


def p_rect(x, y, w, h):
    return prop("geometry", E("rect", children=[
        leaf("x", x), leaf("y", y), leaf("width", w), leaf("height", h)]))


def p_size(name, w, h):
    return prop(name, E("size", children=[leaf("width", w), leaf("height", h)]))


def p_sizepolicy(hsizetype, vsizetype):
    return prop("sizePolicy", E("sizepolicy", [("hsizetype", hsizetype), ("vsizetype", vsizetype)],
                                children=[leaf("horstretch", 0), leaf("verstretch", 0)]))


def p_font(family, pointsize=None):
    children = [leaf("family", family)]
    if pointsize is not None:
        children.append(leaf("pointsize", pointsize))
    children += [leaf("weight", 75), leaf("italic", "false"), leaf("bold", "true")]
    return prop("font", E("font", children=children))


def p_icon(path):
    return prop("icon", E("iconset", [("resource", "zqconfig.qrc")], children=[IconText(path)]))


class IconText(E):
    """Designer writes an icon as <normaloff>path</normaloff>path inside
    <iconset>; the trailing bare path is the legacy form uic still reads."""

    def __init__(self, path):
        super().__init__("normaloff", text=path)
        self.path = path

    def render(self, out, depth):
        out.append("%s<normaloff>%s</normaloff>%s" % (" " * depth, esc(self.path), esc(self.path)))


def color(r, g, b, a=255):
    return E("color", [("alpha", str(a))], children=[leaf("red", r), leaf("green", g), leaf("blue", b)])


# --------------------------------------------------------------------------
# Style sheets.  Every sheet is a list of (selector, declarations); a
# selector of None means a bare declaration list for the widget itself.

HOVER = [
    "background-color:rgba(100,255,100,100);",
    "border-color:rgba(255,255,255,255);",
    "color:rgba(255,255,255,255);",
]

WHITE = "color:rgba(255,255,255,255);"
YELLOW = "color:rgba(255,255,0,255);"
GREY_BG = "background-color: rgb(70, 70, 70);"
BLUE_BG = "background-color: rgb(85, 170, 255);"


def field(cls, background, font, text_colour, hover):
    blocks = [(cls, [background, "border-style:outset;", "border-width:4px;", "border-radius:4px;",
                     "border-color:rgba(0,0,0,0);", font, text_colour, "padding:0px;"])]
    if hover:
        blocks.append((cls + ":hover", HOVER))
    return blocks


def button(cls, background, border_width, border_radius, font, pressed_bg=None, pressed_colour=None):
    blocks = [(cls, [background, "border-style:outset;", border_width, border_radius,
                     "border-color:rgba(0,0,0,0);", font, WHITE, "padding:0px;"])]
    if pressed_bg is not None:
        blocks.append((cls + ":pressed", [pressed_bg, "border-color:rgba(255,255,255,30);",
                                          "border-style:inset;", pressed_colour]))
        blocks.append((cls + ":hover", HOVER))
    return blocks


def bar(groove, chunk):
    return [("QProgressBar:vertical", ["border-radius:0px;", groove, "color: transparent;", "text-align:center;"]),
            ("QProgressBar::chunk:vertical", [chunk, "margin:0px;", "height:1px;"])]


def plain(text):
    return [(None, [text])]


# Sheets that depend on the widget's class take it as argument.
SHEETS = {
    "window": lambda cls: plain("background-color: rgb(40, 40, 40);"),
    "red gradient": lambda cls: plain(
        "background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1, "
        "stop:0 rgba(255, 0, 0, 255), stop:1 rgba(255, 255, 255, 255));"),
    "red gradient variant": lambda cls: plain(
        "background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0.006, y2:1, "
        "stop:0 rgba(255, 19, 19, 255), stop:1 rgba(255, 255, 255, 255));"),
    "dark panel": lambda cls: plain("background-color: rgb(50, 50, 50);"),
    "dark panel, first page": lambda cls: plain("background-color: rgb(50,50, 50);"),
    "curve": lambda cls: plain("background-color: rgb(255, 255, 255);"),
    "group box": lambda cls: [("QGroupBox", ["font:bold 20px;", "color: rgb(255, 170, 0);"])],
    "caption 14": lambda cls: field("QLineEdit", GREY_BG, "font:bold 14px;", WHITE, False),
    "read-out 14": lambda cls: field("QLineEdit", GREY_BG, "font:bold 14px;", YELLOW, False),
    "value 26": lambda cls: field("QLineEdit", BLUE_BG, "font:bold 26px;", WHITE, False),
    "channel name 26": lambda cls: field("QLineEdit", "background-color: rgb(0, 0, 0);",
                                         "font:bold 26px;", YELLOW, False),
    "caption 20": lambda cls: field("QLineEdit", GREY_BG, "font:bold 20px;", WHITE, False),
    "caption 22": lambda cls: field("QLineEdit", GREY_BG, "font:bold 22px;", WHITE, False),
    "trim read-out": lambda cls: field("QLineEdit", GREY_BG, "font:bold 20px;", YELLOW, False),
    "port combo": lambda cls: field("QComboBox", "background-color: rgb(255, 255, 255);",
                                    "font:bold 20px;", "color:rgba(0,0,0,255);", True),
    "editor 20": lambda cls: field(cls, BLUE_BG, "font:bold 20px;", WHITE, True),
    "editor 22": lambda cls: field(cls, BLUE_BG, "font:bold 22px;", WHITE, True),
    "push button": lambda cls: button("QPushButton", "background-color:rgba(100,100,100,100);",
                                      "border-width:4px;", "border-radius:10px;", "font:bold 16px;",
                                      "background-color:rgba(100,255,100,200);", "color:rgba(0,0,0,100);"),
    "tool button": lambda cls: button("QToolButton", "background-color:rgba(70,70,70,70);",
                                      "border-width:4px;", "border-radius:10px;", "font:bold 14px;",
                                      "background-color:rgba(100,255,100,200);", "color:rgba(0,0,0,100);"),
    "tool button reset": lambda cls: button("QToolButton", "background-color:rgba(70,70,70,70);",
                                            "border-width:4px;", "border-radius:10px;", "font:bold 14px;",
                                            "background-color:rgba(255,255,0,255);", "color:rgba(255,0,0,100);"),
    "led": lambda cls: button("QToolButton", "background-color:rgba(70,70,70,70);",
                              "border-width:0px;", "border-radius:0px;", "font:bold 16px;"),
    "upper bar": lambda cls: bar("background-color:rgba(255,255,255,255);", "background-color:rgba(0,0,255,255);"),
    "lower bar": lambda cls: bar("background-color:rgba(0,0,255,255);", "background-color:rgba(255,255,255,255);"),
    "tabs": lambda cls: [
        ("QTabWidget::pane", ["border:10px;"]),
        ("QTabWidget::tab-bar", ["alignment:left;"]),
        ("QTabBar::tab", ["border: none;", "border-top-left-radius: 10px;", "border-top-right-radius: 10px;",
                          "font:bold 18px;", "color: white;", "background: rgb(80,80,80);", "height: 50px;",
                          "min-width: 140px;"]),
        ("QTabBar::tab:hover", ["background:rgb(0, 0, 0, 0);"]),
        ("QTabBar::tab:selected", ["border-color: white;", "background:red;", "color:rgb(0, 255, 255, 255);"]),
    ],
}

# Editors that carry the 22 px variant of the editor sheet.
EDITOR_22 = {
    "comboBox_rev8", "comboBox_AUX8", "comboBox_EleMix", "comboBox_PRM02_Master", "comboBox_PRM02_Slave",
    "comboBox_PRM02_Master_2",
    "spinBox_sub8", "spinBox_Lepa2", "spinBox_Lepa8", "spinBox_Repa8", "spinBox_delay8", "spinBox_FS8",
    "spinBox_Elev01", "spinBox_Elev02", "spinBox_PRM02_Data1", "spinBox_PRM02_Data2", "spinBox_PRM02_Data3",
    "spinBox_Rssi", "spinBox_Mode", "spinBox_Vertion",
    "spinBox_step1", "spinBox_step2", "spinBox_step3", "spinBox_step4",
    "doubleSpinBox_Volt", "doubleSpinBox_rxVolt", "doubleSpinBox_extVolt",
}


def sheet_text(kind, cls):
    parts = []
    for selector, decls in SHEETS[kind](cls):
        if selector is None:
            parts.append("\n".join(decls))
        else:
            parts.append(selector + "{\n" + "\n".join(decls) + "\n}")
    return "\n".join(parts)


def p_sheet(kind, cls):
    return p_string("styleSheet", sheet_text(kind, cls), notr=True)


# --------------------------------------------------------------------------
# Widgets.  Properties are kept in the order Designer's property editor
# lists them; uic emits them in that order, and that matters for ranges
# (maximum before value).


class W(E):
    def __init__(self, cls, name, props=(), children=(), attrs=()):
        super().__init__("widget", [("class", cls), ("name", name)])
        self.cls = cls
        self.name = name
        self.children = list(attrs) + list(props) + list(children)


def line_edit(name, text, sheet, read_only, geometry=None):
    props = [p_rect(*geometry)] if geometry else []
    # Captions and read-outs are no place for the cursor: taking the window's
    # first focus one would show its text selected, and the next refresh
    # overwrites whatever is typed into a read-out.  The one writable line
    # edit takes the focus only where it is clicked.
    props.append(p_enum("focusPolicy", "Qt::NoFocus" if read_only else "Qt::ClickFocus"))
    props += [p_sheet(sheet, "QLineEdit"), p_string("text", text), p_set("alignment", "Qt::AlignCenter")]
    if read_only:
        props.append(p_bool("readOnly", True))
    return W("QLineEdit", name, props)


def label(name, text, sheet="caption 20", geometry=None):
    return line_edit(name, text, sheet, True, geometry)


def editor_sheet(name):
    return "editor 22" if name in EDITOR_22 else "editor 20"


def combo(name, items, current=None, geometry=None, extra=()):
    props = [p_rect(*geometry)] if geometry else []
    props += list(extra)
    props.append(p_sheet(editor_sheet(name), "QComboBox"))
    if current is not None:
        props.append(p_number("currentIndex", current))
    w = W("QComboBox", name, props)
    w.add(*[E("item", children=[p_string("text", t)]) for t in items])
    return w


def spin(name, minimum, maximum, value, step=None, geometry=None, read_only=False):
    props = [p_rect(*geometry)] if geometry else []
    props.append(p_sheet(editor_sheet(name), "QSpinBox"))
    if read_only:
        props.append(p_bool("readOnly", True))
    if minimum != 0:
        props.append(p_number("minimum", minimum))
    props.append(p_number("maximum", maximum))
    if step is not None:
        props.append(p_number("singleStep", step))
    if value != 0:
        props.append(p_number("value", value))
    return W("QSpinBox", name, props)


def volt_spin(name):
    return W("QDoubleSpinBox", name, [
        p_sheet(editor_sheet(name), "QDoubleSpinBox"),
        p_number("decimals", 1),
        p_double("maximum", 99.9),
        p_double("singleStep", 0.1),
        p_double("value", 11.0),
    ])


def group_box(name, title, geometry, children, font=False):
    props = [p_rect(*geometry)]
    if font:
        props.append(p_font("Arial"))
    props += [p_sheet("group box", "QGroupBox"), p_string("title", title)]
    return W("QGroupBox", name, props, children)


def frame(name, geometry, sheet, mouse_tracking=False, children=()):
    props = [p_rect(*geometry)]
    if mouse_tracking:
        props.append(p_bool("mouseTracking", True))
    props += [p_sheet(sheet, "QFrame") if sheet else p_string("styleSheet", "", notr=True),
              p_enum("frameShape", "QFrame::StyledPanel"), p_enum("frameShadow", "QFrame::Raised")]
    return W("QFrame", name, props, children)


def tool_button(name, geometry, text, icon, sheet, icon_size, style):
    return W("QToolButton", name, [
        p_rect(*geometry), p_sheet(sheet, "QToolButton"), p_string("text", text), p_icon(icon),
        p_size("iconSize", icon_size, icon_size), p_enum("toolButtonStyle", style)])


class Columns:
    """Hands out Designer-style names for the column containers and their
    layouts, numbered in document order."""

    def __init__(self):
        self.count = 0

    def __call__(self, geometry, widgets, spacing=None, policy=None):
        n = self.count
        self.count += 1
        box = "layoutWidget" + (str(n) if n else "")
        lay = "verticalLayout" + ("_%d" % (n + 1) if n else "")
        layout = E("layout", [("class", "QVBoxLayout"), ("name", lay)])
        if spacing is not None:
            layout.add(p_number("spacing", spacing))
        for side in ("leftMargin", "topMargin", "rightMargin", "bottomMargin"):
            layout.add(p_number(side, 0))
        for w in widgets:
            hsize = policy(w) if policy else "Expanding"
            w.children.insert(0, p_sizepolicy(hsize, "Expanding"))
            layout.add(E("item", children=[w]))
        return W("QWidget", box, [p_rect(*geometry)], [layout])


column = Columns()

ONOFF = ["关闭", "打开"]
CH4 = ["CH1", "CH2", "CH3", "CH4"]
CH8 = ["CH%d" % i for i in range(1, 9)]
AUX_SOURCES = ["SwA", "SwB", "VrA", "VrB/SwC", "NULL", "Lock-C"]


# --------------------------------------------------------------------------
# The top bar.  Children are listed in the order the window creates them.

def top_bar():
    tb = "tool button"
    under = "Qt::ToolButtonTextUnderIcon"
    img = ":/myImage/images/"
    children = [
        W("QPushButton", "openButton", [p_rect(630, 5, 100, 90), p_sheet("push button", "QPushButton"),
                                        p_string("text", "打开串口")]),
        W("QComboBox", "portNameBox", [p_rect(740, 35, 120, 40), p_font("Microsoft YaHei"),
                                       p_sheet("port combo", "QComboBox"), p_number("currentIndex", -1)]),
        label("lineEdit_26", "遥控:", "caption 14", (920, 2, 85, 25)),
        label("lineEdit_27", "动力:", "caption 14", (920, 28, 85, 25)),
        label("lineEdit_30", "信号:", "caption 14", (920, 54, 85, 25)),
        line_edit("lineEdit_RSSI", "null", "read-out 14", True, (1010, 54, 85, 25)),
        line_edit("lineEdit_TX", " 0.0V", "read-out 14", True, (1010, 2, 85, 25)),
        line_edit("lineEdit_EXT", " 0.0V", "read-out 14", True, (1010, 28, 85, 25)),
        tool_button("toolButton_led", (870, 35, 40, 40), "", img + "red.png", "led", 40, "Qt::ToolButtonIconOnly"),
        tool_button("toolButton_Reset", (500, 5, 110, 90), "出厂设置", img + "Reset.png", "tool button reset", 60, under),
        tool_button("toolButton_Read", (20, 5, 110, 90), " 读取数据", img + "Receive.png", tb, 60, under),
        tool_button("toolButton_Load", (140, 5, 110, 90), "加载数据", img + "open.png", tb, 60, under),
        tool_button("toolButton_Save", (380, 5, 110, 91), "保存数据", img + "save.png", tb, 60, under),
        tool_button("toolButton_Send", (260, 5, 110, 90), "写入数据", img + "Send.png", tb, 60, under),
        label("lineEdit_37", "接收:", "caption 14", (920, 80, 85, 25)),
        line_edit("lineEdit_RX", " 0.0V", "read-out 14", True, (1010, 80, 85, 25)),
    ]
    return frame("frame", (0, 0, 1200, 110), None, mouse_tracking=True, children=children)


# --------------------------------------------------------------------------
# Page 0: live monitor, eight channel columns 135 px apart.

def page_monitor():
    values = ["lineEdit"] + ["lineEdit_%d" % k for k in range(2, 9)]
    names = ["lineEdit_9"] + ["lineEdit_%d" % k for k in range(19, 26)]
    kids = []
    for i, n in enumerate(values):
        kids.append(line_edit(n, "0", "value 26", True, (20 + 135 * i, 10, 80, 50)))
    for i, n in enumerate(names):
        kids.append(label(n, "CH%d" % (i + 1), "channel name 26", (30 + 135 * i, 60, 60, 31)))
    for half, (top, maximum, value, sheet) in enumerate([(105, 1010, 10, "upper bar"), (285, 1000, 1000, "lower bar")]):
        for i in range(8):
            kids.append(W("QProgressBar", "progressBar_%d%d" % (i + 1, half), [
                p_rect(35 + 135 * i, top, 50, 180), p_sheet(sheet, "QProgressBar"),
                p_number("maximum", maximum), p_number("value", value), p_bool("textVisible", False),
                p_enum("orientation", "Qt::Vertical"), p_bool("invertedAppearance", False),
                p_enum("textDirection", "QProgressBar::BottomToTop")]))
    return ("tab", "舵量显示", "red gradient", True,
            frame("frame_3", (10, 10, 1060, 490), "dark panel, first page", children=kids))


# --------------------------------------------------------------------------
# Page 1: per-channel basics.

def rev_palette():
    white, blue = (255, 255, 255), (85, 170, 255)
    roles = [("WindowText", white), ("Button", blue), ("Text", white), ("ButtonText", white),
             ("Base", blue), ("Window", blue)]

    def group(tag):
        g = E(tag)
        for role, rgb in roles:
            g.add(E("colorrole", [("role", role)], children=[
                E("brush", [("brushstyle", "SolidPattern")], children=[color(*rgb)])]))
        g.add(E("colorrole", [("role", "PlaceholderText")], children=[
            E("brush", [("brushstyle", "NoBrush")], children=[color(255, 255, 255, 128)])]))
        return g

    return prop("palette", E("palette", children=[group("active"), group("inactive"), group("disabled")]))


def page_basics():
    def tab2_policy(w):
        if w.cls == "QSpinBox":
            return "Minimum"
        if w.cls == "QComboBox":
            return "Preferred"
        return "Expanding"

    def col(geometry, widgets):
        return column(geometry, widgets, spacing=5, policy=tab2_policy)

    def row8(fmt):
        return [fmt % k for k in range(1, 9)]

    labels = [label(n, "CH%d:" % (i + 1)) for i, n in enumerate(
        ["lineEdit_28", "lineEdit_29", "lineEdit_31", "lineEdit_32", "lineEdit_33", "lineEdit_34", "lineEdit_35"])]
    labels.append(line_edit("lineEdit_36", "CH8:", "caption 22", False))

    revs = []
    for k, n in enumerate(row8("comboBox_rev%d"), start=1):
        extra = []
        if k == 1:
            extra.append(rev_palette())
        if k >= 6:
            extra.append(p_bool("mouseTracking", True))
        if k == 8:
            extra.append(p_bool("tabletTracking", True))
        revs.append(combo(n, ["正相", "反相"], current=1 if k == 3 else None, extra=extra))

    aux_start = {5: 1, 6: 3, 8: 2}
    auxes = [combo("comboBox_AUX%d" % k, ["预留"]) for k in range(1, 5)]
    auxes += [combo("comboBox_AUX%d" % k, AUX_SOURCES, current=aux_start.get(k)) for k in range(5, 9)]

    boxes = [
        group_box("groupBox", "通道", (10, 10, 110, 470), [col((10, 30, 91, 431), labels)], font=True),
        group_box("groupBox_2", "舵机相位", (130, 10, 120, 470), [col((15, 30, 101, 431), revs)], font=True),
        group_box("groupBox_3", "中点微调", (265, 10, 120, 470),
                  [col((15, 30, 91, 431), [spin(n, -100, 100, 0) for n in row8("spinBox_sub%d")])], font=True),
        group_box("groupBox_4", "舵机行程量--L---R---", (405, 10, 215, 470), [
            col((15, 30, 91, 431), [spin(n, 0, 120, 96) for n in row8("spinBox_Lepa%d")]),
            col((110, 30, 91, 431), [spin(n, 0, 120, 96) for n in row8("spinBox_Repa%d")]),
        ], font=True),
        group_box("groupBox_14", "失控保护", (640, 10, 120, 470), [col((15, 30, 91, 431), [
            spin(n, 0, 100, 0 if n == "spinBox_FS3" else 50) for n in row8("spinBox_FS%d")])], font=True),
        group_box("groupBox_5", "舵机延迟", (780, 10, 120, 470),
                  [col((15, 30, 91, 431), [spin(n, 0, 100, 100) for n in row8("spinBox_delay%d")])], font=True),
        group_box("groupBox_6", "辅助通道", (915, 10, 140, 470), [col((15, 30, 121, 431), auxes)], font=True),
    ]
    return ("tab_2", "基础菜单", "red gradient variant", True,
            frame("frame_2", (10, 10, 1060, 490), "dark panel", mouse_tracking=True, children=boxes))


# --------------------------------------------------------------------------
# Page 2: dual rate, attitude, elevon and V-tail mixing.

def labels_of(names, texts):
    assert len(names) == len(texts)
    return [label(n, t) for n, t in zip(names, texts)]


def page_advanced1():
    def ru_policy(w):
        return "Minimum" if w.name == "spinBox_Ru4" else "Expanding"

    dual_rate = group_box("groupBox_8", "大小舵设置", (5, 10, 220, 350), [
        column((6, 26, 101, 311), labels_of(["lineEdit_%d" % k for k in range(53, 58)],
                                            ["混控:", "通道:", "开关:", "上档:", "下档:"]), spacing=0),
        column((106, 26, 101, 311), [
            combo("comboBox_DR_MIX1", ONOFF), combo("comboBox_DR_CH1", CH4), combo("comboBox_DR_SW1", ["SWA"]),
            spin("spinBox_DR_UP1", 0, 100, 100), spin("spinBox_DR_DOWN1", 0, 100, 100)], spacing=0),
    ], font=True)
    atti_values = [14, 29, 44, 56, 69, 88]
    attitude = group_box("groupBox_7", "姿态选择", (240, 10, 221, 470), [
        column((10, 30, 101, 431), labels_of(["lineEdit_%d" % k for k in range(45, 52)],
                                             ["通道:"] + ["姿态%d:" % k for k in range(1, 7)])),
        column((110, 30, 101, 431), [combo("comboBox_AttiM", ["CH5", "CH6", "CH7", "CH8", "关闭"], current=4)]
               + [spin("spinBox_Atti%d" % (k + 1), 0, 100, v) for k, v in enumerate(atti_values)]),
    ])
    elev_values = [100, 100, 100, -100]
    elevon = group_box("groupBox_10", "升降副翼混控", (470, 10, 330, 350), [
        column((10, 30, 111, 301), labels_of(["lineEdit_%d" % k for k in range(73, 78)],
                                             ["混控:", "副翼1:", "副翼2:", "升降2:", "升降1:"]), spacing=0),
        column((120, 30, 101, 301), [combo("comboBox_EleMix", ONOFF)]
               + [spin("spinBox_Elev0%d" % (k + 1), -100, 100, v) for k, v in enumerate(elev_values)], spacing=0),
        column((220, 90, 101, 121), [spin("spinBox_Elev05", -100, 100, 100),
                                     spin("spinBox_Elev06", -100, 100, 100)], spacing=0),
    ])
    ru_values = [50, -50, 50, 50]
    vtail = group_box("groupBox_13", "V型尾翼混控", (810, 10, 240, 350), [
        column((10, 30, 111, 301), labels_of(["lineEdit_78", "lineEdit_95", "lineEdit_96", "lineEdit_97",
                                              "lineEdit_98"], ["混控:", "升降1:", "升降2:", "尾舵2:", "尾舵1:"]),
               spacing=0),
        column((120, 30, 111, 301), [combo("comboBox_RuMix", ONOFF)]
               + [spin("spinBox_Ru%d" % (k + 1), -100, 100, v) for k, v in enumerate(ru_values)],
               spacing=0, policy=ru_policy),
    ])
    return ("tab_3", "高级菜单1", "red gradient", True,
            frame("frame_4", (2, 10, 1060, 490), "dark panel", children=[dual_rate, attitude, elevon, vtail]))


# --------------------------------------------------------------------------
# Page 3: the two curves beside their editors.

def curve_widget(cls, name, geometry):
    return W(cls, name, [p_rect(*geometry), p_sheet("curve", cls)])


def page_curves():
    dual_rate = group_box("groupBox_19", "大小舵曲线", (10, 10, 510, 471), [
        curve_widget("mWidget", "widget_3", (220, 90, 280, 280)),
        column((10, 30, 101, 431), labels_of(
            ["lineEdit_146", "lineEdit_142", "lineEdit_141", "lineEdit_143", "lineEdit_144", "lineEdit_145"],
            ["混控:", " 通道:", "开关:", " 位置:", "比率:", "指数:"])),
        column((110, 30, 101, 431), [
            combo("comboBox_DR_MIX2", ONOFF), combo("comboBox_DR_CH2", CH4),
            combo("comboBox_DR_SW2", ["SWA"], current=0), combo("comboBox_DR_POSI", ["UP", "DOWN"]),
            spin("spinBox_DR_RATE", 0, 100, 100), spin("spinBox_DR_EXP", -100, 100, 100)]),
    ])
    th_values = [0, 16, 33, 50, 67, 84, 100]
    throttle = group_box("groupBox_18", "油门曲线", (530, 10, 520, 471), [
        curve_widget("cureWidget", "widget_4", (210, 80, 300, 300)),
        column((10, 29, 101, 431), labels_of(
            ["lineEdit_130", "lineEdit_126", "lineEdit_125", "lineEdit_127", "lineEdit_128", "lineEdit_129",
             "lineEdit_131", "lineEdit_132"],
            ["混控:"] + ["曲线点%d:" % k for k in range(1, 8)])),
        column((110, 30, 91, 431), [combo("comboBox_THCURE_MIX", ONOFF)]
               + [spin("spinBox_THCURE_Data0%d" % (k + 1), 0, 100, v) for k, v in enumerate(th_values)]),
    ])
    return ("tab_4", "高级菜单2", "red gradient", False,
            frame("frame_5", (10, 10, 1060, 490), "dark panel", children=[dual_rate, throttle]))


# --------------------------------------------------------------------------
# Page 4: four programmable mixes.  Listed 04, 03, 01, 02 so that their
# start indexes are applied in that order; geometry still puts 01 leftmost.

PRM = {
    # mix: group box, title, geometry, label column, labels, editor column, master, slave, data minimum
    1: ("groupBox_11", "可编程混控一", (10, 5, 250, 481), (5, 20, 101, 451),
        ["lineEdit_80", "lineEdit_83", "lineEdit_79", "lineEdit_84", "lineEdit_85", "lineEdit_86"],
        (110, 20, 101, 451), 0, 3, -100),
    2: ("groupBox_12", "可编程混控二", (270, 5, 250, 477), (10, 20, 101, 451),
        ["lineEdit_94", "lineEdit_90", "lineEdit_89", "lineEdit_91", "lineEdit_92", "lineEdit_93"],
        (110, 20, 101, 451), 1, 5, -100),
    3: ("groupBox_15", "可编程混控三", (530, 5, 250, 477), (10, 30, 111, 441),
        ["lineEdit_106", "lineEdit_102", "lineEdit_101", "lineEdit_103", "lineEdit_104", "lineEdit_105"],
        (120, 30, 101, 441), 0, 3, 0),
    4: ("groupBox_21", "可编程混控四", (790, 5, 250, 477), (10, 30, 111, 441),
        ["lineEdit_%d" % k for k in range(119, 125)],
        (120, 30, 101, 441), 1, 5, 0),
}
PRM_DOCUMENT_ORDER = [4, 3, 1, 2]


def prm_box(mix):
    box, title, geometry, label_col, label_names, editor_col, master, slave, lower = PRM[mix]
    p = "PRM%02d" % mix
    spacing = 0 if mix in (1, 2) else None
    return group_box(box, title, geometry, [
        column(label_col, labels_of(label_names, ["混控:", "主控:", "被控:", "偏置:", "上边:", "下边:"]),
               spacing=spacing),
        column(editor_col, [
            combo("comboBox_%s_Mix" % p, ["禁止", "关闭", "打开"]),
            combo("comboBox_%s_Master" % p, CH8, current=master or None),
            combo("comboBox_%s_Slave" % p, CH8, current=slave or None),
            spin("spinBox_%s_Data1" % p, -100, 100, 100),
            spin("spinBox_%s_Data2" % p, lower, 100, 100),
            spin("spinBox_%s_Data3" % p, lower, 100, 100)], spacing=spacing),
    ])


def page_mixes():
    return ("tab_5", "混控设置", "red gradient", False,
            frame("frame_8", (10, 10, 1060, 490), "dark panel", children=[prm_box(m) for m in PRM_DOCUMENT_ORDER]))


# --------------------------------------------------------------------------
# Page 5: alarms, version and mode, trim steps, reset.

def page_system():
    alarms = group_box("groupBox_17", "报警设置", (20, 10, 350, 470), [
        column((10, 30, 201, 251), labels_of(["lineEdit_63", "lineEdit_68", "lineEdit_66", "lineEdit_67"],
                                             ["遥控器电压:", "接收机电压:", "动力电池电压:", "RSSI信号:"])),
        column((210, 30, 131, 251), [volt_spin("doubleSpinBox_Volt"), volt_spin("doubleSpinBox_rxVolt"),
                                     volt_spin("doubleSpinBox_extVolt"),
                                     spin("spinBox_Rssi", -100, 0, -100, step=1)]),
    ])
    rows = [70, 71, 72, 81]
    row_names = ["步阶微调一:", "步阶微调二:", "步阶微调三:", "步阶微调四:"]
    trims = []
    for r, (num, text) in enumerate(zip(rows, row_names)):
        y = 220 + 60 * r
        trims.append(label("lineEdit_%d" % num, text, geometry=(10, y, 180, 56)))
        trims.append(spin("spinBox_step%d" % (r + 1), 1, 20, 2, geometry=(180, y, 80, 56)))
        trims.append(line_edit("lineEdit_Trim_%d" % (r + 1), "(0)", "trim read-out", True, (260, y, 80, 56)))
    version = group_box("groupBox_20", " 版本 / 模式", (380, 10, 350, 470), [
        column((10, 29, 201, 181), labels_of(["lineEdit_64", "lineEdit_65", "lineEdit_69"],
                                             ["遥控器摇杆模式:", "遥控器固件版本:", "电脑调参APP版本:"])),
        column((210, 30, 131, 181), [spin("spinBox_Mode", 1, 4, 2, step=1),
                                     spin("spinBox_Vertion", 0, 1000, 0, read_only=True),
                                     combo("comboBox_PRM02_Master_2", ["V5.1"], current=0)]),
    ] + trims)
    reset = group_box("groupBox_23", "重置数据", (740, 10, 300, 470), [
        W("QPushButton", "pushButton_Reset2", [p_rect(10, 130, 281, 61), p_sheet("push button", "QPushButton"),
                                               p_string("text", "重置数据")])])
    return ("tab_6", "系统设置", "red gradient", False,
            frame("frame_7", (10, 10, 1060, 490), "dark panel", children=[alarms, version, reset]))


# --------------------------------------------------------------------------


def tab_page(page_parts):
    name, title, sheet, mouse_tracking, panel = page_parts
    props = [p_bool("mouseTracking", True)] if mouse_tracking else []
    props.append(p_sheet(sheet, "QWidget"))
    title_attr = E("attribute", [("name", "title")], children=[E("string", text=title)])
    return W("QWidget", name, props + [title_attr], [panel])


def tab_widget():
    props = [
        p_rect(10, 110, 1080, 560), p_font("Arial", 11),
        p_bool("mouseTracking", True), p_bool("tabletTracking", True),
        p_enum("focusPolicy", "Qt::NoFocus"), p_enum("contextMenuPolicy", "Qt::NoContextMenu"),
        p_bool("acceptDrops", False), p_bool("autoFillBackground", False),
        p_sheet("tabs", "QTabWidget"),
        p_enum("tabPosition", "QTabWidget::North"), p_enum("tabShape", "QTabWidget::Rounded"),
        p_number("currentIndex", 2), p_size("iconSize", 100, 100), p_enum("elideMode", "Qt::ElideMiddle"),
        p_bool("documentMode", True), p_bool("tabsClosable", False), p_bool("movable", True),
        p_bool("tabBarAutoHide", False),
    ]
    pages = [page_monitor(), page_basics(), page_advanced1(), page_curves(), page_mixes(), page_system()]
    return W("QTabWidget", "tabWidget", props, [tab_page(p) for p in pages])


def main_window():
    central = W("QWidget", "centralwidget", [p_sheet("window", "QWidget")], [top_bar(), tab_widget()])
    return W("QMainWindow", "MainWindow", [
        p_rect(0, 0, 1100, 680), p_size("minimumSize", 0, 0), p_size("maximumSize", 11100, 8000),
        p_string("windowTitle", "Zarvik&Quorel-V5.1")], [central])


def custom_widget(cls, header):
    return E("customwidget", children=[leaf("class", cls), leaf("extends", "QWidget"),
                                       leaf("header", header), leaf("container", 1)])


def document():
    column.count = 0
    ui = E("ui", [("version", "4.0")], children=[
        leaf("class", "MainWindow"),
        main_window(),
        E("customwidgets", children=[custom_widget("mWidget", "mwidget.h"),
                                     custom_widget("cureWidget", "curewidget.h")]),
        E("resources", children=[E("include", [("location", "zqconfig.qrc")])]),
        E("connections"),
    ])
    out = ['<?xml version="1.0" encoding="UTF-8"?>']
    ui.render(out, 0)
    return ("\n".join(out) + "\n").encode("utf-8")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-o", "--output", default=os.path.join(root, "window", "form", "mainwindow.ui"))
    parser.add_argument("--check", action="store_true", help="compare instead of writing")
    args = parser.parse_args()
    data = document()
    if args.check:
        try:
            with open(args.output, "rb") as f:
                same = f.read() == data
        except OSError:
            same = False
        if not same:
            print("%s is out of date; run %s" % (args.output, sys.argv[0]), file=sys.stderr)
            return 1
        return 0
    with open(args.output, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
