#!/usr/bin/python3
"""How long ZEPA takes from its start to its first window on the screen,
against a bare Qt window with the same four controls (bare_window).

Usage: startup_bench.py ZEPA BARE_WINDOW [ROUNDS]
Runs on the X server in DISPLAY with no window manager (for example inside
tests/common/on_own_display.py). Needs python3-xlib (Debian's package).

Each round starts the two programs in turn, each in a new home of its own,
and times from the start of the process to the X server's MapNotify for its
window (the moment the window is on the screen) and to the first drawing in
it (a DamageNotify of the DAMAGE extension: the moment its controls can be
read). The CPU time is the process's own, user and system, until it is
ended right after. Medians of all rounds, and their ratios: the two are
measured side by side in one run, so the load of a shared machine weighs on
both alike.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display
from Xlib.ext import damage

zepa, bare = sys.argv[1], sys.argv[2]
rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 21
screen = display.Display()
root = screen.screen().root
root.change_attributes(event_mask=X.SubstructureNotifyMask)
screen.damage_query_version()
damage_event = screen.extension_event.DamageNotify
screen.sync()


def time_to_window(command):
    home = tempfile.mkdtemp()
    environment = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, 'config'),
                       XDG_DATA_HOME=os.path.join(home, 'data'), QT_QPA_PLATFORM='xcb')
    while screen.pending_events():
        screen.next_event()
    started = time.monotonic()
    process = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    watched = {}  # the program's top-level windows, each with a damage object from its creation on
    mapped = drawn = None
    window = None
    while drawn is None:
        event = screen.next_event()
        if event.type == X.CreateNotify and not event.override:
            watched[event.window.id] = event.window.damage_create(damage.DamageReportNonEmpty)
        elif event.type == X.MapNotify and not event.override and mapped is None:
            mapped = time.monotonic() - started
            window = event.window.id
        elif event.type == damage_event and mapped is not None and event.drawable.id == window:
            drawn = time.monotonic() - started
    process.terminate()
    _, _, usage = os.wait4(process.pid, 0)
    return mapped * 1000, drawn * 1000, (usage.ru_utime + usage.ru_stime) * 1000


def main():
    walls = {'zepa': [], 'bare': []}
    drawings = {'zepa': [], 'bare': []}
    cpus = {'zepa': [], 'bare': []}
    for _ in range(2):  # warm the caches of both before measuring
        time_to_window([bare])
        time_to_window([zepa])
    for _ in range(rounds):
        for name, command in (('bare', [bare]), ('zepa', [zepa])):
            wall, drawn, cpu = time_to_window(command)
            walls[name].append(wall)
            drawings[name].append(drawn)
            cpus[name].append(cpu)
    for name in ('bare', 'zepa'):
        print('%s: to its window %.1f ms, drawn %.1f ms (medians of %d), CPU %.1f ms' % (
            name, statistics.median(walls[name]), statistics.median(drawings[name]), rounds,
            statistics.median(cpus[name])))

    def ratio(values):
        return statistics.median(values['zepa']) / statistics.median(values['bare'])
    print('ratio ZEPA / bare window: wall %.2f, drawn %.2f, CPU %.2f' % (ratio(walls), ratio(drawings), ratio(cpus)))


main()
