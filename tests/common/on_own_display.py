#!/usr/bin/python3
"""Runs a command on an X server of its own, ready before the command starts.

Usage: on_own_display.py COMMAND [ARGUMENT...]

Xvfb chooses a free display number itself and writes it to a pipe once it
accepts connections (-displayfd), so no number is fixed, two tests never
pick the same one, and the command never connects before the server listens.
-noreset keeps the server from resetting when its first client leaves, which
would drop the next client's connection. The server ends with the command;
the command's exit status is this script's.
"""
import os
import select
import signal
import subprocess
import sys
import time

READY_WITHIN_SECONDS = 60


def start_server():
    reading, writing = os.pipe()
    server = subprocess.Popen(['Xvfb', '-displayfd', str(writing), '-noreset', '-nolisten', 'tcp',
                               '-screen', '0', '1366x768x24'],
                              pass_fds=(writing,), stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    os.close(writing)
    number = b''
    deadline = time.monotonic() + READY_WITHIN_SECONDS
    while not number.endswith(b'\n'):
        left = deadline - time.monotonic()
        ready, _, _ = select.select([reading], [], [], max(left, 0))
        chunk = os.read(reading, 16) if ready else b''
        if not chunk:  # the server ended, or was not ready in time
            server.kill()
            errors = server.communicate()[1].decode(errors='replace')
            sys.exit('Xvfb (Debian package xvfb) did not start a display: ' + errors[-600:])
        number += chunk
    os.close(reading)
    return server, ':' + number.decode().strip()


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    try:
        server, display = start_server()
    except FileNotFoundError:
        sys.exit('Xvfb is not installed (Debian package xvfb); ./zepa.sh test installs it')
    environment = dict(os.environ, DISPLAY=display)
    environment.pop('WAYLAND_DISPLAY', None)
    try:
        status = subprocess.call(sys.argv[1:], env=environment)
    finally:
        server.send_signal(signal.SIGTERM)
        try:
            server.wait(10)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait()
    sys.exit(status if status >= 0 else 128 - status)


if __name__ == '__main__':
    main()
