#!/usr/bin/python3
"""Drives the real program through the AT-SPI accessibility bus, as a screen reader
would: finds its windows and controls by role and name, answers a question through
its check box action, presses the buttons through theirs, and reads the verdict.
While a message box is open, the actions must not reach the window behind it.

What a screen reader must find at the introduction, on the questionnaire and after a
venous verdict is the table every platform's tests read (harness/screen_reader_table),
as the build writes it in JSON.

Run inside a private session bus:  dbus-run-session -- atspi_check.py PROGRAM TABLE.json
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile

from gi.repository import GLib

from session import (PATIENCE, display_alive, private_environment, start_xvfb,
                     wait_for)

pyatspi = None  # imported once the session bus knows the private environment

ANSWER_YES = "Rispondi sì"
TAKE_BACK = "Togli la risposta"


def find_application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == name:
            return app
    return None


def descendants(root, role=None, name=None, test=None, deep=True):
    """The nodes below root with that role and name that pass the test; only the
    children unless deep. A node that goes away while it is looked at (a window closing)
    is passed over, with what was below it."""
    found = []

    def walk(node):
        for index in range(node.childCount):
            try:
                child = node.getChildAtIndex(index)
                if child is None:
                    continue
                if ((role is None or child.getRole() == role)
                        and (name is None or child.name == name)
                        and (test is None or test(child))):
                    found.append(child)
                if deep:
                    walk(child)
            except GLib.GError:
                continue

    walk(root)
    return found


def roles():
    """The AT-SPI roles Qt gives what the table names."""
    return {"frame": pyatspi.ROLE_FRAME, "dialog": pyatspi.ROLE_DIALOG,
            "checkbox": pyatspi.ROLE_CHECK_BOX, "statictext": pyatspi.ROLE_LABEL,
            "pushbutton": pyatspi.ROLE_PUSH_BUTTON, "graphic": pyatspi.ROLE_IMAGE,
            "grouping": pyatspi.ROLE_PANEL}


def action_names(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def check_table(app, table, when):
    """Every row of the table for that moment, found by its role and name among the nodes
    on screen (a row without a name: among all nodes of its role)."""
    rows = [row for row in table if row["when"] == when]
    assert rows, when
    for row in rows:
        what = "%s %s.%s" % (when, row["window"], row["control"])
        candidates = descendants(app, roles()[row["role"]])
        if row["control"] == "":
            candidates = [w for w in app if w is not None and w.getRole() == roles()[row["role"]]]
        if row["name"]:
            candidates = [c for c in candidates if c.name == row["name"]
                          or (row["match"] == "prefix" and c.name.startswith(row["name"]))]
        else:
            candidates = [c for c in candidates if not c.name]
        assert candidates, "%s: no %s named %r among %r" % (
            what, row["role"], row["name"],
            [(n.getRoleName(), n.name[:30]) for n in descendants(app)])
        node = candidates[0]
        states = node.getState()
        # A check box is told by its role: Qt 6.4's bridge sends no "checkable" state.
        assert states.contains(pyatspi.STATE_CHECKED) == row["checked"], what + ": checked?"
        expected = ["Press" if a["action"] == "press" else a["name"] for a in row["actions"]]
        if expected:
            names = action_names(node)
            assert names[:len(expected)] == expected, "%s: actions %r" % (what, names)


def windows(app, name=None, test=None):
    """The program's windows with that name that pass the test."""
    return descendants(app, name=name, test=test, deep=False)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def press(accessible, action_name):
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if action_name not in names:
        raise AssertionError("no action %r on %r (has %r)" % (action_name, accessible.name, names))
    action.doAction(names.index(action_name))


def main(program, table_file):
    global pyatspi
    with open(table_file, encoding="utf-8") as f:
        table = json.load(f)
    server, display = start_xvfb()
    root = tempfile.mkdtemp(prefix="atspi-check-", dir=os.getcwd())  # the build folder
    env = dict(private_environment(root, display), QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    import pyatspi
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL)  # its complaints show
    try:
        def on_the_bus():
            if process.poll() is not None:
                raise AssertionError("the program ended with status %d%s" % (
                    process.returncode,
                    "" if display_alive(server, display) else "; its X server had gone"))
            return find_application("Tervanel")

        app = wait_for(on_the_bus, "the program on the accessibility bus")

        # The introduction: a dialog named although untitled; its picture is described,
        # its OK button can be pressed.
        intro = wait_for(lambda: windows(app, test=showing), "the introduction")
        assert [(w.getRole(), w.name) for w in intro] == \
            [(pyatspi.ROLE_DIALOG, "Introduzione a Tervanel")], intro
        ok = wait_for(lambda: descendants(app, pyatspi.ROLE_PUSH_BUTTON), "the OK button")[0]
        assert ok.name.strip() == "OK", ok.name
        pictures = descendants(app, pyatspi.ROLE_IMAGE)
        assert any(p.name.startswith("Rilievo antico") for p in pictures), [p.name for p in pictures]
        check_table(app, table, "introduction")
        press(ok, "Press")

        # The questionnaire: a frame with its title, thirteen check boxes, unchecked, and
        # no name left over from the layout on the hidden labels.
        boxes = wait_for(lambda: descendants(app, pyatspi.ROLE_CHECK_BOX, test=showing),
                         "thirteen questions")
        assert len(boxes) == 13, len(boxes)
        assert not any(b.getState().contains(pyatspi.STATE_CHECKED) for b in boxes)
        frames = descendants(app, pyatspi.ROLE_FRAME)
        assert len(frames) == 1 and frames[0].name.startswith("Tervanel by "), frames
        names = [node.name for node in descendants(app)]
        stale = [n for n in names if n.startswith("Diagnosi_")]
        assert not stale, stale
        question = {b.name: b for b in boxes}
        check_table(app, table, "questionnaire")

        # A venous verdict, read as the table says; the answer is taken back after it.
        first = question["Il fastidio si attenua nella stagione fredda?"]
        press(first, ANSWER_YES)
        wait_for(lambda: first.getState().contains(pyatspi.STATE_CHECKED), "question 1 checked")
        press(descendants(app, pyatspi.ROLE_PUSH_BUTTON, "Responso")[0], "Press")
        wait_for(lambda: [h for h in descendants(app, None, "Patologia venosa...")
                          if h.getState().contains(pyatspi.STATE_SHOWING)], "the venous heading")
        check_table(app, table, "after-venous-press")
        press(first, TAKE_BACK)
        wait_for(lambda: not first.getState().contains(pyatspi.STATE_CHECKED),
                 "question 1 unchecked")

        third = question["Il fastidio si manifesta durante il cammino?"]
        press(third, ANSWER_YES)
        wait_for(lambda: third.getState().contains(pyatspi.STATE_CHECKED), "question 3 checked")

        press(descendants(app, pyatspi.ROLE_PUSH_BUTTON, "Responso")[0], "Press")
        heading = wait_for(lambda: descendants(app, None, "Patologia arteriosa...", showing),
                           "the arterial heading")
        assert heading
        explanation = wait_for(
            lambda: descendants(app, test=lambda e: e.name.startswith("Probabilmente è presente")
                                and showing(e)),
            "the arterial explanation")
        assert explanation

        press(third, TAKE_BACK)
        wait_for(lambda: not third.getState().contains(pyatspi.STATE_CHECKED), "question 3 unchecked")

        # Questions 1 and 2: uncertain, whose box stays open. Meanwhile an answer and a
        # second press through their actions must change nothing.
        second = question["Il disturbo peggiora salendo le scale?"]
        for q in (first, second):
            press(q, ANSWER_YES)
            wait_for(lambda: q.getState().contains(pyatspi.STATE_CHECKED), "an answer")
        press(descendants(app, pyatspi.ROLE_PUSH_BUTTON, "Responso")[0], "Press")
        alert = wait_for(lambda: windows(app, "Diagnosi Incerta"), "the uncertain box")[0]
        press(third, ANSWER_YES)
        press(first, TAKE_BACK)
        press(descendants(app, pyatspi.ROLE_PUSH_BUTTON, "Responso")[0], "Press")
        press(descendants(app, pyatspi.ROLE_PUSH_BUTTON, "Fine")[0], "Press")
        # The box's own button still works; it was pressed after the attempts above,
        # and the requests of one client are handled in order.
        press(descendants(alert, pyatspi.ROLE_PUSH_BUTTON)[0], "Press")
        wait_for(lambda: not windows(app, "Diagnosi Incerta"), "the box closed")
        assert process.poll() is None, "Fine went through while the box was open"
        checked = [b.name for b in boxes if b.getState().contains(pyatspi.STATE_CHECKED)]
        assert sorted(checked) == sorted([first.name, second.name]), checked
        # A second press would have opened a second box by now: the one pressed closed,
        # and the round trip of a further request has passed.
        press(third, ANSWER_YES)
        wait_for(lambda: third.getState().contains(pyatspi.STATE_CHECKED), "answers again")
        assert not windows(app, "Diagnosi Incerta")

        press(descendants(app, pyatspi.ROLE_PUSH_BUTTON, "Fine")[0], "Press")
        status = process.wait(timeout=PATIENCE)
        assert status == 0, status
        print("AT-SPI check passed: windows, 13 check boxes, actions, verdict read, box kept the "
              "window still, Fine ended with 0")
        return 0
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        server.terminate()
        server.wait()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
