#!/usr/bin/python3
"""What a screen reader hears of the running composer, read through AT-SPI.

Run as: accessible_names.py ZEPA LANG
(inside dbus-run-session and an X server: see the test's command in
tests/CMakeLists.txt). Starts its own accessibility bus (at-spi-bus-launcher)
and waits until it answers, starts ZEPA on a melody file in the language LANG with Qt's AT-SPI bridge on,
and reads the tree of accessible objects with pyatspi, the library screen
readers such as Orca use. Every focusable control must have a name with its
role, the twelve keys of the keyboard must be push buttons named by their
notes, and in English no name may be Japanese. Nothing waits a fixed time:
each wait is for what it needs (the bus answering, the composer's keys on
it), with a deadline only for failing.
"""
import os
import re
import subprocess
import sys
import tempfile
import time

zepa, language = sys.argv[1], sys.argv[2]

DEADLINE_SECONDS = 60

# The accessibility bus of this session, as a desktop starts it.
launcher = subprocess.Popen(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def wait_for_accessibility_bus():
    """Until the launcher answers on the session bus with the address of its own."""
    from gi.repository import Gio, GLib
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    deadline = time.monotonic() + DEADLINE_SECONDS
    while True:
        try:
            session.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.a11y.Bus', 'GetAddress', None,
                              GLib.VariantType.new('(s)'), Gio.DBusCallFlags.NO_AUTO_START, 5000, None)
            return
        except GLib.Error as error:
            if time.monotonic() > deadline or launcher.poll() is not None:
                sys.exit('the accessibility bus (at-spi2-core) did not start: ' + error.message)
            # The launcher has not taken its name yet; ask again in a moment.
            time.sleep(0.05)


wait_for_accessibility_bus()
import pyatspi  # noqa: E402 (after the bus is there)

folder = tempfile.mkdtemp()
melody = os.path.join(folder, 'song.mml')
with open(melody, 'w') as file:
    file.write('t120 o5 c d e\n')
environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_QPA_PLATFORM='xcb',
                   HOME=folder, XDG_CONFIG_HOME=os.path.join(folder, 'config'))
program = subprocess.Popen([zepa, '--lang', language, melody], env=environment,
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

PITCHES = {'en': ['C', 'C#', 'D', 'D#', 'E', 'F', 'F#', 'G', 'G#', 'A', 'A#', 'B'],
           'ja': ['ド', 'ド＃', 'レ', 'レ＃', 'ミ', 'ファ', 'ファ＃', 'ソ', 'ソ＃', 'ラ', 'ラ＃', 'シ']}[language]
JAPANESE = re.compile('[\u3040-\u30ff\u4e00-\u9fff\uff01-\uff5e]')


def walk(node, found):
    found.append(node)
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            walk(child, found)
    return found


def composer_tree():
    """ZEPA's objects once the composer's twelve keys and eight choices are on the bus, or None."""
    deadline = time.monotonic() + DEADLINE_SECONDS
    while time.monotonic() < deadline and program.poll() is None:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is None or application.name.lower() != 'zepa':
                continue
            nodes = walk(application, [])
            buttons = {node.name for node in nodes if node.getRole() == pyatspi.ROLE_PUSH_BUTTON}
            radios = [node for node in nodes if node.getRole() == pyatspi.ROLE_RADIO_BUTTON]
            if set(PITCHES) <= buttons and len(radios) >= 8:
                return nodes
        time.sleep(0.1)  # the composer is still being built; look again
    return None


failures = []
try:
    nodes = composer_tree()
    if nodes is None:
        program.kill()
        sys.exit('ZEPA\'s composer did not appear on the accessibility bus: '
                 + program.communicate()[1].decode(errors='replace')[-600:])
    focusable = [node for node in nodes
                 if node.getState().contains(pyatspi.STATE_FOCUSABLE) and node.getState().contains(pyatspi.STATE_SHOWING)]
    for node in focusable:
        name = node.name.strip()
        role = node.getRoleName()
        if not name:
            failures.append('a focusable %s has no name' % role)
        elif language == 'en' and JAPANESE.search(name):
            failures.append('the %s "%s" is named in Japanese' % (role, name))
        if not role or role == 'unknown':
            failures.append('"%s" has no role' % name)
    buttons = {node.name for node in nodes if node.getRole() == pyatspi.ROLE_PUSH_BUTTON}
    for pitch in PITCHES:
        if pitch not in buttons:
            failures.append('no push button named "%s" for its key' % pitch)
    radios = [node for node in nodes if node.getRole() == pyatspi.ROLE_RADIO_BUTTON]
    if len(radios) != 8 or not all(node.name.strip() for node in radios):
        failures.append('the 8 octave and gap choices are not all named: %s' % [node.name for node in radios])
    print('%s: %d objects, %d focusable, %d push buttons, %d choices' % (
        language, len(nodes), len(focusable), len(buttons), len(radios)))
finally:
    program.terminate()
    try:
        program.wait(10)
    except subprocess.TimeoutExpired:
        program.kill()
    launcher.terminate()
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
