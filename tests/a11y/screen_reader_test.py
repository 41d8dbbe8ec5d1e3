#!/usr/bin/python3
"""What a screen reader sees of the real window, read over AT-SPI.

Run inside an X display and a D-Bus session with the AT-SPI bus and registry
(scripts/a11y-tests.sh sets them up). Starts the program given as the first
argument, reads every control of its accessible tree, types a case of the
reference data, presses 计算 from the keyboard, and checks the results and the
events a screen reader announces; then opens a notice and closes it with
Enter. Stops only the program it started.
Usage: screen_reader_test.py PROGRAM REFERENCE.jsonl
"""
import json
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

S = pyatspi  # state names below are pyatspi.STATE_*

# Every child of the window, in order: role, name, description, states it
# must have and states it must not have. The options sit in a group of
# their own inside the frame; the announcer is last and silent until used.
ANY = None
WINDOW = [
    ("label", "让 我 们 的 生 活 充 满 绿 色", "", {"READ_ONLY"}, {"FOCUSABLE"}),
    ("image", "太阳能照明装置图", "", set(), {"FOCUSABLE"}),
    ("label", "电池", "", set(), set()),
    ("label", "=", "", set(), set()),
    ("label", "电池电压 V", "", {"READ_ONLY"}, {"FOCUSABLE"}),
    ("label", "电池容量 Ah", "", {"READ_ONLY"}, set()),
    ("label", "太阳能电池板", "", set(), set()),
    ("label", "=", "", set(), set()),
    ("label", "太阳能电池板电压 V", "", {"READ_ONLY"}, set()),
    ("label", "太阳能电池板功率 W", "", {"READ_ONLY"}, set()),
    ("label", "安装角度", "", set(), set()),
    ("label", "安装角度 度", "", {"READ_ONLY"}, set()),
    ("separator", "", "", set(), {"FOCUSABLE"}),
    ("label", "负载功率 ", "", set(), set()),
    ("text", "负载功率 ", "必填", {"EDITABLE", "FOCUSABLE", "ENABLED"}, set()),
    ("label", "负载电压", "", set(), set()),
    ("text", "负载电压", "必填", {"EDITABLE", "FOCUSABLE", "ENABLED"}, set()),
    ("label", "日平均工作时间 ", "", set(), set()),
    ("text", "日平均工作时间 ", "必填", {"EDITABLE", "FOCUSABLE", "ENABLED"}, set()),
    ("label", "有效日照时间", "", set(), set()),
    ("text", "有效日照时间", "必填", {"EDITABLE", "FOCUSABLE", "ENABLED"}, set()),
    ("label", "阴雨天数", "", set(), set()),
    ("text", "阴雨天数", "", {"EDITABLE", "ENABLED"}, set()),
    ("label", "阴雨天间格", "", set(), set()),
    ("text", "阴雨天间格", "", {"EDITABLE", "ENABLED"}, set()),
    ("label", "当地纬度", "", set(), set()),
    ("text", "当地纬度", "", {"EDITABLE", "ENABLED"}, set()),
    ("label", "电池放电深度   ", "", set(), set()),
    ("text", "电池放电深度   ", "", {"EDITABLE", "ENABLED"}, set()),
    ("label", "充放效率", "", set(), set()),
    ("text", "充放效率", "", {"EDITABLE", "ENABLED"}, set()),
    ("label", "逆变器效率  ", "", set(), {"ENABLED"}),
    ("text", "逆变器效率  ", "", {"EDITABLE"}, {"ENABLED"}),
    ("panel", "系统计算配置", "", set(), set()),
    ("push button", "计算", "", {"FOCUSABLE", "ENABLED"}, set()),
    ("push button", "清除", "", {"FOCUSABLE", "ENABLED"}, set()),
    ("notification", "", "", set(), {"SHOWING"}),
]
FRAME = [
    ("check box", "自动配置", "", {"CHECKED"}, {"ENABLED"}),
    ("check box", "需要逆变器", "", {"ENABLED"}, {"CHECKED"}),
    ("check box", "光跟踪支架", "", set(), {"ENABLED", "CHECKED"}),
    ("check box", "移动式系统", "", set(), {"ENABLED", "CHECKED"}),
    ("panel", "日照数据类型", "", set(), set()),
]
OPTIONS = [
    ("radio button", "有效日照时间", "", {"CHECKED", "ENABLED"}, set()),
    ("radio button", "平均日照时间", "", {"ENABLED"}, {"CHECKED"}),
    ("radio button", "平均日辐射量", "", {"ENABLED"}, {"CHECKED"}),
    ("radio button", "平均年辐射量", "", {"ENABLED"}, {"CHECKED"}),
]
# The results in the order they are announced, with what each shows.
RESULTS = [("Label12", "电池电压"), ("Label9", "电池容量"), ("Label8", "太阳能电池板电压"),
           ("Label13", "太阳能电池板功率"), ("Label15", "安装角度")]
RESULT_INDEX = {"Label12": 4, "Label9": 5, "Label8": 8, "Label13": 9, "Label15": 11}
BOX_INDEX = {"Text1": 14, "Text2": 16, "Text3": 18, "Text9": 20, "Text4": 22, "Text5": 24,
             "Text10": 26, "Text6": 28, "Text8": 30, "Text7": 32}
COMPUTE, CLEAR, ANNOUNCER = 34, 35, 36
UNITS = {"Label12": "V", "Label9": "Ah", "Label8": "V", "Label13": "W", "Label15": "度"}

failures = []
# Seconds to wait after each announcement, for a screen reader listening in
# (scripts/orca-speech.sh); the test itself needs none.
PACE = float(os.environ.get("SCREEN_READER_TEST_PACE", "0"))


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)


def pump(seconds):
    """Lets AT-SPI events arrive for a while."""
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def wait_for(condition, seconds=10.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump(0.05)
        try:
            if condition():
                return True
        except Exception:  # the tree may be changing under us
            pass
    return False


def states(obj):
    return {pyatspi.stateToString(s).upper().replace(" ", "_") for s in obj.getState().getStates()}


def text_of(obj):
    return obj.queryText().getText(0, -1)


def check_children(parent, table, where):
    check(parent.childCount == len(table),
          f"{where}: {parent.childCount} children, expected {len(table)}")
    for i, (role, name, description, present, absent) in enumerate(table):
        if i >= parent.childCount:
            break
        child = parent.getChildAtIndex(i)
        seen = states(child)
        label = f"{where}[{i}] {name!r}"
        check(child.getRoleName() == role, f"{label}: role {child.getRoleName()!r}, expected {role!r}")
        check(child.name == name, f"{label}: name {child.name!r}")
        check(child.description == description, f"{label}: description {child.description!r}")
        check(present <= seen, f"{label}: lacks states {sorted(present - seen)}")
        check(not (absent & seen), f"{label}: has states {sorted(absent & seen)}")
        check(child.getIndexInParent() == i and child.parent == parent,
              f"{label}: its parent does not list it at {i}")


def descendants(obj):
    for child in obj:
        yield child
        yield from descendants(child)


def find_application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def key(keysym_name):
    keysym = {"space": 0x20, "Return": 0xff0d, "Tab": 0xff09, "BackSpace": 0xff08}[keysym_name]
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)


def type_into(box, text):
    """Focuses a box, empties it and types `text` key by key."""
    box.queryComponent().grabFocus()
    check(wait_for(lambda: "FOCUSED" in states(box)), f"{box.name!r} takes the focus")
    box.queryEditableText().setTextContents("")
    for char in text:
        pyatspi.Registry.generateKeyboardEvent(ord(char), None, pyatspi.KEY_SYM)
        pump(0.01)
    check(wait_for(lambda: text_of(box) == text), f"{box.name!r} reads {text!r} after typing")


def press_from_keyboard(button):
    button.queryComponent().grabFocus()
    check(wait_for(lambda: "FOCUSED" in states(button)), f"{button.name!r} takes the focus")
    key("space")


class Events:
    """Every announcing event the program sends, in order."""

    KINDS = ("object:state-changed:showing", "object:property-change:accessible-name",
             "object:text-changed", "window:activate", "window:create")

    def __init__(self):
        self.seen = []
        pyatspi.Registry.registerEventListener(self.note, *self.KINDS)

    def note(self, event):
        try:
            self.seen.append((event.type, event.source.getRoleName(), event.source.name,
                              event.detail1, event.any_data))
        except Exception:
            pass

    def clear(self):
        self.seen.clear()

    def of(self, kind, role=None):
        return [e for e in self.seen if e[0].startswith(kind) and (role is None or e[1] == role)]


def first_case(reference):
    """The first reference case that needs no inverter and shows no notice."""
    with open(reference, encoding="utf-8") as cases:
        for line in cases:
            case = json.loads(line)
            if case["check2"] == 0 and all("caption" in e for e in case["effects"]):
                return case
    raise SystemExit("no case without notices in " + reference)


def main():
    program, reference = sys.argv[1], sys.argv[2]
    case = first_case(reference)
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([program], env=env)
    events = Events()
    try:
        app = None
        if not wait_for(lambda: find_application(process.pid) is not None, 20):
            raise SystemExit("the program never showed up on the AT-SPI bus")
        app = find_application(process.pid)
        check(wait_for(lambda: app.childCount == 1 and app.getChildAtIndex(0).childCount > 30),
              "the window appears")
        window = app.getChildAtIndex(0)
        check(window.getRoleName() == "frame" and window.name == "Vorlaine",
              f"the window is a frame named Vorlaine: {window.getRoleName()} {window.name!r}")

        # The tree as a screen reader reads it when the window opens.
        check_children(window, WINDOW, "window")
        frame = window.getChildAtIndex(33)
        check_children(frame, FRAME, "frame")
        check_children(frame.getChildAtIndex(4), OPTIONS, "options")
        check(text_of(window.getChildAtIndex(BOX_INDEX["Text4"])) == "1", "Text4 reads 1")

        # The rainy-day cascade is heard: typing a count rewrites the interval.
        events.clear()
        type_into(window.getChildAtIndex(BOX_INDEX["Text4"]), "2")
        announcer = window.getChildAtIndex(ANNOUNCER)
        check(wait_for(lambda: announcer.name == "阴雨天间格 10"),
              f"the new interval is announced: {announcer.name!r}")
        pump(PACE)

        # A case of the reference data, typed key by key, and 计算 pressed.
        option = frame.getChildAtIndex(4).getChildAtIndex(case["option"] - 1)
        option.queryComponent().grabFocus()
        key("space")
        check(wait_for(lambda: "CHECKED" in states(option)), f"option {case['option']} selected")
        for box, text in case["texts"].items():
            target = window.getChildAtIndex(BOX_INDEX[box])
            if "ENABLED" in states(target):  # 逆变器效率 waits for 需要逆变器
                type_into(target, text)
        events.clear()
        press_from_keyboard(window.getChildAtIndex(COMPUTE))
        expected = {e["caption"]["label"]: e["caption"]["text"] for e in case["effects"]}
        spoken = "，".join(f"{what} {expected[name].strip()}" for name, what in RESULTS)
        check(wait_for(lambda: announcer.name == spoken),
              f"the results are announced: {announcer.name!r}, expected {spoken!r}")
        pump(PACE)
        for name, what in RESULTS:
            label = window.getChildAtIndex(RESULT_INDEX[name])
            check(label.name == f"{what} {expected[name]}", f"{name} reads {label.name!r}")
        shown = [e for e in events.of("object:state-changed:showing", "notification") if e[3] == 1]
        check(len(shown) == 1 and shown[0][2] == spoken,
              f"one notification shown with the results: {shown}")
        renamed = [e[2] for e in events.of("object:property-change:accessible-name", "label")]
        check(sorted(renamed) == sorted(f"{w} {expected[n]}" for n, w in RESULTS),
              f"each result label reports its new name once: {renamed}")

        # A notice: 计算 with a required box emptied. Read, closed with Enter,
        # and the results stay.
        type_into(window.getChildAtIndex(BOX_INDEX["Text1"]), "")
        events.clear()
        press_from_keyboard(window.getChildAtIndex(COMPUTE))
        check(wait_for(lambda: app.childCount == 2), "a notice opens")
        notice = app.getChildAtIndex(1) if app.childCount == 2 else None
        if notice is not None:
            check(notice.getRoleName() in ("alert", "dialog"), f"notice role {notice.getRoleName()}")
            check(notice.name == "错误", f"notice title {notice.name!r}")
            texts = [c.name for c in descendants(notice) if c.getRoleName() == "label"]
            check("请输入有效的数傎" in texts, f"notice text among {texts}")
            buttons = [c.name for c in descendants(notice) if c.getRoleName() == "push button"]
            check(buttons == ["确定"], f"notice buttons {buttons}")
            check(events.of("window:activate") or events.of("window:create"),
                  "the notice's window is announced")
            pump(PACE)
            key("Return")
            check(wait_for(lambda: app.childCount == 1), "Enter closes the notice")
        for name, what in RESULTS:
            label = window.getChildAtIndex(RESULT_INDEX[name])
            check(label.name == f"{what} {expected[name]}", f"{name} still reads {label.name!r}")

        # 清除 puts the units back, and that is announced as well.
        events.clear()
        press_from_keyboard(window.getChildAtIndex(CLEAR))
        cleared = "，".join(f"{what} {UNITS[name]}" for name, what in RESULTS)
        check(wait_for(lambda: announcer.name == cleared), f"清除 is announced: {announcer.name!r}")
        check(text_of(window.getChildAtIndex(BOX_INDEX["Text5"])) == "5", "Text5 reads 5 again")
        pump(PACE)
    finally:
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    print(f"screen_reader_test: {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
