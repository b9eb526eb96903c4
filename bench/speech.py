#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""What a blind student hears of the real program with Orca, measured from the sound itself.
bench/speech.sh runs this under xvfb-run and dbus-run-session with a private home, runtime
directory and PulseAudio socket. It starts Openbox, PulseAudio (a null sink, recorded by
parec), speech-dispatcher, Orca and the program, presses keys with xdotool, hears the program's
notifications over AT-SPI, Orca's words in its debug log and what espeak-ng was given in
speech-dispatcher's, and prints a report.
Arguments: RUN_DIR BINARY EXCHANGES SCENARIO...  (worked, reading, drops; or step or predict alone)
or: orca PREFS_DIR LOG  (runs Orca itself; see run_orca)."""

import array
import html
import importlib.util
import os
import re
import statistics
import subprocess
import sys
import time
from importlib.machinery import SourceFileLoader

RATE = 16000  # recorded samples a second, mono s16le
FRAME = RATE // 100  # 10 ms: the unit of every time read off the recording
LOUD = 300  # a frame whose peak passes this is heard; the idle null sink gives exact zeros


def run_orca(prefs, log):
    """Orca 43 as /usr/bin/orca starts it, with two changes: the debug log is written line by
    line, so that each line can be put with the key that caused it, and it does not look for
    other Orcas of the same user, which on a shared machine are other sessions', not ours."""
    loader = SourceFileLoader("orca_launcher", "/usr/bin/orca")
    launcher = importlib.util.module_from_spec(importlib.util.spec_from_loader(loader.name,
                                                                               loader))
    loader.exec_module(launcher)
    launcher.otherOrcas = lambda: []
    launcher.debug.debugLevel = launcher.debug.LEVEL_INFO
    launcher.debug.debugFile = open(log, "w", buffering=1, encoding="utf-8")
    sys.argv = ["orca", "--user-prefs", prefs]
    return launcher.main()


if len(sys.argv) == 4 and sys.argv[1] == "orca":
    sys.exit(run_orca(sys.argv[2], sys.argv[3]))

import pyatspi  # noqa: E402  (Orca's own process above imports it its own way)
from gi.repository import GLib  # noqa: E402


class Recording:
    """The null sink's monitor as parec writes it, read as it grows: one flag a frame, heard."""

    def __init__(self, path):
        self.file = open(path, "rb")
        self.rest = b""
        self.loud = []

    def update(self):
        data = self.rest + self.file.read()
        whole = len(data) - len(data) % (2 * FRAME)
        samples, self.rest = array.array("h", data[:whole]), data[whole:]
        for start in range(0, len(samples), FRAME):
            part = samples[start:start + FRAME]
            self.loud.append(max(part) > LOUD or -min(part) > LOUD)

    def now(self):
        return len(self.loud)

    def silent_for(self, seconds):
        frames = round(seconds * 100)
        return len(self.loud) >= frames and not any(self.loud[-frames:])

    def heard_since(self, mark):
        return any(self.loud[mark:])

    def stretches(self, start, gap=0.5):
        """[first, last] frames of each stretch of speech after start, across pauses < gap."""
        spans = []
        for frame in range(start, len(self.loud)):
            if not self.loud[frame]:
                continue
            if spans and frame - spans[-1][1] < gap * 100:
                spans[-1][1] = frame
            else:
                spans.append([frame, frame])
        return spans


class Log:
    """A log read as it grows: the texts of the lines that match, each with the frame of the
    recording at which it was read."""

    def __init__(self, path, pattern, clean=lambda text: text):
        self.path, self.pattern, self.clean = path, re.compile(pattern), clean
        self.offset = 0
        self.texts = []  # (frame, text)

    def update(self, now):
        if not os.path.exists(self.path):
            return
        with open(self.path, "rb") as log:
            log.seek(self.offset)
            data = log.read()
        data = data[:data.rfind(b"\n") + 1]
        self.offset += len(data)
        for line in data.decode("utf-8", "replace").splitlines():
            found = self.pattern.search(line)
            if found:
                self.texts.append((now, self.clean(found.group(1))))

    def since(self, count):
        return [text for _, text in self.texts[count:]]


def orca_log(path):
    """What Orca sent to speech-dispatcher: the text, then the voice where it is not the
    default one, as in SPEECH OUTPUT: 'text'{'established': False}."""
    return Log(path, r"SPEECH OUTPUT: '(.*?)' ?(?:\{[^{}]*\})?$")


def speechd_log(path):
    """What espeak-ng was given, once speech-dispatcher has put its words to the punctuation
    (Orca's default level, "most"): the SSML less its tags."""
    return Log(path, r"Command sent to output module: \|<speak>(.*)</speak>\|",
               lambda text: html.unescape(re.sub(r"<[^>]*>", "", text)))


def plain(text):
    return " ".join(text.split())


class Session:
    """The private desktop, Orca and the program; what was sent, said and heard since the start."""

    def __init__(self, run, binary):
        self.run, self.binary = run, binary
        self.processes = []  # started here, stopped here in reverse order
        self.recording = None
        self.said = orca_log(os.path.join(run, "orca-debug.log"))
        self.given = speechd_log(os.path.join(run, "speechd", "speech-dispatcher.log"))
        self.notes = []  # (frame, text) of each notification or announcement the program made
        self.focus = None  # (role name, name) of the last object to take the focus

    # --- waiting -------------------------------------------------------------------------

    def update(self):
        if self.recording:
            self.recording.update()
            self.said.update(self.recording.now())
            self.given.update(self.recording.now())

    def wait_for(self, condition, seconds):
        """Runs the event loop until condition() holds or the time is up; returns condition()."""
        loop = GLib.MainLoop()
        deadline = time.monotonic() + seconds
        failed = []  # an error in poll() would only be printed and end the polling, not the loop

        def poll():
            try:
                self.update()
                if not condition() and time.monotonic() < deadline:
                    return True
            except Exception as error:  # pylint: disable=broad-except
                failed.append(error)
            loop.quit()
            return False

        GLib.timeout_add(50, poll)
        loop.run()
        if failed:
            raise failed[0]
        return condition()

    def settle(self, mark, gap, start_within=4, limit=60):
        """After something at frame mark: lets speech start (if it does) and end in a pause of
        gap seconds, with no notification in that time either."""
        rec = self.recording
        self.wait_for(lambda: rec.heard_since(mark), start_within)
        return self.wait_for(lambda: rec.silent_for(gap) and self.quiet_screen(gap)
                             and rec.now() - mark >= gap * 100, limit)

    def quiet_screen(self, seconds):
        return not self.notes or self.recording.now() - self.notes[-1][0] >= seconds * 100

    # --- the desktop ---------------------------------------------------------------------

    def start(self, command, **options):
        process = subprocess.Popen(command, **options)
        self.processes.append(process)
        return process

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()

    def start_desktop(self):
        quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
        self.start(["openbox", "--sm-disable"], **quiet)
        # A window mapped while the window manager is still starting may never be shown.
        assert self.wait_for(lambda: subprocess.run(["wmctrl", "-m"], **quiet).returncode == 0,
                             30), "no window manager"
        self.start(["pulseaudio", "--daemonize=no", "--system=no", "-n", "--exit-idle-time=-1",
                    "--disallow-exit", "--use-pid-file=no", "--log-target=stderr",
                    f"--load=module-null-sink sink_name=heard rate={RATE} channels=1",
                    "--load=module-native-protocol-unix auth-anonymous=1"],
                   stderr=open(os.path.join(self.run, "pulseaudio.log"), "w"))
        assert self.wait_for(lambda: subprocess.run(["pactl", "info"], **quiet).returncode == 0,
                             30), "PulseAudio never answered"
        raw = os.path.join(self.run, "heard.raw")
        self.start(["parec", "--device=heard.monitor", "--raw", "--format=s16le", "--channels=1",
                    f"--rate={RATE}", "--latency-msec=20"], stdout=open(raw, "wb"))
        self.recording = Recording(raw)

    def start_speech(self):
        """speech-dispatcher as Orca would spawn it, on the socket Orca looks for, but in the
        foreground (so that it is stopped here) and logging what it gives espeak-ng."""
        logs = os.path.dirname(self.given.path)
        os.makedirs(logs, exist_ok=True)
        self.start(["speech-dispatcher", "--run-single", "--timeout", "0", "--log-level", "5",
                    "--log-dir", logs], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        socket = os.path.join(os.environ["XDG_RUNTIME_DIR"], "speech-dispatcher", "speechd.sock")
        assert self.wait_for(lambda: os.path.exists(socket), 30), "no speech-dispatcher"

    def start_orca(self):
        prefs = os.path.join(self.run, "orca")
        os.makedirs(prefs, exist_ok=True)
        self.start(["/usr/bin/python3", os.path.abspath(__file__), "orca", prefs,
                    self.said.path],
                   stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.run, "orca.err"), "w"))
        # "Screen reader on." (where nothing is heard, speech does not work: no point going on).
        assert self.wait_for(lambda: self.said.texts, 60), "Orca never started"
        assert self.settle(0, 2, start_within=20), "Orca never fell silent"
        assert self.recording.heard_since(0), "Orca started but nothing was heard"

    def start_program(self, arguments):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        errors = open(os.path.join(self.run, "tolvane.err"), "w")
        program = self.start([self.binary, *arguments], env=env, stderr=errors)
        window = xdotool("search", "--sync", "--onlyvisible", "--pid", str(program.pid),
                         "--name", "^Tolvane$")[0]
        xdotool("windowactivate", "--sync", window)

    # --- what the program tells a screen reader -------------------------------------------

    def listen(self, event):
        try:
            role = event.source.getRole()
            if event.type == "object:announcement":
                self.note(str(event.any_data))
            elif event.type.startswith("object:state-changed:showing"):
                if role == pyatspi.ROLE_NOTIFICATION and event.detail1:
                    self.note(event.source.name)
            elif event.detail1:
                self.focus = (event.source.getRoleName(), event.source.name)
        except GLib.GError:
            pass  # the object has gone with its program

    def note(self, text):
        self.update()
        self.notes.append((self.recording.now(), text))

    def table(self):
        app = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Tolvane"]
        return pyatspi.findDescendant(app[0], lambda o: o.name == "Tabel ARP" and o.childCount)

    # --- acting ---------------------------------------------------------------------------

    def act(self, key, gap, limit, start_within=5):
        """Presses key, then waits until speech and notifications have both paused for gap
        seconds; returns what followed from the press on."""
        counts = (len(self.notes), len(self.said.texts), len(self.given.texts))
        mark = self.recording.now()
        xdotool("key", key)
        self.settle(mark, gap, start_within, limit)
        return Outcome(self, mark, *counts)


class Outcome:
    """What followed a key press: its frame, the notifications sent, Orca's utterances and the
    texts espeak-ng was given."""

    def __init__(self, session, mark, notes, said, given):
        self.mark = mark
        self.notes = session.notes[notes:]  # (frame, text)
        self.said = session.said.since(said)
        self.given = session.given.since(given)

    def missing(self):
        """The notifications not found in Orca's utterances, matched in order."""
        missing, position = [], 0
        said = [plain(text) for text in self.said]
        for _, text in self.notes:
            found = next((i for i in range(position, len(said)) if plain(text) in said[i]),
                         None)
            if found is None:
                missing.append(text)
            else:
                position = found + 1
        return missing

    def show(self, label):
        """Orca's utterances, each with what espeak-ng was given where that differs."""
        print(f"  {label}:")
        given = self.given if len(self.given) == len(self.said) else []
        for i, text in enumerate(self.said):
            heard = f"   espeak-ng: '{given[i]}'" if given and plain(given[i]) != plain(text) \
                else ""
            print(f"    '{text}'{heard}")
        if not self.said:
            print("    (nothing)")
        if self.given and not given:
            print("    espeak-ng was given: " + " | ".join(f"'{t}'" for t in self.given))


def xdotool(*arguments):
    """Real X input; it fails, rather than waits for ever, where a window never comes."""
    return subprocess.run(["xdotool", *arguments], check=True, timeout=60, capture_output=True,
                          text=True).stdout.split()


def seconds(frames):
    return frames / 100


def worked(session):
    print("Worked example: Space on Tesu, then Alt+B for 192.168.0.4")
    space = session.act("space", 2, 60)
    space.show(f"Space (notifications sent {len(space.notes)}, spoken "
               f"{len(space.notes) - len(space.missing())})")
    rec = session.recording
    broadcast = session.act("alt+b", 8, 180)
    mark, notes = broadcast.mark, broadcast.notes
    spans = rec.stretches(mark)
    end = spans[-1][1] + 1 if spans else mark
    speech = sum(last + 1 - first for first, last in spans)
    screen = notes[-1][0] if notes else mark
    print(f"  Alt+B at {seconds(mark):.1f} s of the recording; the last notification "
          f"{seconds(screen - mark):.1f} s after it")
    print(f"  speech ends {seconds(end - mark):.1f} s after Alt+B, "
          f"{seconds(end - screen):.1f} s after the last notification")
    print(f"  speech {seconds(speech):.1f} s in {len(spans)} stretch(es) (pauses under 0.5 s "
          f"inside), {seconds(sum(rec.loud[mark:])):.1f} s of 10-ms frames heard")
    missing = broadcast.missing()
    print(f"  notifications sent {len(notes)}, spoken {len(notes) - len(missing)}")
    for text in missing:
        print(f"    not spoken: '{text}'")
    broadcast.show("Orca said after Alt+B")


def drops(session, count):
    print(f"Drops: {count} exchanges of Alt+H then Alt+B, each waited out to silence")
    sent = spoken = 0
    started = session.recording.now()
    for number in range(1, count + 1):
        cleared = session.act("alt+h", 2, 60)
        broadcast = session.act("alt+b", 3, 180)
        missing = cleared.missing() + broadcast.missing()
        notes = len(cleared.notes) + len(broadcast.notes)
        sent, spoken = sent + notes, spoken + notes - len(missing)
        spans = session.recording.stretches(broadcast.mark)
        end = seconds(spans[-1][1] + 1 - broadcast.mark) if spans else 0
        print(f"  {number:2}: sent {notes}, spoken {notes - len(missing)}, "
              f"speech ends {end:.1f} s after Alt+B")
        for text in missing:
            print(f"      not spoken: '{text}'")
    minutes = seconds(session.recording.now() - started) / 60
    print(f"  in all: sent {sent}, spoken {spoken}, dropped {sent - spoken} ({minutes:.1f} min)")


def reading(session):
    print("Reading: Tab round the window; in the ARP table, Down and Up over its rows")
    first = None
    for _ in range(30):
        if read(session, "Tab") == first:
            break
        first = first or session.focus
        if session.focus and session.focus[1] == "Tabel ARP":
            rows = session.table().queryTable().nRows
            print(f"  (the ARP table has {rows} rows over AT-SPI)")
            for key in ["Down"] * rows + ["Up"] * rows:
                read(session, key)


def read(session, key):
    """Presses key and prints what then has the focus and what was said; returns the focus."""
    outcome = session.act(key, 1.5, 30, start_within=4)
    focus = session.focus
    outcome.show(f"{key} -> " + (f"{focus[0]} '{focus[1]}'" if focus else "(no focus event)"))
    return focus


def step(session):
    print("Step by step (--pace step): Space on Tesu, Alt+B for 192.168.0.4, then Page Down, "
          "each key waited out to silence, until the exchange ends")
    session.act("space", 2, 60)
    ends, sent, spoken = [], 0, 0
    # Alt+B shows the first word and each Page Down the next, or ends the last; the bound only
    # ends a run whose exchange never tells its end.
    for number in range(41):
        outcome = session.act("Page_Down" if number else "alt+b", 1.5, 60)
        spans = session.recording.stretches(outcome.mark)
        missing = outcome.missing()
        sent, spoken = sent + len(outcome.notes), spoken + len(outcome.notes) - len(missing)
        timing = "nothing heard"
        if spans:
            end = seconds(spans[-1][1] + 1 - outcome.mark)
            ends += [end] if number else []
            timing = f"heard {seconds(spans[0][0] - outcome.mark):.1f} to {end:.1f} s"
        said = " | ".join(f"'{text}'" for text in outcome.said) or "(Orca said nothing)"
        print(f"  {f'Page Down {number}' if number else 'Alt+B'}: {timing} after the key: {said}")
        for text in missing:
            print(f"      not spoken: '{text}'")
        # The last sentence tells what the requester's table now holds; a key that brings no
        # sentence finds the exchange over without it.
        if not outcome.notes or any(" now holds " in text for _, text in outcome.notes):
            break
    if ends:
        print(f"  Page Down {number} times; from each to the end of its speech: median "
              f"{statistics.median(ends):.1f} s, max {max(ends):.1f} s")
    # Back with Page Up three words from the end, then forward again with Page Down.
    walked = {"Page_Up": [], "Page_Down": []}
    for key in ["Page_Up"] * 3 + ["Page_Down"] * 3:
        outcome = session.act(key, 1.5, 60)
        spans = session.recording.stretches(outcome.mark)
        missing = outcome.missing()
        sent, spoken = sent + len(outcome.notes), spoken + len(outcome.notes) - len(missing)
        said = " | ".join(f"'{text}'" for text in outcome.said) or "(Orca said nothing)"
        if spans:
            walked[key].append(seconds(spans[-1][1] + 1 - outcome.mark))
            print(f"  {key}: heard {seconds(spans[0][0] - outcome.mark):.1f} to "
                  f"{walked[key][-1]:.1f} s after the key: {said}")
        else:
            print(f"  {key}: nothing heard: {said}")
    for key, times in walked.items():
        if times:
            print(f"  {key}, walking: from each key to the end of its speech: median "
                  f"{statistics.median(times):.1f} s, max {max(times):.1f} s")
    print(f"  sentences sent {sent}, spoken {spoken}")


def predict(session):
    print("Predict, then watch (--pace predict): Space on Tesu, Alt+B for 192.168.0.4, then "
          "each question answered as it is heard (one wrong, one skipped), until the score")
    session.act("space", 2, 60)
    keys = ["4", "y", "y", "y", "n", "y", "y", "Page_Down", "n", "y", "y", "y", "y", "y"]
    latencies = {"the same host": [], "the next host": [], "Alt+B": []}
    previous = None
    for number, key in enumerate(["alt+b"] + keys):
        outcome = session.act(key, 1.5, 60)
        said = " | ".join(f"'{text}'" for text in outcome.said) or "(Orca said nothing)"
        # When espeak-ng was given the question: the moment it starts to be heard.
        asked = [(frame, text) for frame, text in session.given.texts[-len(outcome.given):]
                 if text.startswith(("Will ", "Which host"))] if outcome.given else []
        timing = ""
        if asked:
            frame, question = asked[-1]
            host = question.split()[1]
            kind = "Alt+B" if not number else \
                "the same host" if host == previous else "the next host"
            latencies[kind].append(seconds(frame - outcome.mark))
            timing = f"question heard {seconds(frame - outcome.mark):.1f} s after the key; "
            previous = host
        print(f"  {key}: {timing}{said}")
        for text in outcome.missing():
            print(f"      not spoken: '{text}'")
    for kind, times in latencies.items():
        if times:
            print(f"  from the key to the question, {kind}: median "
                  f"{statistics.median(times):.1f} s, max {max(times):.1f} s ({len(times)})")


def main():
    run, binary, count, scenarios = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
    session = Session(run, binary)
    for kind in ("object:state-changed:showing", "object:state-changed:focused",
                 "object:announcement"):
        pyatspi.Registry.registerEventListener(session.listen, kind)
    try:
        session.start_desktop()
        session.start_speech()
        session.start_orca()
        counts = (len(session.notes), len(session.said.texts), len(session.given.texts))
        mark = session.recording.now()
        session.start_program(["--pace", "step"] if "step" in scenarios else
                              ["--pace", "predict"] if "predict" in scenarios else [])
        session.settle(mark, 2, start_within=20)
        Outcome(session, mark, *counts).show("Opening")
        print()
        if "worked" in scenarios:
            worked(session)
            print()
        if "reading" in scenarios:
            if "worked" not in scenarios:  # rows to read: the worked example, unreported
                session.act("space", 2, 60)
                session.act("alt+b", 3, 180)
            reading(session)
            print()
        if "drops" in scenarios:
            drops(session, count)
            print()
        if "step" in scenarios:
            step(session)
            print()
        if "predict" in scenarios:
            predict(session)
            print()
    finally:
        session.stop()


main()
