#!/usr/bin/python3
"""How long ZEPA takes from its start to its first window on the screen,
against a bare Qt window with the same four controls (bare_window).

Usage: startup_bench.py ZEPA BARE_WINDOW [ROUNDS]
Runs on the X server in DISPLAY with no window manager (for example inside
tests/common/on_own_display.py). Needs python3-xlib (Debian's package).

Each round starts the two programs in turn, each in a new home of its own,
and times from the start of the process to the X server's MapNotify for its
window: the moment the window is on the screen. The CPU time is the
process's own, user and system, until it is ended right after. Medians of
all rounds, and their ratio: the two are measured side by side in one run,
so the load of a shared machine weighs on both alike.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display

zepa, bare = sys.argv[1], sys.argv[2]
rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 21
screen = display.Display()
root = screen.screen().root
root.change_attributes(event_mask=X.SubstructureNotifyMask)
screen.sync()


def time_to_window(command):
    home = tempfile.mkdtemp()
    environment = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, 'config'),
                       XDG_DATA_HOME=os.path.join(home, 'data'), QT_QPA_PLATFORM='xcb')
    while screen.pending_events():
        screen.next_event()
    started = time.monotonic()
    process = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while True:
        event = screen.next_event()
        if event.type == X.MapNotify and not event.override:
            mapped = time.monotonic() - started
            break
    process.terminate()
    _, _, usage = os.wait4(process.pid, 0)
    return mapped * 1000, (usage.ru_utime + usage.ru_stime) * 1000


def main():
    walls = {'zepa': [], 'bare': []}
    cpus = {'zepa': [], 'bare': []}
    for _ in range(2):  # warm the caches of both before measuring
        time_to_window([bare])
        time_to_window([zepa])
    for _ in range(rounds):
        for name, command in (('bare', [bare]), ('zepa', [zepa])):
            wall, cpu = time_to_window(command)
            walls[name].append(wall)
            cpus[name].append(cpu)
    for name in ('bare', 'zepa'):
        print('%s: to its window %.1f ms (median of %d), CPU %.1f ms' % (
            name, statistics.median(walls[name]), rounds, statistics.median(cpus[name])))
    print('ratio ZEPA / bare window: wall %.2f, CPU %.2f' % (
        statistics.median(walls['zepa']) / statistics.median(walls['bare']),
        statistics.median(cpus['zepa']) / statistics.median(cpus['bare'])))


main()
