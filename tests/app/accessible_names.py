#!/usr/bin/python3
"""What a screen reader hears of the running composer, read through AT-SPI.

Run as: accessible_names.py ZEPA LANG
(inside dbus-run-session and an X server: see the test's command in
tests/CMakeLists.txt). Starts its own accessibility bus (at-spi-bus-launcher),
starts ZEPA on a melody file in the language LANG with Qt's AT-SPI bridge on,
and reads the tree of accessible objects with pyatspi, the library screen
readers such as Orca use. Every focusable control must have a name with its
role, the twelve keys of the keyboard must be push buttons named by their
notes, and in English no name may be Japanese.
"""
import os
import re
import subprocess
import sys
import tempfile
import time

zepa, language = sys.argv[1], sys.argv[2]

# The accessibility bus of this session, as a desktop starts it.
launcher = subprocess.Popen(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
time.sleep(1.0)

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


def find_application():
    for _ in range(60):
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is not None and application.name.lower() == 'zepa' and application.childCount > 0:
                return application
        time.sleep(0.5)
    return None


def walk(node, found):
    found.append(node)
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            walk(child, found)
    return found


failures = []
try:
    application = find_application()
    if application is None:
        sys.exit('ZEPA did not appear on the accessibility bus: ' + program.stderr.read1().decode(errors='replace'))
    time.sleep(1.0)  # the composer fills its form
    nodes = walk(application, [])
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
