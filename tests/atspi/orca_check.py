#!/usr/bin/python3
"""Runs Debian's screen reader Orca against the real program on a private X server,
presses keys as a blind user would and checks what Orca spoke, read back from its
debug log: the introduction, a question's state after answering it, the verdict after
"Responso", and the uncertain box.

Speech goes through speech-dispatcher to a null audio device. Every file that Orca,
speech-dispatcher and the program write stays in a folder under the current working
directory (the build folder). Run inside a private session bus:

    dbus-run-session -- orca_check.py PROGRAM

Each step waits for what shows it is done, never for a time, so that a loaded machine
only makes the check slower: speech-dispatcher accepting connections, Orca's log saying
that it listens to the accessibility bus, Orca's speech.
"""

import codecs
import ctypes
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import tty

from session import private_environment as private_session, start_xvfb, wait_for

# A log record starts with its time; its further lines are indented by 18 blanks.
RECORD = re.compile(r"^\d\d:\d\d:\d\d\.\d+ - ", re.MULTILINE)
SPOKEN = "SPEECH OUTPUT: '"

# speech-dispatcher: espeak-ng speaking Italian into libao's null device.
SPEECHD_CONF = """\
AudioOutputMethod "libao"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "it"
"""


class Keyboard:
    """Key presses through the X server's XTEST extension, as a keyboard makes them."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(display.encode())
        if not self.display:
            raise AssertionError("cannot open display " + display)

    def _key(self, name, down):
        keycode = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))
        if not keycode:
            raise AssertionError("no key for " + name)
        self.xtst.XTestFakeKeyEvent(self.display, keycode, down, 0)
        self.x11.XFlush(self.display)

    def press(self, *names):
        """Presses the keys in order and releases them in reverse: press("Insert", "t")."""
        for name in names:
            self._key(name, True)
        for name in reversed(names):
            self._key(name, False)


class OrcaLog:
    """What Orca spoke, from its debug log, read from a mark onwards.

    Orca writes its log through a buffer that a terminal alone flushes line by line,
    so it writes to a pseudo-terminal, read here into a copy in the build folder.
    """

    def __init__(self, path):
        self.path = path
        self.mark = 0
        self._lines = []
        self._lock = threading.Lock()
        master, slave = os.openpty()
        tty.setraw(slave)  # no carriage returns added
        self.terminal = os.ttyname(slave)
        self._slave = slave
        threading.Thread(target=self._read, args=(master,), daemon=True).start()

    def _read(self, master):
        # A read may end inside a character: the decoder keeps its first bytes for the next.
        decoder = codecs.getincrementaldecoder("utf-8")(errors="replace")
        with open(self.path, "w", encoding="utf-8") as copy:
            while True:
                try:
                    chunk = os.read(master, 65536)
                except OSError:
                    return
                if not chunk:
                    return
                text = decoder.decode(chunk)
                copy.write(text)
                copy.flush()
                with self._lock:
                    self._lines.append(text)

    def text(self):
        with self._lock:
            return "".join(self._lines)

    def spoken(self):
        """The utterances since the mark, their lines joined by blanks. A record counts
        once the next one has begun: Orca logs its speech server's call after each."""
        utterances = []
        for record in RECORD.split(self.text()[self.mark:])[:-1]:
            if record.startswith(SPOKEN):
                # The closing quote, then maybe the voice.
                text = re.match(r"(.*)'\s*(\[?\{[^{}]*\}\]?)?\s*$", record[len(SPOKEN):], re.S)
                utterances.append(" ".join(text.group(1).split()) if text else record)
        return utterances

    def set_mark(self):
        self.mark = len(self.text())

    def wait_for_speech(self, *fragments):
        """Waits until, since the mark, Orca spoke every fragment; returns the speech."""
        def heard():
            speech = "\n".join(self.spoken())
            return speech if all(f in speech for f in fragments) else None
        try:
            return wait_for(heard, "Orca to speak %r" % (fragments,))
        except AssertionError:
            raise AssertionError("Orca did not speak %r; it spoke:\n  %s"
                                 % (fragments, "\n  ".join(self.spoken())))


# Orca's own settings, read at its start: Orca ends itself when a step of its start-up
# takes more than ten seconds, as one can on a loaded machine; here it waits instead.
ORCA_CUSTOMIZATIONS = """\
import orca.settings
orca.settings.timeoutTime = 0
"""


def private_environment(root, display):
    """The private session, Orca's messages in Italian, speech-dispatcher configured."""
    env = private_session(root, display)
    for name in ("SPEECHD_ADDRESS", "SPEECHD_SOCKET", "SPEECHD_CMD"):
        env.pop(name, None)
    env.update(LANGUAGE="it", LANG="C.UTF-8")
    speechd = os.path.join(env["XDG_CONFIG_HOME"], "speech-dispatcher")
    os.makedirs(os.path.join(speechd, "modules"), exist_ok=True)
    with open(os.path.join(speechd, "speechd.conf"), "w") as conf:
        conf.write(SPEECHD_CONF)
    with open(os.path.join(speechd, "modules", "espeak-ng.conf"), "w") as conf:
        conf.write("")
    with open(os.path.join(env["HOME"], ".libao"), "w") as conf:
        conf.write("default_driver=null\n")
    return env


def start_speech_dispatcher(env):
    """speech-dispatcher, started before Orca rather than by Orca on its first words,
    which would hold up Orca's start; returns once it accepts connections where Orca
    looks for it."""
    folder = os.path.join(env["XDG_RUNTIME_DIR"], "speech-dispatcher")
    os.makedirs(folder, mode=0o700, exist_ok=True)
    path = os.path.join(folder, "speechd.sock")
    server = subprocess.Popen(["speech-dispatcher", "--run-single", "--timeout", "0",
                               "--communication-method", "unix_socket", "--socket-path", path],
                              env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def accepting():
        if server.poll() is not None:
            raise AssertionError("speech-dispatcher ended with status %d" % server.returncode)
        with socket.socket(socket.AF_UNIX) as client:
            try:
                client.connect(path)
            except OSError:
                return False
        return True

    try:
        wait_for(accepting, "speech-dispatcher to accept connections")
    except BaseException:
        stop(server)
        raise
    return server


def private_pids():
    """The command line that runs a program alone in a process namespace of its own, or
    none where this machine allows none. Orca will not start beside another Orca of the
    same user (the user's own screen reader, or this check run by someone else at the same
    time), and its --replace would end every other one."""
    command = ["unshare", "--user", "--map-current-user", "--pid", "--fork", "--kill-child",
               "--mount-proc"]
    try:
        allowed = subprocess.run(command + ["true"], stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL).returncode == 0
    except OSError:
        allowed = False
    return command if allowed else []


def stop(process):
    if process is not None and process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


FIRST = "Il fastidio si attenua nella stagione fredda?"
SECOND = "Il disturbo peggiora salendo le scale?"


class Session:
    """Orca and the program on one display: keys pressed, speech awaited."""

    def __init__(self, keys, log):
        self.keys = keys
        self.log = log

    def say(self, keys, *fragments):
        """Presses the keys and waits until Orca spoke every fragment; returns what it
        spoke meanwhile."""
        self.log.set_mark()
        self.keys.press(*keys)
        return self.log.wait_for_speech(*fragments)

    def utterance(self, keys, text):
        """Presses the keys and returns Orca's utterances that start with text."""
        self.say(keys, text)
        return [u for u in self.log.spoken() if u.startswith(text)]

    def review_question(self, question):
        """Flat review, from the top line down to the line where Orca reads the question
        (with its state)."""
        self.say(["Insert", "KP_Home"], "Clicca sulle DOMANDE")
        for _ in range(20):
            self.log.set_mark()
            self.keys.press("KP_Page_Up")
            line = wait_for(self.log.spoken, "Orca to read the next line")[0]
            if question in line:
                return line
        raise AssertionError("flat review never reached " + question)


def check(session, log):
    # The introduction, read in full as a dialog; a key dismisses it.
    log.wait_for_speech("Introduzione a Tervanel dialogo Capita spesso",
                        "Realizzato da: Dr. Eldrano VESCANDI")
    session.say(["space"], "Tervanel by", "cornice", "Responso pulsante")

    # A look at the window in flat review first: Orca now knows the hidden labels.
    session.say(["KP_Subtract"], "Responso")
    assert session.review_question(FIRST) == "non spuntata " + FIRST
    session.say(["KP_Subtract"], "Uscito dalla revisione piatta")

    # No answer: the reminder, once; then flat review finds it on the window.
    spoken = session.utterance(["space"], "notifica Devi cliccare sulle domande!")
    assert spoken == ["notifica Devi cliccare sulle domande!"], spoken
    session.say(["KP_Subtract"], "Responso")
    session.say(["Insert", "KP_Page_Up"], "by Dorvik")
    session.say(["KP_Home"], "Responso Fine")
    session.say(["KP_Home"], "Devi cliccare sulle domande!")

    # The first question, answered with flat review's click, is confirmed.
    assert session.review_question(FIRST) == "non spuntata " + FIRST
    session.say(["KP_Divide"], "notifica spuntata " + FIRST)
    session.say(["KP_Subtract"], "Uscito dalla revisione piatta")

    # Venous: heading, scores and explanation, once, the focus left on "Responso".
    spoken = session.utterance(["space"], "notifica Patologia venosa...")
    assert len(spoken) == 1, spoken
    assert spoken[0].startswith("notifica Patologia venosa... Venosa: 1 Apparato Locomotore: 0 "
                                "Arteriosa: 0 I disturbi di cui ti lamenti"), spoken
    assert spoken[0].rstrip(".").endswith("Consultare uno specialista"), spoken
    assert not [u for u in log.spoken() if "pulsante" in u], log.spoken()

    # The second question: answered, taken back with flat review's right click (no
    # mouse, at any pace), answered again. (No arrow keys here: when Orca is slow to
    # claim a key, the toolkit hands it to the program too, and an arrow key moves the
    # focus between the buttons.)
    session.say(["KP_Subtract"], "Responso")
    assert session.review_question(SECOND) == "non spuntata " + SECOND
    session.say(["KP_Divide"], "notifica spuntata " + SECOND)
    session.say(["KP_Multiply"], "notifica non spuntata " + SECOND)
    session.say(["KP_Divide"], "notifica spuntata " + SECOND)
    # The first question, answered already, is confirmed again. (Never two clicks of
    # one button on one question in a row: they would make a double-click.)
    assert session.review_question(FIRST) == "spuntata " + FIRST
    session.say(["KP_Divide"], "notifica spuntata " + FIRST)
    session.say(["KP_Subtract"], "Uscito dalla revisione piatta")

    # Uncertain: heading and scores, then its box.
    speech = session.say(["space"], "notifica Venosa: 1 Apparato Locomotore: 1 Patologia incerta... "
                         "Arteriosa: 1", "Diagnosi Incerta", "Le risposte non sono significative")
    return speech


def main(program):
    root = tempfile.mkdtemp(prefix="orca-check-", dir=os.getcwd())  # the build folder
    server, display = start_xvfb()
    env = private_environment(root, display)
    prefs = os.path.join(root, "orca-prefs")
    os.makedirs(prefs)
    with open(os.path.join(prefs, "orca-customizations.py"), "w") as customizations:
        customizations.write(ORCA_CUSTOMIZATIONS)
    log = OrcaLog(os.path.join(root, "orca-debug.log"))
    speechd = orca = process = None
    passed = False
    try:
        speechd = start_speech_dispatcher(env)
        orca = subprocess.Popen(private_pids() + ["orca", "-u", prefs,
                                                  "--debug-file=" + log.terminal],
                                env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def orca_started():
            if orca.poll() is not None:
                raise AssertionError("Orca ended with status %d before it started"
                                     % orca.returncode)
            return "ORCA: Starting ATSPI registry." in log.text()

        # Orca has asked for accessibility, registered its listeners and is about to
        # take the bus's events: a program started now is seen from its first window.
        wait_for(orca_started, "Orca to start")
        process = subprocess.Popen([program], env=dict(env, QT_QPA_PLATFORM="xcb"),
                                   stdout=subprocess.DEVNULL)
        uncertain = check(Session(Keyboard(display), log), log)
        print("Orca check passed; the uncertain press was spoken as:\n  "
              + "\n  ".join(uncertain.splitlines()))
        passed = True
        return 0
    finally:
        stop(process)
        if orca is not None:
            # Nothing in Orca's own ending (a goodbye, the keyboard of a server about to go)
            # is worth waiting for; in its namespace it would not even hear SIGTERM.
            orca.kill()
            orca.wait()
        stop(speechd)
        server.terminate()
        server.wait()
        if passed:
            shutil.rmtree(root, ignore_errors=True)
        else:
            print("Orca's log and settings are kept in " + root)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
