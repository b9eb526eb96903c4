#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The real program on an X server with a window manager (Openbox), driven by real input from
xdotool and heard through the AT-SPI bus as a screen reader hears it. Runs under xvfb-run and
dbus-run-session (Debian's python3, for pyatspi); arguments: the binary, then the scenario,
step or predict."""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

heard = []  # (event type, role of the source, its name, detail1), in order of arrival


def listen(event):
    try:
        heard.append((event.type, event.source.getRole(), event.source.name, event.detail1))
    except GLib.GError:
        pass  # the object has gone with its program


def wait_for(condition, seconds):
    """Runs the event loop until condition() holds or the time is up; returns condition()."""
    loop = GLib.MainLoop()
    deadline = time.monotonic() + seconds

    def poll():
        if condition() or time.monotonic() > deadline:
            loop.quit()
            return False
        return True

    GLib.timeout_add(50, poll)
    loop.run()
    return condition()


def application():
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Tolvane"]
    return apps[0] if apps and apps[0].childCount else None


def xdotool(*arguments):
    """Real X input; it fails, rather than waits for ever, where a window never comes."""
    return subprocess.run(["xdotool", *arguments], check=True, timeout=60, capture_output=True,
                          text=True).stdout.split()


def shown(program):
    """The program's window once it is shown, activated by the window manager."""
    # A search that meets a window as it goes away fails; it is asked again.
    for attempt in range(3):
        try:
            window = xdotool("search", "--sync", "--onlyvisible", "--pid", str(program.pid),
                             "--name", "^Tolvane$")[0]
            break
        except subprocess.CalledProcessError:
            time.sleep(1)
    else:
        raise AssertionError("the window never showed")
    xdotool("windowactivate", "--sync", window)
    return window


def press_exit():
    """Presses "Exit" as a screen reader does, through the button's action."""
    exit_button = pyatspi.findDescendant(application(), lambda o: o.name == "Exit"
                                         and o.getRole() == pyatspi.ROLE_PUSH_BUTTON)
    exit_button.queryAction().doAction(0)


def spoken():
    return [name for kind, role, name, shown in heard
            if kind == "object:state-changed:showing" and role == pyatspi.ROLE_NOTIFICATION
            and shown]


def start(binary, *options, **streams):
    """The program on this X server, whatever platform the caller's environment names, once it
    has joined the bus and shown its window: Tesu selected with a real Space."""
    program = subprocess.Popen([binary, *options], **streams,
                               env={**os.environ, "QT_QPA_PLATFORM": "xcb", "LANGUAGE": "en"})
    assert wait_for(lambda: application() is not None, 60), "the program never joined the bus"
    return program


def select_tesu():
    xdotool("key", "space")
    checked = ("object:state-changed:checked", pyatspi.ROLE_RADIO_BUTTON, "Tesu", 1)
    assert wait_for(lambda: checked in heard and spoken(), 30), heard


def step_through(binary):
    """What a screen reader hears, read through the AT-SPI bus as Orca reads it, of the worked
    example step by step: the hosts in chain order, Tesu selected with a real Space, then after
    Alt+B one sentence a Page Down, in order, the MAC as the table lists it. Its capture goes to
    a pipe: tcpdump reads the request and the reply from it. Page Up walks back to before Tesu
    stored the answer and Page Down forward again to the same row. The reader then goes away,
    which stops the capture with one line on standard error; "Exit" while the next exchange is
    taken back ends the program with status 0."""
    # Standard error goes to a file, so that however much the program writes it never blocks.
    errors = tempfile.TemporaryFile()
    program = start(binary, "--pace", "step", "--capture", "-", stdout=subprocess.PIPE,
                    stderr=errors)
    try:
        window = application()[0]
        assert [h.name for h in window[0]] == ["Tesu", "Bilrun", "Dovel", "Wimse", "Lurfa"]

        # Host 0 has the focus as the window opens: Space selects it, and its identity is told.
        window_id = shown(program)
        select_tesu()
        assert spoken()[0].startswith("Tesu has IP address 192.168.0.1 and MAC address ")

        # The request, then a sentence a word: 21 words, each shown until its Page Down.
        heard.clear()
        xdotool("key", "alt+b")
        for told in range(2, 23):
            assert wait_for(lambda: len(spoken()) == told, 30), spoken()
            xdotool("key", "Next")
        assert wait_for(lambda: len(spoken()) == 23, 30), spoken()
        table = pyatspi.findDescendant(window, lambda o: o.name == "Tabel ARP" and o.childCount)
        cells = table.queryTable()
        row = f"{cells.getAccessibleAt(1, 0).name}, {cells.getAccessibleAt(1, 1).name}"
        assert row.startswith("IP 192.168.0.4, MAC "), row
        mac = row.split()[-1]
        # The sentences themselves are the unit tests'; here the last one carries the MAC.
        said = spoken()
        assert said[0] == "Tesu broadcasts a request for 192.168.0.4.", said
        assert said[-1] == f"The others saved MAC {mac}, and Tesu now holds 2 entries.", said

        # Page Up, three times: back to Tesu receiving the answer, which its table does not
        # hold yet; then forward to the end again, to the same row.
        for back in ("21", "20", "19"):
            xdotool("key", "Prior")
            assert wait_for(lambda: f"Back to step {back} of 21." in spoken()[-2:], 30), spoken()
        assert spoken()[-1] == "Tesu receives Wimse's answer.", spoken()
        assert cells.nRows == 1, cells.nRows
        for _ in range(3):
            xdotool("key", "Next")
        assert wait_for(lambda: spoken()[-1].startswith("The others saved MAC"), 30), spoken()
        assert cells.nRows == 2 and cells.getAccessibleAt(1, 1).name == f"MAC {mac}"
        heard.clear()

        # The header and two frames of 16 + 42 bytes, read back by tcpdump.
        with tempfile.NamedTemporaryFile() as capture:
            capture.write(program.stdout.read(24 + 2 * 58))
            capture.flush()
            read = subprocess.run(["tcpdump", "-n", "-r", capture.name], check=True,
                                  capture_output=True, text=True).stdout.splitlines()
        program.stdout.close()
        is_at = ":".join(f"{int(group, 16):02x}" for group in mac.split("-"))
        assert len(read) == 2, read
        assert read[0].endswith("ARP, Request who-has 192.168.0.4 tell 192.168.0.1, length 28")
        assert read[1].endswith(f"ARP, Reply 192.168.0.4 is-at {is_at}, length 28"), read

        # A second exchange, whose frame finds no reader, ended by Exit once taken back.
        xdotool("mousemove", "--window", window_id, "590", "340", "click", "1", "key", "ctrl+a",
                "type", "192.168.0.5")
        for key, told in (("alt+b", 2), ("Next", 3), ("Prior", 5)):
            xdotool("key", key)
            assert wait_for(lambda: len(spoken()) == told, 30), spoken()
        assert spoken()[-2] == "Back to step 1 of 2.", spoken()
        press_exit()
        assert program.wait(60) == 0
        errors.seek(0)
        assert b"tolvane: The capture stopped: Broken pipe\n" in errors.read()
    finally:
        program.kill()
        program.wait(60)


def predict(binary):
    """The worked example at the predict pace answered with real keys as each question is told:
    one answer wrong (Bilrun answers), one skipped with Page Down (Lurfa saves Tesu), and the
    score told at the end; then "Exit" while the next exchange's first question waits ends the
    program with status 0."""
    program = start(binary, "--pace", "predict")
    try:
        assert application()[0].description.endswith(
            " Predict, then watch. Answer each question with Y or N, or Page Down to skip it.")
        window_id = shown(program)
        select_tesu()
        heard.clear()
        xdotool("key", "alt+b")
        keys = ["4", "y", "y", "y", "n", "y", "y", "Next", "n", "y", "y", "y", "y", "y"]
        for asked, key in enumerate(keys, 1):
            assert wait_for(lambda: len(questions()) == asked, 30), spoken()
            xdotool("key", key)
        assert wait_for(lambda: spoken()[-1:] == ["You predicted 12 of 13."], 60), spoken()
        said = spoken()
        assert questions()[0] == ("Which host will answer? 1 Tesu, 2 Bilrun, 3 Dovel, 4 Wimse, "
                                  "5 Lurfa, 0 none."), said
        assert "Not this time. 192.168.0.4 is neither Bilrun's address nor in its ARP table." in said
        assert "Lurfa did not have Tesu's address yet." in said
        assert "Right. Wimse has that address and answers." in said
        assert questions()[10] == "Will Dovel store the answer for 192.168.0.4?", questions()

        xdotool("mousemove", "--window", window_id, "590", "340", "click", "1", "key", "ctrl+a",
                "type", "192.168.0.5")
        xdotool("key", "alt+b")
        assert wait_for(lambda: len(questions()) == 15, 30), spoken()
        press_exit()
        assert program.wait(60) == 0
    finally:
        program.kill()
        program.wait(60)


def questions():
    return [s for s in spoken() if s.startswith(("Will ", "Which host will answer?"))]


# Orca listens to the name changes as well; the names it reads come from them.
for kind in ("object:state-changed:showing", "object:state-changed:checked",
             "object:property-change:accessible-name"):
    pyatspi.Registry.registerEventListener(listen, kind)
wm = subprocess.Popen(["openbox", "--sm-disable"], stderr=subprocess.DEVNULL)
# A window mapped while the window manager is still starting may never be shown.
assert wait_for(lambda: subprocess.run(["wmctrl", "-m"], capture_output=True).returncode == 0,
                30), "no window manager"
try:
    {"step": step_through, "predict": predict}[sys.argv[2]](sys.argv[1])
finally:
    wm.kill()
